#include "dictionary/Dictionary.h"
#include "dictionary/SortKey.h"
#include "dictionary/WordListFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>
#include <unistd.h>

using namespace palitra;

namespace {

using Entries = std::vector<std::string>;

const std::string Enye = "\xD1";

QString fixture(const char* name)
{
    return QStringLiteral(PALITRA_TEST_DATA "/") + QString::fromLatin1(name);
}

// dict_small.pal: A ABACO ABAD ABADESA BAJO CASA CASA CASO COSA NADA NUBE ÑANDU ÑU OSO ZORRO
Dictionary smallDictionary()
{
    const WordListFile::ReadResult read = WordListFile::read(fixture("dict_small.pal"));
    if (!read.ok)
        qFatal("dict_small.pal missing");
    return Dictionary(read.entries);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What firstWordStartingWith must return: a plain scan of the group.
std::size_t referenceFirstStartingWith(const Dictionary& d, const PrefixGroup& g, std::string_view start)
{
    if (!g.found())
        return 0;
    for (std::size_t p = g.first; p <= g.last; ++p) {
        if (!d.word(p).empty() && d.word(p).starts_with(start))
            return p;
    }
    return 0;
}

// A device that accepts `limit` bytes and then refuses every write.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit) : limit_(limit) { open(QIODevice::WriteOnly); }
    qint64 accepted = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (accepted + size > limit_)
            return -1;
        accepted += size;
        return size;
    }

private:
    qint64 limit_;
};

} // namespace

Q_DECLARE_METATYPE(Entries)
Q_DECLARE_METATYPE(std::string)

class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseMatchesPlainReading();
    void parseSurvivesHostileBytes();
    void read_data();
    void read();
    void prefixGroupsOfSortedList();
    void findWord_data();
    void findWord();
    void findPrefixGroupReturnsFirstGroup();
    void sortKeyOrder_data();
    void sortKeyOrder();
    void toUpperWord_data();
    void toUpperWord();
    void addWord_data();
    void addWord();
    void addWordUpdatesIndex_data();
    void addWordUpdatesIndex();
    void deleteWordEmptiesFirstCopyOnly();
    void deleteThenAddKeepsNeighboursFindable();
    void firstWordStartingWithMatchesScan();
    void serializeDropsBlankEntries();
    void writeThenReadGivesWordsInOrder();
    void failedWriteKeepsOldFile();
    void failedWriteNamesTheFile_data();
    void failedWriteNamesTheFile();
    void writeToStopsAtFailingDevice();
};

void TestDictionary::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Entries>("expected");
    QTest::newRow("CR LF lines") << QByteArray("ABACO\r\nABAD\r\nABADESA\r\n") << Entries{"ABACO", "ABAD", "ABADESA"};
    QTest::newRow("bare LF") << QByteArray("ABACO\nABAD\n") << Entries{"ABACO", "ABAD"};
    QTest::newRow("bare CR") << QByteArray("ABACO\rABAD\r") << Entries{"ABACO", "ABAD"};
    QTest::newRow("last line without line end") << QByteArray("ABACO\r\nABAD") << Entries{"ABACO", "ABAD"};
    QTest::newRow("empty line") << QByteArray("ABACO\r\n\r\nABAD\r\n") << Entries{"ABACO", "", "ABAD"};
    QTest::newRow("extra empty line at end") << QByteArray("ABACO\r\n\r\n") << Entries{"ABACO", ""};
    QTest::newRow("lone CR LF") << QByteArray("\r\n") << Entries{""};
    QTest::newRow("comma splits") << QByteArray("CASA,CASO\r\nCOSA\r\n") << Entries{"CASA", "CASO", "COSA"};
    QTest::newRow("comma then line end") << QByteArray("CASA,\r\nCOSA") << Entries{"CASA", "", "COSA"};
    QTest::newRow("CR CR LF") << QByteArray("CASA\r\r\nCOSA") << Entries{"CASA", "", "COSA"};
    QTest::newRow("lower case kept") << QByteArray("casa\r\n") << Entries{"casa"};
    QTest::newRow("quotes and blanks kept") << QByteArray("\"CASA\"\r\n CASO \r\n") << Entries{"\"CASA\"", " CASO "};
    QTest::newRow("Latin-1 bytes") << QByteArray("\xD1U\r\n") << Entries{Enye + "U"};
    QTest::newRow("nothing") << QByteArray() << Entries{};
}

