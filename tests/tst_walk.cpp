#include "dictionary/Dictionary.h"
#include "dictionary/WordListFile.h"
#include "game/Adjacency.h"
#include "game/Random.h"
#include "opponent/ComputerWalk.h"
#include "opponent/PathText.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

using namespace palitra;

namespace {

// A walk whose start cells come from a script: cell c comes out of Int(next() * 25) as c, drawn just
// below the next cell's boundary; 0 once the script runs out.
struct ScriptedWalk final : Random {
    ScriptedWalk(const Board& board, std::vector<int> script) : cells(std::move(script)) { restart(board); }
    // A new round on the same walk, as the game plays them, drawing from the start of the script again.
    void restart(const Board& board) { draws = 0; steps = 0; walk.start(board, *this); }
    double next() override { ++draws; return ((draws <= cells.size() ? cells[draws - 1] : 0) + 0.999) / CellCount; }
    auto step(const Dictionary& dictionary) { ++steps; return walk.step(dictionary, *this); }
    // Steps until the walk is done; returns "WORD path" for each word found.
    QStringList toEnd(const Dictionary& dictionary)
    {
        QStringList found;
        while (!walk.done() && steps < 1'000'000)
            if (const auto item = step(dictionary))
                found << QString::fromLatin1(item->word + " " + item->path);
        return found;
    }

    std::vector<int> cells;
    std::size_t draws = 0;
    int steps = 0;
    ComputerWalk walk;
};

// `first`, then the other cells in ascending order.
std::vector<int> orderFrom(int first)
{
    std::vector<int> order(CellCount);
    std::iota(order.begin(), order.end(), 0);
    std::rotate(order.begin(), order.begin() + first, order.begin() + first + 1);
    return order;
}

// The letters row by row, then `filler`.
Board boardOf(const std::string& letters, char filler = 'X')
{
    Board board;
    board.fill(filler);
    std::copy(letters.begin(), letters.end(), board.begin());
    return board;
}

// The plain recursive search the walk must agree with: depth first, directions 1..8, a path dropped
// as soon as no word begins with its letters. `visit` returns the number of paths it entered.
struct RecursiveSearch {
    const Board& board;
    const std::vector<std::string>& words;
    std::set<std::string> listed = {};
    QStringList found = {};

    // The path ends at `last` and has bit c of `used` set for each of its cells c.
    int visit(int last, unsigned used, const std::string& letters, const std::string& text)
    {
        int entered = 1;
        for (int direction = 1; direction <= DirectionCount; ++direction) {
            const int next = last + neighbourStep(last, direction);
            if ((used >> next & 1u) != 0)
                continue; // off the board (offset 0) or already on the path
            const std::string word = letters + board[next];
            if (std::none_of(words.begin(), words.end(), [&](const auto& w) { return w.starts_with(word); }))
                continue;
            const std::string pathText = text + cellText(next);
            if (word.size() > 2 && std::count(words.begin(), words.end(), word) != 0 && listed.insert(word).second)
                found << QString::fromLatin1(word + " " + pathText);
            entered += visit(next, used | 1u << next, word, pathText);
        }
        return entered;
    }
};

} // namespace

