#include "dictionary/Dictionary.h"
#include "dictionary/WordListFile.h"
#include "game/Adjacency.h"
#include "game/Board.h"
#include "game/Random.h"
#include "game/SeededRandom.h"
#include "opponent/ComputerWalk.h"
#include "opponent/PathText.h"

#include <QTest>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

using namespace palitra;

namespace {

// Yields fixed draws: cell c comes out of Int(next() * 25) as c.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<int> cells, double within = 0.5)
        : cells_(std::move(cells)), within_(within) {}
    double next() override
    {
        ++draws_;
        const int cell = position_ < cells_.size() ? cells_[position_++] : 0;
        return (cell + within_) / CellCount;
    }
    int draws() const { return draws_; }

private:
    std::vector<int> cells_;
    double within_;
    std::size_t position_ = 0;
    int draws_ = 0;
};

std::vector<int> orderFrom(int first)
{
    std::vector<int> order{first};
    for (int cell = 0; cell < CellCount; ++cell)
        if (cell != first)
            order.push_back(cell);
    return order;
}

// `letters` is 25 bytes, row by row.
Board boardOf(const std::string& letters)
{
    Board board{};
    std::copy_n(letters.begin(), CellCount, board.begin());
    return board;
}

// A board of `filler` with some cells set.
Board boardWith(std::initializer_list<std::pair<int, char>> cells, char filler = 'X')
{
    Board board{};
    board.fill(filler);
    for (const auto& [cell, letter] : cells)
        board[cell] = letter;
    return board;
}

struct WalkResult {
    int steps = 0;
    std::vector<ComputerWalk::Found> found;
};

WalkResult walkToEnd(const Board& board, const Dictionary& dictionary, Random& random)
{
    WalkResult result;
    ComputerWalk walk;
    walk.start(board, random);
    while (!walk.done() && result.steps < 1'000'000) {
        if (auto found = walk.step(dictionary, random))
            result.found.push_back(*found);
        ++result.steps;
    }
    return result;
}

WalkResult walkToEnd(const Board& board, const Dictionary& dictionary, std::vector<int> order = orderFrom(0))
{
    ScriptedRandom random(std::move(order));
    return walkToEnd(board, dictionary, random);
}

QStringList listing(const std::vector<ComputerWalk::Found>& found)
{
    QStringList lines;
    for (const auto& item : found)
        lines << QString::fromLatin1(item.word + " " + item.path);
    return lines;
}

// The snake through every cell: row 0 left to right, row 1 right to left, ...
std::vector<int> snakeCells()
{
    std::vector<int> cells;
    for (int row = 0; row < BoardSide; ++row)
        for (int i = 0; i < BoardSide; ++i)
            cells.push_back(row * BoardSide + (row % 2 == 0 ? i : BoardSide - 1 - i));
    return cells;
}

// The plain recursive search the walk must agree with: depth first from each
// start cell, directions 1..8, pruned when no word of the list begins with
// the path's letters.
class RecursiveSearch {
public:
    RecursiveSearch(const Board& board, const std::vector<std::string>& words) : board_(board), words_(words) {}

    void run(const std::vector<int>& order)
    {
        for (int start : order) {
            std::vector<int> path{start};
            visit(path, std::string(1, board_[start]));
        }
    }

    std::vector<ComputerWalk::Found> found;
    int nodes = 0;

private:
    void visit(std::vector<int>& path, const std::string& letters)
    {
        ++nodes;
        for (int direction = 1; direction <= DirectionCount; ++direction) {
            const int offset = neighbourStep(path.back(), direction);
            if (offset == 0)
                continue;
            const int next = path.back() + offset;
            if (std::find(path.begin(), path.end(), next) != path.end())
                continue;
            const std::string candidate = letters + board_[next];
            if (!someWordBegins(candidate))
                continue;
            path.push_back(next);
            if (candidate.size() > 2 && isWord(candidate) && !listed(candidate))
                found.push_back({candidate, pathText(path)});
            visit(path, candidate);
            path.pop_back();
        }
    }

