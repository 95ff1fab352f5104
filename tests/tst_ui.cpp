// The windows' wiring: start-up and exit, the controls reaching the game,
// the main window showing it, the order of the dialogs, the options dialog
// and the about window.
#include "Fakes.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/game/Game.h"
#include "ui/ControlNames.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/FormQuindaro.h"
#include "ui/Texts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <random>

using namespace palitra;
using namespace palitra::test;

namespace {

// Message boxes as "kind: text", questions answered from `answers` (OK once they run out); `during` runs
// while a box is open. Shell calls as "target folder".
struct Desktop final : Prompts, Shell {
    QStringList log, calls;
    QList<bool> answers;
    std::function<void(const QString&)> during = [](const QString&) {};
    bool ask(const QString& text) override { return record("ask: " + text), answers.isEmpty() || answers.takeFirst(); }
    void inform(const QString& text) override { record("inform: " + text); }
    void warn(const QString& text) override { record("warn: " + text); }
    void error(const QString& text) override { record("error: " + text); }
    void open(const QString& target, const QString& folder) override { calls << target + ' ' + folder; }
    void record(const QString& entry) { log << entry, during(entry); }
};

// The main window on a list of its own, with fake seams. Modal dialogs but the loading window are handed,
// as they open, to the handler for their name, then closed; the options dialog is confirmed with
// `target` points at `level`.
struct Window {
    QTemporaryDir folder;
    Desktop desktop;
    FakeClock clock;
    ScriptedRandom random;
    DictionaryStore words;
    Game game{words, random, clock};
    Form1 form{game, words, Platform{desktop, desktop, clock}};
    std::map<QString, std::function<void(QDialog*)>> handlers;
    QStringList opened;
    QTimer driver;

