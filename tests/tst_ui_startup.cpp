// Start-up, the main window's layout and menus, and exit with the save question.
#include "UiSupport.h"

#include "dictionary/WordListFile.h"

#include <QDir>
#include <QMenuBar>

using namespace palitra;
using namespace palitra::test;

namespace {

const QByteArray Words = "ABACO\r\nABAD\r\nCASA\r\nCASAS\r\nPERRO\r\n";

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void startupShowsAboutLoadsAndResets();
    void startupFailsOnUnusableList_data();
    void startupFailsOnUnusableList();
    void layoutFollowsTheDrawing();
    void menusOpenHelpAndAbout();
    void exitSavesOnlyWhenAskedAndChanged_data();
    void exitSavesOnlyWhenAskedAndChanged();
    void exitReportsAFailedSaveAndKeepsTheOldList();
};

void TestStartup::startupShowsAboutLoadsAndResets()
{
    // Start-up shows the about window, loads the list and leaves an empty board.
    Game game(Words);
    game.module.dictionaryChanged = true;
    QVERIFY(game.load());

    QCOMPARE(game.driver.opened, QStringList{QStringLiteral("FormQuindaro")});
    QCOMPARE(game.module.appPath, game.folder.path());
    QCOMPARE(game.module.dictionary.wordCount(), std::size_t{5});
    QVERIFY(game.module.dictionary.findWord("CASAS") != 0);
    QVERIFY(!game.module.dictionaryChanged);
    QVERIFY(!game.form->isVisible());

    for (int cell = 0; cell < 25; ++cell) {
        QVERIFY(game.tile(cell)->text().isEmpty());
        QVERIFY(!game.isGreen(cell));
    }
    QCOMPARE(game.caption(), QStringLiteral("Nuevo Juego"));
    QCOMPARE(game.label(QStringLiteral("Label2_0"))->text(), QStringLiteral("0"));
    QCOMPARE(game.label(QStringLiteral("Label2_1"))->text(), QStringLiteral("0"));
    for (const char* name : {"Label1", "Label3", "Label4"})
        QVERIFY(game.label(QLatin1String(name))->text().isEmpty());
    for (const char* name : {"List1", "List2", "List3"})
        QCOMPARE(game.list(QLatin1String(name))->count(), 0);
    QVERIFY(!game.timer(QStringLiteral("Timer1"))->isActive());
    QVERIFY(!game.timer(QStringLiteral("Timer2"))->isActive());
    QVERIFY(!game.form->gameInProgress());
    QVERIFY(game.prompts.log.isEmpty());
}

void TestStartup::startupFailsOnUnusableList_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << 0 << QString();
    QTest::newRow("empty") << 1 << QString();
    QTest::newRow("a folder in its place") << 2 << QString();
}

void TestStartup::startupFailsOnUnusableList()
{
    // A word list that cannot be used is reported by name and ends the program before the window shows.
    QFETCH(int, kind);
    Game game("");
    QFile::remove(game.listPath());
    if (kind == 1)
        game.writeWordList("");
    if (kind == 2)
        QVERIFY(QDir(game.folder.path()).mkdir(QStringLiteral("Palitra.pal")));

    QVERIFY(!game.load());
    QCOMPARE(game.form->exitStatus(), 1);
    QVERIFY(!game.form->isVisible());
    const QStringList errors = game.prompts.of(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.front().contains(QDir::toNativeSeparators(game.listPath())), qPrintable(errors.front()));
}