    bool someWordBegins(const std::string& start) const
    {
        return std::any_of(words_.begin(), words_.end(),
                           [&](const std::string& w) { return w.compare(0, start.size(), start) == 0; });
    }
    bool isWord(const std::string& w) const { return std::find(words_.begin(), words_.end(), w) != words_.end(); }
    bool listed(const std::string& w) const
    {
        return std::any_of(found.begin(), found.end(), [&](const auto& f) { return f.word == w; });
    }
    static std::string pathText(const std::vector<int>& path)
    {
        std::string text;
        for (int cell : path)
            text += cellText(cell);
        return text;
    }

    const Board& board_;
    const std::vector<std::string>& words_;
};

// Letters in roughly the proportions of Spanish text.
const std::string SpanishLetters = "AAAAAAAAAAAABBCCCCDDDDDEEEEEEEEEEEEFGGHHIIIIIIJLLLLMMNNNNN\xD1OOOOOOOOOPPQRRRRRSSSSSSTTTTUUUUUVXYZ";

Board randomBoard(Random& random)
{
    Board board{};
    for (char& letter : board)
        letter = SpanishLetters[static_cast<std::size_t>(random.next() * SpanishLetters.size())];
    return board;
}

std::vector<int> randomOrder(std::mt19937& engine)
{
    std::vector<int> order(CellCount);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), engine);
    return order;
}

} // namespace

class TestWalk : public QObject {
    Q_OBJECT

private slots:
    void startSetsUpOneStartCell();
    void everyDirectionCostsOneStep_data();
    void everyDirectionCostsOneStep();
    void pathTextOfFoundWord_data();
    void pathTextOfFoundWord();
    void shorterWordListedBeforeLonger();
    void twoLetterWordExtendedNotListed();
    void wordOnTwoPathsListedOnceWithFirstPath_data();
    void wordOnTwoPathsListedOnceWithFirstPath();
    void boardWithoutWordsIsDoneAfter200Steps();
    void pathCanCoverAllTiles();
    void lastWordOfListFound();
    void exhaustedUpLeftCellBacksUpTwoLevels();
    void startCellsEachUsedOnceInDrawOrder();
    void restartForgetsPreviousRound();
    void tilesWithoutLetterAreHarmless();
    void addedWordUsedFromNextStep();
    void deletedWordLeavesOthersFindable();
    void agreesWithRecursiveSearch();
};

void TestWalk::startSetsUpOneStartCell()
{
    // A new walk marks only the drawn start cell and holds its letter and cell text.
    ComputerWalk walk;
    ScriptedRandom random({17});
    walk.start(boardWith({{17, 'Q'}}), random);
    QCOMPARE(walk.searchWord(), std::string("Q"));
    QCOMPARE(walk.searchPath(), std::string("17"));
    QCOMPARE(walk.searchDirection(), 1);
    QCOMPARE(walk.startCount(), 1);
    QVERIFY(!walk.done());
    for (int cell = 0; cell < CellCount; ++cell) {
        QCOMPARE(walk.startUsed(cell), cell == 17);
        QCOMPARE(walk.inPath(cell), cell == 17);
    }
}

void TestWalk::everyDirectionCostsOneStep_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("reached");
    QTest::newRow("top-left corner") << 0 << QStringList{"0001", "0006", "0005"};
    QTest::newRow("bottom-right corner") << 24 << QStringList{"2419", "2423", "2418"};
    QTest::newRow("top-right corner") << 4 << QStringList{"0409", "0408", "0403"};
    QTest::newRow("bottom-left corner") << 20 << QStringList{"2015", "2016", "2021"};
    QTest::newRow("top edge") << 2 << QStringList{"0203", "0208", "0207", "0206", "0201"};
    QTest::newRow("inside") << 12
                            << QStringList{"1207", "1208", "1213", "1218", "1217", "1216", "1211", "1206"};
}

