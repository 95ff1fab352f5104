// The game in the main window: phases, dealing, tile entry, word submission,
// the round's clock, the end of a round, validation and the computer's paths.
#include "UiSupport.h"

#include <QRadioButton>

using namespace palitra;
using namespace palitra::test;

namespace {

// The board used throughout, row by row.
const QByteArray TestBoard = "SOLAR"
                             "CASEN"
                             "OTEMI"
                             "PUDOL"
                             "BERAZ";
const QByteArray Words = "CASA\r\nCOSA\r\nES\r\nMESA\r\nSOL\r\nSOLA\r\n";
const QString Player = QStringLiteral("Label2_0");
const QString Computer = QStringLiteral("Label2_1");
const QString Word = QStringLiteral("Label3");
const QString Message = QStringLiteral("Label4");

std::unique_ptr<Game> startedGame(const QString& target = QStringLiteral("100"))
{
    auto game = std::make_unique<Game>(Words);
    if (!game->load())
        qFatal("the fixture list did not load");
    game->driver.handlers[QStringLiteral("Form2")] = confirmOptions(target);
    return game;
}

std::unique_ptr<Game> roundInProgress()
{
    auto game = startedGame();
    game->startRound(TestBoard);
    return game;
}

void walkToTheEnd(Game& game)
{
    for (int i = 0; i < 1'000'000 && !game.form->walk().done(); ++i)
        game.form->Timer2_Timer();
}

// Clicks the validation window's entries in order, then "Cerrar".
std::function<void(QDialog*)> clickEntries(QList<int> rows)
{
    return [rows](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        for (const int row : rows)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
}

// Rows for a question answered Cancel and OK.
void answerRows()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Cancel") << false;
    QTest::newRow("OK") << true;
}

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void phasesFollowTheMainButton();
    void optionsSetTheLevelsPace_data();
    void optionsSetTheLevelsPace();
    void closedOptionsStillDealAndARoundOfZeroSecondsEndsAtOnce();
    void newGameMenuAsksOnlyDuringAGame_data();
    void newGameMenuAsksOnlyDuringAGame();
    void dealingReplacesTheBoardOnEveryTick();
    void tilesAcceptOnlyTouchingNeighbours_data();
    void tilesAcceptOnlyTouchingNeighbours();
    void takingBackAndClearing();
    void aWordMayUseAllTwentyFiveTiles();
    void tilesIgnoreClicksOutsideARound();
    void submissionRefusals_data();
    void submissionRefusals();
    void knownWordIsAcceptedAndTheBoardCleared();
    void unknownWordAsks_data();
    void unknownWordAsks();
    void timeRunningOutDuringTheQuestionEndsTheRoundAfterIt_data();
    void timeRunningOutDuringTheQuestionEndsTheRoundAfterIt();
    void clockCountsWholeSecondsDown();
    void lateTickShowsMinusOneAndEnds();
    void endOfRoundScoresAndRevealsTheComputersWords();
    void validationStrikesOutWords();
    void computerWordsShowTheirPathsAfterTheRoundOnly();
    void aWholeGame();
};

void TestGame::phasesFollowTheMainButton()
{
    // The main button walks the game through N -> E -> A -> M -> E ... -> F -> N.
    auto game = startedGame(QStringLiteral("0"));
    QTimer* dealing = game->timer(QStringLiteral("Timer1"));
    QTimer* round = game->timer(QStringLiteral("Timer2"));

    game->form->Command2_Click();
    QVERIFY(game->form->gameInProgress());
    QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
    QVERIFY(dealing->isActive());
    game->form->Timer1_Timer();
    QCOMPARE(game->caption(), QStringLiteral("Empezar"));
    game->form->Command2_Click();
    QCOMPARE(game->caption(), QStringLiteral("Añadir"));
    QVERIFY(!dealing->isActive() && round->isActive() && game->tile(12)->isEnabled());
    QVERIFY(!game->list(QStringLiteral("List2"))->isVisibleTo(game->form.get()));

    game->runOutOfTime();
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(!round->isActive() && game->form->gameInProgress());
    game->form->Command2_Click();
    QVERIFY(dealing->isActive());
    game->form->Timer1_Timer();
    game->form->Command2_Click();
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->caption(), QStringLiteral("Fin"));
    QVERIFY(!game->form->gameInProgress());
    QCOMPARE(game->driver.opened.count(QStringLiteral("Form2")), 1);

    game->form->Command2_Click();
    QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
    QCOMPARE(game->text(Player), QStringLiteral("0"));
    QCOMPARE(game->boardLetters(), QString());
    QVERIFY(game->items(QStringLiteral("List1")).isEmpty());
}

