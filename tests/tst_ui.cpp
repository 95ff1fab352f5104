// The windows' wiring: start-up and exit, the controls reaching the game,
// the main window showing it, the order of the dialogs, the options dialog
// and the about window.
#include "Fakes.h"

#include "core/dictionary/DictionaryStore.h"
#include "core/game/Game.h"
#include "core/game/GameRecord.h"
#include "ui/AboutWindow.h"
#include "ui/ControlNames.h"
#include "ui/LoadingWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/OptionsDialog.h"
#include "ui/Session.h"
#include "ui/StatisticsWindow.h"
#include "ui/Texts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <cstring>

using namespace palitra;
using namespace palitra::test;

namespace {

// Message boxes as "kind: text", questions answered from `answers` (OK once they run out); `during` runs
// while a box is open. Shell calls as "target folder".
struct Desktop final : Prompts, Shell {
    QStringList log, calls;
    QList<bool> answers;
    std::function<void(const QString&)> during = [](const QString&) {};
    bool ask(const QString& text) override
    {
        record("ask: " + text);
        return answers.isEmpty() || answers.takeFirst();
    }
    void inform(const QString& text) override { record("inform: " + text); }
    void warn(const QString& text) override { record("warn: " + text); }
    void error(const QString& text) override { record("error: " + text); }
    void open(const QString& target, const QString& folder) override { calls << target + ' ' + folder; }
    void record(const QString& entry)
    {
        log << entry;
        during(entry);
    }
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
    GameRecord record;
    Game game{words, random, clock, record};
    Session session{words, record, Platform{desktop, desktop, clock}, folder.path()};
    std::unique_ptr<MainWindow> form;
    std::map<QString, std::function<void(QDialog*)>> handlers;
    QStringList opened;
    QTimer driver;

    explicit Window(const QByteArray& list, const QString& target = "100", int level = 1)
    {
        writeFile(folder.filePath("Palitra.pal"), list);
        handlers[names::optionsDialog] = [=](QDialog* dialog) {
            dialog->findChild<QRadioButton*>(names::levelOption(level))->click();
            dialog->findChild<QLineEdit*>(names::pointsText)->setText(target);
            dialog->findChild<QPushButton*>(names::okButton)->click();
        };
        QObject::connect(&driver, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->property("seen").toBool())
                return;
            dialog->setProperty("seen", true);
            opened << dialog->objectName();
            if (handlers.contains(dialog->objectName()))
                handlers[dialog->objectName()](dialog);
            dialog->reject();
        });
        driver.start(0);
    }
    // Start-up; the loading window is dismissed as soon as it opens, which must not skip the reading.
    bool start()
    {
        if (!session.start())
            return false;
        form = std::make_unique<MainWindow>(game, Platform{desktop, desktop, clock}, folder.path());
        form->setCloseCheck([this] { return session.mayQuit(); });
        return true;
    }
    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        return form->findChild<T*>(name);
    }
    QPushButton* tile(int cell) const { return control<QPushButton>(names::tile(cell)); }
    QString text(const char* label) const { return control<QLabel>(label)->text(); }
    QString caption() const { return control<QPushButton>(names::actionButton)->text(); }
    void press(const char* button) { control<QPushButton>(button)->click(); }
    bool lit(int cell) const { return tile(cell)->palette().color(QPalette::Button) == QColor(0, 255, 0); }
    QStringList items(const char* list) const
    {
        return joined(control<QListWidget>(list)->findItems("*", Qt::MatchWildcard), &QListWidgetItem::text).split(',');
    }
    // From "Nuevo Juego" or "Mezclar": deals TestBoard and starts the round with the computer at cell 0.
    void startRound()
    {
        press(names::actionButton);
        random.values = drawsDealing(TestBoard) << drawOfCell(0);
        form->dealTick();
        press(names::actionButton);
    }
    void spell(std::initializer_list<int> cells)
    {
        std::for_each(cells.begin(), cells.end(), [this](int c) { tile(c)->click(); });
    }
    void walkToTheEnd()
    {
        for (int i = 0; i < 100'000 && !game.walk().done(); ++i)
            clock.now += 0.016, form->roundTick();
    }
    void runOutOfTime()
    {
        clock.now += game.options().roundSeconds + 1;
        form->roundTick();
    }

    // Where the window does not show the game as it stands, or nothing.
    QString differs() const
    {
        QStringList shown, expected;
        for (int cell = 0; cell < CellCount; ++cell) {
            shown << tile(cell)->text() + (lit(cell) ? "+" : "") + (tile(cell)->isEnabled() ? "" : "-");
            expected << texts::word(std::string(game.lettersShown() ? 1 : 0, game.board()[cell]).c_str())
                    + (game.tileLit(cell) ? "+" : "") + (game.tilesEnabled() ? "" : "-");
        }
        shown << caption() + (control(names::actionButton)->isEnabled() ? "" : "-") << text(names::wordLabel)
              << text(names::messageLabel) << text(names::clockLabel) << text(names::playerScoreLabel)
              << text(names::computerScoreLabel) << items(names::playerWordsList).join(',')
              << items(names::computerWordsList).join(',')
              << QString::number(control(names::computerWordsList)->isVisibleTo(form.get()))
              << QString::number(control<QTimer>(names::dealTimer)->isActive())
              << QString::number(control<QTimer>(names::roundTimer)->isActive());
        const std::optional<int> seconds = game.secondsShown();
        expected << texts::caption(game.phase()) + (game.actionEnabled() ? "" : "-")
                 << (game.lettersShown() ? texts::word(game.playerWord()) : "") << texts::notice(game.notice())
                 << (seconds ? QString::number(*seconds) : "") << QString::number(game.playerScore())
                 << QString::number(game.computerScore())
                 << joined(game.playerWords(), [](const std::string& word) { return texts::word(word); })
                 << joined(game.computerWords(), texts::computerEntry) << QString::number(game.computerWordsShown())
                 << QString::number(game.shuffling()) << QString::number(game.roundClockRunning());
        return shown == expected ? QString() : shown.join('|') + " instead of " + expected.join('|');
    }
};

