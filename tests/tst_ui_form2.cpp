#include "app/Platform.h"
#include "game/Form2.h"
#include "game/GameOptions.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace palitra;

namespace {

class RecordingPrompts final : public Prompts {
public:
    bool ask(const QString& question) override
    {
        asked << question;
        return true;
    }
    void inform(const QString& message) override { informed << message; }
    void warn(const QString& message) override { warned << message; }
    void error(const QString& message) override { errors << message; }

    QStringList asked, informed, warned, errors;
};

// Options that no confirmed dialog could leave, so a write shows.
GameOptions untouchedOptions()
{
    return GameOptions{7, 7, 7};
}

// A shown dialog over options that no confirmed dialog could leave.
struct OpenDialog {
    GameOptions options = untouchedOptions();
    RecordingPrompts prompts;
    Form2 dialog{options, prompts};
    OpenDialog() { dialog.show(); }
};

QRadioButton* radio(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QRadioButton*>(QString::fromLatin1(name));
    Q_ASSERT(button);
    return button;
}

QLineEdit* pointsText(QDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
}

void clickOk(QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void untouchedDialogStoresDefaults();
    void choiceStored_data();
    void choiceStored();
    void pointsOptionFillsText_data();
    void pointsOptionFillsText();
    void typedTextGivesTarget();
    void blankTextWarnsAndStaysOpen_data();
    void blankTextWarnsAndStaysOpen();
    void closeBoxStoresNothing();
    void everyOpeningStartsFromDefaults();
    void modalDialogRetriesAfterWarning();
    void tabOrder();
    void controlsAndPlaces_data();
    void controlsAndPlaces();
    void windowFrame();
};

void Form2Test::untouchedDialogStoresDefaults()
{
    // "OK" on the untouched dialog stores 3 minutes, 100 points and the normal level.
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    clickOk(dialog);
    QCOMPARE(options.roundSeconds, 180);
    QCOMPARE(options.targetPoints, 100);
    QCOMPARE(options.level, 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QVERIFY(prompts.warned.isEmpty());
}

void Form2Test::choiceStored_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("level");
    QTest::newRow("2 min.") << QByteArray("Option1_0") << 120 << 1;
    QTest::newRow("3 min.") << QByteArray("Option1_1") << 180 << 1;
    QTest::newRow("4 min.") << QByteArray("Option1_2") << 240 << 1;
    QTest::newRow("5 min.") << QByteArray("Option1_3") << 300 << 1;
    QTest::newRow("Fácil") << QByteArray("Option3_0") << 180 << 0;
    QTest::newRow("Normal") << QByteArray("Option3_1") << 180 << 1;
    QTest::newRow("Difícil") << QByteArray("Option3_2") << 180 << 2;
}

void Form2Test::choiceStored()
{
    // The chosen time is stored in seconds and the chosen level by its index, whatever points option is selected.
    QFETCH(QByteArray, name);
    QFETCH(int, seconds);
    QFETCH(int, level);
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    click(radio(dialog, "Option2_2"));
    click(radio(dialog, name));
    clickOk(dialog);
    QCOMPARE(options.roundSeconds, seconds);
    QCOMPARE(options.level, level);
    QCOMPARE(options.targetPoints, 150);
}

void Form2Test::pointsOptionFillsText_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("points");
    QTest::newRow("50 ") << QByteArray("Option2_0") << QStringLiteral("50 ") << 50;
    QTest::newRow("100") << QByteArray("Option2_1") << QStringLiteral("100") << 100;
    QTest::newRow("150 ") << QByteArray("Option2_2") << QStringLiteral("150 ") << 150;
}

void Form2Test::pointsOptionFillsText()
{
    // A points option puts its caption, trailing blank included, into the text box, which gives the target.
    QFETCH(QByteArray, name);
    QFETCH(QString, text);
    QFETCH(int, points);
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    pointsText(dialog)->setText(QStringLiteral("999"));
    click(radio(dialog, name));
    QCOMPARE(pointsText(dialog)->text(), text);
    clickOk(dialog);
    QCOMPARE(options.targetPoints, points);
}

void Form2Test::typedTextGivesTarget()
{
    // Text typed over an option's caption is what "OK" reads; letters alone read as 0.
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    click(radio(dialog, "Option2_0"));
    pointsText(dialog)->selectAll();
    QTest::keyClicks(pointsText(dialog), QStringLiteral("75"));
    clickOk(dialog);
    QCOMPARE(options.targetPoints, 75);

    Form2 lettersDialog(options, prompts);
    lettersDialog.show();
    pointsText(lettersDialog)->setText(QStringLiteral("cien"));
    clickOk(lettersDialog);
    QCOMPARE(options.targetPoints, 0);
    QCOMPARE(lettersDialog.result(), int(QDialog::Accepted));
}

void Form2Test::blankTextWarnsAndStaysOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
}

