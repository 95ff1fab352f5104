// The word list on disk: large and hostile files, the store and its changes,
// saving whole or not at all, and the shipped list. (The fuzzer holds the
// parse, the index, lookups, insertion, deletion and saving against plain
// references.)
#include "Fakes.h"

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/SortKey.h"
#include "core/dictionary/WordListFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace palitra;
using namespace palitra::test;

namespace {

using Entries = std::vector<std::string>;

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

class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void readLargeFilesAndProblems()
    {
        // A 10 MB line and a million lines (read in two halves that meet inside the BC words) load, look up
        // and save back whole. A missing, empty or unreadable list is a problem naming it, with the system's
        // reason; only a regular file is read, and a pipe, a device or a folder is turned away at once; a
        // store that meets a problem keeps the list it had.
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        for (const auto& [bytes, word, position] : {std::tuple{QByteArray(10'000'000, 'A') + "\r\nCASA\r\n", "CASA", 2},
                                                    std::tuple{countedWords(1'000'000), "BCLQU", 500'001},
                                                    std::tuple{countedWords(1'000'000), "BCLQV", 500'002}}) {
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

    void storeSavesItsOwnChanges()
    {
        // The store counts additions and strikes, even of absent words, and saves them in order without blanks; a
        // list another run saved since it was read is read again and this run's changes go onto it, in order (a
        // word both runs added is kept once).
        QTemporaryDir dir;
        const QString path = dir.filePath("Palitra.pal");
        QVERIFY(writeFile(path, "ABACO\r\n\r\n   \r\n\t\r\nCASA \r\nCOSA\r\n"));
        DictionaryStore store, other;
        QVERIFY(!store.load(path) && !store.changed());
        QCOMPARE(store.addWord("cima"), std::string("CIMA"));
        QVERIFY(store.changed() && !store.load(path) && !store.changed() && !other.load(path));
        store.strikeWord("NADA");
        QVERIFY(store.changed());
        store.strikeWord("ABACO");
        store.addWord("cima");
        QVERIFY(!store.save());
        QCOMPARE(readFile(path), QByteArray("CASA \r\nCIMA\r\nCOSA\r\n"));
        other.addWord("zorro");
        other.addWord("cima");
        other.strikeWord("COSA");
        QVERIFY(!other.save());
        QCOMPARE(readFile(path), QByteArray("CASA \r\nCIMA\r\nZORRO\r\n"));
    }

    void usersCopyWhenTheListCannotBeWritten()
    {
        // Installed for every user (a program folder the user cannot write): the list goes to the user's copy,
        // which the next start reads; a portable install saves beside the program as before and makes no copy.
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)); // for nobody
        const QString program = dir.filePath("program/Palitra.pal"), user = dir.filePath("user/Palitra/Palitra.pal");
        const QString wrong = asAUser([&] {
            DictionaryStore installed, next, portable;
            const bool saved = QDir().mkpath(dir.filePath("program")) && writeFile(program, "CASA\r\n")
                && QFile::setPermissions(dir.filePath("program"), QFile::ReadOwner | QFile::ExeOwner)
                && !installed.load(program, user) && !installed.addWord("mesa").empty() && !installed.save()
                && readFile(user) == "CASA\r\nMESA\r\n" && readFile(program) == "CASA\r\n" && !next.load(program, user)
                && next.path() == user;
            const bool portableSaved = saved
                && QFile::setPermissions(dir.filePath("program"),
                                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
                && QFile::remove(user) && !portable.load(program, user) && !portable.addWord("sol").empty()
                && !portable.save() && readFile(program) == "CASA\r\nSOL\r\n" && !QFile::exists(user);
            return portableSaved ? QString() : saved ? "the portable save" : "the save to the user's copy";
        });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<qint64>("limit"); // bytes written before the device fails; -1 a plain save, -2 a save whose
                                           // file turns into a folder meanwhile
        QTest::addColumn<QString>("refusing"); // the file or folder the problem names; empty when saved
        QTest::newRow("nothing written") << "Palitra.pal" << qint64(0) << "Palitra.pal";
        QTest::newRow("inside a word") << "Palitra.pal" << qint64(9) << "Palitra.pal";
        QTest::newRow("after 100 kB") << "Palitra.pal" << qint64(100'000) << "Palitra.pal";
        QTest::newRow("room for everything") << "Palitra.pal" << qint64(1'000'000) << "";
        QTest::newRow("target is a folder") << "folder" << qint64(-1) << "folder";
        QTest::newRow("parent is a file") << "plain/Palitra.pal" << qint64(-1) << "plain";
        QTest::newRow("read-only folder") << "locked/Palitra.pal" << qint64(-1) << "locked";
        QTest::newRow("read-only folder behind a link") << "link/Palitra.pal" << qint64(-1) << "locked";
        QTest::newRow("read-only file") << "readonly.pal" << qint64(-1) << "readonly.pal";
        QTest::newRow("a folder in its place by the end") << "late.pal" << qint64(-2) << "late.pal";
    }

    void failedSaveKeepsTheOldFile()
    {
        // A save that cannot finish leaves every file byte for byte and no stray file, and names the file or the
        // folder that refused (behind any link), with the system's reason (none for a device failing midway).
        QFETCH(QString, target);
        QFETCH(qint64, limit);
        QFETCH(QString, refusing);
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)); // for nobody
        const QString wrong = asAUser([&]() -> QString {
            const QByteArray old("ABACO\r\nABAD\r\n"), words = countedWords(30'000); // about 210 kB
            for (const char* name : {"Palitra.pal", "plain", "readonly.pal"})
                writeFile(dir.filePath(name), old);
            QDir(dir.path()).mkpath("folder/inside") && QDir(dir.path()).mkdir("locked");
            writeFile(dir.filePath("locked/Palitra.pal"), old);
            QFile::link(dir.filePath("locked"), dir.filePath("link"));
            QFile::setPermissions(dir.filePath("readonly.pal"), QFile::ReadOwner);
            QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
            const Dictionary dictionary = Dictionary::fromWordList(words);
            const QString path = dir.filePath(target);
            const std::optional<FileProblem> problem = limit == -1
                ? WordListFile::write(path, dictionary)
                : WordListFile::writeAtomically(path, [&](QIODevice& file) {
                      FailingDevice device(file, limit < 0 ? words.size() : limit);
                      return (limit != -2 || QDir().mkpath(path + "/inside"))
                          && WordListFile::writeTo(device, dictionary);
                  });
            QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (problem.has_value() == refusing.isEmpty() || (problem && problem->path != dir.filePath(refusing))
                || (problem && problem->kind != FileProblem::Kind::NotSaved)
                || (problem && limit < 0 && !problem->systemError))
                return "the problem: " + (problem ? problem->path : "none");
            for (const char* name : {"Palitra.pal", "plain", "readonly.pal", "locked/Palitra.pal"})
                if (readFile(dir.filePath(name)) != (refusing.isEmpty() && target == name ? words : old))
                    return QStringLiteral("%1 changed").arg(name);
            const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            return files == QStringList{"Palitra.pal", "plain", "readonly.pal"} ? "" : "files left: " + files.join(',');
        });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void shippedListIsSortedAndSpanish()
    {
        // The shipped list: lines of three or more of A-Z and Ñ, each after the one before, everyday words in it.
        const QByteArray bytes = readFile(QStringLiteral(PALITRA_SHIPPED_LIST));
        const Entries words = entriesOf(Dictionary::fromWordList(bytes));
        const auto amiss = [](const std::string& a, const std::string& b) {
            return compareSortKeys(a, b) >= 0 || b.size() < 3
                || b.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ\321") != b.npos;
        };
        QVERIFY(bytes.endsWith("\r\n") && words.size() > 500'000 && !amiss("", words[0]));
        QCOMPARE(std::adjacent_find(words.begin(), words.end(), amiss) - words.begin(), qsizetype(words.size()));
        const Dictionary d(words);
        for (const char* word : {"CASA", "CASAS", "PERROS", "HABLAMOS", "NI\321OS", "\321ANDU", "CAMIONES", "ARBOL"})
            QVERIFY2(d.findWord(word) != 0, word);
    }
};

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
