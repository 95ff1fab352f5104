// After a round: every word of the board, against a brute-force search of
// its paths; the record of games, from scripts, through its file, and with
// damaged files set aside.
#include "Fakes.h"

#include "core/dictionary/SortKey.h"
#include "core/game/GameRecord.h"
#include "core/opponent/BoardWords.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <random>
#include <set>

using namespace palitra;
using namespace palitra::test;

namespace {

bool touching(int a, int b)
{
    return a != b && std::abs(a / 5 - b / 5) <= 1 && std::abs(a % 5 - b % 5) <= 1;
}

// The words of `words` that simple paths of touching cells spell on `board`: every path, cut short
// only where its letters begin no word.
std::set<std::string> bruteForce(const Board& board, const std::vector<std::string>& words)
{
    std::set<std::string> whole(words.begin(), words.end()), beginnings, found;
    for (const std::string& word : words)
        for (std::size_t n = 1; n <= word.size(); ++n)
            beginnings.insert(word.substr(0, n));
    std::vector<int> path;
    std::string letters;
    std::function<void(int)> extend = [&](int cell) {
        path.push_back(cell);
        letters.push_back(board[cell]);
        if (beginnings.count(letters)) {
            if (letters.size() >= 3 && whole.count(letters))
                found.insert(letters);
            for (int next = 0; next < CellCount; ++next)
                if (touching(cell, next) && std::find(path.begin(), path.end(), next) == path.end())
                    extend(next);
        }
        path.pop_back();
        letters.pop_back();
    };
    for (int cell = 0; cell < CellCount; ++cell)
        extend(cell);
    return found;
}

// A random board, and a sorted list of words that its random paths spell (two letters and more), some
// with a letter changed so that they may not be on it.
std::pair<Board, std::vector<std::string>> randomBoard(unsigned seed)
{
    std::mt19937 engine(seed);
    const std::string letters = "AAEEIOOUSRLNCTM\321";
    Board board;
    for (char& tile : board)
        tile = letters[engine() % letters.size()];
    std::set<std::string> words;
    for (int n = 0; n < 120; ++n) {
        std::vector<int> path{int(engine() % CellCount)};
        for (std::size_t length = 2 + engine() % 8, tries = 0; tries < 300 && path.size() < length; ++tries)
            if (const int next = int(engine() % CellCount);
                touching(path.back(), next) && std::find(path.begin(), path.end(), next) == path.end())
                path.push_back(next);
        std::string word;
        for (int cell : path)
            word += board[cell];
        if (n % 4 == 0)
            word[engine() % word.size()] = letters[engine() % letters.size()];
        words.insert(word);
    }
    std::vector<std::string> sorted(words.begin(), words.end());
    std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return compareSortKeys(a, b) < 0; });
    return {board, sorted};
}

QString describe(const LevelRecord& r)
{
    if (r == LevelRecord{})
        return "-";
    return QString("games %1=%2+%3+%4 rounds %5 points %6 avg %7 best %8 word %9 %10 share %11 over %12 best %13/%14")
        .arg(r.played())
        .arg(r.won)
        .arg(r.lost)
        .arg(r.abandoned)
        .arg(r.rounds)
        .arg(r.points)
        .arg(r.averagePoints(), 0, 'f', 2)
        .arg(r.bestPoints)
        .arg(QString::fromLatin1(r.bestWord.c_str()), r.bestWordDate.toString("MM-dd"))
        .arg(r.averageShare(), 0, 'f', 3)
        .arg(r.shareRounds)
        .arg(r.bestFound)
        .arg(r.bestHeld);
}

const QDate Today(2024, 3, 1);

} // namespace

