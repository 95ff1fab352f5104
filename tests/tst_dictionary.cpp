// The word list: reading odd files, the prefix index and its lookups,
// insertion and deletion, saving whole or not at all, and the shipped list.
#include "Fakes.h"

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/SortKey.h"
#include "core/dictionary/WordListFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace palitra;
using namespace palitra::test;

namespace {

using Entries = std::vector<std::string>;
using S = std::string;

// Sorted, with a one-letter word, a word twice and two groups of Ñ words.
const Entries Small{"A",
                    "ABACO",
                    "ABAD",
                    "ABADESA",
                    "BAJO",
                    "CASA",
                    "CASA",
                    "CASO",
                    "COSA",
                    "NADA",
                    "NUBE",
                    "\xD1"
                    "ANDU",
                    "\xD1"
                    "U",
                    "OSO",
                    "ZORRO"};

// Five-letter words from AAAAA upwards, one per line, in list order.
QByteArray countedWords(int count)
{
    QByteArray content;
    for (int i = 0; i < count; ++i) {
        char word[5];
        for (int d = 4, n = i; d >= 0; --d, n /= 26)
            word[d] = char('A' + n % 26);
        content.append(word, 5).append("\r\n");
    }
    return content;
}

// Whether findWord finds every entry at its first copy.
bool allFindable(const Dictionary& d)
{
    const Entries all = entriesOf(d);
    for (std::size_t p = 1; p <= all.size(); ++p)
        if (!all[p - 1].empty()
            && d.findWord(all[p - 1]) != std::size_t(std::find(all.begin(), all.end(), all[p - 1]) - all.begin()) + 1)
            return false;
    return true;
}

// Passes writes on to another device and fails once `limit` bytes have gone through.
struct FailingDevice : QIODevice {
    QIODevice& target;
    qint64 limit;
    FailingDevice(QIODevice& target, qint64 limit)
        : target(target)
        , limit(limit)
    {
        open(WriteOnly | Unbuffered);
    }
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = std::min(length, limit);
        limit -= std::max<qint64>(room, 0);
        return room > 0 ? target.write(data, room) : -1;
    }
};

} // namespace

Q_DECLARE_METATYPE(Entries)

