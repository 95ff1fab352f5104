#include "ui/Form3.h"

#include "core/dictionary/DictionaryStore.h"
#include "ui/ControlNames.h"
#include "ui/Style.h"

#include <QLabel>
#include <QTimer>

namespace palitra {

Form3::Form3(DictionaryStore& words, QString path, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , words_(words)
    , path_(std::move(path))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(caption);
    setFixedSize(style::twipsSize(3315, 1095));

    auto* label = new QLabel(QStringLiteral("Cargando Diccionario..."), this);
    label->setObjectName(names::loadingLabel);
    label->setGeometry(style::twipsRect(60, 300, 3195, 255));
    label->setAlignment(Qt::AlignCenter);

    loadTimer_ = new QTimer(this);
    loadTimer_->setObjectName(names::loadTimer);
    loadTimer_->setInterval(1);
    loadTimer_->setSingleShot(true);
    connect(loadTimer_, &QTimer::timeout, this, &Form3::load);
}

void Form3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!done_)
        loadTimer_->start();
}

// Runs on the first tick after the window is shown, so that its text is up
// while the list is read.
void Form3::load()
{
    repaint();
    problem_ = words_.load(path_);
    done_ = true;
    problem_ ? reject() : accept();
}

} // namespace palitra