void TestDictionary::parse()
{
    // Fields end at a comma or a line end, and the line end after the last line adds no entry.
    QFETCH(QByteArray, bytes);
    QFETCH(Entries, expected);
    QCOMPARE(WordListFile::parse(std::string_view(bytes.constData(), bytes.size())), expected);
}

void TestDictionary::parseMatchesPlainReading()
{
    // Long random texts of letters, commas, CRs and LFs split as a byte-by-byte reading does.
    std::mt19937 random(7);
    const std::string alphabet = "AB\xD1,\r\n\n";
    for (int round = 0; round < 400; ++round) {
        std::string bytes(random() % 400, ' ');
        for (char& c : bytes)
            c = alphabet[random() % alphabet.size()];
        Entries expected;
        std::string field;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] != ',' && bytes[i] != '\r' && bytes[i] != '\n') {
                field += bytes[i];
                continue;
            }
            expected.push_back(field);
            field.clear();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        }
        if (!field.empty())
            expected.push_back(field);
        QCOMPARE(WordListFile::parse(bytes), expected);
    }
}

void TestDictionary::parseSurvivesHostileBytes()
{
    // NUL and C1 bytes are ordinary content; huge lines and huge line counts load whole.
    const std::string odd("A\0B\x80\x9F\r\n", 7);
    QCOMPARE(WordListFile::parse(odd), (Entries{std::string("A\0B\x80\x9F", 5)}));

    const std::string longLine(10'000'000, 'Z');
    const Entries one = WordListFile::parse(longLine + "\r\n");
    QCOMPARE(one.size(), std::size_t(1));
    QCOMPARE(one.front().size(), longLine.size());

    const Entries many = WordListFile::parse(std::string(1'000'000, '\n'));
    QCOMPARE(many.size(), std::size_t(1'000'000));
    const Dictionary dictionary(many);
    QCOMPARE(dictionary.prefixCount(), std::size_t(0));
    QCOMPARE(dictionary.findWord("A"), std::size_t(0));
}

void TestDictionary::read_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("errorStart");
    QTest::newRow("three lines") << fixture("dict_three.pal") << true << QString();
    QTest::newRow("missing") << fixture("dict_missing.pal") << false << QStringLiteral("No se encontró el diccionario");
    QTest::newRow("empty") << fixture("dict_empty.pal") << false << QStringLiteral("El diccionario");
    QTest::newRow("unreadable (a folder)") << QStringLiteral(PALITRA_TEST_DATA) << false
                                           << QStringLiteral("No se pudo leer el diccionario");
}

void TestDictionary::read()
{
    // Reading gives the file's entries, or a Spanish error naming the file.
    QFETCH(QString, path);
    QFETCH(bool, ok);
    QFETCH(QString, errorStart);
    const WordListFile::ReadResult result = WordListFile::read(path);
    QCOMPARE(result.ok, ok);
    if (ok) {
        QCOMPARE(result.entries, (Entries{"ABACO", "ABAD", "ABADESA"}));
        QVERIFY(result.error.isEmpty());
        return;
    }
    QVERIFY(result.entries.empty());
    QVERIFY2(result.error.startsWith(errorStart), qPrintable(result.error));
    QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    if (QTest::currentDataTag() == QByteArray("empty"))
        QVERIFY(result.error.endsWith(QStringLiteral("está vacío.")));
}

