// The game in the main window: phases, dealing, tile entry, word submission,
// the round's clock, the end of a round, validation and the computer's paths.
#include "UiSupport.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace palitra;
using namespace palitra::test;

namespace {

// The board used throughout, row by row:
//   S O L A R
//   C A S A E ...
const QByteArray TestBoard = "SOLAR"
                         "CASEN"
                         "OTEMI"
                         "PUDOL"
                         "BERAZ";
const QByteArray Words = "CASA\r\nCOSA\r\nES\r\nMESA\r\nSOL\r\nSOLA\r\n";

std::unique_ptr<Game> startedGame(const QString& target = QStringLiteral("100"))
{
    auto game = std::make_unique<Game>(Words);
    if (!game->load())
        qFatal("the fixture list did not load");
    game->driver.handlers[QStringLiteral("Form2")] = confirmOptions(target);
    return game;
}

std::unique_ptr<Game> roundInProgress(int startCell = 0)
{
    auto game = startedGame();
    game->startRound(TestBoard, startCell);
    return game;
}

void walkToTheEnd(Game& game)
{
    for (int i = 0; i < 1'000'000 && !game.form->walk().done(); ++i)
        game.form->Timer2_Timer();
}

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void phasesFollowTheMainButton();
    void optionsDialogSetsTheLevelsPace_data();
    void optionsDialogSetsTheLevelsPace();
    void closingTheOptionsStillDeals();
    void newGameMenuAsksOnlyDuringAGame_data();
    void newGameMenuAsksOnlyDuringAGame();
    void dealingReplacesTheBoardOnEveryTick();
    void shufflingClearsTheWordAndThePath();
    void tilesAcceptOnlyTouchingNeighbours_data();
    void tilesAcceptOnlyTouchingNeighbours();
    void lastTileTakesBackOthersDoNot();
    void arrowsTakeBackAndClear();
    void aWordMayUseAllTwentyFiveTiles();
    void tilesIgnoreClicksOutsideARound();
    void changingTheWordClearsTheMessage();
    void submissionRefusals_data();
    void submissionRefusals();
    void knownWordIsAccepted();
    void unknownWordAsks_data();
    void unknownWordAsks();
    void timeRunningOutDuringTheQuestionEndsTheRoundAfterIt_data();
    void timeRunningOutDuringTheQuestionEndsTheRoundAfterIt();
    void clockCountsWholeSecondsDown();
    void lateTickMayShowMinusOneAndEnds();
    void roundOfZeroSecondsEndsAtTheFirstTick();
    void computerFillsItsHiddenLists();
    void endOfRoundScoresAndRevealsTheComputersWords();
    void roundWithoutComputerWordsShowsNoValidation();
    void validationStrikesOutWords();
    void validationCancelAndStruckOutEntriesChangeNothing();
    void clickingAComputerWordShowsItsPath();
    void pathDisplayIsInertDuringARoundOrADeal();
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
    QCOMPARE(game->driver.opened.count(QStringLiteral("Form2")), 1);
    QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
    QVERIFY(dealing->isActive());
    game->form->Timer1_Timer();
    QCOMPARE(game->caption(), QStringLiteral("Empezar"));

    game->form->Command2_Click();
    QCOMPARE(game->caption(), QStringLiteral("Añadir"));
    QVERIFY(!dealing->isActive());
    QVERIFY(round->isActive());
    QVERIFY(game->tile(12)->isEnabled());

    game->runOutOfTime();
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(!round->isActive());
    QVERIFY(game->form->gameInProgress());

    game->form->Command2_Click();
    QVERIFY(dealing->isActive());
    QCOMPARE(game->driver.opened.count(QStringLiteral("Form2")), 1);
    game->form->Timer1_Timer();
    QCOMPARE(game->caption(), QStringLiteral("Empezar"));
    game->form->Command2_Click();
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->caption(), QStringLiteral("Fin"));
    QVERIFY(!game->form->gameInProgress());

    game->form->Command2_Click();
    QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
    QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("0"));
    QCOMPARE(game->boardLetters(), QString());
}

void TestGame::optionsDialogSetsTheLevelsPace_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("interval");
    QTest::newRow("Fácil") << 0 << 200;
    QTest::newRow("Normal") << 1 << 100;
    QTest::newRow("Difícil") << 2 << 1;
}