void TestGame::optionsSetTheLevelsPace_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("interval");
    QTest::newRow("Fácil") << 0 << 200;
    QTest::newRow("Normal") << 1 << 100;
    QTest::newRow("Difícil") << 2 << 1;
}

void TestGame::optionsSetTheLevelsPace()
{
    // The options chosen set the round's length and the computer's pace.
    QFETCH(int, level);
    QFETCH(int, interval);
    auto game = startedGame();
    game->driver.handlers[QStringLiteral("Form2")] = [level](QDialog* dialog) {
        dialog->findChild<QRadioButton*>(QStringLiteral("Option3_%1").arg(level))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option1_3"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
    game->startRound(TestBoard);
    QCOMPARE(game->module.options.roundSeconds, 300);
    QCOMPARE(game->timer(QStringLiteral("Timer2"))->interval(), interval);
}

void TestGame::closedOptionsStillDealAndARoundOfZeroSecondsEndsAtOnce()
{
    // Closing the options stores nothing but still deals; the 0-second round ends at its first tick.
    auto game = startedGame();
    game->driver.handlers[QStringLiteral("Form2")] = [](QDialog* dialog) { dialog->reject(); };
    game->form->Command2_Click();
    QCOMPARE(game->module.options.roundSeconds, 0);
    QVERIFY(game->timer(QStringLiteral("Timer1"))->isActive());
    game->startRound(TestBoard);
    game->form->Timer2_Timer();
    QCOMPARE(game->prompts.of(QStringLiteral("inform")), QStringList{QStringLiteral("Se acabó el tiempo.")});
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
}

void TestGame::newGameMenuAsksOnlyDuringAGame_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("before any game") << "Nuevo Juego" << false << false;
    QTest::newRow("round, Cancel") << "Añadir" << false << true;
    QTest::newRow("round, OK") << "Añadir" << true << true;
    QTest::newRow("between rounds, Cancel") << "Mezclar" << false << true;
    QTest::newRow("decided game") << "Fin" << false << false;
}

void TestGame::newGameMenuAsksOnlyDuringAGame()
{
    // "Nuevo" asks while a game is in progress; Cancel leaves it, OK or no game empties everything.
    QFETCH(QString, phase);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    auto game = startedGame(phase == QStringLiteral("Fin") ? QStringLiteral("0") : QStringLiteral("100"));
    if (phase != QStringLiteral("Nuevo Juego")) {
        game->startRound(TestBoard);
        game->spell({0, 1, 2});
        game->form->Command2_Click();
        game->spell({5, 6});
        if (phase != QStringLiteral("Añadir"))
            game->runOutOfTime();
    }
    QCOMPARE(game->caption(), phase);
    const QString board = game->boardLetters();
    const QString score = game->text(Player);
    game->prompts.answers = {answer};
    game->prompts.log.clear();

    game->form->MnuNew_Click();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")),
             asked ? QStringList{QStringLiteral("¿Quieres empezar otra partida?")} : QStringList{});
    if (!asked || answer) {
        QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
        QCOMPARE(game->boardLetters(), QString());
        QCOMPARE(game->text(Player), QStringLiteral("0"));
        QVERIFY(game->items(QStringLiteral("List1")).isEmpty() && game->text(Word).isEmpty());
        QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive() && !game->form->gameInProgress());
        return;
    }
    QCOMPARE(game->caption(), phase);
    QCOMPARE(game->boardLetters(), board);
    QCOMPARE(game->text(Player), score);
    QCOMPARE(game->timer(QStringLiteral("Timer2"))->isActive(), phase == QStringLiteral("Añadir"));
    if (phase == QStringLiteral("Añadir"))
        QCOMPARE(game->text(Word), QStringLiteral("CA"));
}

