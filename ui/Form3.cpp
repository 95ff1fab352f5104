#include "ui/Form3.h"

#include "core/dictionary/DictionaryStore.h"
#include "ui/ControlNames.h"
#include "ui/Style.h"

#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace palitra {

Form3::Form3(DictionaryStore& words, QString besideProgram, QString userCopy, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , words_(words)
    , besideProgram_(std::move(besideProgram))
    , userCopy_(std::move(userCopy))
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
    // Where a window is never painted (none is on screen), the list is read all the same.
    QTimer::singleShot(1000, this, &Form3::load);
}

// The list is read once the window is on the screen with its text: the timer
// ticks after this painting has reached the screen.
void Form3::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (!done_ && windowHandle() && windowHandle()->isExposed())
        loadTimer_->start();
}

void Form3::load()
{
    if (done_)
        return;
    problem_ = words_.load(besideProgram_, userCopy_);
    done_ = true;
    problem_ ? reject() : accept();
}

} // namespace palitra