void TestGame::optionsDialogSetsTheLevelsPace()
{
    // The level chosen in the options sets the computer's pace.
    QFETCH(int, level);
    QFETCH(int, interval);
    auto game = startedGame();
    game->driver.handlers[QStringLiteral("Form2")] = [level](QDialog* dialog) {
        dialog->findChild<QRadioButton*>(QStringLiteral("Option3_%1").arg(level))->click();
        dialog->findChild<QRadioButton*>(QStringLiteral("Option1_3"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
    game->startRound(TestBoard);
    QCOMPARE(game->module.options.level, level);
    QCOMPARE(game->module.options.roundSeconds, 300);
    QCOMPARE(game->timer(QStringLiteral("Timer2"))->interval(), interval);
}

void TestGame::closingTheOptionsStillDeals()
{
    // Closing the options dialog with its close box stores nothing and still deals.
    auto game = startedGame();
    game->driver.handlers[QStringLiteral("Form2")] = [](QDialog* dialog) { dialog->reject(); };
    game->form->Command2_Click();
    QCOMPARE(game->module.options.roundSeconds, 0);
    QCOMPARE(game->module.options.targetPoints, 0);
    QVERIFY(game->timer(QStringLiteral("Timer1"))->isActive());
}

void TestGame::newGameMenuAsksOnlyDuringAGame_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("reset");
    QTest::newRow("before any game") << "Nuevo Juego" << false << false << true;
    QTest::newRow("round, Cancel") << "Añadir" << false << true << false;
    QTest::newRow("round, OK") << "Añadir" << true << true << true;
    QTest::newRow("between rounds, Cancel") << "Mezclar" << false << true << false;
    QTest::newRow("decided game") << "Fin" << false << false << true;
}

void TestGame::newGameMenuAsksOnlyDuringAGame()
{
    // "Nuevo" asks while a game is in progress; Cancel leaves it, OK empties everything.
    QFETCH(QString, phase);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, reset);
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
    const QString score = game->label(QStringLiteral("Label2_0"))->text();
    game->prompts.answers = {answer};
    game->prompts.log.clear();

    game->form->MnuNew_Click();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")),
             asked ? QStringList{QStringLiteral("¿Quieres empezar otra partida?")} : QStringList{});
    if (reset) {
        QCOMPARE(game->caption(), QStringLiteral("Nuevo Juego"));
        QCOMPARE(game->boardLetters(), QString());
        QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("0"));
        QVERIFY(game->items(QStringLiteral("List1")).isEmpty());
        QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
        QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive());
        QVERIFY(!game->form->gameInProgress());
    } else {
        QCOMPARE(game->caption(), phase);
        QCOMPARE(game->boardLetters(), board);
        QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), score);
        QCOMPARE(game->timer(QStringLiteral("Timer2"))->isActive(), phase == QStringLiteral("Añadir"));
        if (phase == QStringLiteral("Añadir")) {
            QCOMPARE(game->label(QStringLiteral("Label3"))->text(), QStringLiteral("CA"));
            QCOMPARE(game->items(QStringLiteral("List1")), QStringList{QStringLiteral("SOL")});
        }
    }
}

void TestGame::dealingReplacesTheBoardOnEveryTick()
{
    // Every tick deals a whole new board from the bag; "Empezar" keeps the last one.
    auto game = startedGame();
    game->form->Command2_Click();
    QSet<QString> boards;
    for (int tick = 0; tick < 20; ++tick) {
        game->form->Timer1_Timer();
        const QString letters = game->boardLetters();
        QCOMPARE(letters.size(), 25);
        QVERIFY(!letters.contains(u'K') && !letters.contains(u'W'));
        QVERIFY(!game->tile(tick % 25)->isEnabled());
        boards.insert(letters);
    }
    QVERIFY(boards.size() > 15);
    const QString last = game->boardLetters();
    game->form->Command2_Click();
    QCOMPARE(game->boardLetters(), last);
}

void TestGame::shufflingClearsTheWordAndThePath()
{
    // A new shuffle leaves no green tile and an empty player path.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    game->spell({0, 1});
    game->runOutOfTime();
    QCOMPARE(game->form->playerPath(), (std::vector<int>{0, 1}));
    game->list(QStringLiteral("List2"))->setCurrentRow(0);
    QVERIFY(!game->greenTiles().isEmpty());

    game->form->Command2_Click();

    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->form->playerPath().empty());
    QVERIFY(!game->tile(0)->isEnabled());
}