void TestDictionary::prefixGroupsOfSortedList()
{
    // Each two-letter prefix of a sorted list is one group, Ñ words included.
    const Dictionary d = smallDictionary();
    QCOMPARE(d.wordCount(), std::size_t(15));
    QVERIFY(d.word(0).empty());
    const std::vector<std::pair<std::string, std::size_t>> groups{
        {"A", 1}, {"AB", 2}, {"BA", 5}, {"CA", 6}, {"CO", 9}, {"NA", 10},
        {"NU", 11}, {Enye + "A", 12}, {Enye + "U", 13}, {"OS", 14}, {"ZO", 15}};
    QCOMPARE(d.prefixCount(), groups.size());
    for (std::size_t k = 1; k <= groups.size(); ++k) {
        QCOMPARE(d.prefix(k), groups[k - 1].first);
        QCOMPARE(d.prefixStart(k), groups[k - 1].second);
        const std::string& prefix = groups[k - 1].first;
        const PrefixGroup g = d.findPrefixGroup(prefix.size() == 2 ? prefix + "XYZ" : prefix);
        QCOMPARE(g.number, k);
        QCOMPARE(g.first, groups[k - 1].second);
        QCOMPARE(g.last, k < groups.size() ? groups[k].second - 1 : d.wordCount());
    }
}

void TestDictionary::findWord_data()
{
    QTest::addColumn<std::string>("word");
    QTest::addColumn<std::size_t>("position");
    QTest::newRow("first of group") << std::string("ABACO") << std::size_t(2);
    QTest::newRow("last of group") << std::string("ABADESA") << std::size_t(4);
    QTest::newRow("between groups") << std::string("ABADESAS") << std::size_t(0);
    QTest::newRow("before group's first") << std::string("ABA") << std::size_t(0);
    QTest::newRow("first copy of two") << std::string("CASA") << std::size_t(6);
    QTest::newRow("last of list") << std::string("ZORRO") << std::size_t(15);
    QTest::newRow("case differs") << std::string("Casa") << std::size_t(0);
    QTest::newRow("one-letter word listed") << std::string("A") << std::size_t(1);
    QTest::newRow("one-letter word not listed") << std::string("B") << std::size_t(0);
    QTest::newRow("no group") << std::string("XILOFONO") << std::size_t(0);
    QTest::newRow("empty word") << std::string() << std::size_t(0);
    QTest::newRow("first of Ñ") << Enye + "ANDU" << std::size_t(12);
    QTest::newRow("Ñ group alone") << Enye + "U" << std::size_t(13);
    QTest::newRow("NZ is not Ñ") << std::string("NZANDU") << std::size_t(0);
}

void TestDictionary::findWord()
{
    // A word is found at its first copy within its prefix group, and only there.
    QFETCH(std::string, word);
    QFETCH(std::size_t, position);
    QCOMPARE(smallDictionary().findWord(word), position);
}

void TestDictionary::findPrefixGroupReturnsFirstGroup()
{
    // In a list out of order only the first group of a prefix is searched.
    const Dictionary d(Entries{"CASA", "BOLA", "CASO", "CASA", "BOTE"});
    QCOMPARE(d.prefixCount(), std::size_t(4));
    const PrefixGroup g = d.findPrefixGroup("CASO");
    QCOMPARE(g.number, std::size_t(1));
    QCOMPARE(g.last, std::size_t(1));
    QCOMPARE(d.findWord("CASO"), std::size_t(0));
    QCOMPARE(d.findWord("CASA"), std::size_t(1));
    QCOMPARE(d.findPrefixGroup("BOTE").number, std::size_t(2));
    QCOMPARE(d.findWord("BOTE"), std::size_t(0));
}

void TestDictionary::sortKeyOrder_data()
{
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<int>("order");
    QTest::newRow("plain") << std::string("CASA") << std::string("CASO") << -1;
    QTest::newRow("equal") << std::string("CASA") << std::string("CASA") << 0;
    QTest::newRow("proper beginning is smaller") << std::string("CAS") << std::string("CASA") << -1;
    QTest::newRow("Ñ after N words") << Enye + "A" << std::string("NYZZ") << 1;
    QTest::newRow("Ñ before O") << Enye + "U" << std::string("O") << -1;
    QTest::newRow("Ñ reads as NZ") << Enye + "A" << std::string("NZA") << 0;
    QTest::newRow("inner Ñ is a high byte") << "NA" + Enye << std::string("NAZ") << 1;
    QTest::newRow("bytes unsigned") << std::string("\xC1") << std::string("Z") << 1;
    QTest::newRow("empty first") << std::string() << std::string("A") << -1;
}