void TestStartup::layoutFollowsTheDrawing()
{
    // The window, its tiles and controls stand where the drawing puts them, in its colours.
    Game game(Words);
    QVERIFY(game.load());
    Form1& form = *game.form;

    QCOMPARE(form.windowTitle(), QStringLiteral("Palitra 1.2"));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.centralWidget()->size(), QSize(505, 279));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    QCOMPARE(game.tile(0)->geometry(), QRect(24, 24, 41, 41));
    QCOMPARE(game.tile(7)->geometry(), QRect(24 + 2 * 48, 24 + 48, 41, 41));
    QCOMPARE(game.tile(24)->geometry(), QRect(24 + 4 * 48, 24 + 4 * 48, 41, 41));
    QCOMPARE(game.mainButton()->geometry(), QRect(272, 16, 89, 33));
    QCOMPARE(game.control<QPushButton>(QStringLiteral("Command4_0"))->geometry(), QRect(280, 56, 33, 25));
    QCOMPARE(game.control<QPushButton>(QStringLiteral("Command4_1"))->geometry(), QRect(320, 56, 33, 25));
    QVERIFY(!game.control<QPushButton>(QStringLiteral("Command4_0"))->toolTip().isEmpty());
    QCOMPARE(game.label(QStringLiteral("Label1"))->geometry(), QRect(376, 48, 113, 33));
    QCOMPARE(game.label(QStringLiteral("Label1"))->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QCOMPARE(game.label(QStringLiteral("Label3"))->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(game.label(QStringLiteral("Label5_0"))->text(), QStringLiteral("JUGADOR:"));
    QCOMPARE(game.label(QStringLiteral("Label5_1"))->text(), QStringLiteral("ORDENADOR:"));
    QCOMPARE(game.list(QStringLiteral("List1"))->geometry(), QRect(272, 128, 105, 134));
    QCOMPARE(game.list(QStringLiteral("List2"))->geometry(), QRect(384, 128, 105, 134));
    QCOMPARE(game.control<QFrame>(QStringLiteral("Shape1"))->palette().color(QPalette::Window), QColor(0, 128, 0));

    form.show();
    QVERIFY(!game.list(QStringLiteral("List3"))->isVisible());
    QVERIFY(game.list(QStringLiteral("List2"))->isVisible());
}

void TestStartup::menusOpenHelpAndAbout()
{
    // "Como Jugar" opens the help page beside the program; "Acerca de..." shows the about window.
    Game game(Words);
    QVERIFY(game.load());
    auto* help = game.form->findChild<QAction*>(QStringLiteral("MnuHow"));
    auto* about = game.form->findChild<QAction*>(QStringLiteral("MnuInfo"));
    auto* fresh = game.form->findChild<QAction*>(QStringLiteral("MnuNew"));
    QVERIFY(help && about && fresh);
    QCOMPARE(fresh->shortcut(), QKeySequence(Qt::Key_F2));

    help->trigger();
    QCOMPARE(game.shell.calls.size(), 1);
    QCOMPARE(game.shell.calls.front().first, QStringLiteral("Instrucciones.htm"));
    QCOMPARE(game.shell.calls.front().second, game.folder.path());

    about->trigger();
    QCOMPARE(game.driver.opened.count(QStringLiteral("FormQuindaro")), 2);
}

void TestStartup::exitSavesOnlyWhenAskedAndChanged_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("unchanged") << false << true << false << Words;
    QTest::newRow("changed, Cancel") << true << false << true << Words;
    QTest::newRow("changed, OK") << true << true << true
                                 << QByteArray("ABACO\r\nBOTA\r\nCASA\r\nCASAS\r\nPERRO\r\n");
}

void TestStartup::exitSavesOnlyWhenAskedAndChanged()
{
    // Closing asks to save only after a change; OK writes additions in order without deleted words.
    QFETCH(bool, changed);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(QByteArray, saved);
    Game game(Words);
    QVERIFY(game.load());
    if (changed) {
        game.module.dictionary.addWord("bota");
        game.module.dictionary.deleteWord("ABAD");
        game.module.dictionaryChanged = true;
    }
    game.prompts.answers = {answer};

    game.form->close();

    const QStringList questions = game.prompts.of(QStringLiteral("ask"));
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(questions.front(), QStringLiteral("¿Quieres guardar las modificaciones del diccionario?"));
    QCOMPARE(game.readWordList(), saved);
    QCOMPARE(game.form->exitStatus(), 0);
    QVERIFY(!game.timer(QStringLiteral("Timer2"))->isActive());
}

void TestStartup::exitReportsAFailedSaveAndKeepsTheOldList()
{
    // A save that cannot be written is reported, naming the file, and the old list stays whole.
    Game game(Words);
    QVERIFY(game.load());
    game.module.dictionary.addWord("BOTA");
    game.module.dictionaryChanged = true;
    // The list's place is taken by a folder, which no file can replace.
    QVERIFY(QDir(game.folder.path()).mkpath(QStringLiteral("blocked/Palitra.pal")));
    game.module.appPath = game.folder.filePath(QStringLiteral("blocked"));

    game.form->close();

    const QStringList errors = game.prompts.of(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.front().contains(QDir::toNativeSeparators(game.module.wordListPath())), qPrintable(errors.front()));
    QCOMPARE(game.form->exitStatus(), 1);
    QCOMPARE(game.readWordList(), Words);
}

QTEST_MAIN(TestStartup)
#include "tst_ui_startup.moc"