void Form2Test::blankTextWarnsAndStaysOpen()
{
    // A blank target is refused with a warning; time and level are already stored, the target is not.
    QFETCH(QString, text);
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    click(radio(dialog, "Option1_3"));
    click(radio(dialog, "Option3_2"));
    pointsText(dialog)->setText(text);
    clickOk(dialog);
    QCOMPARE(prompts.warned, QStringList{QStringLiteral("No has elegido los puntos.")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(options.targetPoints, 7);
    QCOMPARE(options.roundSeconds, 300);
    QCOMPARE(options.level, 2);
}

void Form2Test::closeBoxStoresNothing()
{
    // Closing the dialog without "OK" leaves all three options as they were.
    OpenDialog open;
    auto& [options, prompts, dialog] = open;
    click(radio(dialog, "Option1_0"));
    click(radio(dialog, "Option2_2"));
    click(radio(dialog, "Option3_0"));
    dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(options.roundSeconds, 7);
    QCOMPARE(options.targetPoints, 7);
    QCOMPARE(options.level, 7);
}

void Form2Test::everyOpeningStartsFromDefaults()
{
    // A new dialog shows "3 min.", "100", "Normal" and the text "100" whatever was chosen before.
    GameOptions options;
    RecordingPrompts prompts;
    {
        Form2 first(options, prompts);
        first.show();
        click(radio(first, "Option1_3"));
        click(radio(first, "Option2_2"));
        click(radio(first, "Option3_2"));
        clickOk(first);
    }
    Form2 second(options, prompts);
    QVERIFY(radio(second, "Option1_1")->isChecked());
    QVERIFY(radio(second, "Option2_1")->isChecked());
    QVERIFY(radio(second, "Option3_1")->isChecked());
    QCOMPARE(pointsText(second)->text(), QStringLiteral("100"));
    for (const char* name : {"Option1_0", "Option1_2", "Option1_3", "Option2_0", "Option2_2", "Option3_0", "Option3_2"})
        QVERIFY2(!radio(second, name)->isChecked(), name);
}

void Form2Test::modalDialogRetriesAfterWarning()
{
    // Inside the modal loop a blank target keeps the dialog open; correcting it and pressing "OK" ends the loop.
    GameOptions options = untouchedOptions();
    RecordingPrompts prompts;
    Form2 dialog(options, prompts);
    bool stillOpenAfterWarning = false;
    QTimer::singleShot(0, &dialog, [&] {
        pointsText(dialog)->clear();
        clickOk(dialog);
        stillOpenAfterWarning = dialog.isVisible();
        pointsText(dialog)->setText(QStringLiteral("12.5"));
        clickOk(dialog);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(stillOpenAfterWarning);
    QCOMPARE(prompts.warned.size(), 1);
    QCOMPARE(options.targetPoints, 12);
}

void Form2Test::tabOrder()
{
    // Tab runs through time, points, the text box, "OK", then the levels from "Difícil" up.
    GameOptions options;
    RecordingPrompts prompts;
    Form2 dialog(options, prompts);
    const QStringList expected{"Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option2_0", "Option2_1",
                               "Option2_2", "Text1",     "Command1",  "Option3_2", "Option3_1", "Option3_0"};
    QStringList order;
    QWidget* widget = radio(dialog, "Option1_0");
    do {
        if (expected.contains(widget->objectName()))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != radio(dialog, "Option1_0"));
    QCOMPARE(order, expected);
}

void Form2Test::controlsAndPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");
    QTest::newRow("Frame1") << "Frame1" << "" << "Tiempo" << QRect(8, 8, 81, 129);
    QTest::newRow("Option1_0") << "Option1_0" << "Frame1" << "2 min." << QRect(16, 24, 57, 17);
    QTest::newRow("Option1_1") << "Option1_1" << "Frame1" << "3 min." << QRect(16, 48, 57, 17);
    QTest::newRow("Option1_3") << "Option1_3" << "Frame1" << "5 min." << QRect(16, 96, 49, 17);
    QTest::newRow("Frame2") << "Frame2" << "" << "Puntos" << QRect(104, 8, 81, 129);
    QTest::newRow("Option2_0") << "Option2_0" << "Frame2" << "50 " << QRect(16, 24, 41, 17);
    QTest::newRow("Option2_2") << "Option2_2" << "Frame2" << "150 " << QRect(16, 72, 41, 17);
    QTest::newRow("Text1") << "Text1" << "Frame2" << "100" << QRect(16, 96, 49, 19);
    QTest::newRow("Frame3") << "Frame3" << "" << "Nivel" << QRect(192, 8, 89, 97);
    QTest::newRow("Option3_0") << "Option3_0" << "Frame3" << "Fácil" << QRect(16, 24, 57, 17);
    QTest::newRow("Option3_1") << "Option3_1" << "Frame3" << "Normal" << QRect(16, 48, 65, 17);
    QTest::newRow("Option3_2") << "Option3_2" << "Frame3" << "Difícil" << QRect(16, 72, 57, 17);
    QTest::newRow("Command1") << "Command1" << "" << "OK" << QRect(192, 112, 81, 25);
}

void Form2Test::controlsAndPlaces()
{
    // Each control is found by its name, in its frame, with its caption and its place in pixels.
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    GameOptions options;
    RecordingPrompts prompts;
    Form2 dialog(options, prompts);
    auto* widget = dialog.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), place);
    QCOMPARE(widget->parentWidget() == &dialog ? QString() : widget->parentWidget()->objectName(), parentName);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        text = box->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        text = edit->text();
    QCOMPARE(text, caption);
}

void Form2Test::windowFrame()
{
    // The dialog is titled "Elige...", keeps a fixed 290 x 147 client area and has no minimize or maximize box.
    GameOptions options;
    RecordingPrompts prompts;
    Form2 dialog(options, prompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Elige..."));
    QCOMPARE(dialog.minimumSize(), QSize(290, 147));
    QCOMPARE(dialog.maximumSize(), QSize(290, 147));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.Option1[1], radio(dialog, "Option1_1"));
}

QTEST_MAIN(Form2Test)
#include "tst_ui_form2.moc"