void TestDictionary::sortKeyOrder()
{
    // Keys compare bytewise, unsigned, with a leading Ñ read as NZ, with or without building them.
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(int, order);
    QCOMPARE(compareSortKeys(a, b), order);
    QCOMPARE(compareSortKeys(b, a), -order);
    const int built = sortKey(a).compare(sortKey(b));
    QCOMPARE((built > 0) - (built < 0), order);
}

void TestDictionary::toUpperWord_data()
{
    QTest::addColumn<std::string>("word");
    QTest::addColumn<std::string>("upper");
    QTest::newRow("ascii") << std::string("casa") << std::string("CASA");
    QTest::newRow("mixed") << std::string("CaSa1") << std::string("CASA1");
    QTest::newRow("ñ") << std::string("\xF1u") << Enye + "U";
    QTest::newRow("accents") << std::string("\xE1\xFE") << std::string("\xC1\xDE");
    QTest::newRow("division sign and ÿ kept") << std::string("\xF7\xFF") << std::string("\xF7\xFF");
}

void TestDictionary::toUpperWord()
{
    // Lower-case letters, accented ones included, become upper case; nothing else changes.
    QFETCH(std::string, word);
    QFETCH(std::string, upper);
    QCOMPARE(palitra::toUpperWord(word), upper);
}

void TestDictionary::addWord_data()
{
    QTest::addColumn<std::string>("word");
    QTest::addColumn<std::string>("stored");
    QTest::addColumn<std::size_t>("position");
    QTest::newRow("inside a group") << std::string("ABACA") << std::string("ABACA") << std::size_t(2);
    QTest::newRow("new prefix") << std::string("BOLA") << std::string("BOLA") << std::size_t(6);
    QTest::newRow("before all") << std::string("AA") << std::string("AA") << std::size_t(2);
    QTest::newRow("after all") << std::string("ZUMO") << std::string("ZUMO") << std::size_t(16);
    QTest::newRow("equal goes after copies") << std::string("CASA") << std::string("CASA") << std::size_t(8);
    QTest::newRow("lower case stored upper") << std::string("cosa") << std::string("COSA") << std::size_t(10);
    QTest::newRow("Ñ after last N word") << Enye + "AAA" << Enye + "AAA" << std::size_t(12);
    QTest::newRow("Ñ before first O word") << std::string("\xF1ZZ") << Enye + "ZZ" << std::size_t(14);
    QTest::newRow("N among N words") << std::string("NOCHE") << std::string("NOCHE") << std::size_t(11);
    QTest::newRow("same key as an Ñ word goes after it") << std::string("nzandu") << std::string("NZANDU") << std::size_t(13);
}

void TestDictionary::addWord()
{
    // A word goes, upper-cased, before the first entry with a greater key and can be found at once.
    QFETCH(std::string, word);
    QFETCH(std::string, stored);
    QFETCH(std::size_t, position);
    Dictionary d = smallDictionary();
    const Entries before = d.entries();
    QCOMPARE(d.addWord(word), stored);
    QCOMPARE(d.wordCount(), before.size() + 1);
    QCOMPARE(d.word(position), stored);
    Entries expected = before;
    expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(position - 1), stored);
    QCOMPARE(d.entries(), expected);
    const std::size_t firstCopy = std::find(before.begin(), before.end(), stored) - before.begin() + 1;
    QCOMPARE(d.findWord(stored), std::min(position, firstCopy));
}

void TestDictionary::addWordUpdatesIndex_data()
{
    QTest::addColumn<std::string>("word");
    QTest::addColumn<bool>("newPrefix");
    QTest::newRow("known prefix") << std::string("CASCO") << false;
    QTest::newRow("new prefix") << std::string("CIMA") << true;
    QTest::newRow("new Ñ prefix") << Enye + "O" << true;
}

