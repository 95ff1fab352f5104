#include "app/Platform.h"
#include "game/Form2.h"
#include "game/GameOptions.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace palitra;

namespace {

struct RecordingPrompts final : Prompts {
    bool ask(const QString&) override { return true; }
    void inform(const QString&) override {}
    void warn(const QString& message) override { warned << message; }
    void error(const QString&) override {}
    QStringList warned;
};

// A shown dialog over options that no confirmed dialog could leave, so every write shows.
struct OpenDialog {
    GameOptions options{7, 7, 7};
    RecordingPrompts prompts;
    Form2 dialog{options, prompts};
    OpenDialog() { dialog.show(); }
    QList<int> stored() const { return {options.roundSeconds, options.targetPoints, options.level}; }
    QRadioButton* radio(const QString& name) { return dialog.findChild<QRadioButton*>(name); }
    QLineEdit* text() { return dialog.findChild<QLineEdit*>(QStringLiteral("Text1")); }
    void click(const QStringList& names)
    {
        for (const QString& name : names)
            QTest::mouseClick(radio(name), Qt::LeftButton);
    }
    void clickOk() { QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton); }
};

} // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void choicesStored_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("text"); // the text box after the clicks
        QTest::addColumn<QString>("typed"); // typed over it unless null
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QString>("warning"); // if any, the dialog stays open
        using Ints = QList<int>;
        const QString p150 = QStringLiteral("150 "), none, blank = QStringLiteral("No has elegido los puntos.");
        QTest::newRow("untouched") << QStringList{} << "100" << none << Ints{180, 100, 1} << none;
        QTest::newRow("2 min.") << QStringList{"Option2_2", "Option1_0"} << p150 << none << Ints{120, 150, 1} << none;
        QTest::newRow("4 min.") << QStringList{"Option2_2", "Option1_2"} << p150 << none << Ints{240, 150, 1} << none;
        QTest::newRow("5 min.") << QStringList{"Option2_2", "Option1_3"} << p150 << none << Ints{300, 150, 1} << none;
        QTest::newRow("Fácil") << QStringList{"Option2_2", "Option3_0"} << p150 << none << Ints{180, 150, 0} << none;
        QTest::newRow("Difícil") << QStringList{"Option2_2", "Option3_2"} << p150 << none << Ints{180, 150, 2} << none;
        QTest::newRow("50 then 75") << QStringList{"Option2_0"} << "50 " << "75" << Ints{180, 75, 1} << none;
        QTest::newRow("letters") << QStringList{} << "100" << "cien" << Ints{180, 0, 1} << none;
        QTest::newRow("empty") << QStringList{"Option1_3", "Option3_2"} << "100" << "" << Ints{300, 7, 2} << blank;
        QTest::newRow("blanks") << QStringList{"Option1_3", "Option3_2"} << "100" << "   " << Ints{300, 7, 2} << blank;
    }

    void choicesStored()
    {
        // "OK" stores time and level, then the target read from the text box, which a points option fills with its
        // caption, trailing blank kept; a blank text is refused with a warning and leaves the target as it was.
        QFETCH(QStringList, clicks);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(QList<int>, stored);
        QFETCH(QString, warning);
        OpenDialog d;
        d.click(clicks);
        QCOMPARE(d.text()->text(), text);
        if (!typed.isNull()) {
            d.text()->clear();
            QTest::keyClicks(d.text(), typed);
        }
        d.clickOk();
        QCOMPARE(d.stored(), stored);
        QCOMPARE(d.prompts.warned, warning.isEmpty() ? QStringList() : QStringList{warning});
        QCOMPARE(d.dialog.isVisible(), !warning.isEmpty());
    }

    void closeBoxStoresNothing()
    {
        // Closing the dialog without "OK" leaves all three options as they were.
        OpenDialog d;
        d.click({"Option1_0", "Option2_2", "Option3_0"});
        d.dialog.close();
        QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(d.stored(), (QList<int>{7, 7, 7}));
    }

    void everyOpeningStartsFromDefaults()
    {
        // A new dialog shows "3 min.", "100", "Normal" and the text "100" whatever the last one stored.
        OpenDialog d;
        d.click({"Option1_3", "Option2_2", "Option3_2"});
        d.clickOk();
        Form2 second(d.options, d.prompts);
        for (QRadioButton* button : second.findChildren<QRadioButton*>())
            QCOMPARE(button->isChecked(), button->objectName().endsWith(QLatin1String("_1")));
        auto* text = second.findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(text->text(), QStringLiteral("100"));
        QCOMPARE(text->geometry(), QRect(16, 96, 49, 19));
    }

    void tabOrder()
    {
        // Tab runs through time, points, the text box, "OK", then the levels from "Difícil" up.
        OpenDialog d;
        const QStringList expected{"Option1_0", "Option1_1", "Option1_2", "Option1_3", "Option2_0", "Option2_1",
                                   "Option2_2", "Text1",     "Command1",  "Option3_2", "Option3_1", "Option3_0"};
        QStringList order;
        QWidget* const first = d.radio("Option1_0");
        QWidget* widget = first;
        do {
            if (expected.contains(widget->objectName()))
                order << widget->objectName();
        } while ((widget = widget->nextInFocusChain()) != first);
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(Form2Test)
#include "tst_ui_form2.moc"
