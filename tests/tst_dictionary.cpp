// The word list on disk: large and hostile files, the store and its changes,
// saving whole or not at all, and the shipped list. (The fuzzer holds the
// parse, the index, lookups, insertion, deletion and saving against plain
// references.)
#include "Fakes.h"

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/DictionaryStore.h"
#include "core/dictionary/ProgramFolder.h"
#include "core/dictionary/SortKey.h"
#include "core/dictionary/WordListFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>

using namespace palitra;
using namespace palitra::test;

namespace {

// What the list held when the program last synced a folder (every fsync of this program passes here).
QString syncedList;
QByteArray listAtFolderSync;

} // namespace

extern "C" int fsync(int fd)
{
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && !syncedList.isEmpty())
        listAtFolderSync = readFile(syncedList);
    return int(::syscall(SYS_fsync, fd));
}

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

QString wordsOf(const Dictionary& dictionary)
{
    return joined(entriesOf(dictionary), [](const std::string& word) { return QString::fromLatin1(word); })
        .split(',', Qt::SkipEmptyParts) // struck entries left out
        .join(',');
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
        sockaddr_un socketName{};
        socketName.sun_family = AF_UNIX;
        std::strncpy(socketName.sun_path, QFile::encodeName(dir.filePath("socket")).constData(),
                     sizeof socketName.sun_path - 1);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(socket, reinterpret_cast<const sockaddr*>(&socketName), sizeof socketName) == 0);
        DictionaryStore store;
        QVERIFY(!store.load(path));
        using K = FileProblem::Kind;
        for (const auto& [name, kind, error] : {std::tuple{"missing.pal", K::Missing, ENOENT},
                                                {"empty.pal", K::Empty, 0},
                                                {"folder", K::NotAFile, EISDIR},
                                                {"pipe", K::NotAFile, 0},
                                                {"zero", K::NotAFile, 0},
                                                {"socket", K::NotAFile, ENXIO},
                                                {"loop", K::Unreadable, ELOOP}}) {
            const std::optional<FileProblem> problem = store.load(dir.filePath(name));
            QVERIFY2(problem && problem->kind == kind && problem->path == dir.filePath(name)
                         && problem->systemError == error,
                     name);
        }
        ::close(socket);
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
        // Temporary files that killed saves left go with the next save, under its lock; other files stay.
        for (const char* name :
             {".Palitra.pal.x7Qa0Z", ".Palitra.pal.000000", ".Palitra.pal.notes", ".Palitra.pal.ab_cd!"})
            QVERIFY(writeFile(dir.filePath(name), "ABACO\r\n"));
        syncedList = path;
        QVERIFY(!store.save());
        QCOMPARE(readFile(path), QByteArray("CASA \r\nCIMA\r\nCOSA\r\n"));
        QCOMPARE(listAtFolderSync, readFile(path)); // the folder synced once the new list had its name
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(','),
                 ".Palitra.pal.ab_cd!,.Palitra.pal.lock,.Palitra.pal.notes,Palitra.pal");
        other.addWord("zorro");
        other.addWord("cima");
        other.strikeWord("COSA");
        QVERIFY(!other.save());
        QCOMPARE(readFile(path), QByteArray("CASA \r\nCIMA\r\nZORRO\r\n"));
        // A list saved again at the same size is still another list.
        const std::optional<FileStamp> before = WordListFile::stamp(path);
        QVERIFY(!WordListFile::write(path, Dictionary({"CASA ", "CIMA", "ZORRA"})));
        QVERIFY(before && WordListFile::stamp(path) && WordListFile::stamp(path)->size == before->size
                && WordListFile::stamp(path) != before);
    }

    void installedForEveryUser()
    {
        // A program folder the player cannot write keeps its list as it is: the player's changes, in order, live in
        // the player's folder and go on top of the list at each start. An earlier version's whole copy becomes those
        // changes and is kept aside; a file of the player's that cannot be read or makes no sense is set aside and
        // the game starts with the program's list. A portable program (the same, its folder writable) saves in place
        // and leaves the player's folder alone. Rows: the player's Palitra.cambios ("/" a folder), an earlier
        // version's Palitra.pal of the player's ("/..." a link), the words played with (the list is CASA,COSA), and
        // the player's folder once SOL is added and saved.
        using Row = std::tuple<QByteArray, QByteArray, QString, QString>;
        for (const auto& [changes, wholeCopy, played, userFiles] :
             {Row{"", "", "CASA,COSA", "Palitra.cambios=+SOL"},
              Row{"+MESA\r\n-CASA\r\n+MESA\n", "", "COSA,MESA", "Palitra.cambios=+MESA-CASA+MESA+SOL"},
              Row{"", "CASA\r\nMESA \r\n\r\n", "CASA,MESA",
                  "Palitra.cambios=-COSA+MESA+SOL,Palitra.pal.anterior=CASAMESA "},
              Row{"+PAN\r\n", "MESA\r\n", "CASA,COSA,PAN", "Palitra.cambios=+PAN+SOL,Palitra.pal=MESA"},
              Row{"+CASA\r\n\x01\xfe", "", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.cambios.ilegible=+CASA\x01\xfe"},
              Row{"\r\n", "MESA\r\n", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.cambios.ilegible=,Palitra.pal=MESA"},
              Row{"/", "", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.cambios.ilegible=<unreadable>"},
              Row{"", "NI\xc3\x91O\r\n", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.pal.ilegible=NI\xc3\x91O"},
              Row{"", " \r\n", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.pal.ilegible= "},
              Row{"", "/dev/null", "CASA,COSA", "Palitra.cambios=+SOL,Palitra.pal.ilegible="}}) {
            QTemporaryDir dir;
            QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)); // for nobody
            const QString wrong = asAUser([&]() -> QString {
                const QString program = dir.filePath("program/Palitra.pal"), user = dir.filePath("user/Palitra.pal");
                const QString cambios = dir.filePath("user/Palitra.cambios");
                QDir().mkpath(dir.filePath("program")) && writeFile(program, "CASA\r\nCOSA\r\n")
                    && QDir().mkdir(dir.filePath("user"));
                changes == "/" ? QDir().mkdir(cambios) : changes.isEmpty() || writeFile(cambios, changes);
                wholeCopy.startsWith('/') ? QFile::link(wholeCopy, user)
                                          : wholeCopy.isEmpty() || writeFile(user, wholeCopy);
                const auto files = [&] {
                    QStringList all;
                    for (const QFileInfo& file :
                         QDir(dir.filePath("user"))
                             .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
                        all << file.fileName() + '=' + readFile(file.filePath()).replace("\r\n", "");
                    return all.join(',');
                };
                const QString before = files();
                for (const bool installed : {false, true}) {
                    QFile::setPermissions(dir.filePath("program"),
                                          QFile::ReadOwner | QFile::ExeOwner
                                              | (installed ? QFile::Permissions() : QFile::WriteOwner));
                    DictionaryStore store, next;
                    if (store.load(program, user) || wordsOf(store.dictionary()) != (installed ? played : "CASA,COSA")
                        || store.setAside().has_value() != (installed && userFiles.contains("ilegible")))
                        return "played with " + wordsOf(store.dictionary());
                    store.addWord("sol");
                    if (store.save() || next.load(program, user) || next.dictionary().findWord("SOL") == 0)
                        return "SOL not saved";
                    if (readFile(program) != (installed ? "CASA\r\nCOSA\r\n" : "CASA\r\nCOSA\r\nSOL\r\n")
                        || files() != (installed ? userFiles : before))
                        return "files: " + files();
                    writeFile(program, "CASA\r\nCOSA\r\n");
                }
                return QString();
            });
            QVERIFY2(wrong.isEmpty(), qPrintable(played + ' ' + userFiles));
        }
    }

    void copiesSavingAtOnceLoseNothing()
    {
        // Two copies of the program save different words at the same instant, 50 times on the list beside the
        // program and 50 times on the player's changes: every word is kept. A data folder that cannot be made is
        // named with the real reason.
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)); // for nobody
        const QString wrong = asAUser([&]() -> QString {
            const QString program = dir.filePath("program/Palitra.pal"), user = dir.filePath("user/Palitra.pal");
            const QByteArray list = countedWords(100'000);
            QDir().mkdir(dir.filePath("program"));
            for (int round = 0; round < 100; ++round) {
                QFile::setPermissions(dir.filePath("program"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                writeFile(program, list);
                QFile::remove(dir.filePath("user/Palitra.cambios"));
                if (round % 2) // installed for every user
                    QFile::setPermissions(dir.filePath("program"), QFile::ReadOwner | QFile::ExeOwner);
                DictionaryStore store, after;
                int gate[2];
                if (store.load(program, user) || ::pipe(gate) != 0)
                    return "no start";
                for (const char* word : {"ZZZA", "ZZZB"})
                    if (::fork() == 0) {
                        store.addWord(word);
                        ::close(gate[1]);
                        ::_exit(::read(gate[0], &round, 1) == 0 && !store.save() ? 0 : 1);
                    }
                ::close(gate[0]); // both save now
                ::close(gate[1]);
                int status = 0, failed = 0;
                while (::wait(&status) > 0)
                    failed += status != 0;
                if (failed || after.load(program, user) || !after.dictionary().findWord("ZZZA")
                    || !after.dictionary().findWord("ZZZB"))
                    return QStringLiteral("round %1 lost a word").arg(round);
            }
            QFile::setPermissions(dir.filePath("user"), QFile::ReadOwner | QFile::ExeOwner);
            DictionaryStore store;
            const QString folder = dir.filePath("user/inside/Palitra.pal");
            const std::optional<FileProblem> problem = store.load(program, folder) ? std::nullopt : store.save();
            return problem && problem->path == dir.filePath("user") && problem->systemError == EACCES
                ? ""
                : "the data folder's problem: " + (problem ? problem->path : "none");
        });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void overMemoryAndAFolderNotInUtf8()
    {
        // A list larger than the memory the program may have is a problem naming it, not an abort. A program in a
        // folder named in Latin-1 finds its list there and saves it there.
        QTemporaryDir dir;
        const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9";
        QVERIFY(::mkdir(latin1.constData(), 0700) == 0);
        const QString folder = programFolder(latin1 + "/palitra"), list = QDir(folder).filePath("Palitra.pal");
        DictionaryStore store;
        QVERIFY(writeFile(list, "CASA\r\n") && !store.load(list) && !store.addWord("sol").empty() && !store.save());
        QCOMPARE(readFile(list), "CASA\r\nSOL\r\n"); // through its descriptor, so in the folder itself
        for (const char* name : {"/Palitra.pal", "/.Palitra.pal.lock"}) // QTemporaryDir cannot name them
            ::unlink((latin1 + name).constData());
        ::rmdir(latin1.constData());
        QCOMPARE(programFolder("/usr/lib/palitra/palitra"), "/usr/lib/palitra");
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's memory map needs more than the limit
        const QString large = dir.filePath("large.pal");
        QVERIFY(writeFile(large, "CASA\r\n") && QFile::resize(large, 2'000'000'000));
        const pid_t child = ::fork();
        if (child == 0) {
            const rlimit memory{1'000'000'000, 1'000'000'000};
            const std::optional<FileProblem> problem =
                ::setrlimit(RLIMIT_AS, &memory) == 0 ? store.load(large) : std::nullopt;
            ::_exit(problem && problem->kind == FileProblem::Kind::NoMemory && problem->path == large ? 0 : 1);
        }
        int status = 1;
        QVERIFY(::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
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
        QTest::newRow("a link to a pipe") << "piped.pal" << qint64(-1) << "pipe";
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
            ::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600);
            QFile::link(dir.filePath("pipe"), dir.filePath("piped.pal"));
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
                || (problem
                    && problem->kind
                        != (target == "piped.pal" ? FileProblem::Kind::NotAFileToSave : FileProblem::Kind::NotSaved))
                || (problem && limit < 0 && !problem->systemError && target != "piped.pal"))
                return "the problem: " + (problem ? problem->path : "none");
            for (const char* name : {"Palitra.pal", "plain", "readonly.pal", "locked/Palitra.pal"})
                if (readFile(dir.filePath(name)) != (refusing.isEmpty() && target == name ? words : old))
                    return QStringLiteral("%1 changed").arg(name);
            const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
            struct stat pipe { };
            return files == QStringList{"Palitra.pal", "piped.pal", "plain", "readonly.pal"}
                    && ::stat(QFile::encodeName(dir.filePath("pipe")).constData(), &pipe) == 0 && S_ISFIFO(pipe.st_mode)
                ? ""
                  ""
                : "files left: " + files.join(',');
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