QString column(const QTableWidget* table, int level)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, level)->text();
    return cells.join('|');
}

// Calls `painted` before each painting of the widgets it watches.
struct PaintSpy final : QObject {
    std::function<void()> painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted();
        return false;
    }
};

// The darkest grey in a widget's picture: 0 where black letters are drawn.
int darkest(QWidget* widget)
{
    const QImage picture = widget->grab().toImage();
    int grey = 255;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            grey = std::min(grey, qGray(picture.pixel(x, y)));
    return grey;
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
    QTemporaryDir dataHome;

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());               // the user's data folder
        qputenv("XDG_CONFIG_HOME", dataHome.filePath("config").toLocal8Bit()); // the user's settings
    }

    void startUp()
    {
        // The about window, then the list (a portable program's own, whatever the player's folder holds) and an
        // empty board; a list that cannot be read is reported by name, and the program ends with status 1 before
        // its window shows. Rows: what takes the list's place beside the program, and the error (%1: the list).
        for (const auto& [place, error] : std::initializer_list<std::pair<QString, QString>>{
                 {"", ""},
                 {"user", ""},
                 {"missing", "No se encontró el diccionario %1."},
                 {"empty", "El diccionario %1 está vacío."},
                 {"folder", "%1 no es un archivo que se pueda leer como diccionario: es una carpeta."},
                 {"loop", "No se pudo leer el diccionario %1: los enlaces simbólicos forman un bucle."}}) {
            Window w(place == "empty" ? "" : Words);
            const QString path = w.folder.filePath("Palitra.pal");
            const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Palitra.pal";
            if (place == "missing" || place == "folder" || place == "loop")
                QFile::remove(path);
            place == "folder" ? QDir(w.folder.path()).mkdir("Palitra.pal") : place == "loop" && QFile::link(path, path);
            if (place == "user")
                QVERIFY(QDir().mkpath(QFileInfo(user).path()) && writeFile(user, Words + "ZORRO\r\n"));
            QCOMPARE(w.start(), error.isEmpty());
            QFile::remove(user);
            QCOMPARE(w.opened, (QStringList{names::aboutWindow, names::loadingWindow}));
            QVERIFY((!w.form || !w.form->isVisible()) && w.session.exitStatus() == (error.isEmpty() ? 0 : 1));
            QCOMPARE(w.desktop.log.join(""), error.isEmpty() ? "" : "error: " + error.arg(path));
            QVERIFY(!error.isEmpty() || (w.differs().isEmpty() && w.caption() == "Nuevo Juego"));
            QCOMPARE(w.words.dictionary().wordCount(), error.isEmpty() ? 8U : 0U);
            QVERIFY(!place.isEmpty()
                    || (w.control(names::tile(7))->geometry() == QRect(120, 72, 41, 41)
                        && w.control(names::clockLabel)->geometry() == QRect(376, 48, 113, 33)
                        && w.form->centralWidget()->size() == QSize(505, 279)));
        }
        // Installed for every user, a file of the player's that makes no sense is set aside, and the player told.
        const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        for (const QString& folder : {dataHome.path(), user}) // for nobody
            QVERIFY(QDir().mkpath(folder) && QFile::setPermissions(folder, QFile::Permissions(0x7777)));
        const QString wrong = asAUser([&]() -> QString {
            Window w(Words);
            QFile::setPermissions(w.folder.path(), QFile::ReadOwner | QFile::ExeOwner);
            const bool started = writeFile(user + "/Palitra.cambios", "?") && w.start();
            QFile::setPermissions(w.folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            const SetAside aside{{FileProblem::Kind::Garbled, user + "/Palitra.cambios"},
                                 user + "/Palitra.cambios.ilegible"};
            const QString log = "log: " + w.desktop.log.join('|');
            return started && log == "log: warn: " + texts::setAside(aside) ? "" : log;
        });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void systemReasonsInSpanish()
    {
        // Every reason the system gives reads in Spanish, never in the system's English; a number for the unknown.
        for (int error = 1; error < 134; ++error) {
            const QString text = texts::problem({FileProblem::Kind::NotSaved, "/x", error});
            QVERIFY2(!text.contains(QString::fromLocal8Bit(std::strerror(error))), qPrintable(text));
        }
        QCOMPARE(texts::problem({FileProblem::Kind::NotSaved, "/x", EFBIG}),
                 "No se pudo guardar el diccionario en /x: el archivo es demasiado grande.");
    }

    void aDamagedRecordIsSetAside()
    {
        // A record of games that cannot be read is set aside at start-up, the player told once, a new one started.
        Window w(Words);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir().mkpath(folder) && writeFile(folder + "/Estadisticas.json", "{roto"));
        QVERIFY(w.start());
        QCOMPARE(w.desktop.log.size(), 1);
        QVERIFY(w.desktop.log[0].startsWith("inform: No se pudieron leer las estadísticas guardadas: se han apartado"));
        QVERIFY(!QFile::exists(folder + "/Estadisticas.json") && w.record.level(1).played() == 0);
    }

    void loadingWindowIsPaintedBeforeTheListIsRead()
    {
        // The window says it is ready to read once it has been painted with its text, and neither Escape nor the
        // window manager's close dismisses it before the reading is over.
        LoadingWindow loading("Palitra");
        QLabel* label = loading.findChild<QLabel*>(names::loadingLabel);
        QStringList seen; // the text at the first painting, then what Escape and a close left
        PaintSpy spy;
        spy.painted = [&] { seen << (seen.isEmpty() ? label->text() : QString()); };
        label->installEventFilter(&spy);
        QObject::connect(&loading, &LoadingWindow::readyToRead, [&] {
            QTest::keyClick(&loading, Qt::Key_Escape);
            loading.close();
            seen.removeAll({});
            seen << (loading.isVisible() ? "open" : "closed");
            loading.finish();
        });
        QCOMPARE(loading.exec(), int(QDialog::Accepted));
        QCOMPARE(seen, (QStringList{"Cargando Diccionario...", "open"}));
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
            w.clock.now += seconds;
            w.form->dealTick();
            QCOMPARE(w.differs().isEmpty(), seconds != 0.001);
        }
        w.form->dealTick();
        const int shuffling = darkest(w.tile(0));
        w.press(names::actionButton); // the round starts on the last deal, shown at once
        QCOMPARE(w.differs(), QString());
        QVERIFY2(shuffling > 100 && darkest(w.tile(0)) < 50, "the letters of disabled tiles are greyed");
        w.runOutOfTime();
        w.desktop.log.clear();
        w.startRound();
        QCOMPARE(w.control<QTimer>(names::roundTimer)->interval(), 16); // Difícil's steps a frame at a time
        w.spell({0, 1});
        w.press(names::actionButton);
        QVERIFY(w.lit(0) && w.lit(1) && w.text(names::messageLabel) == "Debe tener por lo menos 3 letras.");
        w.press(names::takeBackButton);
        w.spell({1, 2, 3, 4});
        w.desktop.answers = {false};
        w.press(names::actionButton);
        QCOMPARE(w.desktop.log, QStringList{"ask: No conozco la palabra: SOLAR\n\n¿Quieres añadirla a la lista?"});
        QCOMPARE(w.differs(), QString());
        w.clock.now += 1.5;
        w.form->roundTick();
        QCOMPARE(w.text(names::clockLabel), QStringLiteral("178")); // whole seconds left
        w.walkToTheEnd();
        QCOMPARE(w.differs(), QString()); // the computer's words listed as it finds them, out of sight
        QCOMPARE(w.items(names::computerPathsList).first(), QStringLiteral("000102")); // SOL, two digits a cell
        QVERIFY(w.control<QTimer>(names::roundTimer)->interval() == w.game.roundTimerInterval()
                && w.game.roundTimerInterval() > 16);
        w.press(names::clearButton);
        w.spell({0, 1, 2});
        w.press(names::actionButton);
        QCOMPARE(w.differs(), QString());

        w.desktop.log.clear();
        QString seen; // the main button under each message, and the validation window striking PUÑAL
        w.desktop.during = [&](const QString& text) { seen += text.startsWith("inform") ? w.caption() + ' ' : ""; };
        const int punal = int(w.items(names::computerWordsList).indexOf("PU\u00D1AL"));
        w.handlers[names::validationWindow] =
            [&](QDialog* dialog) { // a click, Space (both kept), Delete (struck), Space, Return
                auto* list = dialog->findChild<QListWidget*>(names::validationList);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(punal)).center());
                for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Delete, Qt::Key_Space}) { // messages so far after each
                    QTest::keyClick(list, key);
                    seen += QString::number(w.desktop.log.size());
                }
                seen += "Form4:" + list->item(punal)->text() + ':' + w.items(names::computerWordsList)[punal] + ' ';
                QTest::keyClick(list, Qt::Key_Return);
                seen += dialog->isVisible() ? "open " : "closed ";
            };
        w.desktop.answers = {false, false, true};
        w.runOutOfTime();
        const QString strike = "ask: " + texts::strikeQuestion("PU\321AL");
        QCOMPARE(w.desktop.log,
                 (QStringList{"inform: Se acabó el tiempo.", strike, strike, strike, "inform: Te he ganado."}));
        QCOMPARE(seen, QStringLiteral("Añadir 344Form4:(Borrada):PUÑAL (no válida) closed Mezclar "));
        QVERIFY(w.words.dictionary().findWord("PU\321AL") == 0 && w.words.changed());
        QVERIFY(w.caption() == "Fin" && w.text(names::computerScoreLabel) == "6" && w.differs().isEmpty());
        w.control<QListWidget>(names::computerWordsList)
            ->setCurrentRow(int(w.items(names::computerWordsList).indexOf("SOL")));
        QVERIFY(w.lit(0) && w.lit(1) && w.lit(2) && !w.lit(3));
    }

    void commonWords()
    {
        // The common words beside the program, within the list: the computer's at Fácil and Normal unless the menu
        // item, remembered between runs, says it knows all; struck out of both, added to the list only, never
        // saved. Without them the item is checked and greyed.
        for (const bool common : {true, false}) {
            Window w(Words);
            QVERIFY(!common || writeFile(w.folder.filePath("Comunes.pal"), "CASA\r\nSOL\r\nZORRO\r\n"));
            QVERIFY(w.start());
            auto* all = w.control<QAction>(names::knowsAllAction);
            QCOMPARE(QString("%1%2").arg(all->isChecked()).arg(all->isEnabled()), common ? "01" : "10");
            if (!common)
                continue;
            const auto commons = [&w] { return joined(entriesOf(*w.words.commonWords()), &QString::fromStdString); };
            QCOMPARE(commons(), QStringLiteral("CASA,SOL"));
            w.words.strikeWord("SOL");
            w.words.addWord("ZORRO");
            QCOMPARE(commons(), QStringLiteral("CASA,"));
            QVERIFY(!w.words.save() && !readFile(w.folder.filePath("Palitra.pal")).contains("\nSOL\r"));
            QCOMPARE(readFile(w.folder.filePath("Comunes.pal")), QByteArray("CASA\r\nSOL\r\nZORRO\r\n"));
            all->trigger();
            QVERIFY(w.game.computerKnowsAll());
            Window again(Words);
            QVERIFY(writeFile(again.folder.filePath("Comunes.pal"), "CASA\r\n") && again.start());
            QVERIFY(again.game.computerKnowsAll() && again.control<QAction>(names::knowsAllAction)->isChecked());
            again.control<QAction>(names::knowsAllAction)->trigger();
        }
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
                w.form->roundTick();
                QVERIFY(!w.control<QTimer>(names::roundTimer)->isActive() && w.caption() == "Añadir");
            }
        };
        w.press(names::actionButton);
        QCOMPARE(w.desktop.log.at(1), QStringLiteral("inform: Se acabó el tiempo."));
        QCOMPARE(w.caption(), QStringLiteral("Mezclar"));
        QCOMPARE(w.control<QAction>(names::newGameAction)->shortcut(), QKeySequence(Qt::Key_F2));
        w.control<QAction>(names::howToPlayAction)->trigger();
        QCOMPARE(w.desktop.calls, QStringList{"Instrucciones.htm " + w.folder.path()});
        w.startRound(); // time runs out under the about window too: the round ends once it closes
        w.walkToTheEnd();
        w.desktop.log.clear();
        w.handlers[names::aboutWindow] = [&](QDialog*) {
            w.runOutOfTime();
            w.desktop.log << "about";
        };
        w.control<QAction>(names::aboutAction)->trigger();
        QCOMPARE(w.desktop.log.join('|'), QStringLiteral("about|inform: Se acabó el tiempo."));
        QCOMPARE(w.opened.join(' '), "FormQuindaro Form3 Form2 FormQuindaro Form4");
        w.desktop.log.clear();
        w.desktop.answers = {false, true};
        w.control<QAction>(names::newGameAction)->trigger();
        QCOMPARE(w.caption(), QStringLiteral("Mezclar"));
        w.control<QAction>(names::newGameAction)->trigger();
        QCOMPARE(w.desktop.log, QStringList(2, "ask: ¿Quieres empezar otra partida?"));
        QVERIFY(w.caption() == "Nuevo Juego" && w.differs().isEmpty());
    }

    void pauseAndTheWindowsAfterTheRound()
    {
        // Ctrl+P pauses a round (no letters, no main button) and a click on the board goes on; minimizing pauses;
        // after the round F4 lists the board's words, a click lighting one's path, and the record opens.
        Window w(Words);
        QVERIFY(w.start());
        w.form->show();
        w.startRound();
        auto* pause = w.control<QAction>(names::pauseAction);
        QVERIFY(pause->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_P)) && pause->isEnabled());
        pause->trigger();
        QVERIFY(w.tile(0)->text().isEmpty() && !w.control(names::actionButton)->isEnabled() && w.differs().isEmpty());
        w.tile(0)->click();
        QVERIFY(w.tile(0)->text() == "S" && w.game.phase() == Phase::Round && w.differs().isEmpty());
        w.form->showMinimized();
        QCOMPARE(w.game.phase(), Phase::Paused);
        w.form->showNormal();
        pause->trigger();
        w.spell({0, 1, 2});
        w.press(names::actionButton);
        w.walkToTheEnd();
        w.runOutOfTime();
        auto* review = w.control<QAction>(names::boardWordsAction);
        QVERIFY(!pause->isEnabled() && review->isEnabled() && review->shortcut() == QKeySequence(Qt::Key_F4));
        QStringList shown;
        w.handlers[names::boardWordsWindow] = [&](QDialog* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>(names::boardWordsList);
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                shown << list->topLevelItem(row)->text(0) + ' ' + list->topLevelItem(row)->text(1) + ' '
                        + list->topLevelItem(row)->text(2);
            const QTreeWidgetItem* casa = list->topLevelItem(int(shown.indexOf("CASA 1 el ordenador")));
            shown << dialog->findChild<QLabel*>(names::boardWordsSummary)->text();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(casa).center());
            shown << QString::number(w.lit(3) && w.lit(5) && w.lit(6) && w.lit(7) && !w.lit(0));
            QTest::keyClick(list, Qt::Key_End); // UÑA, by the keyboard
        };
        w.handlers[names::statisticsWindow] = [&](QDialog*) { shown << "record"; };
        review->trigger();
        w.control<QAction>(names::statisticsAction)->trigger();
        QCOMPARE(shown.join(','),
                 QStringLiteral("PUÑAL 2 el ordenador,CASA 1 el ordenador,COSA 1 el ordenador,"
                                "MESA 1 el ordenador,SOLA 1 el ordenador,SOL 1 tú,UÑA 1 el ordenador,"
                                "Has encontrado 1 de 7 palabras: 1 de 8 puntos.,1,record"));
        QCOMPARE(texts::boardWordsSummary(1, 1, 1, 1), "Has encontrado 1 de 1 palabra: 1 de 1 punto.");
        QVERIFY(w.lit(16) && w.lit(17) && w.lit(18) && !w.lit(3) && w.differs().isEmpty());
    }

    void statisticsWindow()
    {
        // Each level's column shows its record; Borrar empties the record and its file once the player says yes.
        QTemporaryDir folder;
        GameRecord record;
        record.load(folder.path());
        record.recordRound(1, 7, {"SOL", "PU\321AL"}, 3, 8, QDate(2024, 5, 3));
        record.recordRound(1, 4, {"CASA"}, 1, 2, QDate(2024, 5, 4));
        record.recordGameEnd(1, Outcome::Won);
        record.recordGameEnd(1, Outcome::Abandoned);
        record.recordGameEnd(2, Outcome::Lost);
        QVERIFY(record.save());
        Desktop prompts;
        prompts.answers = {false, true};
        StatisticsWindow window(record, prompts);
        const auto* table = window.findChild<QTableWidget*>(names::statisticsTable);
        const QString normal = QStringLiteral("2|1|0|1|2|5,5|7|PUÑAL (3/5/2024)|44 %|50 % (1 de 2)");
        QCOMPARE(table->horizontalHeaderItem(0)->text() + table->horizontalHeaderItem(2)->text(),
                 QStringLiteral("FácilDifícil"));
        QCOMPARE(column(table, 1), normal);
        QCOMPARE(column(table, 2), QStringLiteral("1|0|1|0|0|—|—|—|—|—"));

        auto* clear = window.findChild<QPushButton*>(names::statisticsClearButton);
        clear->click();
        QCOMPARE(column(table, 1), normal);
        clear->click();
        QCOMPARE(column(table, 1), QStringLiteral("0|0|0|0|0|—|—|—|—|—"));
        QCOMPARE(prompts.log, QStringList(2, "ask: " + texts::clearRecordQuestion()));
        GameRecord read;
        QCOMPARE(read.load(folder.path()), GameRecord::Loaded::Read);
        QCOMPARE(read.level(1), LevelRecord{});
    }

    void keyboard()
    {
        // During a round letters typed anywhere in the window spell on the board, accents and case folded, but not
        // with Ctrl or Alt; Backspace, Escape and Return (or the keypad's Enter) do what the take-back, clear and main
        // buttons do, and typing goes on after them. Before the round, letters do nothing.
        Window w(Words);
        QVERIFY(w.start());
        QWidget* focus = w.control(names::actionButton);
        QTest::keyClicks(focus, "sol");
        QVERIFY(w.game.playerPath().empty());
        w.startRound();
        QTest::keyClicks(focus, "Sola");
        QVERIFY(w.lit(3) && w.differs().isEmpty());
        QTest::keyClick(focus, Qt::Key_Backspace);
        QTest::keyClick(w.tile(12), Qt::Key_Return);
        QCOMPARE(w.items(names::playerWordsList), QStringList{"SOL"});
        QTest::sendKeyEvent(QTest::Click, w.control(names::playerWordsList), Qt::Key_Uacute, QStringLiteral("ú"), {});
        QCOMPARE(w.text(names::wordLabel), QStringLiteral("U")); // accents folded
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(w.game.playerPath().empty() && w.differs().isEmpty());
        QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(focus, Qt::Key_C, Qt::AltModifier);
        QVERIFY(w.game.playerPath().empty());
        QTest::keyClicks(focus, "casa");
        QTest::keyClick(w.control(names::playerWordsList), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.items(names::playerWordsList), (QStringList{"SOL", "CASA"}));
    }

    void questionIgnoresKeysAtFirst()
    {
        // The real question ignores Return, Escape and Space until it has been open half a second, and held keys'
        // repeats after that; then Return answers OK and Escape Cancel. Shown: whether it stays open after each step.
        for (const Qt::Key answer : {Qt::Key_Return, Qt::Key_Escape}) {
            FakeClock clock;
            MessageBoxPrompts prompts(clock);
            QString open;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QWidget* button = box->focusWidget();
                for (const QString step :
                     {"Return", "Escape", "Space", "later", "Return", "later", "repeat", "answer"}) {
                    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, {}, "\r", true);
                    if (step == "later")
                        clock.now += MessageBoxPrompts::KeyGuardSeconds / 2;
                    else if (step == "repeat")
                        QApplication::sendEvent(button, &repeat);
                    else
                        QTest::keySequence(button, step == "answer" ? QKeySequence(answer) : QKeySequence(step));
                    open += QString::number(box->isVisible());
                }
                box->isVisible() ? box->reject() : void();
            });
            QCOMPARE(prompts.ask("¿Añadir?"), answer == Qt::Key_Return);
            QCOMPARE(open, "11111110");
        }
    }

    void exitSavesOnlyWhatChangedWhenAsked()
    {
        // Closing asks to save only after a change; OK writes the list, Cancel leaves it. A failed save is reported,
        // then Cancel keeps the window open with the changes, and OK quits without them, with status 1.
        const QString save = "ask: ¿Quieres guardar las modificaciones del diccionario?";
        const QString failed = "error: No se pudo guardar el diccionario";
        const QString quit = "ask: " + texts::quitUnsavedQuestion();
        for (const auto& [changed, blocked, answers, log, closed] :
             std::initializer_list<std::tuple<bool, bool, QList<bool>, QStringList, bool>>{
                 {false, false, {}, {}, true},
                 {true, false, {false}, {save}, true},
                 {true, false, {true}, {save}, true},
                 {true, true, {true, false}, {save, failed, quit}, false},
                 {true, true, {true, true}, {save, failed, quit}, true}}) {
            Window w(Words);
            QVERIFY(w.start());
            w.form->show();
            if (changed)
                w.words.addWord("BOTA");
            const QString path = w.folder.filePath("Palitra.pal");
            QVERIFY(!blocked || (QFile::remove(path) && QDir(w.folder.path()).mkdir("Palitra.pal")));
            w.desktop.answers = answers;
            w.form->close();
            QCOMPARE(w.desktop.log.replaceInStrings(QRegularExpression(" en /.*"), ""), log);
            QCOMPARE(w.form->isVisible(), !closed);
            QCOMPARE(w.session.exitStatus(), blocked && closed ? 1 : 0);
            QVERIFY(blocked || readFile(path) == (changed && answers[0] ? "BOTA\r\n" + Words : Words));
            QVERIFY(!blocked || w.words.changed());
        }
    }

    void optionsDialog()
    {
        // "OK" stores time and level, then the target from the text that a points option fills with its caption;
        // a blank text is refused with a warning; Return in the text box confirms nothing; each opening starts
        // from "3 min.", "100" and "Normal"; closing otherwise stores nothing. Rows: clicks|text then|typed|stored.
        for (const QString row : {"|100||180 100 1", "Option2_2 Option1_0 Option3_0|150 ||120 150 0",
                                  "Option1_2 Option3_2|100||240 100 2", "Option1_3 Option2_0|50 |75|300 75 1",
                                  "|100|cien|180 0 1", "Option1_3|100|   |300 7 1", "Option1_0|100|close|7 7 7"}) {
            const QStringList part = row.split('|');
            GameOptions options{7, 7, 7};
            Desktop desktop;
            OptionsDialog dialog(options, desktop);
            dialog.show();
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
                QCOMPARE(button->isChecked(), button->objectName().endsWith("_1"));
            for (const QString& name : part[0].split(' ', Qt::SkipEmptyParts))
                QTest::mouseClick(dialog.findChild<QRadioButton*>(name), Qt::LeftButton);
            auto* text = dialog.findChild<QLineEdit*>(names::pointsText);
            QCOMPARE(text->text(), part[1]);
            if (!part[2].isEmpty() && part[2] != "close")
                text->setText(part[2]);
            QTest::keyClick(text, Qt::Key_Return);
            QVERIFY(dialog.isVisible() && options.roundSeconds == 7);
            part[2] == "close" ? void(dialog.close()) : dialog.findChild<QPushButton*>(names::okButton)->click();
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(options.roundSeconds).arg(options.targetPoints).arg(options.level),
                     part[3]);
            QCOMPARE(desktop.log.join(""), part[2] == "   " ? "warn: No has elegido los puntos." : "");
        }
    }

    void aboutWindow()
    {
        // The title is the main window's, taken at each activation; an address opens through the shell from the
        // program's folder, once for a double-click, and the window stays; a click anywhere else, or a key that
        // types a character, closes it; the addresses show the hand.
        QWidget mainWindow;
        for (const QString target :
             {"lblClick", "lblCreadoPor", "lblTitulo", "lblTexto", "lblTexEmail", "lblTexWeb", "imgLogo", "imgIcono",
              "", "key A", "lblMail", "lblURL", "twice lblMail", "key Shift", "key F1"}) {
            Desktop desktop;
            mainWindow.setWindowTitle(target);
            AboutWindow about(desktop, "/opt/palitra", &mainWindow);
            QSignalSpy finished(&about, &QDialog::finished);
            about.show();
            QCOMPARE(about.findChild<QLabel*>(names::aboutTitle)->text(), target);
            const QLabel* label = about.findChild<QLabel*>(target.section(' ', -1));
            const QPoint at = label ? label->mapTo(&about, QPoint(3, label->height() / 2)) : QPoint(200, 30);
            if (target.startsWith("key")) // the addresses' first letters lie over the blank ends of their captions
                QTest::keyClick(&about, QKeySequence(target.mid(4))[0].key());
            else if (target.startsWith("twice"))
                QTest::mouseDClick(about.windowHandle(), Qt::LeftButton, {}, at);
            else
                QTest::mouseClick(about.windowHandle(), Qt::LeftButton, {}, at);
            const bool stays = target.contains("lblMail") || target.contains("lblURL") || target.contains("key F");
            QCOMPARE(finished.count(), stays || target == "key Shift" ? 0 : 1);
            const QString scheme = target.contains("lblMail") ? "mailto:" : "http://";
            QCOMPARE(desktop.calls.join(','), stays && label ? scheme + label->text() + " /opt/palitra" : "");
        }
        Desktop desktop;
        AboutWindow about(desktop, "/opt/palitra", nullptr);
        about.show();
        QCOMPARE(about.findChild<QLabel*>(names::aboutTitle)->text(), QStringLiteral("Palitra 1.2"));
        for (const QLabel* label : about.findChildren<QLabel*>())
            QCOMPARE(label->cursor().shape(),
                     QString("lblMail lblURL").contains(label->objectName()) ? Qt::BitmapCursor : Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestWindows)
#include "tst_ui.moc"
