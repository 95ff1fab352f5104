#include "dictionary/Form4.h"

#include "app/Module1.h"
#include "app/Platform.h"
#include "app/Twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace palitra {

Form4::Form4(Module1& module, QListWidget& computerWords, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , module_(module)
    , computerWords_(computerWords)
    , prompts_(prompts)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Validar palabras"));
    setFixedSize(twipsSize(4035, 3075));

    Label1 = new QLabel(QStringLiteral("Haz click para eliminar palabras"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 120, 3675, 255));
    Label1->setFont(nearestFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("DejaVu Sans")},
                                8.25, true));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twipsRect(180, 360, 3675, 1815));
    for (int i = 0; i < computerWords_.count(); ++i)
        List1->addItem(computerWords_.item(i)->text());
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });

    Command1 = new QPushButton(QStringLiteral("Cerrar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(2280, 2400, 1575, 495));
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::List1_Click(int index)
{
    if (index < 0 || index >= List1->count() || index >= computerWords_.count())
        return;
    const QString entry = List1->item(index)->text();
    if (entry.startsWith(u'('))
        return;
    if (!prompts_.ask(QStringLiteral("¿Quieres borrar esta palabra?\n\n") + entry))
        return;
    module_.dictionaryChanged = true;
    DeleteWord(entry);
    QListWidgetItem* computerEntry = computerWords_.item(index);
    computerEntry->setText(computerEntry->text() + QStringLiteral(" (no válida)"));
    List1->item(index)->setText(QStringLiteral("(Borrada)"));
}

void Form4::Command1_Click()
{
    accept();
}

void Form4::DeleteWord(const QString& word)
{
    const QByteArray bytes = word.toLatin1();
    module_.dictionary.deleteWord(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace palitra