void TestWalk::everyDirectionCostsOneStep()
{
    // Each of the eight directions takes one step, whether it reaches a tile or not.
    QFETCH(int, start);
    QFETCH(QStringList, reached);
    const Dictionary dictionary({"AB"});
    ComputerWalk walk;
    ScriptedRandom random(orderFrom(start));
    walk.start(boardWith({{start, 'A'}}, 'B'), random);

    QStringList paths;
    int steps = 0;
    while (walk.startCount() == 1) {
        const std::size_t before = walk.searchPath().size();
        walk.step(dictionary, random);
        ++steps;
        if (walk.searchPath().size() > before)
            paths << QString::fromStdString(walk.searchPath());
    }
    QCOMPARE(paths, reached);
    // Eight directions from the start cell and eight from each cell reached.
    QCOMPARE(steps, 8 * (1 + static_cast<int>(reached.size())));
}

void TestWalk::pathTextOfFoundWord_data()
{
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<QString>("path");
    QTest::newRow("across the top row") << QList<int>{0, 1, 2, 3} << "00010203";
    QTest::newRow("through two rows") << QList<int>{12, 7, 8} << "120708";
    QTest::newRow("last cells") << QList<int>{24, 18, 19} << "241819";
}

void TestWalk::pathTextOfFoundWord()
{
    // A found word comes with its path as two digits per cell, first cell first.
    QFETCH(QList<int>, cells);
    QFETCH(QString, path);
    const std::string word = std::string("SOLA").substr(0, static_cast<std::size_t>(cells.size()));
    Board board{};
    board.fill('X');
    for (int i = 0; i < cells.size(); ++i)
        board[cells[i]] = word[static_cast<std::size_t>(i)];
    const WalkResult result = walkToEnd(board, Dictionary({word}));
    QCOMPARE(listing(result.found), QStringList{QString::fromStdString(word) + " " + path});
}

void TestWalk::shorterWordListedBeforeLonger()
{
    // A word on the way to a longer one is listed first and the path goes on.
    const Dictionary dictionary({"SOL", "SOLA", "SOLAR"});
    const WalkResult result = walkToEnd(boardOf("SOLARXXXXXXXXXXXXXXXXXXXX"), dictionary);
    QCOMPARE(listing(result.found), (QStringList{"SOL 000102", "SOLA 00010203", "SOLAR 0001020304"}));
}

void TestWalk::twoLetterWordExtendedNotListed()
{
    // A two-letter word is never listed but still leads to longer words.
    const Dictionary dictionary({"AL", "ALA"});
    const WalkResult result = walkToEnd(boardOf("ALAXXXXXXXXXXXXXXXXXXXXXX"), dictionary);
    QCOMPARE(listing(result.found), QStringList{"ALA 000102"});
}

void TestWalk::wordOnTwoPathsListedOnceWithFirstPath_data()
{
    QTest::addColumn<int>("firstStart");
    QTest::addColumn<QString>("expected");
    QTest::newRow("top row first") << 0 << "SOL 000102";
    QTest::newRow("bottom row first") << 20 << "SOL 202122";
}

void TestWalk::wordOnTwoPathsListedOnceWithFirstPath()
{
    // A word that two paths spell is listed once, with the path the walk met first.
    QFETCH(int, firstStart);
    QFETCH(QString, expected);
    const Board board = boardOf("SOLXX"
                                "XXXXX"
                                "XXXXX"
                                "XXXXX"
                                "SOLXX");
    const WalkResult result = walkToEnd(board, Dictionary({"SOL"}), orderFrom(firstStart));
    QCOMPARE(listing(result.found), QStringList{expected});
}

void TestWalk::boardWithoutWordsIsDoneAfter200Steps()
{
    // With no word beginning on the board the walk tries 8 directions from each cell and stops.
    const Dictionary dictionary({"AB", "BAR", "ZZZ"});
    ComputerWalk walk;
    std::vector<int> order = orderFrom(7);
    ScriptedRandom random(order);
    walk.start(boardWith({}, 'A'), random);
    for (int i = 0; i < 199; ++i)
        QVERIFY(!walk.step(dictionary, random));
    QVERIFY(!walk.done());
    QCOMPARE(walk.startCount(), 25);
    QVERIFY(!walk.step(dictionary, random));
    QVERIFY(walk.done());

    // The last start cell stays on the path, the letters are gone.
    QCOMPARE(walk.searchWord(), std::string());
    QCOMPARE(walk.searchPath(), cellText(order.back()));
    for (int cell = 0; cell < CellCount; ++cell)
        QCOMPARE(walk.inPath(cell), cell == order.back());

    // Nothing more happens once done.
    QVERIFY(!walk.step(dictionary, random));
    QCOMPARE(walk.searchPath(), cellText(order.back()));
    QCOMPARE(random.draws(), 25);
}

