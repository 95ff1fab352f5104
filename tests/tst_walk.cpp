// The computer's walk, step by step, held against a plain recursive search.
#include "Fakes.h"

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/WordListFile.h"
#include "core/game/Random.h"
#include "core/opponent/ComputerWalk.h"
#include "core/opponent/PathText.h"

#include <QTest>

#include <numeric>
#include <random>
#include <set>

using namespace palitra;
using palitra::test::entriesOf;

namespace {

// A walk whose start cells come from a script (cell c drawn as Int(next() * 25)), 0 once it runs out.
struct ScriptedWalk final : Random {
    std::vector<int> cells;
    std::size_t draws = 0;
    int steps = 0;
    ComputerWalk walk;

    ScriptedWalk(const Board& board, std::vector<int> script)
        : cells(std::move(script))
    {
        restart(board);
    }
    // A new round on the same walk, drawing from the start of the script again.
    void restart(const Board& board)
    {
        draws = steps = 0;
        walk.start(board, *this);
    }
    double next() override
    {
        ++draws;
        return ((draws <= cells.size() ? cells[draws - 1] : 0) + 0.999) / CellCount;
    }
    auto step(const Dictionary& dictionary)
    {
        ++steps;
        return walk.step(dictionary, *this);
    }
    // Steps until the walk is done; "WORD path" for each word found.
    QStringList toEnd(const Dictionary& dictionary)
    {
        QStringList found;
        while (!walk.done() && steps < 1'000'000)
            if (const auto item = step(dictionary))
                found << QString::fromLatin1(item->word + " " + item->path);
        return found;
    }
};

// `first`, then the other cells in ascending order.
std::vector<int> orderFrom(int first)
{
    std::vector<int> order(CellCount);
    std::iota(order.begin(), order.end(), 0);
    std::rotate(order.begin(), order.begin() + first, order.begin() + first + 1);
    return order;
}

Board boardOf(const std::string& letters, char filler = 'X')
{
    Board board;
    board.fill(filler);
    std::copy(letters.begin(), letters.end(), board.begin());
    return board;
}

// The plain recursive search the walk must agree with: depth first, directions clockwise from up, a path
// dropped as soon as no word begins with its letters. `visit` returns the number of paths it entered.
struct RecursiveSearch {
    const Board& board;
    const std::vector<std::string>& words;
    std::set<std::string> listed = {};
    QStringList found = {};

    int visit(int last, unsigned used, const std::string& letters, const std::string& text)
    {
        static const int rows[] = {-1, -1, 0, 1, 1, 1, 0, -1}, columns[] = {0, 1, 1, 1, 0, -1, -1, -1};
        int entered = 1;
        for (int direction = 0; direction < 8; ++direction) {
            const int row = last / 5 + rows[direction], column = last % 5 + columns[direction], next = row * 5 + column;
            if (row < 0 || row > 4 || column < 0 || column > 4 || (used >> next & 1u) != 0)
                continue;
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
    void agreesWithRecursiveSearch()
    {
        // On random boards the walk finds the recursive search's words and paths, in its order, spends eight
        // steps on every path entered, and carries nothing from one round to the next.
        const auto list = WordListFile::read(QStringLiteral(PALITRA_TEST_DATA "/walk_words.pal"));
        const std::vector<std::string> entries = entriesOf(list.dictionary);
        QVERIFY(list.ok() && entries.size() > 300);
        const Dictionary& dictionary = list.dictionary;
        const std::string letters =
            "AAAAAAAAAAAABBCCCCDDDDDEEEEEEEEEEEEFGGHHIIIIIIJLLLLMMNNNNN\xD1OOOOOOOOOPPQRRRRRSSSSSSTTTTUUUUUVXYZ";
        std::mt19937 engine(7);
        ScriptedWalk run(Board{}, {});
        int wordsFound = 0;
        for (int round = 0; round < 200; ++round) {
            Board board;
            std::generate(board.begin(), board.end(), [&] { return letters[engine() % letters.size()]; });
            run.cells = orderFrom(0);
            std::shuffle(run.cells.begin(), run.cells.end(), engine);
            RecursiveSearch reference{board, entries};
            int entered = 0;
            for (const int start : run.cells)
                entered += reference.visit(start, 1u << start, std::string(1, board[start]), cellText(start));
            run.restart(board);
            QCOMPARE(run.toEnd(dictionary), reference.found);
            QCOMPARE(run.steps, 8 * entered);
            wordsFound += int(reference.found.size());
        }
        QVERIFY(wordsFound > 1000); // the boards must exercise the comparison
    }

    void wordsListedWithPaths()
    {
        // Every word of three or more letters is listed once, with its first path, a shorter word before a longer
        // one through it; two-letter words are passed through, not listed; a path may take all 25 tiles.
        const std::vector<std::tuple<std::string, std::vector<std::string>, int, QStringList>> rows{
            {"SOLAR", {"SOL", "SOLA", "SOLAR"}, 0, {"SOL 000102", "SOLA 00010203", "SOLAR 0001020304"}},
            {"ALA", {"AL", "ALA"}, 0, {"ALA 000102"}},
            {"SOLXXXXXXXXXXXXXXXXXSOL", {"SOL"}, 20, {"SOL 202122"}},
            {"ABCDEJIHGFKLMNOTSRQPUVWXY",
             {"ABCDEFGHIJKLMNOPQRSTUVWXY"},
             0,
             {"ABCDEFGHIJKLMNOPQRSTUVWXY 00010203040908070605101112131419181716152021222324"}}};
        for (const auto& [board, words, firstStart, expected] : rows) {
            ScriptedWalk run(boardOf(board), orderFrom(firstStart));
            QCOMPARE(run.toEnd(Dictionary(words)), expected);
        }
    }

    void boardWithoutWordsIsDoneAfter200Steps()
    {
        // Each cell starts once, in the order first drawn (redraws of used cells skipped), eight directions are
        // tried from each, and the walk stops for good with the last start cell left on its path.
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
            if (run.walk.startCount() > int(starts.size()))
                starts.push_back(pathCells(run.walk.searchPath()).front());
        }
        QCOMPARE(run.steps, 200);
        QCOMPARE(starts, order);
        QVERIFY(!run.step(dictionary) && run.draws == draws.size() && run.walk.searchWord().empty());
        QCOMPARE(run.walk.searchPath(), cellText(order.back()));
        for (int cell = 0; cell < CellCount; ++cell)
            QVERIFY(run.walk.startUsed(cell) && run.walk.inPath(cell) == (cell == order.back()));
    }

    void dictionaryChangesCountFromTheNextStep()
    {
        // A word added mid-walk is found and a deleted one is not; the words around them still are.
        Dictionary dictionary({"SAL", "SOL", "SOLA"});
        ScriptedWalk run(boardOf("SOLARXA"), orderFrom(0));
        run.step(dictionary);
        QVERIFY(dictionary.deleteWord("SOL"));
        dictionary.addWord("SOLAR");
        QCOMPARE(run.toEnd(dictionary), (QStringList{"SOLA 00010203", "SOLAR 0001020304", "SAL 000602"}));
    }
};

QTEST_GUILESS_MAIN(TestWalk)
#include "tst_walk.moc"
