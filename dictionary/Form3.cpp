#include "dictionary/Form3.h"

#include "app/Module1.h"
#include "app/Twips.h"
#include "dictionary/WordListFile.h"

#include <QLabel>
#include <QTimer>

namespace palitra {

Form3::Form3(Module1& module, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , module_(module)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(caption);
    setFixedSize(twipsSize(3315, 1095));

    Label1 = new QLabel(QStringLiteral("Cargando Diccionario..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(60, 300, 3195, 255));
    Label1->setAlignment(Qt::AlignCenter);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Form3::LoadDictionary);
}

void Form3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!loaded_ && error_.isEmpty())
        Timer1->start();
}

void Form3::LoadDictionary()
{
    Timer1->stop();
    repaint();
    WordListFile::ReadResult result = WordListFile::read(module_.wordListPath());
    if (result.ok) {
        module_.dictionary = Dictionary(std::move(result.entries));
        loaded_ = true;
        accept();
    } else {
        error_ = result.error;
        reject();
    }
}

} // namespace palitra