void TestGame::dealingReplacesTheBoardOnEveryTick()
{
    // Every tick deals a whole new board on disabled white tiles; "Empezar" keeps the last one.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    game->spell({0, 1});
    game->runOutOfTime();
    game->list(QStringLiteral("List2"))->setCurrentRow(0);
    QVERIFY(!game->greenTiles().isEmpty());

    game->form->Command2_Click();
    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->form->playerPath().empty());
    QSet<QString> boards;
    for (int tick = 0; tick < 20; ++tick) {
        game->form->Timer1_Timer();
        boards.insert(game->boardLetters());
        QVERIFY(!game->tile(tick)->isEnabled());
    }
    QVERIFY(boards.size() > 15);
    const QString last = game->boardLetters();
    QCOMPARE(last.size(), 25);
    game->form->Command2_Click();
    QCOMPARE(game->boardLetters(), last);
}

void TestGame::tilesAcceptOnlyTouchingNeighbours_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("accepted");
    for (const int to : {6, 7, 8, 11, 13, 16, 17, 18})
        QTest::addRow("12 -> %d", to) << 12 << to << true;
    for (const int to : {14, 2, 10, 22})
        QTest::addRow("12 -> %d", to) << 12 << to << false;
    QTest::newRow("0 -> 6") << 0 << 6 << true;
    QTest::newRow("24 -> 18") << 24 << 18 << true;
    QTest::newRow("0 -> 2") << 0 << 2 << false;
    // Tiles that only follow each other in number, across the board's edges.
    QTest::newRow("4 -> 5") << 4 << 5 << false;
    QTest::newRow("0 -> 4") << 0 << 4 << false;
    QTest::newRow("5 -> 9") << 5 << 9 << false;
    QTest::newRow("4 -> 10") << 4 << 10 << false;
}

void TestGame::tilesAcceptOnlyTouchingNeighbours()
{
    // A tile joins the word only when it touches the word's last tile.
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, accepted);
    auto game = roundInProgress();
    game->spell({from, to});
    const std::vector<int> expected = accepted ? std::vector<int>{from, to} : std::vector<int>{from};
    QCOMPARE(game->form->playerPath(), expected);
    QCOMPARE(game->greenTiles().size(), qsizetype(expected.size()));
    QCOMPARE(game->text(Word), game->tile(from)->text() + (accepted ? game->tile(to)->text() : QString()));
}

void TestGame::takingBackAndClearing()
{
    // The last tile or the yellow arrow takes back one letter; another green tile does nothing; green clears.
    auto game = roundInProgress();
    game->form->Command4_Click(0);
    QVERIFY(game->text(Word).isEmpty());
    game->spell({0, 1, 2, 3});
    game->form->Command1_Click(1);
    QCOMPARE(game->text(Word), QStringLiteral("SOLA"));
    game->spell({3, 2});
    QCOMPARE(game->text(Word), QStringLiteral("SO"));
    game->form->Command4_Click(0);
    QCOMPARE(game->greenTiles(), QList<int>{0});
    QCOMPARE(game->form->playerPath(), std::vector<int>{0});

    game->spell({5, 6, 7});
    game->form->Command4_Click(1);
    QVERIFY(game->text(Word).isEmpty() && game->greenTiles().isEmpty() && game->form->playerPath().empty());
    game->spell({3});
    QCOMPARE(game->text(Word), QStringLiteral("A"));
}