    explicit Window(const QByteArray& list, const QString& target = "100", int level = 1)
    {
        writeFile(folder.filePath("Palitra.pal"), list);
        handlers["Form2"] = [=](QDialog* dialog) {
            dialog->findChild<QRadioButton*>(names::levelOption(level))->click();
            dialog->findChild<QLineEdit*>(names::pointsText)->setText(target);
            dialog->findChild<QPushButton*>(names::okButton)->click();
        };
        QObject::connect(&driver, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->property("seen").toBool() || dialog->objectName() == "Form3")
                return;
            dialog->setProperty("seen", true);
            opened << dialog->objectName();
            if (handlers.contains(dialog->objectName()))
                handlers[dialog->objectName()](dialog);
            dialog->reject();
        });
        driver.start(0);
    }
    bool start() { return form.start(folder.path()); }
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        return form.findChild<T*>(name);
    }
    QPushButton* tile(int cell) const { return control<QPushButton>(names::tile(cell)); }
    QString text(const char* label) const { return control<QLabel>(label)->text(); }
    QString caption() const { return control<QPushButton>(names::actionButton)->text(); }
    void press(const char* button) { control<QPushButton>(button)->click(); }
    bool lit(int cell) const { return tile(cell)->palette().color(QPalette::Button) == QColor(0, 255, 0); }
    QStringList items(const char* list) const
    {
        QStringList texts;
        for (int i = 0; i < control<QListWidget>(list)->count(); ++i)
            texts << control<QListWidget>(list)->item(i)->text();
        return texts;
    }
    // From "Nuevo Juego" or "Mezclar": deals TestBoard and starts the round with the computer at cell 0.
    void startRound()
    {
        press(names::actionButton);
        random.values = drawsDealing(TestBoard) << drawOfCell(0);
        form.dealTick();
        press(names::actionButton);
    }
    void spell(std::initializer_list<int> cells)
    {
        for (const int cell : cells)
            tile(cell)->click();
    }
    void walkToTheEnd()
    {
        for (int i = 0; i < 100'000 && !game.walk().done(); ++i)
            form.roundTick();
    }
    void runOutOfTime()
    {
        clock.now += game.options().roundSeconds + 1;
        form.roundTick();
    }

    // Where the window does not show the game as it stands, or nothing.
    QString differs() const
    {
        QStringList player, computer, paths;
        for (int cell = 0; cell < CellCount; ++cell) {
            const char letter = game.board()[cell];
            const QString shown = letter ? QString(QChar::fromLatin1(letter)) : QString();
            if (tile(cell)->text() != shown || lit(cell) != game.tileLit(cell)
                || tile(cell)->isEnabled() != game.tilesEnabled())
                return QStringLiteral("tile %1").arg(cell);
        }
        for (const std::string& word : game.playerWords())
            player << texts::word(word);
        for (const ComputerWord& found : game.computerWords()) {
            computer << texts::computerEntry(found);
            paths << QString();
            for (const int cell : found.path)
                paths.back() += QStringLiteral("%1").arg(cell, 2, 10, QLatin1Char('0'));
        }
        const std::optional<int> seconds = game.secondsShown();
        const QString actual = QStringList{caption(),
                                           text(names::wordLabel),
                                           text(names::messageLabel),
                                           text(names::clockLabel),
                                           text(names::playerScoreLabel),
                                           text(names::computerScoreLabel),
                                           items(names::playerWordsList).join(','),
                                           items(names::computerWordsList).join(','),
                                           items(names::computerPathsList).join(',')}
                                   .join('|');
        const QString expected = QStringList{texts::caption(game.phase()),
                                             texts::word(game.playerWord()),
                                             texts::notice(game.notice()),
                                             seconds ? QString::number(*seconds) : "",
                                             QString::number(game.playerScore()),
                                             QString::number(game.computerScore()),
                                             player.join(','),
                                             computer.join(','),
                                             paths.join(',')}
                                     .join('|');
        if (actual != expected)
            return actual + " instead of " + expected;
        if (control(names::computerWordsList)->isVisibleTo(&form) != game.computerWordsShown()
            || control<QTimer>(names::dealTimer)->isActive() != game.shuffling()
            || control<QTimer>(names::roundTimer)->isActive() != game.roundClockRunning())
            return "the computer's list or a timer";
        return {};
    }
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void startUp_data()
    {
        QTest::addColumn<QByteArray>("list"); // null: no file; "folder": a folder in its place
        QTest::newRow("a list") << Words;
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("a folder in its place") << QByteArray("folder");
    }

    void startUp()
    {
        // The about window, then the list beside the program and an empty board in its place; a list that cannot
        // be read is reported by name instead, and the program ends with status 1 before its window shows.
        QFETCH(QByteArray, list);
        Window w(list);
        const QString path = w.folder.filePath("Palitra.pal");
        if (list.isNull() || list == "folder")
            QFile::remove(path);
        if (list == "folder")
            QDir(w.folder.path()).mkdir("Palitra.pal");
        const bool loads = list.size() > 6;
        QCOMPARE(w.start(), loads);
        QCOMPARE(w.opened, QStringList{"FormQuindaro"});
        QVERIFY(!w.form.isVisible() && w.form.exitStatus() == (loads ? 0 : 1));
        QCOMPARE(w.desktop.log.join(""), loads ? "" : "error: " + texts::problem(*w.words.load(path)));
        if (loads) {
            QVERIFY(w.differs().isEmpty() && w.words.dictionary().wordCount() == 8 && w.caption() == "Nuevo Juego");
            QCOMPARE(w.control(names::tile(7))->geometry(), QRect(120, 72, 41, 41));
            QCOMPARE(w.control(names::clockLabel)->geometry(), QRect(376, 48, 113, 33));
            QCOMPARE(w.form.centralWidget()->size(), QSize(505, 279));
            QCOMPARE(w.control(names::panel)->palette().color(QPalette::Window), QColor(0, 128, 0));
        }
    }

    void aRoundThroughTheControls()
    {
        // The buttons reach the game, the round's timer takes the level's pace and the window follows each step;
        // at the end come the message, the validation window (where Cancel keeps a word, OK strikes it, Ñ and
        // all, and "(Borrada)" is inert) and the scores, then past the target the winner.
        Window w(Words, "1", 2);
        QVERIFY(w.start());
        w.press(names::actionButton);
        for (const double seconds : {0.0, 0.001, 0.02}) { // the shuffle shows a deal a screen frame
            const QString shown = w.tile(0)->text() + w.tile(1)->text() + w.tile(24)->text();
            w.clock.now += seconds;
            w.form.dealTick();
            QCOMPARE(w.differs().isEmpty(), seconds != 0.001);
            QCOMPARE(w.tile(0)->text() + w.tile(1)->text() + w.tile(24)->text() == shown, seconds == 0.001);
        }
        w.form.dealTick();
        w.press(names::actionButton); // the round starts on the last deal, shown at once
        QCOMPARE(w.differs(), QString());
        w.runOutOfTime();
        w.desktop.log.clear();
        w.startRound();
        QCOMPARE(w.control<QTimer>(names::roundTimer)->interval(), 1);
        w.spell({0, 1});
        w.press(names::actionButton);
        QVERIFY(w.lit(0) && w.lit(1) && w.text(names::messageLabel) == "Debe tener por lo menos 3 letras.");
        w.press(names::takeBackButton);
        w.press(names::clearButton);
        w.spell({0, 1, 2, 3, 4});
        w.desktop.answers = {false};
        w.press(names::actionButton);
        QCOMPARE(w.desktop.log, QStringList{"ask: No conozco la palabra: SOLAR\n\n¿Quieres añadirla a la lista?"});
        QCOMPARE(w.differs(), QString());
        w.clock.now += 1.5;
        w.form.roundTick();
        QCOMPARE(w.text(names::clockLabel), QStringLiteral("178"));
        w.walkToTheEnd();
        w.press(names::clearButton);
        w.spell({0, 1, 2});
        w.press(names::actionButton);
        QCOMPARE(w.differs(), QString());

        w.desktop.log.clear();
        w.desktop.answers = {false, true};
        QString seen; // the main button under each message, and the validation window with PUÑAL clicked thrice
        w.desktop.during = [&](const QString& text) { seen += text.startsWith("inform") ? w.caption() + ' ' : ""; };
        const int punal = int(w.items(names::computerWordsList).indexOf("PU\u00D1AL"));
        w.handlers["Form4"] = [&](QDialog* dialog) {
            auto* list = dialog->findChild<QListWidget*>(names::validationList);
            for (int click = 0; click < 3; ++click)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(punal)).center());
            seen += "Form4:" + list->item(punal)->text() + ':' + w.items(names::computerWordsList)[punal] + ' ';
        };
        w.runOutOfTime();
        const QString strike = "ask: " + texts::strikeQuestion("PU\321AL");
        QCOMPARE(w.desktop.log, (QStringList{"inform: Se acabó el tiempo.", strike, strike, "inform: Te he ganado."}));
        QCOMPARE(seen, QStringLiteral("Añadir Form4:(Borrada):PUÑAL (no válida) Mezclar "));
        QVERIFY(w.words.dictionary().findWord("PU\321AL") == 0 && w.words.changed());
        QVERIFY(w.caption() == "Fin" && w.text(names::computerScoreLabel) == "6" && w.differs().isEmpty());
        w.control<QListWidget>(names::computerWordsList)
            ->setCurrentRow(int(w.items(names::computerWordsList).indexOf("SOL")));
        QVERIFY(w.lit(0) && w.lit(1) && w.lit(2) && !w.lit(3));
    }

    void questionsAndMenus()
    {
        // A round whose time runs out under a question ends once it is answered; "Como Jugar" opens the help page
        // beside the program, "Acerca de..." the about window, "Nuevo" (F2) asks during a game.
        Window w(Words);
        QVERIFY(w.start());
        w.startRound();
        w.spell({0, 1, 2, 3, 4});
        w.desktop.answers = {false};
        w.desktop.during = [&](const QString& text) {
            if (text.startsWith("ask: No conozco")) {
                w.clock.now += 500;
                w.form.roundTick();
                QVERIFY(!w.control<QTimer>(names::roundTimer)->isActive() && w.caption() == "Añadir");
            }
        };
        w.press(names::actionButton);
        QCOMPARE(w.desktop.log.at(1), QStringLiteral("inform: Se acabó el tiempo."));
        QCOMPARE(w.caption(), QStringLiteral("Mezclar"));
        QCOMPARE(w.control<QAction>(names::newGameAction)->shortcut(), QKeySequence(Qt::Key_F2));
        w.control<QAction>(names::howToPlayAction)->trigger();
        QCOMPARE(w.desktop.calls, QStringList{"Instrucciones.htm " + w.folder.path()});
        w.control<QAction>(names::aboutAction)->trigger();
        QCOMPARE(w.opened.count("FormQuindaro"), 2);
        w.desktop.log.clear();
        w.desktop.answers = {false, true};
        w.control<QAction>(names::newGameAction)->trigger();
        QCOMPARE(w.caption(), QStringLiteral("Mezclar"));
        w.control<QAction>(names::newGameAction)->trigger();
        QCOMPARE(w.desktop.log, QStringList(2, "ask: ¿Quieres empezar otra partida?"));
        QVERIFY(w.caption() == "Nuevo Juego" && w.differs().isEmpty());
    }

    void exitSavesOnlyWhatChangedWhenAsked()
    {
        // Closing asks to save only after a change; OK writes the list, or says by name why it could not (status 1).
        for (const auto& [changed, answer, blocked] :
             {std::tuple{false, true, false}, {true, false, false}, {true, true, false}, {true, true, true}}) {
            Window w(Words);
            QVERIFY(w.start());
            const QString path = w.folder.filePath("Palitra.pal");
            if (changed)
                w.words.addWord("BOTA");
            if (blocked) // the list's place is taken by a folder
                QVERIFY(QFile::remove(path) && QDir(w.folder.path()).mkpath("Palitra.pal/inside"));
            w.desktop.answers = {answer};
            w.form.close();
            QStringList log{changed ? "ask: ¿Quieres guardar las modificaciones del diccionario?" : ""};
            if (blocked)
                log << "error: " + texts::problem(*w.words.save());
            QCOMPARE(w.desktop.log.join('|'), log.join('|'));
            QCOMPARE(w.form.exitStatus(), blocked ? 1 : 0);
            QVERIFY(blocked || readFile(path) == (changed && answer ? "BOTA\r\n" + Words : Words));
        }
    }

    void randomClicksKeepTheViewOnTheGame()
    {
        // Random clicks, menu choices and ticks: after each the window shows the game exactly.
        std::mt19937 rng(7);
        const auto below = [&rng](int bound) { return int(rng() % unsigned(bound)); };
        Window w(Words, "3");
        QVERIFY(w.start());
        w.desktop.during = [&](const QString&) { w.desktop.answers = {below(3) != 0}; };
        w.handlers["Form4"] = [&](QDialog* dialog) {
            auto* list = dialog->findChild<QListWidget*>(names::validationList);
            emit list->itemClicked(list->item(below(list->count())));
        };
        const char* buttons[] = {names::actionButton, names::takeBackButton, names::clearButton};
        for (int action = 0; action < 3000; ++action) {
            const int roll = below(20);
            if (roll < 8)
                w.tile(below(25))->click();
            else if (roll < 11)
                w.press(buttons[roll - 8]);
            else if (roll == 11)
                w.control<QListWidget>(names::computerWordsList)->setCurrentRow(below(5) - 1);
            else if (roll == 12 && below(5) == 0)
                w.control<QAction>(names::newGameAction)->trigger();
            else if (w.control<QTimer>(names::dealTimer)->isActive())
                w.clock.now += 0.02, w.form.dealTick(); // a screen frame apart: each deal is shown
            else if (w.control<QTimer>(names::roundTimer)->isActive())
                w.clock.now += below(40) == 0 ? 60 : 0.1, w.form.roundTick();
            QVERIFY2(w.differs().isEmpty(), qPrintable(QStringLiteral("action %1: %2").arg(action).arg(w.differs())));
        }
    }

    void optionsDialog()
    {
        // "OK" stores time and level, then the target from the text that a points option fills with its caption;
        // a blank text is refused with a warning; Return in the text box confirms nothing; each opening starts
        // from "3 min.", "100" and "Normal"; closing otherwise stores nothing.
        const std::vector<std::tuple<QString, QString, QList<int>>> rows{
            {"", "", {180, 100, 1}},
            {"Option2_2 Option1_0 Option3_0", "", {120, 150, 0}},
            {"Option1_2 Option3_2", "", {240, 100, 2}},
            {"Option1_3 Option2_0", "75", {300, 75, 1}},
            {"", "cien", {180, 0, 1}},
            {"Option1_3", "   ", {300, 7, 1}},
            {"Option1_0", "close", {7, 7, 7}}};
        for (const auto& [clicks, typed, stored] : rows) {
            GameOptions options{7, 7, 7};
            Desktop desktop;
            Form2 dialog(options, desktop);
            dialog.show();
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
                QCOMPARE(button->isChecked(), button->objectName().endsWith("_1"));
            for (const QString& name : clicks.split(' ', Qt::SkipEmptyParts))
                QTest::mouseClick(dialog.findChild<QRadioButton*>(name), Qt::LeftButton);
            auto* text = dialog.findChild<QLineEdit*>(names::pointsText);
            QCOMPARE(text->text(),
                     QString(clicks.contains("Option2_2")       ? "150 "
                                 : clicks.contains("Option2_0") ? "50 "
                                                                : "100"));
            if (!typed.isEmpty() && typed != "close") {
                text->clear();
                QTest::keyClicks(text, typed);
            }
            QTest::keyClick(text, Qt::Key_Return);
            QVERIFY(dialog.isVisible() && options.roundSeconds == 7);
            if (typed == "close")
                dialog.close();
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>(names::okButton), Qt::LeftButton);
            QCOMPARE((QList<int>{options.roundSeconds, options.targetPoints, options.level}), stored);
            QCOMPARE(desktop.log.join(""), typed == "   " ? "warn: No has elegido los puntos." : "");
        }
    }

    void aboutWindow()
    {
        // The title is the main window's; an address opens through the shell from the program's folder and the
        // window stays; a click anywhere else, or a key that types a character, closes it; the address under the
        // mouse is underlined and shows the hand.
        QWidget mainWindow;
        mainWindow.setWindowTitle("Palitra de prueba");
        const QStringList closing{"",          "lblClick", "lblCreadoPor", "lblTitulo", "lblTexto", "lblTexEmail",
                                  "lblTexWeb", "imgLogo",  "imgIcono",     "key A"};
        for (const QString& target : closing + QStringList{"lblMail", "lblURL", "key Shift", "key F1"}) {
            Desktop desktop;
            FormQuindaro about(desktop, "/opt/palitra", target.isEmpty() ? &mainWindow : nullptr);
            QSignalSpy finished(&about, &QDialog::finished);
            about.show();
            QCOMPARE(about.findChild<QLabel*>(names::aboutTitle)->text(),
                     QString(target.isEmpty() ? "Palitra de prueba" : "Palitra 1.2"));
            if (target.isEmpty()) { // each activation takes the caption again
                mainWindow.setWindowTitle("Otro título");
                QEvent activate(QEvent::WindowActivate);
                QApplication::sendEvent(&about, &activate);
                QCOMPARE(about.findChild<QLabel*>(names::aboutTitle)->text(), QStringLiteral("Otro título"));
            }
            QLabel* label = about.findChild<QLabel*>(target);
            if (target.startsWith("key"))
                QTest::keyClick(&about,
                                target.endsWith('A')       ? Qt::Key_A
                                    : target.endsWith('t') ? Qt::Key_Shift
                                                           : Qt::Key_F1);
            else // near a control's left end, as the addresses' first letters lie over the blank ends of their captions
                QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {},
                                  label ? label->mapTo(&about, QPoint(3, label->height() / 2)) : QPoint(200, 30));
            QCOMPARE(finished.count(), closing.contains(target) ? 1 : 0);
            const QString scheme = target == "lblMail" ? "mailto:" : "http://";
            QCOMPARE(desktop.calls.join(','),
                     target == "lblMail" || target == "lblURL" ? scheme + label->text() + " /opt/palitra" : "");
        }
        Desktop desktop;
        FormQuindaro about(desktop, "/opt/palitra", nullptr);
        QString underlined;
        for (const char* name : {names::aboutMail, names::aboutWeb, names::aboutNotice, "FormQuindaro"}) {
            QWidget* widget =
                about.objectName() == name ? static_cast<QWidget*>(&about) : about.findChild<QLabel*>(name);
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                             Qt::NoButton, {});
            QApplication::sendEvent(widget, &move);
            for (const char* link : {names::aboutMail, names::aboutWeb})
                underlined += about.findChild<QLabel*>(link)->font().underline() ? link : "";
            underlined += ' ';
        }
        QCOMPARE(underlined, QStringLiteral("lblMail lblURL lblURL  "));
        for (const QLabel* label : about.findChildren<QLabel*>())
            QCOMPARE(label->cursor().shape(),
                     QString("lblMail lblURL").contains(label->objectName()) ? Qt::BitmapCursor : Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_ui.moc"