void TestDictionary::addWordUpdatesIndex()
{
    // The group count grows by one exactly for a new prefix; the groups after the word start one later.
    QFETCH(std::string, word);
    QFETCH(bool, newPrefix);
    Dictionary d = smallDictionary();
    std::vector<std::pair<std::string, std::size_t>> before;
    for (std::size_t k = 1; k <= d.prefixCount(); ++k)
        before.emplace_back(d.prefix(k), d.prefixStart(k));

    d.addWord(word);
    const std::size_t position = d.findWord(word);
    QVERIFY(position != 0);
    QCOMPARE(d.prefixCount(), before.size() + (newPrefix ? 1 : 0));
    for (const auto& [prefix, start] : before) {
        const PrefixGroup g = d.findPrefixGroup(prefix);
        QCOMPARE(g.first, start < position ? start : start + 1);
    }
    QCOMPARE(d.word(position), word);
}

void TestDictionary::deleteWordEmptiesFirstCopyOnly()
{
    // Deleting empties the first copy in place; the second copy stays findable, the index is unchanged.
    Dictionary d = smallDictionary();
    QVERIFY(d.deleteWord("CASA"));
    QCOMPARE(d.wordCount(), std::size_t(15));
    QVERIFY(d.word(6).empty());
    QCOMPARE(d.word(7), std::string("CASA"));
    QCOMPARE(d.findWord("CASA"), std::size_t(7));
    QCOMPARE(d.prefixStart(4), std::size_t(6));
    QVERIFY(d.deleteWord("CASA"));
    QCOMPARE(d.findWord("CASA"), std::size_t(0));
    QVERIFY(!d.deleteWord("CASA"));
    QVERIFY(!d.deleteWord("casa"));
    QCOMPARE(d.findWord("CASO"), std::size_t(8));
}

void TestDictionary::deleteThenAddKeepsNeighboursFindable()
{
    // A word deleted inside a run does not split its group when an insertion rebuilds the index.
    Dictionary d = smallDictionary();
    QVERIFY(d.deleteWord("ABAD"));
    d.addWord("ZAPATO");
    QCOMPARE(d.prefixCount(), std::size_t(12));
    const PrefixGroup ab = d.findPrefixGroup("AB");
    QCOMPARE(ab.first, std::size_t(2));
    QCOMPARE(ab.last, std::size_t(4));
    QCOMPARE(d.findWord("ABACO"), std::size_t(2));
    QCOMPARE(d.findWord("ABADESA"), std::size_t(4));
    QCOMPARE(d.findWord("ABAD"), std::size_t(0));
    QCOMPARE(d.firstWordStartingWith(ab, "ABAD"), std::size_t(4));
    for (std::size_t p = 1; p <= d.wordCount(); ++p) {
        const std::string& w = d.word(p);
        if (!w.empty())
            QCOMPARE(d.word(d.findWord(w)), w);
    }
    QCOMPARE(d.findWord("ZORRO"), std::size_t(16));
}

void TestDictionary::firstWordStartingWithMatchesScan()
{
    // On random lists, sorted or not, with random deletions, lookups and insertions equal plain scans.
    std::mt19937 random(20240611);
    const std::string letters = "AB" + Enye;
    const auto randomWord = [&](std::size_t maxLength) {
        std::string w;
        const std::size_t length = 1 + random() % maxLength;
        for (std::size_t i = 0; i < length; ++i)
            w += letters[random() % letters.size()];
        return w;
    };
    for (int round = 0; round < 300; ++round) {
        Entries entries(1 + random() % (round % 2 == 0 ? 60 : 400));
        for (std::string& w : entries)
            w = randomWord(5);
        if (round % 3 != 0)
            std::sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
                return compareSortKeys(a, b) < 0;
            });
        Dictionary d(entries);
        for (std::size_t i = random() % 12; i > 0; --i)
            d.deleteWord(entries[random() % entries.size()]);
        if (round % 2 == 0) {
            // Insertion goes before the first entry with a greater key, empty entries never being greater.
            const std::string added = randomWord(4);
            Entries expected = d.entries();
            const auto greater = std::find_if(expected.begin(), expected.end(), [&](const std::string& e) {
                return !e.empty() && compareSortKeys(e, added) > 0;
            });
            expected.insert(greater, added);
            d.addWord(added);
            QCOMPARE(d.entries(), expected);
        }
        for (int probe = 0; probe < 40; ++probe) {
            const std::string start = probe == 0 ? std::string() : randomWord(4);
            const PrefixGroup g = d.findPrefixGroup(start.empty() ? randomWord(2) : start);
            QCOMPARE(d.firstWordStartingWith(g, start), referenceFirstStartingWith(d, g, start));
            if (start.empty())
                continue;
            std::size_t firstEqual = 0;
            for (std::size_t p = g.first; g.found() && p <= g.last && firstEqual == 0; ++p) {
                if (d.word(p) == start)
                    firstEqual = p;
            }
            QCOMPARE(d.findWord(start), firstEqual);
        }
    }
}