class TestWalk : public QObject {
    Q_OBJECT

private slots:
    void everyDirectionCostsOneStep_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QStringList>("reached");
        QTest::newRow("top-left corner") << 0 << QStringList{"0001", "0006", "0005"};
        QTest::newRow("top-right corner") << 4 << QStringList{"0409", "0408", "0403"};
        QTest::newRow("bottom-left corner") << 20 << QStringList{"2015", "2016", "2021"};
        QTest::newRow("bottom-right corner") << 24 << QStringList{"2419", "2423", "2418"};
        QTest::newRow("top edge") << 2 << QStringList{"0203", "0208", "0207", "0206", "0201"};
        QTest::newRow("inside") << 12 << QStringList{"1207", "1208", "1213", "1218", "1217", "1216", "1211", "1206"};
    }

    void everyDirectionCostsOneStep()
    {
        // Each of the eight directions from a cell takes one step, whether it reaches a tile or not.
        QFETCH(int, start);
        QFETCH(QStringList, reached);
        const Dictionary dictionary({"AB"});
        Board board = boardOf("", 'B');
        board[start] = 'A';
        ScriptedWalk run(board, orderFrom(start));
        QStringList paths;
        while (run.walk.startCount() == 1 && run.steps < 1000) {
            run.step(dictionary);
            if (run.walk.searchPath().size() == 4 && run.walk.searchDirection() == 1) // a second cell entered
                paths << QString::fromStdString(run.walk.searchPath());
        }
        QCOMPARE(paths, reached);
        QCOMPARE(run.steps, 8 * (1 + static_cast<int>(reached.size())));
    }

    void wordsListedWithPaths_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("firstStart");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("shorter word first, path goes on")
            << "SOLAR" << "SOL SOLA SOLAR" << 0 << QStringList{"SOL 000102", "SOLA 00010203", "SOLAR 0001020304"};
        QTest::newRow("through two rows") << "XXXXXXXOLXXXS" << "SOL" << 0 << QStringList{"SOL 120708"};
        QTest::newRow("two letters extended, not listed") << "ALA" << "AL ALA" << 0 << QStringList{"ALA 000102"};
        QTest::newRow("2 paths, top first") << "SOLXXXXXXXXXXXXXXXXXSOL" << "SOL" << 0 << QStringList{"SOL 000102"};
        QTest::newRow("2 paths, bottom first") << "SOLXXXXXXXXXXXXXXXXXSOL" << "SOL" << 20 << QStringList{"SOL 202122"};
        QTest::newRow("last word") << "XZXXXXXOXXXXRXXXXROX" << "ASA ZOO ZORRO" << 0 << QStringList{"ZORRO 0107121718"};
        QTest::newRow("snake over all 25 tiles") << "ABCDEJIHGFKLMNOTSRQPUVWXY" << "ABCDEFGHIJKLMNOPQRSTUVWXY" << 0
                                                 << QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXY "
                                                                "00010203040908070605101112131419181716152021222324"};
    }

    void wordsListedWithPaths()
    {
        // Every word of three or more letters the board spells is listed once, with its first path.
        QFETCH(QString, board);
        QFETCH(QString, words);
        QFETCH(int, firstStart);
        QFETCH(QStringList, expected);
        std::vector<std::string> entries;
        for (const QString& word : words.split(' '))
            entries.push_back(word.toStdString());
        ScriptedWalk run(boardOf(board.toStdString()), orderFrom(firstStart));
        QCOMPARE(run.toEnd(Dictionary(entries)), expected);
    }

    void boardWithoutWordsIsDoneAfter200Steps()
    {
        // With no word beginning on the board each cell starts once, in the order first drawn (redraws
        // of used cells skipped), eight directions are tried from each, and the walk stops for good.
        std::vector<int> order = orderFrom(0);
        std::shuffle(order.begin(), order.end(), std::mt19937(42));
        std::vector<int> draws; // each new cell after redraws of every third cell already used
        for (std::size_t i = 0; i < order.size(); ++i)
            for (std::size_t j = i % 3; j <= i; j += 3)
                draws.push_back(order[j]);
        const Dictionary dictionary({"AB", "BAR", "ZZZ"});
        ScriptedWalk run(boardOf("", 'A'), draws);
        std::vector<int> starts{pathCells(run.walk.searchPath()).front()};
        while (!run.walk.done() && run.steps < 1000) {
            QVERIFY(!run.step(dictionary));
            if (run.walk.startCount() > static_cast<int>(starts.size()))
                starts.push_back(pathCells(run.walk.searchPath()).front());
        }
        QCOMPARE(run.steps, 200);
        QCOMPARE(starts, order);
        QVERIFY(!run.step(dictionary));
        QCOMPARE(run.draws, draws.size());
        QCOMPARE(run.walk.searchWord(), std::string());
        QCOMPARE(run.walk.searchPath(), cellText(order.back())); // the last start cell stays
        for (int cell = 0; cell < CellCount; ++cell)
            QVERIFY(run.walk.startUsed(cell) && run.walk.inPath(cell) == (cell == order.back()));
    }

    void exhaustedUpLeftCellBacksUpTwoLevels()
    {
        // Path 13 -> 12 (left) -> 6 (up-left): when 6 is exhausted the walk returns to 13 in the same step.
        const Dictionary dictionary({"ABCZ"});
        ScriptedWalk run(boardOf("XXXXXXCXXXXXBA"), orderFrom(13));
        for (int step = 0; step < 7 + 8 + 7; ++step) // 13 to 12, 12 to 6, seven directions from 6
            run.step(dictionary);
        QCOMPARE(run.walk.searchPath(), std::string("131206"));
        run.step(dictionary);
        QCOMPARE(run.walk.searchPath(), std::string("13"));
        QCOMPARE(run.walk.searchWord(), std::string("A"));
        QCOMPARE(run.walk.searchDirection(), 8); // left (7) from 13 is done
        QVERIFY(!run.walk.inPath(12) && !run.walk.inPath(6) && run.walk.inPath(13));
    }

    void dictionaryChangesCountFromNextStep()
    {
        // A word added mid-walk is found and a deleted one is not; the words around them still are.
        Dictionary dictionary({"SAL", "SOL", "SOLA"});
        ScriptedWalk run(boardOf("SOLARXA"), orderFrom(0));
        run.step(dictionary);
        QVERIFY(dictionary.deleteWord("SOL"));
        dictionary.addWord("SOLAR");
        QCOMPARE(run.toEnd(dictionary), (QStringList{"SOLA 00010203", "SOLAR 0001020304", "SAL 000602"}));
    }

    void agreesWithRecursiveSearch()
    {
        // On random boards the walk finds the words and paths of a recursive search, in its order,
        // and spends eight steps on every path entered; nothing carries over from one round to the next.
        const auto list = WordListFile::read(QStringLiteral(PALITRA_TEST_DATA "/walk_words.pal"));
        QVERIFY(list.ok && list.entries.size() > 300);
        const Dictionary dictionary(list.entries);
        // Letters in roughly the proportions of Spanish text.
        const std::string letters = "AAAAAAAAAAAABBCCCCDDDDDEEEEEEEEEEEEFGGHHIIIIIIJLLLLMMNNNNN\xD1OOOOOOOOOPPQRRRRRSSSSSSTTTTUUUUUVXYZ";
        std::mt19937 engine(7);
        ScriptedWalk run(Board{}, {});
        int wordsFound = 0;
        for (int round = 0; round < 200; ++round) {
            Board board;
            std::generate(board.begin(), board.end(), [&] { return letters[engine() % letters.size()]; });
            run.cells = orderFrom(0);
            std::shuffle(run.cells.begin(), run.cells.end(), engine);
            RecursiveSearch reference{board, list.entries};
            int entered = 0;
            for (int start : run.cells)
                entered += reference.visit(start, 1u << start, std::string(1, board[start]), cellText(start));
            run.restart(board);
            QCOMPARE(run.toEnd(dictionary), reference.found);
            QCOMPARE(run.steps, 8 * entered);
            wordsFound += static_cast<int>(reference.found.size());
        }
        QVERIFY(wordsFound > 1000); // the boards must actually exercise the comparison
    }
};

QTEST_GUILESS_MAIN(TestWalk)
#include "tst_walk.moc"
