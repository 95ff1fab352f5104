#include "dictionary/Dictionary.h"
#include "dictionary/WordListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

using palitra::Dictionary;
using palitra::WordListFile;

namespace {

std::string bytes(const QByteArray& array)
{
    return std::string(array.constData(), static_cast<std::size_t>(array.size()));
}

// The whole literal, NUL bytes included.
template <std::size_t N>
QByteArray raw(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Five-letter words from AAAAA upwards, one per line, in list order.
QByteArray countedWords(int count)
{
    QByteArray content;
    content.reserve(count * 7);
    for (int i = 0; i < count; ++i) {
        char word[5];
        for (int d = 4, n = i; d >= 0; --d, n /= 26)
            word[d] = static_cast<char>('A' + n % 26);
        content.append(word, 5).append("\r\n");
    }
    return content;
}

// Writes into another device and fails once `limit` bytes have gone through.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QIODevice& target, qint64 limit)
        : target_(target)
        , limit_(limit)
    {
    }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = std::min(length, limit_ - written_);
        if (room <= 0)
            return -1;
        const qint64 done = target_.write(data, room);
        if (done > 0)
            written_ += done;
        return done;
    }

private:
    QIODevice& target_;
    qint64 limit_;
    qint64 written_ = 0;
};

} // namespace

class BadWordListsTest : public QObject {
    Q_OBJECT

private slots:
    void readOddFile_data();
    void readOddFile();
    void saveIntoReadOnlyFolder();
    void saveOverReadOnlyFile();
    void saveFailingMidway_data();
    void saveFailingMidway();
};

void BadWordListsTest::readOddFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<int>("groups");
    QTest::addColumn<QByteArray>("lookup");
    QTest::addColumn<int>("lookupAt");
    QTest::addColumn<int>("saved"); // lines a save writes back: the entries that are not empty or blanks alone

    const QByteArray none;
    QTest::newRow("lone CR LF") << QByteArray("\r\n") << 1 << none << none << 0 << QByteArray("A") << 0 << 0;
    QTest::newRow("LF only") << QByteArray("ABACO\nABAD\nABADESA\n") << 3 << QByteArray("ABACO")
                             << QByteArray("ABADESA") << 1 << QByteArray("ABAD") << 2 << 3;
    QTest::newRow("bare CR") << QByteArray("ABACO\rABAD\r") << 2 << QByteArray("ABACO") << QByteArray("ABAD")
                             << 1 << QByteArray("ABAD") << 2 << 2;
    QTest::newRow("no final line end") << QByteArray("ABACO\r\nABAD\r\nABADESA") << 3 << QByteArray("ABACO")
                                       << QByteArray("ABADESA") << 1 << QByteArray("ABADESA") << 3 << 3;
    QTest::newRow("extra empty line") << QByteArray("ABACO\r\nABAD\r\n\r\n") << 3 << QByteArray("ABACO") << none
                                      << 1 << QByteArray("ABAD") << 2 << 2;
    const QByteArray longLine(10 * 1024 * 1024, 'A');
    QTest::newRow("10 MB line") << longLine + "\r\nCASA\r\n" << 2 << longLine << QByteArray("CASA") << 2
                                << QByteArray("CASA") << 2 << 2;
    QTest::newRow("NUL and control bytes")
        << raw("MA\0NO\r\n\x01\x02\x1F\r\nCASA\r\n") << 3 << raw("MA\0NO")
        << QByteArray("CASA") << 3 << QByteArray("\x01\x02\x1F") << 2 << 3;
    QTest::newRow("bytes 0x80-0x9F") << QByteArray("\x80\x81\r\n\x9F\x9E\x9D\r\nCASA\r\n") << 3
                                     << QByteArray("\x80\x81") << QByteArray("CASA") << 3
                                     << QByteArray("\x9F\x9E\x9D") << 2 << 3;
    // Entries keep their case; lookups compare exactly, so no upper-case word matches.
    QTest::newRow("lower case") << QByteArray("abaco\r\ncasa\r\n") << 2 << QByteArray("abaco")
                                << QByteArray("casa") << 2 << QByteArray("CASA") << 0 << 2;
    // Kept as read; only the first group of a prefix is searched, so the later CASO is missed.
    QTest::newRow("out of order") << QByteArray("CASA\r\nABACO\r\nCASO\r\n") << 3 << QByteArray("CASA")
                                  << QByteArray("CASO") << 3 << QByteArray("CASO") << 0 << 3;
    QTest::newRow("one and two letters") << QByteArray("A\r\nAB\r\nABC\r\nB\r\n") << 4 << QByteArray("A")
                                         << QByteArray("B") << 3 << QByteArray("AB") << 2 << 4;
    QTest::newRow("commas") << QByteArray("CASA,CASO\r\nPERRO\r\n") << 3 << QByteArray("CASA")
                            << QByteArray("PERRO") << 2 << QByteArray("CASO") << 2 << 3;
    // Quotation marks are part of the entry.
    QTest::newRow("quotes") << QByteArray("\"CASA\"\r\nPERRO\r\n") << 2 << QByteArray("\"CASA\"")
                            << QByteArray("PERRO") << 2 << QByteArray("CASA") << 0 << 2;
    // Blanks are part of the entry; an entry of blanks alone is not saved.
    QTest::newRow("blanks around words") << QByteArray(" CASA \r\n   \r\nPERRO\r\n") << 3
                                         << QByteArray(" CASA ") << QByteArray("PERRO") << 3 << QByteArray("CASA")
                                         << 0 << 2;
    QTest::newRow("1,000,000 lines") << countedWords(1'000'000) << 1'000'000 << QByteArray("AAAAA")
                                     << QByteArray("CEXHN") << 57 << QByteArray("BCLQU") << 500'001 << 1'000'000;
}