void TestGame::tilesAcceptOnlyTouchingNeighbours_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("accepted");
    for (const int to : {6, 7, 8, 11, 13, 16, 17, 18})
        QTest::addRow("12 -> %d", to) << 12 << to << true;
    for (const int to : {14, 2, 10, 22, 24})
        QTest::addRow("12 -> %d", to) << 12 << to << false;
    QTest::newRow("0 -> 1") << 0 << 1 << true;
    QTest::newRow("0 -> 6") << 0 << 6 << true;
    QTest::newRow("0 -> 2") << 0 << 2 << false;
    // Tiles that only follow each other in number, across the board's edges.
    QTest::newRow("4 -> 5") << 4 << 5 << false;
    QTest::newRow("0 -> 4") << 0 << 4 << false;
    QTest::newRow("5 -> 9") << 5 << 9 << false;
    QTest::newRow("4 -> 10") << 4 << 10 << false;
    QTest::newRow("9 -> 10") << 9 << 10 << false;
    QTest::newRow("24 -> 18") << 24 << 18 << true;
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
    QString word;
    QList<int> green;
    for (const int cell : expected) {
        word += game->tile(cell)->text();
        green << cell;
    }
    std::sort(green.begin(), green.end());
    QCOMPARE(game->label(QStringLiteral("Label3"))->text(), word);
    QCOMPARE(game->greenTiles(), green);
}

void TestGame::lastTileTakesBackOthersDoNot()
{
    // A click on the word's last tile takes it back; on another green tile it does nothing.
    auto game = roundInProgress();
    game->spell({0, 1, 2, 3});
    game->form->Command1_Click(1);
    QCOMPARE(game->label(QStringLiteral("Label3"))->text(), QStringLiteral("SOLA"));
    game->form->Command1_Click(3);
    QCOMPARE(game->label(QStringLiteral("Label3"))->text(), QStringLiteral("SOL"));
    game->form->Command1_Click(2);
    QCOMPARE(game->label(QStringLiteral("Label3"))->text(), QStringLiteral("SO"));
    QCOMPARE(game->greenTiles(), (QList<int>{0, 1}));
    QCOMPARE(game->form->playerPath(), (std::vector<int>{0, 1}));
}

void TestGame::arrowsTakeBackAndClear()
{
    // The yellow arrow takes back one letter, the green one clears the word.
    auto game = roundInProgress();
    game->form->Command4_Click(0);
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    game->spell({5});
    game->form->Command4_Click(0);
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->form->playerPath().empty());

    game->spell({5, 6, 7, 3});
    game->form->Command4_Click(1);
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->form->playerPath().empty());
    game->spell({3});
    QCOMPARE(game->label(QStringLiteral("Label3"))->text(), QStringLiteral("A"));
}

void TestGame::aWordMayUseAllTwentyFiveTiles()
{
    // A word along all 25 tiles can be built, and its 25th tile taken back.
    auto game = roundInProgress();
    std::vector<int> snake;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 5; ++column)
            snake.push_back(row * 5 + (row % 2 == 0 ? column : 4 - column));
    for (const int cell : snake)
        game->form->Command1_Click(cell);
    QCOMPARE(game->form->playerPath(), snake);
    QCOMPARE(game->label(QStringLiteral("Label3"))->text().size(), 25);
    QCOMPARE(game->greenTiles().size(), 25);

    game->form->Command1_Click(snake.back());
    QCOMPARE(game->greenTiles().size(), 24);
    game->form->Command1_Click(snake.back());
    QCOMPARE(game->greenTiles().size(), 25);
    game->form->Command4_Click(0);
    QCOMPARE(game->form->playerPath().size(), std::size_t{24});
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
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    game->form->Command2_Click();
    game->runOutOfTime();
    game->form->Command1_Click(0);
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    QVERIFY(game->greenTiles().isEmpty());
}