void TestGame::aWordMayUseAllTwentyFiveTiles()
{
    // A word along all 25 tiles can be built, and its 25th tile taken back and put again.
    auto game = roundInProgress();
    std::vector<int> snake;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
            snake.push_back(row * 5 + (row % 2 == 0 ? column : 4 - column));
    for (const int cell : snake)
        game->form->Command1_Click(cell);
    QCOMPARE(game->form->playerPath(), snake);
    QCOMPARE(game->text(Word).size(), 25);
    game->form->Command1_Click(snake.back());
    QCOMPARE(game->greenTiles().size(), 24);
    game->form->Command1_Click(snake.back());
    QCOMPARE(game->greenTiles().size(), 25);
    game->form->Command4_Click(0);
    QVERIFY(!game->isGreen(snake.back()));
}

void TestGame::tilesIgnoreClicksOutsideARound()
{
    // Tile clicks before a round, while dealing and after it change nothing.
    auto game = startedGame();
    game->form->Command1_Click(0);
    game->form->Command2_Click();
    game->form->Timer1_Timer();
    game->form->Command1_Click(0);
    game->form->Command2_Click();
    game->runOutOfTime();
    game->form->Command1_Click(0);
    QVERIFY(game->text(Word).isEmpty() && game->greenTiles().isEmpty());
}

void TestGame::submissionRefusals_data()
{
    QTest::addColumn<QList<int>>("first");
    QTest::addColumn<QList<int>>("second");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing built") << QList<int>{} << QList<int>{} << QString();
    QTest::newRow("two letters") << QList<int>{} << QList<int>{0, 1} << "Debe tener por lo menos 3 letras.";
    QTest::newRow("twice in a round") << QList<int>{0, 1, 2} << QList<int>{0, 1, 2}
                                      << "Esa palabra ya está en la lista.";
}

void TestGame::submissionRefusals()
{
    // Empty, short and repeated words are refused in the message area until the word changes.
    QFETCH(QList<int>, first);
    QFETCH(QList<int>, second);
    QFETCH(QString, message);
    auto game = roundInProgress();
    for (const int cell : first)
        game->form->Command1_Click(cell);
    if (!first.isEmpty())
        game->form->Command2_Click();
    const QStringList accepted = game->items(QStringLiteral("List1"));
    for (const int cell : second)
        game->form->Command1_Click(cell);

    game->form->Command2_Click();

    QCOMPARE(game->text(Message), message);
    QCOMPARE(game->items(QStringLiteral("List1")), accepted);
    QCOMPARE(game->greenTiles().size(), second.size());
    QVERIFY(game->prompts.log.isEmpty());
    game->form->Timer2_Timer();
    QCOMPARE(game->text(Message), message);
    game->form->Command4_Click(1);
    QVERIFY(game->text(Message).isEmpty());
}

void TestGame::knownWordIsAcceptedAndTheBoardCleared()
{
    // Known words join the player's list in order, and the board is cleared for the next one.
    auto game = roundInProgress();
    game->spell({5, 6, 7, 3});
    game->form->Command2_Click();
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    QCOMPARE(game->items(QStringLiteral("List1")), (QStringList{QStringLiteral("CASA"), QStringLiteral("SOL")}));
    QVERIFY(game->text(Word).isEmpty() && game->text(Message).isEmpty());
    QVERIFY(game->greenTiles().isEmpty() && game->form->playerPath().empty());
    QVERIFY(game->prompts.log.isEmpty());
    QVERIFY(!game->module.dictionaryChanged);
}

void TestGame::unknownWordAsks_data()
{
    answerRows();
}

void TestGame::unknownWordAsks()
{
    // An unknown word asks; OK adds it to the dictionary and the list, Cancel changes nothing.
    QFETCH(bool, answer);
    auto game = roundInProgress();
    game->spell({0, 1, 2, 3, 4});
    game->prompts.answers = {answer};
    game->form->Command2_Click();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")),
             QStringList{QStringLiteral("No conozco la palabra: SOLAR\n\n¿Quieres añadirla a la lista?")});
    QCOMPARE(game->module.dictionaryChanged, answer);
    QCOMPARE(game->module.dictionary.findWord("SOLAR") != 0, answer);
    QCOMPARE(game->items(QStringLiteral("List1")), answer ? QStringList{QStringLiteral("SOLAR")} : QStringList{});
    QCOMPARE(game->greenTiles().size(), answer ? 0 : 5);
    QVERIFY(game->text(Message).isEmpty());
}

