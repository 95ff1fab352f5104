#include "dictionary/Dictionary.h"
#include "dictionary/SortKey.h"
#include "dictionary/WordListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>

using namespace palitra;

namespace {

using Entries = std::vector<std::string>;
using Pos = std::size_t;
using S = std::string;

// Sorted, with a one-letter word, a word twice and two groups of Ñ words.
const Entries Small{"A", "ABACO", "ABAD", "ABADESA", "BAJO", "CASA", "CASA", "CASO",
                    "COSA", "NADA", "NUBE", "\xD1" "ANDU", "\xD1" "U", "OSO", "ZORRO"};

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

// The first position whose entry findWord does not find at its first copy in the list, or 0.
Pos firstUnfindable(const Dictionary& d)
{
    const Entries& all = d.entries();
    for (Pos p = 1; p <= all.size(); ++p) {
        const Pos firstCopy = Pos(std::find(all.begin(), all.end(), all[p - 1]) - all.begin()) + 1;
        if (!all[p - 1].empty() && d.findWord(all[p - 1]) != firstCopy)
            return p;
    }
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(Entries)
Q_DECLARE_METATYPE(std::string)

class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Entries>("expected");
        QTest::newRow("CR LF") << QByteArray("ABACO\r\nABAD\r\n") << Entries{"ABACO", "ABAD"};
        QTest::newRow("bare LF, CR") << QByteArray("ABACO\nABAD\rCASA\r\r\n") << Entries{"ABACO", "ABAD", "CASA", ""};
        QTest::newRow("last line without end") << QByteArray("ABACO\r\nABAD") << Entries{"ABACO", "ABAD"};
        QTest::newRow("empty line") << QByteArray("ABACO\r\n\r\nABAD\r\n") << Entries{"ABACO", "", "ABAD"};
        QTest::newRow("comma") << QByteArray("CASA,CASO\r\nCOSA,\r\n") << Entries{"CASA", "CASO", "COSA", ""};
        QTest::newRow("lone CR LF") << QByteArray("\r\n") << Entries{""};
        QTest::newRow("CR LF across blocks") << QByteArray(63, 'A') + "\r\n,B" << Entries{S(63, 'A'), "", "B"};
        QTest::newRow("case, blanks, Ñ kept") << QByteArray("casa \r\n\xD1U") << Entries{"casa ", "\xD1U"};
    }