void TestGame::changingTheWordClearsTheMessage()
{
    // A refusal stays in the message area until the word changes.
    auto game = roundInProgress();
    game->spell({0, 1});
    game->form->Command2_Click();
    QCOMPARE(game->label(QStringLiteral("Label4"))->text(), QStringLiteral("Debe tener por lo menos 3 letras."));
    game->form->Timer2_Timer();
    QVERIFY(!game->label(QStringLiteral("Label4"))->text().isEmpty());
    game->spell({2});
    QVERIFY(game->label(QStringLiteral("Label4"))->text().isEmpty());
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
    // Empty, short and repeated words are refused in the message area; the word stays built.
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

    QCOMPARE(game->label(QStringLiteral("Label4"))->text(), message);
    QCOMPARE(game->items(QStringLiteral("List1")), accepted);
    QCOMPARE(game->greenTiles().size(), second.size());
    QCOMPARE(game->form->playerPath().size(), std::size_t(second.size()));
    QVERIFY(game->prompts.log.isEmpty());
}

void TestGame::knownWordIsAccepted()
{
    // A known word joins the player's list in order; the board is cleared for the next one.
    auto game = roundInProgress();
    game->spell({5, 6, 7, 3});
    game->form->Command2_Click();
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    QCOMPARE(game->items(QStringLiteral("List1")), (QStringList{QStringLiteral("CASA"), QStringLiteral("SOL")}));
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
    QVERIFY(game->label(QStringLiteral("Label4"))->text().isEmpty());
    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->form->playerPath().empty());
    QVERIFY(game->prompts.log.isEmpty());
    QVERIFY(!game->module.dictionaryChanged);
}

void TestGame::unknownWordAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Cancel") << false;
    QTest::newRow("OK") << true;
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
    QVERIFY(game->label(QStringLiteral("Label4"))->text().isEmpty());

    if (answer) {
        // Known from now on: a later round accepts it without a question.
        game->runOutOfTime();
        game->form->Command2_Click();
        game->random.values = drawsDealing(TestBoard);
        game->form->Timer1_Timer();
        game->form->Command2_Click();
        game->prompts.log.clear();
        game->spell({0, 1, 2, 3, 4});
        game->form->Command2_Click();
        QVERIFY(game->prompts.log.isEmpty());
        QCOMPARE(game->items(QStringLiteral("List1")), QStringList{QStringLiteral("SOLAR")});
    }
}

void TestGame::timeRunningOutDuringTheQuestionEndsTheRoundAfterIt_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Cancel") << false;
    QTest::newRow("OK") << true;
}

void TestGame::timeRunningOutDuringTheQuestionEndsTheRoundAfterIt()
{
    // When the time runs out while the word question is open, the round ends once it is answered.
    QFETCH(bool, answer);
    auto game = roundInProgress();
    game->spell({0, 1, 2, 3, 4});
    game->prompts.answers = {answer};
    game->prompts.onAsk = [&game](const QString&) {
        game->clock.now += 500;
        game->form->Timer2_Timer();
        QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive());
        QCOMPARE(game->caption(), QStringLiteral("Añadir"));
        game->form->Timer2_Timer();
    };

    game->form->Command2_Click();

    QCOMPARE(game->prompts.log.size(), 2);
    QVERIFY(game->prompts.log.at(0).startsWith(QStringLiteral("ask: No conozco la palabra: SOLAR")));
    QCOMPARE(game->prompts.log.at(1), QStringLiteral("inform: Se acabó el tiempo."));
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(game->items(QStringLiteral("List1")).isEmpty());
    QCOMPARE(game->module.dictionary.findWord("SOLAR") != 0, answer);
    QCOMPARE(game->module.dictionaryChanged, answer);
    QVERIFY(game->greenTiles().isEmpty());
}

void TestGame::clockCountsWholeSecondsDown()
{
    // The clock shows whole seconds left from the round's length minus one, and ends past it.
    auto game = roundInProgress();
    QLabel* clock = game->label(QStringLiteral("Label1"));
    game->clock.now += 0.2;
    game->form->Timer2_Timer();
    QCOMPARE(clock->text(), QStringLiteral("179"));
    game->clock.now += 1.0;
    game->form->Timer2_Timer();
    QCOMPARE(clock->text(), QStringLiteral("178"));
    game->clock.now += 177.5;
    game->form->Timer2_Timer();
    QCOMPARE(clock->text(), QStringLiteral("1"));
    QCOMPARE(game->caption(), QStringLiteral("Añadir"));
    game->clock.now += 0.5;
    game->form->Timer2_Timer();
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(clock->text().isEmpty());
    QVERIFY(!game->timer(QStringLiteral("Timer2"))->isActive());
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).front(), QStringLiteral("Se acabó el tiempo."));
}