void TestWalk::pathCanCoverAllTiles()
{
    // A word may use all 25 tiles.
    const std::vector<int> snake = snakeCells();
    Board board{};
    std::string word;
    std::string path;
    for (int i = 0; i < CellCount; ++i) {
        board[snake[i]] = static_cast<char>('A' + i);
        word += static_cast<char>('A' + i);
        path += cellText(snake[i]);
    }
    const WalkResult result = walkToEnd(board, Dictionary({word}));
    QCOMPARE(listing(result.found), QStringList{QString::fromStdString(word + " " + path)});
}

void TestWalk::lastWordOfListFound()
{
    // The last entry of the list is found like any other.
    const Dictionary dictionary({"ASA", "MAR", "SOL", "ZOO", "ZORRO"});
    const WalkResult result = walkToEnd(boardOf("XZXXXXXOXXXXRXXXXROXXXXXX"), dictionary);
    QCOMPARE(listing(result.found), QStringList{"ZORRO 0107121718"});
}

void TestWalk::exhaustedUpLeftCellBacksUpTwoLevels()
{
    // A cell entered up-left from the cell before it is backed out of together with that cell.
    // Path 13 -> 12 (left) -> 6 (up-left): when 6 is exhausted the walk returns to 13.
    const Dictionary dictionary({"ABCZ"});
    ComputerWalk walk;
    ScriptedRandom random(orderFrom(13));
    walk.start(boardWith({{13, 'A'}, {12, 'B'}, {6, 'C'}}), random);
    int steps = 0;
    while (walk.searchPath() != "131206" && steps < 100) {
        walk.step(dictionary, random);
        ++steps;
    }
    QCOMPARE(walk.searchPath(), std::string("131206"));
    for (int direction = 1; direction < 8; ++direction) {
        walk.step(dictionary, random);
        QCOMPARE(walk.searchPath(), std::string("131206"));
    }
    walk.step(dictionary, random);
    QCOMPARE(walk.searchPath(), std::string("13"));
    QCOMPARE(walk.searchWord(), std::string("A"));
    QCOMPARE(walk.stepValue(), 7);
    QCOMPARE(walk.searchDirection(), 8);
    QVERIFY(!walk.inPath(12));
    QVERIFY(!walk.inPath(6));
    QVERIFY(walk.inPath(13));
}

void TestWalk::startCellsEachUsedOnceInDrawOrder()
{
    // Draws of cells already used are skipped; each cell starts once, in the order first drawn.
    std::mt19937 engine(42);
    const std::vector<int> order = randomOrder(engine);
    std::vector<int> draws;
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (std::size_t j = 0; j < i; j += 3)
            draws.push_back(order[j]);
        draws.push_back(order[i]);
    }
    const Dictionary dictionary({"ZZZ"});
    ComputerWalk walk;
    // Draws just below the next cell's boundary still give the cell.
    ScriptedRandom random(draws, 0.999);
    walk.start(boardWith({}, 'A'), random);
    std::vector<int> starts{pathCells(walk.searchPath()).front()};
    while (!walk.done()) {
        const int count = walk.startCount();
        walk.step(dictionary, random);
        if (walk.startCount() != count) {
            QCOMPARE(walk.startCount(), count + 1);
            starts.push_back(pathCells(walk.searchPath()).front());
        }
    }
    QCOMPARE(starts, order);
    QCOMPARE(random.draws(), static_cast<int>(draws.size()));
    for (int cell = 0; cell < CellCount; ++cell)
        QVERIFY(walk.startUsed(cell));
}