void TestDictionary::serializeDropsBlankEntries()
{
    // Empty and blank entries are not written; other entries are written unchanged with CR LF.
    Dictionary d(Entries{"ABACO", "", "   ", "\t", "ABAD ", " ", "ABADESA"});
    QVERIFY(d.deleteWord("ABACO"));
    QCOMPARE(WordListFile::serialize(d), std::string("ABAD \r\nABADESA\r\n"));
    QCOMPARE(WordListFile::serialize(Dictionary()), std::string());
}

void TestDictionary::writeThenReadGivesWordsInOrder()
{
    // A saved list holds the additions in their place and loads back as written.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Palitra.pal"));
    Dictionary d = smallDictionary();
    d.addWord("cima");
    d.deleteWord("OSO");
    QString error;
    QVERIFY2(WordListFile::write(path, d, &error), qPrintable(error));
    const QByteArray written = fileBytes(path);
    QCOMPARE(written.toStdString(), WordListFile::serialize(d));
    QVERIFY(written.contains("CASO\r\nCIMA\r\nCOSA\r\n"));
    QVERIFY(!written.contains("OSO"));
    const WordListFile::ReadResult reread = WordListFile::read(path);
    QVERIFY(reread.ok);
    QCOMPARE(reread.entries.size(), d.wordCount() - 1);
}

void TestDictionary::failedWriteKeepsOldFile()
{
    // A save that fails midway leaves the previous file byte for byte and says why.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Palitra.pal"));
    const QByteArray old = fileBytes(fixture("dict_small.pal"));
    QVERIFY(writeFile(path, old));
    QString error;
    const bool ok = WordListFile::writeAtomically(path, [](QIODevice& device) {
        device.write("ABACO\r\nAB");
        return false;
    }, &error);
    QVERIFY(!ok);
    QCOMPARE(fileBytes(path), old);
    QVERIFY2(error.startsWith(QStringLiteral("No se pudo guardar el diccionario en ")), qPrintable(error));
    QVERIFY(error.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Palitra.pal")});
}

void TestDictionary::failedWriteNamesTheFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("parent is a file") << QStringLiteral("plain/Palitra.pal");
}

void TestDictionary::failedWriteNamesTheFile()
{
    // A target that cannot be written is reported with the file's name and the reason.
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("plain")), "ABACO\r\n"));
    const QString path = dir.filePath(target);
    QString error;
    QVERIFY(!WordListFile::write(path, smallDictionary(), &error));
    QVERIFY2(error.startsWith(QStringLiteral("No se pudo guardar el diccionario en ") + QDir::toNativeSeparators(path)
                              + QStringLiteral(": ")),
             qPrintable(error));
    QVERIFY(error.size() > error.indexOf(QStringLiteral(": ")) + 3);
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("plain"))), QByteArray("ABACO\r\n"));
}

void TestDictionary::writeToStopsAtFailingDevice()
{
    // Writing to a device stops with failure as soon as the device refuses bytes.
    Entries entries(30'000, "PALABRA");
    const Dictionary d(entries);
    const std::string content = WordListFile::serialize(d);
    FailingDevice failing(100'000);
    QVERIFY(!WordListFile::writeTo(failing, d));
    QVERIFY(failing.accepted < static_cast<qint64>(content.size()));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(WordListFile::writeTo(buffer, d));
    QCOMPARE(buffer.data().toStdString(), content);
}

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