void TestGame::lateTickMayShowMinusOneAndEnds()
{
    // A late tick shows a negative count and ends the round at once.
    auto game = roundInProgress();
    QString shown;
    game->prompts.onInform = [&game, &shown](const QString&) {
        if (shown.isEmpty())
            shown = game->label(QStringLiteral("Label1"))->text();
    };
    game->clock.now += 180.5;
    game->form->Timer2_Timer();
    QCOMPARE(shown, QStringLiteral("-1"));
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QCOMPARE(game->prompts.of(QStringLiteral("inform")), QStringList{QStringLiteral("Se acabó el tiempo.")});
}

void TestGame::roundOfZeroSecondsEndsAtTheFirstTick()
{
    // With no options confirmed the round lasts 0 seconds and ends at the first tick.
    auto game = startedGame();
    game->driver.handlers[QStringLiteral("Form2")] = [](QDialog* dialog) { dialog->reject(); };
    game->startRound(TestBoard);
    game->form->Timer2_Timer();
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).front(), QStringLiteral("Se acabó el tiempo."));
}

void TestGame::computerFillsItsHiddenLists()
{
    // During the round the computer lists its words and their paths, hidden from the player.
    auto game = roundInProgress(0);
    QVERIFY(!game->list(QStringLiteral("List2"))->isVisibleTo(game->form.get()));
    walkToTheEnd(*game);
    const QStringList words = game->items(QStringLiteral("List2"));
    QVERIFY(words.contains(QStringLiteral("SOL")));
    QVERIFY(words.contains(QStringLiteral("CASA")));
    QVERIFY(words.indexOf(QStringLiteral("SOL")) < words.indexOf(QStringLiteral("SOLA")));
    QVERIFY(!words.contains(QStringLiteral("ES")));
    QCOMPARE(game->items(QStringLiteral("List3")).size(), words.size());
    QCOMPARE(game->items(QStringLiteral("List3")).at(words.indexOf(QStringLiteral("SOL"))), QStringLiteral("000102"));
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
}

void TestGame::endOfRoundScoresAndRevealsTheComputersWords()
{
    // The end of a round freezes the board, shows the computer's words and adds both scores.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList computer = game->items(QStringLiteral("List2"));
    int computerPoints = 0;
    for (const QString& word : computer)
        computerPoints += word.size() == 5 ? 2 : 1;
    game->spell({0, 1, 2, 3});
    game->form->Command2_Click();
    game->spell({5, 6});

    game->runOutOfTime();

    QCOMPARE(game->driver.opened.count(QStringLiteral("Form4")), 1);
    QVERIFY(game->list(QStringLiteral("List2"))->isVisibleTo(game->form.get()));
    QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("1"));
    QCOMPARE(game->label(QStringLiteral("Label2_1"))->text(), QString::number(computerPoints));
    for (int cell = 0; cell < 25; ++cell)
        QVERIFY(!game->tile(cell)->isEnabled());
    QVERIFY(game->greenTiles().isEmpty());
    QVERIFY(game->label(QStringLiteral("Label3"))->text().isEmpty());
}

void TestGame::roundWithoutComputerWordsShowsNoValidation()
{
    // A round in which the computer found nothing shows no validation window.
    auto game = roundInProgress();
    game->runOutOfTime();
    QCOMPARE(game->driver.opened.count(QStringLiteral("Form4")), 0);
    QCOMPARE(game->label(QStringLiteral("Label2_1"))->text(), QStringLiteral("0"));
}

void TestGame::validationStrikesOutWords()
{
    // Struck-out words leave the dictionary, are marked in both lists and score nothing.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList found = game->items(QStringLiteral("List2"));
    QVERIFY(found.size() >= 2);
    game->driver.handlers[QStringLiteral("Form4")] = [](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int i = 0; i < list->count(); ++i)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->item(i)->text();
        QCOMPARE(shown, QStringList(shown.size(), QStringLiteral("(Borrada)")));
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };

    game->runOutOfTime();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")).front(),
             QStringLiteral("¿Quieres borrar esta palabra?\n\n") + found.front());
    QStringList marked;
    for (const QString& word : found) {
        marked << word + QStringLiteral(" (no válida)");
        QCOMPARE(game->module.dictionary.findWord(word.toLatin1().toStdString()), std::size_t{0});
    }
    QCOMPARE(game->items(QStringLiteral("List2")), marked);
    QCOMPARE(game->label(QStringLiteral("Label2_1"))->text(), QStringLiteral("0"));
    QVERIFY(game->module.dictionaryChanged);
}