void TestGame::timeRunningOutDuringTheQuestionEndsTheRoundAfterIt_data()
{
    QTest::addColumn<bool>("newGame");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("word, Cancel") << false << false << "Mezclar";
    QTest::newRow("word, OK") << false << true << "Mezclar";
    QTest::newRow("new game, Cancel") << true << false << "Mezclar";
    QTest::newRow("new game, OK") << true << true << "Nuevo Juego";
}

void TestGame::timeRunningOutDuringTheQuestionEndsTheRoundAfterIt()
{
    // When the time runs out while a question is open, the round ends once it is answered, never under it.
    QFETCH(bool, newGame);
    QFETCH(bool, answer);
    QFETCH(QString, caption);
    auto game = roundInProgress();
    game->spell({0, 1, 2, 3, 4});
    game->prompts.answers = {answer};
    game->prompts.onAsk = [&game](const QString&) {
        game->clock.now += 500;
        game->form->Timer2_Timer();
        QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive());
        QCOMPARE(game->caption(), QStringLiteral("Añadir"));
    };

    if (newGame)
        game->form->MnuNew_Click();
    else
        game->form->Command2_Click();

    const bool roundEnded = caption == QStringLiteral("Mezclar");
    QCOMPARE(game->prompts.log.size(), roundEnded ? 2 : 1);
    if (roundEnded)
        QCOMPARE(game->prompts.log.at(1), QStringLiteral("inform: Se acabó el tiempo."));
    QCOMPARE(game->caption(), caption);
    QVERIFY(game->items(QStringLiteral("List1")).isEmpty());
    QCOMPARE(game->module.dictionary.findWord("SOLAR") != 0, answer && !newGame);
    QVERIFY(game->greenTiles().isEmpty());
}

void TestGame::clockCountsWholeSecondsDown()
{
    // The clock shows whole seconds left from the round's length minus one, and ends past it.
    auto game = roundInProgress();
    const QList<QPair<double, QString>> steps{{0.2, "179"}, {1.0, "178"}, {177.5, "1"}, {0.5, ""}};
    for (const auto& [seconds, shown] : steps) {
        game->clock.now += seconds;
        game->form->Timer2_Timer();
        QCOMPARE(game->text(QStringLiteral("Label1")), shown);
    }
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive());
}

void TestGame::lateTickShowsMinusOneAndEnds()
{
    // A late tick shows a negative count and ends the round at once.
    auto game = roundInProgress();
    QString shown;
    game->prompts.onInform = [&game, &shown](const QString&) {
        if (shown.isEmpty())
            shown = game->text(QStringLiteral("Label1"));
    };
    game->clock.now += 180.5;
    game->form->Timer2_Timer();
    QCOMPARE(shown, QStringLiteral("-1"));
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
}

void TestGame::endOfRoundScoresAndRevealsTheComputersWords()
{
    // The end of a round freezes the board, shows the computer's words and adds both scores.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList computer = game->items(QStringLiteral("List2"));
    QVERIFY(computer.indexOf(QStringLiteral("SOL")) < computer.indexOf(QStringLiteral("SOLA")));
    QVERIFY(computer.contains(QStringLiteral("CASA")) && !computer.contains(QStringLiteral("ES")));
    QCOMPARE(game->items(QStringLiteral("List3")).at(computer.indexOf(QStringLiteral("SOL"))), QStringLiteral("000102"));
    game->spell({0, 1, 2, 3});
    game->form->Command2_Click();
    game->spell({5, 6});

    game->runOutOfTime();

    QCOMPARE(game->driver.opened.count(QStringLiteral("Form4")), 1);
    QVERIFY(game->list(QStringLiteral("List2"))->isVisibleTo(game->form.get()));
    QCOMPARE(game->text(Player), QStringLiteral("1"));
    QCOMPARE(game->text(Computer), QString::number(computer.size()));
    QVERIFY(!game->tile(0)->isEnabled() && game->greenTiles().isEmpty() && game->text(Word).isEmpty());

    // A round in which the computer found nothing shows no validation window.
    game->startRound(TestBoard);
    game->runOutOfTime();
    QCOMPARE(game->driver.opened.count(QStringLiteral("Form4")), 1);
    QCOMPARE(game->text(Computer), QString::number(computer.size()));
}

