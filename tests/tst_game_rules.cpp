#include "dictionary/LetterBag.h"
#include "game/Deal.h"
#include "game/NumberReader.h"
#include "game/Random.h"
#include "game/Scoring.h"
#include "game/SeededRandom.h"

#include <QtTest>

#include <limits>
#include <map>
#include <string>
#include <vector>

using namespace palitra;

namespace {

constexpr char Enye = '\xD1';

// Plays back a fixed list of numbers; once they run out it counts the
// overrun and walks through the positions so the deal still finishes.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}

    double next() override
    {
        if (used_ < values_.size())
            return values_[used_++];
        ++overrun_;
        return ((overrun_ - 1) % LetterBag::Size + 0.5) / LetterBag::Size;
    }

    std::size_t used() const { return used_; }
    int overrun() const { return overrun_; }

private:
    std::vector<double> values_;
    std::size_t used_ = 0;
    int overrun_ = 0;
};

// The number that draws the given bag position.
double drawing(int position)
{
    return (position - 0.5) / LetterBag::Size;
}

std::map<char, int> countLetters(const LetterBag& bag)
{
    std::map<char, int> counts;
    for (int position = 1; position <= LetterBag::Size; ++position)
        ++counts[bag.at(position)];
    return counts;
}

std::string boardText(const Board& board)
{
    return std::string(board.begin(), board.end());
}

} // namespace

class GameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void bagPositions_data();
    void bagPositions();
    void bagTotals();
    void numberReader_data();
    void numberReader();
    void scoring_data();
    void scoring();
    void seededDealsComeFromTheBag();
    void scriptedDealSkipsDealtPositions();
    void strayRandomNumbersStayInTheBag();
    void successiveDealsDiffer();
};

void GameRulesTest::bagPositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<char>("letter");
    QTest::newRow("first A") << 1 << 'A';
    QTest::newRow("last A") << 12 << 'A';
    QTest::newRow("first B") << 13 << 'B';
    QTest::newRow("last B") << 14 << 'B';
    QTest::newRow("first C") << 15 << 'C';
    QTest::newRow("last N") << 58 << 'N';
    QTest::newRow("enye") << 59 << Enye;
    QTest::newRow("first O") << 60 << 'O';
    QTest::newRow("Y") << 94 << 'Y';
    QTest::newRow("Z") << 95 << 'Z';
    QTest::newRow("slot zero") << 0 << '\0';
    QTest::newRow("past the end") << 96 << '\0';
    QTest::newRow("negative") << -1 << '\0';
}

void GameRulesTest::bagPositions()
{
    // The bag holds its letters at the positions the deal draws, and nothing outside 1..95.
    QFETCH(int, position);
    QFETCH(char, letter);
    QCOMPARE(LetterBag().at(position), letter);
}

void GameRulesTest::bagTotals()
{
    // Each letter appears in the bag as often as the Spanish frequency table says; no K or W.
    const std::map<char, int> expected{
        {'A', 12}, {'B', 2}, {'C', 4}, {'D', 5}, {'E', 12}, {'F', 1}, {'G', 2}, {'H', 2}, {'I', 6},
        {'J', 1}, {'L', 4}, {'M', 2}, {'N', 5}, {Enye, 1}, {'O', 9}, {'P', 2}, {'Q', 1}, {'R', 5},
        {'S', 6}, {'T', 4}, {'U', 5}, {'V', 1}, {'X', 1}, {'Y', 1}, {'Z', 1}};
    QVERIFY(countLetters(LetterBag()) == expected);
}

void GameRulesTest::numberReader_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("untouched") << QByteArray("100") << 100;
    QTest::newRow("caption 150") << QByteArray("150 ") << 150;
    QTest::newRow("caption 50") << QByteArray("50 ") << 50;
    QTest::newRow("blanks inside") << QByteArray(" 1 2 3 ") << 123;
    QTest::newRow("tabs inside") << QByteArray("\t4\t2") << 42;
    QTest::newRow("blank after sign") << QByteArray("- 7") << -7;
    QTest::newRow("word after digits") << QByteArray("75abc") << 75;
    QTest::newRow("letters only") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("sign alone") << QByteArray("-") << 0;
    QTest::newRow("point alone") << QByteArray(".") << 0;
    QTest::newRow("two signs") << QByteArray("+-5") << 0;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus") << QByteArray("+7") << 7;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("half to even down") << QByteArray("12.5") << 12;
    QTest::newRow("half to even up") << QByteArray("13.5") << 14;
    QTest::newRow("half of zero") << QByteArray("0.5") << 0;
    QTest::newRow("one and a half") << QByteArray("1.5") << 2;
    QTest::newRow("negative half") << QByteArray("-0.5") << 0;
    QTest::newRow("negative two and a half") << QByteArray("-2.5") << -2;
    QTest::newRow("negative three and a half") << QByteArray("-3.5") << -4;
    QTest::newRow("just above half") << QByteArray("2.5000001") << 3;
    QTest::newRow("half with zeros") << QByteArray("2.50000") << 2;
    QTest::newRow("below half") << QByteArray("2.4999999") << 2;
    QTest::newRow("above half") << QByteArray("2.6") << 3;
    QTest::newRow("no integer part") << QByteArray(".7") << 1;
    QTest::newRow("second point stops") << QByteArray("3.2.1") << 3;
    QTest::newRow("exponent not read") << QByteArray("1e5") << 1;
    QTest::newRow("largest") << QByteArray("32767") << 32767;
    QTest::newRow("smallest") << QByteArray("-32768") << -32768;
    QTest::newRow("rounds past largest") << QByteArray("32767.5") << 32767;
    QTest::newRow("too large") << QByteArray("99999999") << 32767;
    QTest::newRow("too small") << QByteArray("-99999999") << -32768;
    QTest::newRow("very long") << QByteArray(1000, '9') << 32767;
    QTest::newRow("very long negative") << (QByteArray("-") + QByteArray(1000, '7')) << -32768;
    QTest::newRow("long zeros then digits") << (QByteArray(1000, '0') + "42") << 42;
}