void TestGame::validationCancelAndStruckOutEntriesChangeNothing()
{
    // Cancel leaves everything; a struck-out entry asks nothing more.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    const QStringList found = game->items(QStringLiteral("List2"));
    game->prompts.answers = {false, true};
    game->driver.handlers[QStringLiteral("Form4")] = [found](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
        const QPoint first = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(list->item(0)->text(), found.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
    };

    game->runOutOfTime();

    QCOMPARE(game->prompts.of(QStringLiteral("ask")).size(), 2);
    QCOMPARE(game->items(QStringLiteral("List2")).front(), found.front() + QStringLiteral(" (no válida)"));
    QCOMPARE(game->items(QStringLiteral("List2")).mid(1), found.mid(1));
}

void TestGame::clickingAComputerWordShowsItsPath()
{
    // After a round a computer word's click lights its path alone.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    game->runOutOfTime();
    const QStringList words = game->items(QStringLiteral("List2"));
    QListWidget* list = game->list(QStringLiteral("List2"));

    list->setCurrentRow(words.indexOf(QStringLiteral("CASA")));
    const QString casaPath = game->items(QStringLiteral("List3")).at(words.indexOf(QStringLiteral("CASA")));
    QList<int> expected;
    for (int i = 0; i < casaPath.size(); i += 2)
        expected << casaPath.mid(i, 2).toInt();
    std::sort(expected.begin(), expected.end());
    QCOMPARE(game->greenTiles(), expected);

    list->setCurrentRow(words.indexOf(QStringLiteral("SOL")));
    QCOMPARE(game->greenTiles(), (QList<int>{0, 1, 2}));
}

void TestGame::pathDisplayIsInertDuringARoundOrADeal()
{
    // While a round runs or letters are dealt, clicking a computer word repaints nothing.
    auto game = roundInProgress();
    walkToTheEnd(*game);
    game->spell({5, 6});
    game->list(QStringLiteral("List2"))->setCurrentRow(0);
    game->form->List2_Click();
    QCOMPARE(game->greenTiles(), (QList<int>{5, 6}));

    game->runOutOfTime();
    game->form->Command2_Click();
    game->form->Timer1_Timer();
    game->list(QStringLiteral("List2"))->setCurrentRow(1);
    game->form->List2_Click();
    QVERIFY(game->greenTiles().isEmpty());
}

void TestGame::aWholeGame()
{
    // Rounds add up until a score passes the target strictly; the tie goes to the computer.
    auto game = startedGame(QStringLiteral("2"));
    // Round 1: the player scores 2 (SOL, CASA), equal to the target: the game goes on.
    game->startRound(TestBoard);
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->spell({5, 6, 7, 3});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("2"));
    QCOMPARE(game->caption(), QStringLiteral("Mezclar"));
    QVERIFY(game->form->gameInProgress());

    // Round 2: the player adds SOLAR (2 points) and passes the target alone.
    game->startRound(TestBoard);
    game->spell({0, 1, 2, 3, 4});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("4"));
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).last(), QStringLiteral("Has ganado."));
    QCOMPARE(game->caption(), QStringLiteral("Fin"));
    QVERIFY(!game->form->gameInProgress());

    // A second game: the computer walks the whole board and wins.
    game->form->Command2_Click();
    QCOMPARE(game->label(QStringLiteral("Label2_0"))->text(), QStringLiteral("0"));
    game->startRound(TestBoard);
    walkToTheEnd(*game);
    game->spell({0, 1, 2});
    game->form->Command2_Click();
    game->runOutOfTime();
    QCOMPARE(game->prompts.of(QStringLiteral("inform")).last(), QStringLiteral("Te he ganado."));

    // At exit the additions are saved in order.
    game->prompts.answers = {true};
    game->form->close();
    QCOMPARE(game->readWordList(), QByteArray("CASA\r\nCOSA\r\nES\r\nMESA\r\nSOL\r\nSOLA\r\nSOLAR\r\n"));
}

QTEST_MAIN(TestGame)
#include "tst_ui_game.moc"