    void load()
    {
        // A file's fields end at a comma or a line end; the line end after the last line adds no entry.
        QFETCH(QByteArray, bytes);
        QFETCH(Entries, expected);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("list.pal"), bytes));
        const WordListFile::ReadResult read = WordListFile::read(dir.filePath("list.pal"));
        QVERIFY2(read.ok, qPrintable(read.error));
        QCOMPARE(read.entries, expected);
    }

    void readErrors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("errorStart");
        QTest::newRow("missing") << QStringLiteral("missing.pal") << QStringLiteral("No se encontró el diccionario ");
        QTest::newRow("empty") << QStringLiteral("empty.pal") << QStringLiteral("El diccionario ");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("No se pudo leer el diccionario ");
    }

    void readErrors()
    {
        // A missing, empty or unreadable file gives no entries and a Spanish error naming the file.
        QFETCH(QString, name);
        QFETCH(QString, errorStart);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("empty.pal"), {}) && QDir(dir.path()).mkdir("folder"));
        const WordListFile::ReadResult read = WordListFile::read(dir.filePath(name));
        QVERIFY(!read.ok && read.entries.empty());
        QVERIFY2(read.error.startsWith(errorStart + QDir::toNativeSeparators(dir.filePath(name))),
                 qPrintable(read.error));
    }

    void findWord_data()
    {
        QTest::addColumn<S>("word");
        QTest::addColumn<Pos>("position");
        QTest::newRow("first of group") << S("ABACO") << Pos(2);
        QTest::newRow("last of group") << S("ABADESA") << Pos(4);
        QTest::newRow("before group's first") << S("ABA") << Pos(0);
        QTest::newRow("past group's last") << S("ABADESAS") << Pos(0);
        QTest::newRow("first copy of two") << S("CASA") << Pos(6);
        QTest::newRow("last of list") << S("ZORRO") << Pos(15);
        QTest::newRow("case differs") << S("Casa") << Pos(0);
        QTest::newRow("one letter") << S("A") << Pos(1);
        QTest::newRow("no group") << S("XILOFONO") << Pos(0);
        QTest::newRow("Ñ after N") << S("\xD1" "ANDU") << Pos(12);
        QTest::newRow("NZ is not Ñ") << S("NZANDU") << Pos(0);
    }

    void findWord()
    {
        // A word is found at its first copy within its prefix group, and only there.
        QFETCH(S, word);
        QFETCH(Pos, position);
        QCOMPARE(Dictionary(Small).findWord(word), position);
    }

    void addWord_data()
    {
        QTest::addColumn<S>("word");
        QTest::addColumn<S>("stored");
        QTest::addColumn<Pos>("position");
        QTest::addColumn<Pos>("newGroups");
        QTest::newRow("inside a group") << S("ABACA") << S("ABACA") << Pos(2) << Pos(0);
        QTest::newRow("new prefix") << S("BOLA") << S("BOLA") << Pos(6) << Pos(1);
        QTest::newRow("after all") << S("ZUMO") << S("ZUMO") << Pos(16) << Pos(1);
        QTest::newRow("equal after copies") << S("CASA") << S("CASA") << Pos(8) << Pos(0);
        QTest::newRow("lower case stored upper") << S("cosa") << S("COSA") << Pos(10) << Pos(0);
        QTest::newRow("Ñ after last N word") << S("\xD1" "AAA") << S("\xD1" "AAA") << Pos(12) << Pos(0);
        QTest::newRow("ñ before first O word") << S("\xF1ZZ") << S("\xD1ZZ") << Pos(14) << Pos(1);
        QTest::newRow("NZ after equal Ñ key") << S("nzandu") << S("NZANDU") << Pos(13) << Pos(1);
    }

    void addWord()
    {
        // A word goes, upper-cased, before the first entry with a greater key; the index follows at once.
        QFETCH(S, word);
        QFETCH(S, stored);
        QFETCH(Pos, position);
        QFETCH(Pos, newGroups);
        Dictionary d(Small);
        QCOMPARE(d.addWord(word), stored);
        Entries expected = Small;
        expected.insert(expected.begin() + std::ptrdiff_t(position - 1), stored);
        QCOMPARE(d.entries(), expected);
        QCOMPARE(d.prefixCount(), Dictionary(Small).prefixCount() + newGroups);
        QCOMPARE(firstUnfindable(d), Pos(0));
    }

    void deleteKeepsNeighboursFindable()
    {
        // Deleting empties the first copy in place; an insertion's rebuild does not split the run around it.
        Dictionary d(Small);
        QVERIFY(d.deleteWord("CASA") && d.deleteWord("ABAD") && !d.deleteWord("casa"));
        QCOMPARE(d.findWord("CASA"), Pos(7));
        d.addWord("ZAPATO");
        QCOMPARE(d.prefixCount(), Pos(12));
        QCOMPARE(d.findWord("ABAD"), Pos(0));
        QCOMPARE(d.firstWordStartingWith(d.findPrefixGroup("AB"), "ABAD"), Pos(4));
        QCOMPARE(firstUnfindable(d), Pos(0));
        QVERIFY(d.word(3).empty() && d.word(6).empty());
    }

    void lookupsMatchLinearScan()
    {
        // On random lists, ordered or not, with deletions, lookups and insertions equal a plain scan.
        std::mt19937 random(20240611);
        const auto randomWord = [&](std::size_t maxLength) {
            S w(1 + random() % maxLength, ' ');
            std::generate(w.begin(), w.end(), [&] { return "AB\xD1"[random() % 3]; });
            return w;
        };
        const auto byKey = [](const S& a, const S& b) { return compareSortKeys(a, b) < 0; };
        for (int round = 0; round < 300; ++round) {
            Entries entries(1 + random() % (round % 2 == 0 ? 60 : 400));
            std::generate(entries.begin(), entries.end(), [&] { return randomWord(5); });
            if (round % 3 != 0)
                std::sort(entries.begin(), entries.end(), byKey);
            Dictionary d(entries);
            for (std::size_t i = random() % 12; i > 0; --i)
                d.deleteWord(entries[random() % entries.size()]);
            if (round % 2 == 0) {
                const S added = randomWord(4);
                Entries expected = d.entries();
                const auto greater = [&](const S& e) { return !e.empty() && byKey(added, e); };
                expected.insert(std::find_if(expected.begin(), expected.end(), greater), added);
                d.addWord(added);
                QCOMPARE(d.entries(), expected);
            }
            for (int probe = 0; probe < 40; ++probe) {
                const S start = randomWord(4);
                const PrefixGroup g = d.findPrefixGroup(start);
                Pos firstStarting = 0, firstEqual = 0;
                for (Pos p = g.first; g.found() && p <= g.last; ++p) {
                    if (!firstStarting && !d.word(p).empty() && d.word(p).starts_with(start))
                        firstStarting = p;
                    if (!firstEqual && d.word(p) == start)
                        firstEqual = p;
                }
                QCOMPARE(d.firstWordStartingWith(g, start), firstStarting);
                QCOMPARE(d.findWord(start), firstEqual);
            }
        }
    }

    void saveWritesWordsInOrder()
    {
        // Saving drops empty and blank entries, keeps other entries as they are and additions in their place.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        Dictionary d(Entries{"ABACO", "", "   ", "\t", "CASA ", " ", "COSA"});
        QVERIFY(d.deleteWord("ABACO"));
        d.addWord("cima");
        QString error;
        QVERIFY2(WordListFile::write(path, d, &error), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray("CASA \r\nCIMA\r\nCOSA\r\n"));
        QVERIFY(WordListFile::write(path, Dictionary(Entries(30'000, "PALABRA")), &error)); // written in pieces
        QCOMPARE(fileBytes(path), QByteArray("PALABRA\r\n").repeated(30'000));
    }

    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("write fails midway") << QStringLiteral("Palitra.pal");
        QTest::newRow("target is a folder") << QStringLiteral("folder");
        QTest::newRow("parent is a file") << QStringLiteral("plain/Palitra.pal");
    }

    void failedSaveKeepsOldFile()
    {
        // A save that cannot finish leaves every file byte for byte and names the file in its error.
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QByteArray old("ABACO\r\nABAD\r\n");
        QVERIFY(writeFile(dir.filePath("Palitra.pal"), old) && writeFile(dir.filePath("plain"), old));
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        const QString path = dir.filePath(target);
        const auto halfWay = [](QIODevice& device) {
            device.write("CASA\r\nCA");
            return false;
        };
        QString error;
        QVERIFY(target == "Palitra.pal" ? !WordListFile::writeAtomically(path, halfWay, &error)
                                        : !WordListFile::write(path, Dictionary(Small), &error));
        QCOMPARE(fileBytes(dir.filePath("Palitra.pal")), old);
        QCOMPARE(fileBytes(dir.filePath("plain")), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Palitra.pal", "plain"}));
        const QString named = "No se pudo guardar el diccionario en " + QDir::toNativeSeparators(path) + ": ";
        QVERIFY2(error.startsWith(named) && error.size() > named.size() + 2, qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