class TestRecord : public QObject {
    Q_OBJECT

private slots:
    void boardWords_data()
    {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 0; seed <= 8; ++seed)
            QTest::addRow("board %u", seed) << seed;
    }

    void boardWords()
    {
        // The board's words are what a search of every path finds, once each, longest first and then in list
        // order, each with a path of touching cells that spells it. Seed 0 is the fixture board and list.
        QFETCH(unsigned, seed);
        auto [board, entries] = randomBoard(seed);
        if (seed == 0) {
            std::copy(TestBoard.begin(), TestBoard.end(), board.begin());
            entries = entriesOf(Dictionary::fromWordList(Words));
        }
        const Dictionary dictionary(entries);
        const std::set<std::string> onBoard = bruteForce(board, entries);
        std::vector<std::string> expected;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(expected),
                     [&](auto& w) { return onBoard.count(w); });
        std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.size() > b.size(); });
        QVERIFY(expected.size() >= 4);

        std::vector<std::string> listed;
        for (const BoardWord& found : palitra::boardWords(board, dictionary)) {
            listed.push_back(found.word);
            QCOMPARE(std::string(dictionary.word(found.position)), found.word);
            QCOMPARE(found.foundBy, FoundBy::Nobody);
            std::string spelt;
            for (std::size_t c = 0; c < found.path.size(); ++c) {
                QVERIFY(c == 0
                        || (touching(found.path[c - 1], found.path[c])
                            && std::count(found.path.begin(), found.path.begin() + c, found.path[c]) == 0));
                spelt += board.at(found.path[c]);
            }
            QCOMPARE(spelt, found.word);
        }
        QCOMPARE(listed, expected);
    }

    void recordScripts_data()
    {
        // Steps: @n the level; Rpoints/words/found/held a round, dated day n of January for the nth round;
        // W L A a game won, lost, abandoned; C clear. Then Fácil ; Normal ; Difícil.
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a won and a lost game") << "@1 R10/SOL,CASA/2/8 R4/MESA/1/4 W R0//0/5 L"
                                               << "- ; games 2=1+1+0 rounds 3 points 14 avg 4.67 best 10 word CASA "
                                                  "01-01 share 0.167 over 3 best 2/8 ; -";
        QTest::newRow("abandoned games") << "@1 R3/SOL/1/2 A R1/ASA/0/3 A"
                                         << "- ; games 2=0+0+2 rounds 2 points 4 avg 2.00 best 3 word SOL 01-01 share "
                                            "0.250 over 2 best 1/2 ; -";
        QTest::newRow("levels apart") << "@0 R5/PUÑAL/1/1 W @2 R7/COSA/0/0 L"
                                      << "games 1=1+0+0 rounds 1 points 5 avg 5.00 best 5 word PUÑAL 01-01 share "
                                         "1.000 over 1 best 1/1 ; - ; games 1=0+1+0 rounds 1 points 7 avg 7.00 best "
                                         "7 word COSA 01-02 share 0.000 over 0 best 0/0";
        QTest::newRow("clear") << "@1 R5/SOL/1/2 W C R2/SAL/1/4"
                               << "- ; games 0=0+0+0 rounds 1 points 2 avg 2.00 best 2 word SAL 01-02 share 0.250 "
                                  "over 1 best 1/4 ; -";
        QTest::newRow("a longer word later") << "@1 R0/SOL/0/0 R3/MESA,PUÑAL,SOLAR/3/2 R1/ES/1/3"
                                             << "- ; games 0=0+0+0 rounds 3 points 4 avg 1.33 best 3 word PUÑAL "
                                                "01-02 share 0.667 over 2 best 2/2 ; -";
        QTest::newRow("a better share later") << "@1 R0//1/4 R0//2/3 R0//1/2 R0//4/10"
                                              << "- ; games 0=0+0+0 rounds 4 points 0 avg 0.00 best 0 word   share "
                                                 "0.454 over 4 best 2/3 ; -";
        QTest::newRow("no level 3") << "@3 R5/SOL/1/2 W @-1 A"
                                    << "- ; - ; -";
    }

    void recordScripts()
    {
        // The record counts what the script did at each level, and reads back from its file as it was.
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        GameRecord record;
        QCOMPARE(record.load(folder.filePath("sub")), GameRecord::Loaded::New);
        int level = 0, day = 0;
        for (const QString& step : script.split(' ')) {
            const QStringList round = step.mid(1).split('/');
            const QStringList words = round.value(1).split(',', Qt::SkipEmptyParts);
            std::vector<std::string> playerWords;
            for (const QString& word : words)
                playerWords.push_back(word.toLatin1().toStdString());
            switch (step[0].toLatin1()) {
            case '@': level = step.mid(1).toInt(); break;
            case 'R':
                record.recordRound(level, round[0].toInt(), playerWords, round[2].toInt(), round[3].toInt(),
                                   QDate(2024, 1, ++day));
                break;
            case 'W': record.recordGameEnd(level, Outcome::Won); break;
            case 'A': record.recordGameEnd(level, Outcome::Abandoned); break;
            case 'C': record.clear(); break;
            case 'L': record.recordGameEnd(level, Outcome::Lost); break;
            }
        }
        QCOMPARE(describe(record.level(0)) + " ; " + describe(record.level(1)) + " ; " + describe(record.level(2)),
                 expected);
        QVERIFY(record.save());
        GameRecord read;
        QCOMPARE(read.load(folder.filePath("sub")), GameRecord::Loaded::Read);
        for (int n = 0; n < GameRecord::LevelCount; ++n)
            QCOMPARE(describe(read.level(n)), describe(record.level(n)));
    }

    void damagedFilesSetAside_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QByteArray>("bytes"); // the file, when not a good record with `key` of Normal set to `value`
        QTest::newRow("not JSON") << "" << QJsonValue() << QByteArray("{\"levels\": [");
        QTest::newRow("empty") << "" << QJsonValue() << QByteArray("");
        QTest::newRow("a list") << "" << QJsonValue() << QByteArray("[]");
        QTest::newRow("a folder") << "" << QJsonValue() << QByteArray("/");
        QTest::newRow("name taken") << "" << QJsonValue() << QByteArray("x");
        QTest::newRow("another version") << "version" << QJsonValue(2) << QByteArray();
        QTest::newRow("two levels") << "levels" << QJsonValue(QJsonArray{QJsonObject{}, QJsonObject{}}) << QByteArray();
        QTest::newRow("a count as text") << "won" << QJsonValue("3") << QByteArray();
        QTest::newRow("a negative count") << "lost" << QJsonValue(-1) << QByteArray();
        QTest::newRow("half a round") << "rounds" << QJsonValue(2.5) << QByteArray();
        QTest::newRow("a missing count") << "abandoned" << QJsonValue(QJsonValue::Undefined) << QByteArray();
        QTest::newRow("best above the total") << "bestPoints" << QJsonValue(99) << QByteArray();
        QTest::newRow("more found than held") << "bestFound" << QJsonValue(9) << QByteArray();
        QTest::newRow("a word without its date") << "bestWordDate" << QJsonValue("") << QByteArray();
        QTest::newRow("a word beyond Latin-1") << "bestWord" << QJsonValue("SOL\u20AC") << QByteArray();
        QTest::newRow("a share above one a round") << "shareSum" << QJsonValue(3.5) << QByteArray();
    }

    void damagedFilesSetAside()
    {
        // A damaged record is moved aside under a dated name, beside any one moved before, and a new record
        // starts that saves and reads back; a good record with one field changed is read as is.
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString file = folder.filePath(GameRecord::FileName);
        const QString aside = file + QString::fromUtf8(".dañado-2024-03-01");
        GameRecord record;
        record.load(folder.path());
        record.recordRound(1, 5, {"SOLAR"}, 2, 3, Today);
        record.recordGameEnd(1, Outcome::Won);
        QVERIFY(record.save());
        if (bytes.isNull()) {
            QJsonObject root = QJsonDocument::fromJson(readFile(file)).object();
            QJsonArray levels = root["levels"].toArray();
            QJsonObject normal = levels[1].toObject();
            QVERIFY(root.contains(key) || normal.contains(key));
            if (root.contains(key)) {
                root[key] = value;
            } else {
                value.isUndefined() ? normal.remove(key) : void(normal[key] = value);
                levels[1] = normal;
                root["levels"] = levels;
            }
            bytes = QJsonDocument(root).toJson();
        }
        if (bytes == "/")
            QVERIFY(QFile::remove(file) && QDir(folder.path()).mkpath(GameRecord::FileName + "/inside"));
        else
            QVERIFY(writeFile(file, bytes));
        const bool taken = bytes == "x";
        if (taken)
            QVERIFY(writeFile(aside, "earlier"));

        QCOMPARE(record.load(folder.path(), Today), GameRecord::Loaded::SetAside);
        const QString expectedAside = taken ? aside + "-2" : aside;
        QCOMPARE(record.setAsidePath(), expectedAside);
        if (bytes == "/")
            QVERIFY(QFileInfo(expectedAside + "/inside").isDir());
        else
            QCOMPARE(readFile(expectedAside), bytes);
        if (taken)
            QCOMPARE(readFile(aside), QByteArray("earlier"));
        for (int level = 0; level < GameRecord::LevelCount; ++level)
            QCOMPARE(describe(record.level(level)), "-");
        QVERIFY(record.save());
        QCOMPARE(GameRecord().load(folder.path()), GameRecord::Loaded::Read);
    }
};

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