void TestGame::validationStrikesOutWords()
{
    // Cancel changes nothing; OK strikes a word out of the dictionary and both lists; "(Borrada)" is inert.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList found = game->items(QStringLiteral("List2"));
    QVERIFY(found.size() >= 2);
    QList<int> rows{0, 0, 0};
    for (int row = 1; row < found.size(); ++row)
        rows << row;
    game->prompts.answers = {false};
    game->driver.handlers[QStringLiteral("Form4")] = clickEntries(rows);

    game->runOutOfTime();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")).size(), found.size() + 1);
    QCOMPARE(game->prompts.of(QStringLiteral("ask")).front(),
             QStringLiteral("¿Quieres borrar esta palabra?\n\n") + found.front());
    QStringList marked;
    for (const QString& word : found) {
        marked << word + QStringLiteral(" (no válida)");
        QCOMPARE(game->module.dictionary.findWord(word.toLatin1().toStdString()), std::size_t{0});
    }
    QCOMPARE(game->items(QStringLiteral("List2")), marked);
    QCOMPARE(game->text(Computer), QStringLiteral("0"));
    QVERIFY(game->module.dictionaryChanged);
}

void TestGame::computerWordsShowTheirPathsAfterTheRoundOnly()
{
    // After a round a computer word's click lights its path alone; during a round or a deal it paints nothing.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList words = game->items(QStringLiteral("List2"));
    QListWidget* list = game->list(QStringLiteral("List2"));
    game->spell({5, 6});
    list->setCurrentRow(words.indexOf(QStringLiteral("SOL")));
    QCOMPARE(game->greenTiles(), (QList<int>{5, 6}));

    game->runOutOfTime();
    list->setCurrentRow(words.indexOf(QStringLiteral("MESA")));
    QCOMPARE(game->greenTiles().size(), 4);
    list->setCurrentRow(words.indexOf(QStringLiteral("SOL")));
    QCOMPARE(game->greenTiles(), (QList<int>{0, 1, 2}));

    game->form->Command2_Click();
    game->form->Timer1_Timer();
    list->setCurrentRow(words.indexOf(QStringLiteral("MESA")));
    QVERIFY(game->greenTiles().isEmpty());
}

void TestGame::aWholeGame()
{
    // Rounds add up until a score passes the target strictly; the tie goes to the computer; additions are saved.
    auto game = startedGame(QStringLiteral("2"));
    game->startRound(TestBoard);
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->spell({5, 6, 7, 3});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->text(Player), QStringLiteral("2"));
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));

    game->startRound(TestBoard);
    game->spell({0, 1, 2, 3, 4});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->text(Player), QStringLiteral("4"));
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).last(), QStringLiteral("Has ganado."));
    QCOMPARE(game->caption(), QStringLiteral("Fin"));

    // A second game: the computer finds more and wins.
    game->form->Command2_Click();
    game->startRound(TestBoard);
    walkToTheEnd(*game);
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).last(), QStringLiteral("Te he ganado."));

    // A third game to -1: both sides pass it at 0 together, and the tie goes to the computer.
    game->form->Command2_Click();
    game->driver.handlers[QStringLiteral("Form2")] = confirmOptions(QStringLiteral("-1"));
    game->startRound(TestBoard);
    game->runOutOfTime();
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).last(), QStringLiteral("Te he ganado."));

    game->prompts.answers = {true};
    game->form->close();
    QCOMPARE(game->readWordList(), QByteArray("CASA\r\nCOSA\r\nES\r\nMESA\r\nSOL\r\nSOLA\r\nSOLAR\r\n"));
}

QTEST_MAIN(TestGame)
#include "tst_ui_game.moc"