class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void readOddFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Entries>("expected");
        QTest::addColumn<int>("groups");
        QTest::newRow("CR LF") << QByteArray("ABACO\r\nABAD\r\n") << Entries{"ABACO", "ABAD"} << 1;
        QTest::newRow("LF, CR") << QByteArray("ABACO\nABAD\rCASA\r\r\n") << Entries{"ABACO", "ABAD", "CASA", ""} << 2;
        QTest::newRow("last line without end") << QByteArray("ABACO\r\nABAD") << Entries{"ABACO", "ABAD"} << 1;
        QTest::newRow("empty lines") << QByteArray("ABACO\r\n\r\nABAD\r\n\r\n") << Entries{"ABACO", "", "ABAD", ""}
                                     << 1;
        QTest::newRow("commas") << QByteArray("CASA,CASO\r\nCOSA,\r\n") << Entries{"CASA", "CASO", "COSA", ""} << 2;
        QTest::newRow("lone CR LF") << QByteArray("\r\n") << Entries{""} << 0;
        QTest::newRow("CR LF across blocks") << QByteArray(63, 'A') + "\r\n,B" << Entries{S(63, 'A'), "", "B"} << 2;
        QTest::newRow("case, blanks, quotes, Ñ kept")
            << QByteArray("casa \r\n \"CASA\"\r\n\xD1U") << Entries{"casa ", " \"CASA\"", "\xD1U"} << 3;
        QTest::newRow("NUL, control and 0x80 bytes")
            << QByteArray("MA\0NO\r\n\x01\x1F\r\n\x80\x9F", 13) << Entries{S("MA\0NO", 5), "\x01\x1F", "\x80\x9F"} << 3;
        QTest::newRow("out of order: kept")
            << QByteArray("CASA\r\nABACO\r\nCASO\r\n") << Entries{"CASA", "ABACO", "CASO"} << 3;
    }

    void readOddFiles()
    {
        // Fields end at a comma or any line end and keep every other byte; the last line end adds no entry;
        // a save writes back every entry that is not empty or blank, unchanged, with CR LF.
        QFETCH(QByteArray, bytes);
        QFETCH(Entries, expected);
        QFETCH(int, groups);
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        QVERIFY(writeFile(path, bytes));
        const WordListFile::ReadResult read = WordListFile::read(path);
        QCOMPARE(entriesOf(read.dictionary), expected);
        const Dictionary& d = read.dictionary;
        QVERIFY(d.prefixCount() == std::size_t(groups) && d.word(0).empty());
        QVERIFY(!WordListFile::write(path, d));
        QByteArray saved;
        for (const S& entry : expected)
            if (entry.find_first_not_of(" \t") != S::npos)
                saved += QByteArray(entry.data(), qsizetype(entry.size())) + "\r\n";
        QCOMPARE(readFile(path), saved);
    }

    void readLargeFilesAndProblems()
    {
        // A 10 MB line and a million lines load, look up and save back whole. A missing, empty or unreadable
        // list is a problem naming it, with the system's reason; only a regular file is read, and a pipe,
        // a device or a folder is turned away at once; a store that meets a problem keeps the list it had.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        for (const auto& [bytes, word, position] : {std::tuple{QByteArray(10'000'000, 'A') + "\r\nCASA\r\n", "CASA", 2},
                                                    std::tuple{countedWords(1'000'000), "BCLQU", 500'001}}) {
            QVERIFY(writeFile(path, bytes));
            const Dictionary d = WordListFile::read(path).dictionary;
            QCOMPARE(d.findWord(word), std::size_t(position));
            QVERIFY(!WordListFile::write(path, d));
            QCOMPARE(readFile(path), bytes);
        }
        QVERIFY(writeFile(dir.filePath("empty.pal"), {}) && QDir(dir.path()).mkdir("folder"));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe")), 0600) == 0
                && QFile::link("/dev/zero", dir.filePath("zero")));
        QVERIFY(QFile::link(dir.filePath("loop"), dir.filePath("loop")));
        DictionaryStore store;
        QVERIFY(!store.load(path));
        using K = FileProblem::Kind;
        for (const auto& [name, kind, error] : {std::tuple{"missing.pal", K::Missing, ENOENT},
                                                {"empty.pal", K::Empty, 0},
                                                {"folder", K::NotAFile, EISDIR},
                                                {"pipe", K::NotAFile, 0},
                                                {"zero", K::NotAFile, 0},
                                                {"loop", K::Unreadable, ELOOP}}) {
            const std::optional<FileProblem> problem = store.load(dir.filePath(name));
            QVERIFY2(problem && problem->kind == kind && problem->path == dir.filePath(name)
                         && problem->systemError == error,
                     name);
        }
        QVERIFY(store.path() == path && store.dictionary().wordCount() == 1'000'000);
    }

    void lookupAndInsertion()
    {
        // A word is found at its first copy within its prefix group only; an added word goes, upper-cased, before
        // the first entry with a greater key (a leading Ñ reading as NZ), and the index follows at once. (The
        // fuzzer holds all of these against plain scans on random lists.)
        const std::map<S, std::size_t> found{{"ABACO", 2},
                                             {"ABADESA", 4},
                                             {"ABA", 0},
                                             {"ABADESAS", 0},
                                             {"CASA", 6},
                                             {"ZORRO", 15},
                                             {"Casa", 0},
                                             {"A", 1},
                                             {"XILOFONO", 0},
                                             {"\xD1"
                                              "ANDU",
                                              12},
                                             {"NZANDU", 0}};
        for (const auto& [word, position] : found)
            QCOMPARE(Dictionary(Small).findWord(word), position);
        const std::vector<std::tuple<S, S, std::size_t, std::size_t>> added{{"ABACA", "ABACA", 2, 0},
                                                                            {"BOLA", "BOLA", 6, 1},
                                                                            {"ZUMO", "ZUMO", 16, 1},
                                                                            {"CASA", "CASA", 8, 0},
                                                                            {"cosa", "COSA", 10, 0},
                                                                            {"\xD1"
                                                                             "AAA",
                                                                             "\xD1"
                                                                             "AAA",
                                                                             12, 0},
                                                                            {"\xF1ZZ", "\xD1ZZ", 14, 1},
                                                                            {"nzandu", "NZANDU", 13, 1}};
        for (const auto& [word, stored, position, newGroups] : added) {
            Dictionary d(Small);
            QCOMPARE(d.addWord(word), stored);
            Entries expected = Small;
            expected.insert(expected.begin() + std::ptrdiff_t(position - 1), stored);
            QCOMPARE(entriesOf(d), expected);
            QCOMPARE(d.prefixCount(), Dictionary(Small).prefixCount() + newGroups);
            QVERIFY(allFindable(d));
        }
        // Deleting empties the first copy in place; an insertion's rebuild does not split the run around it.
        Dictionary d(Small);
        QVERIFY(d.deleteWord("CASA") && d.deleteWord("ABAD") && !d.deleteWord("casa") && !d.deleteWord(""));
        QCOMPARE(d.findWord("CASA"), 7u);
        d.addWord("ZAPATO");
        QVERIFY(d.prefixCount() == 12 && d.findWord("ABAD") == 0 && allFindable(d) && d.word(3).empty());
        QCOMPARE(d.firstWordStartingWith(d.findPrefixGroup("AB"), "ABAD"), 4u);
    }

    void storeSavesWhatChanged()
    {
        // The store counts additions and strikes, even of absent words, and saves them in order without blanks.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        QVERIFY(writeFile(path, "ABACO\r\n\r\n   \r\n\t\r\nCASA \r\nCOSA\r\n"));
        DictionaryStore store;
        QVERIFY(!store.load(path) && !store.changed());
        QCOMPARE(store.addWord("cima"), S("CIMA"));
        QVERIFY(store.changed() && !store.load(path) && !store.changed());
        store.strikeWord("NADA");
        QVERIFY(store.changed());
        store.strikeWord("ABACO");
        store.addWord("cima");
        QVERIFY(!store.save());
        QCOMPARE(readFile(path), QByteArray("CASA \r\nCIMA\r\nCOSA\r\n"));
    }

    void twoRunsOnOneListKeepBothRunsWords()
    {
        // A list saved by another run since it was read is read again and this run's additions and strikes go
        // onto it, in order; a word both runs added is kept once.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        QVERIFY(writeFile(path, "CASA\r\nMESA\r\nSOL\r\n"));
        DictionaryStore first, second;
        QVERIFY(!first.load(path) && !second.load(path));
        first.addWord("arbol");
        first.strikeWord("SOL");
        QVERIFY(!first.save());
        second.addWord("zorro");
        second.addWord("arbol");
        second.strikeWord("MESA");
        QVERIFY(!second.save());
        QCOMPARE(readFile(path), QByteArray("ARBOL\r\nCASA\r\nZORRO\r\n"));
    }

    void usersCopyWhenTheListCannotBeWritten()
    {
        // Installed for every user (a program folder the user cannot write): the list goes to the user's copy,
        // which the next start reads; a portable install saves beside the program as before and makes no copy.
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)); // for the user below
        const QString program = dir.filePath("program/Palitra.pal"), user = dir.filePath("user/Palitra/Palitra.pal");
        const auto scenario = [&] {
            DictionaryStore installed, next, portable;
            const bool saved = QDir().mkpath(dir.filePath("program")) && writeFile(program, "CASA\r\n")
                && QFile::setPermissions(dir.filePath("program"), QFile::ReadOwner | QFile::ExeOwner)
                && !installed.load(program, user) && !installed.addWord("mesa").empty() && !installed.save()
                && readFile(user) == "CASA\r\nMESA\r\n" && readFile(program) == "CASA\r\n" && !next.load(program, user)
                && next.path() == user;
            return saved
                && QFile::setPermissions(dir.filePath("program"),
                                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
                && QFile::remove(user) && !portable.load(program, user) && !portable.addWord("sol").empty()
                && !portable.save() && readFile(program) == "CASA\r\nSOL\r\n" && !QFile::exists(user);
        };
        if (geteuid() != 0) { // root writes any folder: the user is played by nobody
            QVERIFY(scenario());
            return;
        }
        const pid_t child = fork();
        if (child == 0)
            _exit(::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 ? !scenario() : 2);
        int status = 0;
        QVERIFY(::waitpid(child, &status, 0) == child && WIFEXITED(status));
        if (WEXITSTATUS(status) == 2)
            QSKIP("root cannot become nobody here");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<qint64>("limit"); // bytes written before the device fails; -1 for a plain save
        QTest::newRow("nothing written") << QStringLiteral("Palitra.pal") << qint64(0);
        QTest::newRow("inside a word") << QStringLiteral("Palitra.pal") << qint64(9);
        QTest::newRow("after 100 kB") << QStringLiteral("Palitra.pal") << qint64(100'000);
        QTest::newRow("room for everything") << QStringLiteral("Palitra.pal") << qint64(1'000'000);
        QTest::newRow("target is a folder") << QStringLiteral("folder") << qint64(-1);
        QTest::newRow("parent is a file") << QStringLiteral("plain/Palitra.pal") << qint64(-1);
        QTest::newRow("read-only folder") << QStringLiteral("locked/Palitra.pal") << qint64(-1);
        QTest::newRow("read-only file") << QStringLiteral("readonly.pal") << qint64(-1);
    }

    void failedSaveKeepsTheOldFile()
    {
        // A save that cannot finish leaves every file byte for byte, no stray file, and a problem naming the file.
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QTemporaryDir dir;
        const QByteArray old("ABACO\r\nABAD\r\n");
        for (const char* name : {"Palitra.pal", "plain", "readonly.pal"})
            QVERIFY(writeFile(dir.filePath(name), old));
        QVERIFY(QDir(dir.path()).mkpath("folder/inside") && QDir(dir.path()).mkdir("locked"));
        QVERIFY(writeFile(dir.filePath("locked/Palitra.pal"), old));
        QFile::setPermissions(dir.filePath("readonly.pal"), QFile::ReadOwner);
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        const QString path = dir.filePath(target);
        const QByteArray words = countedWords(30'000); // about 210 kB
        const Dictionary dictionary = Dictionary::fromWordList(words);
        const std::optional<FileProblem> problem = limit < 0
            ? WordListFile::write(path, dictionary)
            : WordListFile::writeAtomically(path, [&](QIODevice& file) {
                  FailingDevice device(file, limit);
                  return WordListFile::writeTo(device, dictionary);
              });
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Root writes read-only files and folders all the same.
        const bool written =
            limit > words.size() || (geteuid() == 0 && (target.startsWith("re") || target.startsWith("lo")));
        QCOMPARE(!problem, written);
        // The file, or the folder, that refused, and why (the system says nothing of a device failing midway).
        QVERIFY(written
                || (problem->kind == FileProblem::Kind::NotSaved && (limit >= 0 || problem->systemError != 0)
                    && (problem->path == path || problem->path == QFileInfo(path).absolutePath())));
        for (const char* name : {"Palitra.pal", "plain", "readonly.pal", "locked/Palitra.pal"})
            QCOMPARE(readFile(dir.filePath(name)), written && dir.filePath(name) == path ? words : old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"Palitra.pal", "plain", "readonly.pal"}));
    }

    void failedCommitIsAProblem()
    {
        // A list that turns into a folder while it is written cannot be replaced, and the save says so.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        const auto problem = WordListFile::writeAtomically(
            path, [&](QIODevice& file) { return QDir().mkpath(path + "/inside") && file.write("CASA\r\n") == 6; });
        QVERIFY(problem && problem->kind == FileProblem::Kind::NotSaved && problem->path == path);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()); // no file left behind
    }

    void shippedListIsSortedAndSpanish()
    {
        // The shipped list: lines of three or more of A-Z and Ñ, each after the one before, everyday words in it.
        const QByteArray bytes = readFile(QStringLiteral(PALITRA_SHIPPED_LIST));
        QVERIFY(bytes.endsWith("\r\n"));
        const Entries words = entriesOf(Dictionary::fromWordList(bytes));
        for (std::size_t i = 0; i < words.size(); ++i)
            if (words[i].size() < 3 || words[i].find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\xD1") != S::npos
                || (i > 0 && compareSortKeys(words[i - 1], words[i]) >= 0))
                QFAIL(qPrintable(QStringLiteral("line %1 is amiss").arg(i + 1)));
        const Dictionary d(words);
        for (const char* word : {"CASA", "CASAS", "PERROS", "HABLAMOS", "NI\xD1OS",
                                 "\xD1"
                                 "ANDU",
                                 "CAMIONES", "ARBOL"})
            QVERIFY2(d.findWord(word) != 0, word);
    }
};

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
