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

// The bag's Spanish frequencies: no K, no W, one Ñ.
const std::map<char, int> Frequencies{
    {'A', 12}, {'B', 2}, {'C', 4}, {'D', 5}, {'E', 12}, {'F', 1}, {'G', 2}, {'H', 2}, {'I', 6},
    {'J', 1}, {'L', 4}, {'M', 2}, {'N', 5}, {'\xD1', 1}, {'O', 9}, {'P', 2}, {'Q', 1}, {'R', 5},
    {'S', 6}, {'T', 4}, {'U', 5}, {'V', 1}, {'X', 1}, {'Y', 1}, {'Z', 1}};

// Plays back a fixed list of numbers, over and over, counting the draws.
class ScriptedRandom final : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values) : values(std::move(values)) {}
    double next() override { return values[used++ % values.size()]; }
    std::vector<double> values;
    std::size_t used = 0;
};

} // namespace

class GameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void bagPositions()
    {
        // The bag holds the table's letters at the positions the deal draws, and nothing outside 1..95.
        const LetterBag bag;
        std::map<char, int> counts;
        for (int position = 1; position <= LetterBag::Size; ++position)
            ++counts[bag.at(position)];
        QVERIFY(counts == Frequencies);
        const std::map<int, char> edges{{-1, 0}, {0, 0}, {1, 'A'}, {12, 'A'}, {13, 'B'}, {58, 'N'}, {59, '\xD1'},
                                        {60, 'O'}, {94, 'Y'}, {95, 'Z'}, {96, 0}};
        for (const auto& [position, letter] : edges)
            QCOMPARE(bag.at(position), letter);
    }

    void numberReader_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        const std::vector<std::pair<QByteArray, int>> rows{
            {"100", 100}, {"150 ", 150}, {" 1 2 3 ", 123}, {"\t4\t2", 42}, {"- 7", -7}, {"75abc", 75},
            {"abc", 0}, {"", 0}, {"-", 0}, {".", 0}, {"+-5", 0}, {"-12", -12}, {"+7", 7}, {"007", 7},
            {"12.5", 12}, {"13.5", 14}, {"0.5", 0}, {"-0.5", 0}, {"-2.5", -2}, {"-3.5", -4},
            {"2.5000001", 3}, {"2.50000", 2}, {"2.4999999", 2}, {"2.6", 3}, {".7", 1}, {"3.2.1", 3}, {"1e5", 1},
            {"32767", 32767}, {"-32768", -32768}, {"32767.5", 32767}, {"99999999", 32767}, {"-99999999", -32768},
            {QByteArray(1000, '9'), 32767}, {"-" + QByteArray(1000, '7'), -32768}, {QByteArray(1000, '0') + "42", 42}};
        for (const auto& [text, value] : rows)
            QTest::addRow("'%s'", text.left(12).constData()) << text << value;
    }

    void numberReader()
    {
        // The target text reads as its leading decimal number, blanks ignored, rounded half to even and clamped.
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(readTargetNumber(std::string_view(text.constData(), text.size())), value);
    }

    void scoring()
    {
        // A word scores by its length: 3-4 one point, 5 two, 6 four, 7 six, anything else ten.
        const std::map<std::size_t, int> points{{2, 10}, {3, 1}, {4, 1}, {5, 2}, {6, 4}, {7, 6}, {8, 10}, {15, 10}};
        for (const auto& [letters, expected] : points)
            QCOMPARE(wordPoints(letters), expected);
    }

    void seededDealsComeFromTheBag()
    {
        // Each deal takes 25 letters from a full bag without putting any back; every letter turns up; deals differ.
        std::map<char, int> everDealt;
        SeededRandom random(20240611);
        Board previous{};
        for (int deal = 0; deal < 2000; ++deal) {
            const Board board = dealBoard(LetterBag(), random);
            QVERIFY(board != previous);
            std::map<char, int> dealt;
            for (char letter : board) {
                ++dealt[letter];
                ++everDealt[letter];
            }
            for (const auto& [letter, count] : dealt)
                QVERIFY(Frequencies.contains(letter) && count <= Frequencies.at(letter));
            previous = board;
        }
        QCOMPARE(everDealt.size(), Frequencies.size());
    }

    void scriptedDealRedrawsDealtPositions()
    {
        // A position already dealt is drawn again; tiles fill row by row; stray numbers land on the bag's ends.
        std::vector<double> values{-0.25, std::numeric_limits<double>::quiet_NaN()};
        for (int position : {13, 59, 1, 13, 95, 24, 36, 47, 71, 92, 93, 94, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15,
                             16})
            values.push_back((position - 0.5) / LetterBag::Size);
        values[6] = 1.0; // position 95
        ScriptedRandom random(values);
        const Board board = dealBoard(LetterBag(), random);
        QCOMPARE(std::string(board.begin(), board.end()), "AB\xD1ZEFJQVXY" + std::string(11, 'A') + "BCC");
        QCOMPARE(random.used, values.size());
    }
};

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_game_rules.moc"