void GameRulesTest::numberReader()
{
    // The target text reads as its leading decimal number, blanks ignored, rounded half to even and clamped.
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(readTargetNumber(std::string_view(text.constData(), text.size())), value);
}

void GameRulesTest::scoring_data()
{
    QTest::addColumn<int>("letters");
    QTest::addColumn<int>("points");
    QTest::newRow("3") << 3 << 1;
    QTest::newRow("4") << 4 << 1;
    QTest::newRow("5") << 5 << 2;
    QTest::newRow("6") << 6 << 4;
    QTest::newRow("7") << 7 << 6;
    QTest::newRow("8") << 8 << 10;
    QTest::newRow("15") << 15 << 10;
    QTest::newRow("2") << 2 << 10;
}

void GameRulesTest::scoring()
{
    // A word scores by its length: 3-4 one point, 5 two, 6 four, 7 six, anything else ten.
    QFETCH(int, letters);
    QFETCH(int, points);
    QCOMPARE(wordPoints(static_cast<std::size_t>(letters)), points);
}

void GameRulesTest::seededDealsComeFromTheBag()
{
    // Every deal takes 25 letters out of the bag without replacement, and every bag letter can be dealt.
    const LetterBag bag;
    const std::map<char, int> inBag = countLetters(bag);
    std::map<char, int> everDealt;
    SeededRandom random(20240611);
    for (int deal = 0; deal < 5000; ++deal) {
        std::map<char, int> dealt;
        for (char letter : dealBoard(bag, random)) {
            QVERIFY(letter != 0);
            ++dealt[letter];
        }
        for (const auto& [letter, count] : dealt) {
            QVERIFY2(inBag.contains(letter), "a letter that is not in the bag");
            QVERIFY(count <= inBag.at(letter));
            ++everDealt[letter];
        }
        QVERIFY(!dealt.contains('K') && !dealt.contains('W'));
        QVERIFY(dealt[Enye] <= 1);
    }
    QCOMPARE(everDealt.size(), inBag.size());
}

void GameRulesTest::scriptedDealSkipsDealtPositions()
{
    // A drawn position whose letter is already on the board is drawn again; tiles fill row by row.
    std::vector<int> positions{1, 1, 13, 59, 1, 13, 95, 24, 36, 47, 71, 92, 93, 94};
    for (int position = 2; position <= 12; ++position)
        positions.push_back(position);
    positions.insert(positions.end(), {14, 15, 16});
    std::vector<double> values;
    for (int position : positions)
        values.push_back(drawing(position));

    ScriptedRandom random(values);
    const Board board = dealBoard(LetterBag(), random);

    const std::string expected = std::string("AB") + Enye + "ZEFJQVXY" + std::string(11, 'A') + "BCC";
    QCOMPARE(boardText(board), expected);
    QCOMPARE(random.used(), values.size());
    QCOMPARE(random.overrun(), 0);
}

void GameRulesTest::strayRandomNumbersStayInTheBag()
{
    // A source returning 1.0 or more, a negative number or NaN lands on the bag's end positions.
    std::vector<double> values{-0.25, 1.0, 7.5, -1.0, std::numeric_limits<double>::quiet_NaN()};
    for (int position = 2; position <= 24; ++position)
        values.push_back(drawing(position));

    ScriptedRandom random(values);
    const Board board = dealBoard(LetterBag(), random);

    QCOMPARE(board[0], 'A');
    QCOMPARE(board[1], 'Z');
    QCOMPARE(board[2], 'A');
    QCOMPARE(random.used(), values.size());
    QCOMPARE(random.overrun(), 0);
}

void GameRulesTest::successiveDealsDiffer()
{
    // Each deal starts from the full bag with fresh draws, so two deals in a row differ; a seed repeats its deals.
    const LetterBag bag;
    SeededRandom random(7);
    const Board first = dealBoard(bag, random);
    const Board second = dealBoard(bag, random);
    QVERIFY(first != second);

    SeededRandom again(7);
    QVERIFY(dealBoard(bag, again) == first);
    QVERIFY(dealBoard(bag, again) == second);
}

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_game_rules.moc"