// An odd or damaged word-list file is read as documented, indexed, searchable and saved back without its blanks.
void BadWordListsTest::readOddFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, count);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, last);
    QFETCH(int, groups);
    QFETCH(QByteArray, lookup);
    QFETCH(int, lookupAt);
    QFETCH(int, saved);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Palitra.pal");
    QVERIFY(writeFile(path, content));

    const WordListFile::ReadResult result = WordListFile::read(path);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.entries.size(), std::size_t(count));
    QCOMPARE(result.entries.front(), bytes(first));
    QCOMPARE(result.entries.back(), bytes(last));

    const Dictionary dictionary(result.entries);
    QCOMPARE(dictionary.wordCount(), std::size_t(count));
    QCOMPARE(dictionary.prefixCount(), std::size_t(groups));
    QCOMPARE(dictionary.findWord(bytes(lookup)), std::size_t(lookupAt));
    if (!first.isEmpty())
        QCOMPARE(dictionary.findWord(bytes(first)), std::size_t(1));

    QString error;
    QVERIFY2(WordListFile::write(path, dictionary, &error), qPrintable(error));
    const WordListFile::ReadResult reread = WordListFile::read(path);
    if (saved == 0) {
        QVERIFY(!reread.ok); // nothing left to write: the saved file is empty
        return;
    }
    QVERIFY2(reread.ok, qPrintable(reread.error));
    QCOMPARE(reread.entries.size(), std::size_t(saved));
    std::vector<std::string> kept = result.entries;
    std::erase_if(kept, [](const std::string& entry) { return entry.find_first_not_of(' ') == std::string::npos; });
    QVERIFY(reread.entries == kept);
}

// A save into a read-only folder fails and leaves the old file byte for byte.
void BadWordListsTest::saveIntoReadOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("root writes into a read-only folder; the parent-is-a-file case covers the failure");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + "/Palitra.pal";
    QVERIFY(writeFile(path, "ABACO\r\nABAD\r\n"));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    QString error;
    const bool written = WordListFile::write(path, Dictionary({"CASA"}), &error);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(fileContent(path), QByteArray("ABACO\r\nABAD\r\n"));
}

// A read-only file is kept and the save fails naming it; only a user who may write it anyway (root) replaces it.
void BadWordListsTest::saveOverReadOnlyFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Palitra.pal");
    QVERIFY(writeFile(path, "ABACO\r\nABAD\r\n"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const bool mayWriteAnyway = QFileInfo(path).isWritable();

    QString error;
    const bool written = WordListFile::write(path, Dictionary({"CASA", "", "CASO"}), &error);
    if (mayWriteAnyway) {
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(fileContent(path), QByteArray("CASA\r\nCASO\r\n"));
    } else {
        QVERIFY(!written);
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(fileContent(path), QByteArray("ABACO\r\nABAD\r\n"));
    }
}

void BadWordListsTest::saveFailingMidway_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("fails");

    QTest::newRow("nothing written") << qint64(0) << true;
    QTest::newRow("inside a word") << qint64(9) << true;
    QTest::newRow("after 100 kB") << qint64(100'000) << true;
    QTest::newRow("room for everything") << qint64(1'000'000) << false;
}

// A save whose writing fails partway leaves the old file byte for byte and reports an error naming it.
void BadWordListsTest::saveFailingMidway()
{
    QFETCH(qint64, limit);
    QFETCH(bool, fails);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Palitra.pal");
    const QByteArray old("ABACO\r\nABAD\r\nABADESA\r\n");
    QVERIFY(writeFile(path, old));
    const QByteArray words = countedWords(30'000); // about 210 kB
    const Dictionary dictionary(WordListFile::parse(bytes(words)));

    QString error;
    const bool written = WordListFile::writeAtomically(
        path,
        [&](QIODevice& file) {
            FailingDevice device(file, limit);
            device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
            return WordListFile::writeTo(device, dictionary);
        },
        &error);

    QCOMPARE(written, !fails);
    QCOMPARE(fileContent(path), fails ? old : words);
    if (fails)
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Palitra.pal"});
}

QTEST_GUILESS_MAIN(BadWordListsTest)
#include "tst_bad_wordlists.moc"