void TestWalk::restartForgetsPreviousRound()
{
    // Starting again clears the marks and the words already listed.
    const Dictionary dictionary({"SOL"});
    const Board board = boardOf("SOLXXXXXXXXXXXXXXXXXXXXXX");
    ComputerWalk walk;
    ScriptedRandom random(orderFrom(0));
    walk.start(board, random);
    int found = 0;
    while (!walk.done())
        found += walk.step(dictionary, random) ? 1 : 0;
    QCOMPARE(found, 1);

    ScriptedRandom again(orderFrom(5));
    walk.start(board, again);
    QVERIFY(!walk.done());
    QCOMPARE(walk.searchPath(), std::string("05"));
    for (int cell = 0; cell < CellCount; ++cell)
        QCOMPARE(walk.startUsed(cell), cell == 5);
    found = 0;
    while (!walk.done())
        found += walk.step(dictionary, again) ? 1 : 0;
    QCOMPARE(found, 1);
}

void TestWalk::tilesWithoutLetterAreHarmless()
{
    // Tiles with no letter match nothing and the walk still ends.
    const Dictionary dictionary({"AB", "SOL"});
    QCOMPARE(walkToEnd(Board{}, dictionary).steps, 200);
    Board board = boardOf("SOLXXXXXXXXXXXXXXXXXXXXXX");
    board[6] = 0;
    board[12] = 0;
    QCOMPARE(listing(walkToEnd(board, dictionary).found), QStringList{"SOL 000102"});
}

void TestWalk::addedWordUsedFromNextStep()
{
    // A word added while the walk runs counts from the next step on.
    Dictionary dictionary({"ZZZ"});
    ComputerWalk walk;
    ScriptedRandom random(orderFrom(0));
    walk.start(boardOf("SOLXXXXXXXXXXXXXXXXXXXXXX"), random);
    walk.step(dictionary, random);
    walk.step(dictionary, random);
    dictionary.addWord("SOL");
    QVERIFY(!walk.step(dictionary, random)); // direction 3: S then O
    QCOMPARE(walk.searchPath(), std::string("0001"));
    walk.step(dictionary, random);
    walk.step(dictionary, random);
    const auto found = walk.step(dictionary, random);
    QVERIFY(found);
    QCOMPARE(found->word, std::string("SOL"));
    QCOMPARE(found->path, std::string("000102"));
}

void TestWalk::deletedWordLeavesOthersFindable()
{
    // Striking out a word mid-walk hides it alone; words around it are still found.
    Dictionary dictionary({"SAL", "SOL", "SOLA", "SOLAR"});
    ComputerWalk walk;
    ScriptedRandom random(orderFrom(0));
    walk.start(boardOf("SOLARXAXXXXXXXXXXXXXXXXXX"), random);
    walk.step(dictionary, random);
    QVERIFY(dictionary.deleteWord("SOL"));
    QStringList found;
    while (!walk.done())
        if (auto item = walk.step(dictionary, random))
            found << QString::fromStdString(item->word + " " + item->path);
    QCOMPARE(found, (QStringList{"SOLA 00010203", "SOLAR 0001020304", "SAL 000602"}));
}

void TestWalk::agreesWithRecursiveSearch()
{
    // On random boards the walk finds the same words, paths and order as a recursive search,
    // and spends eight steps on every path it enters.
    const WordListFile::ReadResult list = WordListFile::read(QStringLiteral(PALITRA_TEST_DATA "/walk_words.pal"));
    QVERIFY(list.ok);
    QVERIFY(list.entries.size() > 300);
    const Dictionary dictionary(list.entries);
    SeededRandom letters(2024);
    std::mt19937 engine(7);
    int wordsFound = 0;
    for (int round = 0; round < 200; ++round) {
        const Board board = randomBoard(letters);
        const std::vector<int> order = randomOrder(engine);
        RecursiveSearch reference(board, list.entries);
        reference.run(order);
        const WalkResult walk = walkToEnd(board, dictionary, order);
        QCOMPARE(listing(walk.found), listing(reference.found));
        QCOMPARE(walk.steps, 8 * reference.nodes);
        wordsFound += static_cast<int>(walk.found.size());
    }
    // The boards must actually exercise the comparison.
    QVERIFY(wordsFound > 1000);
}

QTEST_GUILESS_MAIN(TestWalk)
#include "tst_walk.moc"
