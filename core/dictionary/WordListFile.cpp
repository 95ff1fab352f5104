#include "core/dictionary/WordListFile.h"

#include "core/dictionary/Dictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace palitra {

namespace {

constexpr std::size_t WriteChunk = 64 * 1024;

// Offsets into the list's buffer are 32-bit.
constexpr qint64 LargestList = 0xFFFF'FFFF - 1;

// How long a save waits for another copy of the program to finish its own.
constexpr int LockWaitMilliseconds = 20'000;

bool isBlankEntry(std::string_view entry)
{
    return std::all_of(entry.begin(), entry.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool writeAll(QIODevice& device, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.data() + done, static_cast<qint64>(bytes.size() - done));
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

WordListFile::ReadResult readFailure(FileProblem::Kind kind, const QString& path, int systemError = 0)
{
    WordListFile::ReadResult result;
    result.problem = FileProblem{kind, path, systemError};
    return result;
}

FileStamp stampOf(const struct stat& info)
{
    return FileStamp{std::uint64_t(info.st_dev), std::uint64_t(info.st_ino), std::int64_t(info.st_size),
                     std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Where a save of `path` lands: the file a link leads to, in the folder that
// holds it (both as they really are, so that a refusal names them).
struct SaveTarget {
    QString file;
    QString folder;
};

// The real name of what `path` leads to, or `path` itself when that name
// cannot be told in a QString (Qt reads names as UTF-8: a folder named in
// Latin-1 has none); empty when nothing is there.
QString realPath(const QString& path)
{
    char* real = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!real)
        return {};
    const QByteArray bytes(real);
    std::free(real);
    const QString name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes ? name : QFileInfo(path).absoluteFilePath();
}

SaveTarget saveTargetOf(const QString& path)
{
    const QFileInfo info(path);
    const QString file = info.exists() ? realPath(path) : QString();
    if (!file.isEmpty())
        return {file, QFileInfo(file).absolutePath()};
    const QString folder = realPath(info.absolutePath());
    return {folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName()),
            folder.isEmpty() ? info.absolutePath() : folder};
}

// Whether `name` is one of the temporary files that saving `list` makes
// (mkstemp's six letters or digits after the list's hidden name).
bool isTemporaryOf(const QString& name, const QString& list)
{
    const QString prefix = '.' + list + '.';
    return name.size() == prefix.size() + 6 && name.startsWith(prefix)
        && std::all_of(name.begin() + prefix.size(), name.end(),
                       [](QChar c) { return c.isDigit() || (c.unicode() < 128 && c.isLetter()); });
}

} // namespace

WordListFile::ReadResult WordListFile::read(const QString& path)
{
    try {
        return readWhole(path);
    } catch (const std::bad_alloc&) { // a list larger than the memory the program may have
        return readFailure(FileProblem::Kind::NoMemory, path);
    }
}

WordListFile::ReadResult WordListFile::readWhole(const QString& path)
{
    // Opened without waiting, so that a pipe is turned away instead of blocking.
    const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        const int error = errno;
        return readFailure(error == ENOENT      ? FileProblem::Kind::Missing
                               : error == ENXIO ? FileProblem::Kind::NotAFile // a socket
                                                : FileProblem::Kind::Unreadable,
                           path, error);
    }
    struct stat info { };
    if (::fstat(file.fd, &info) != 0)
        return readFailure(FileProblem::Kind::Unreadable, path, errno);
    if (S_ISDIR(info.st_mode))
        return readFailure(FileProblem::Kind::NotAFile, path, EISDIR);
    if (!S_ISREG(info.st_mode))
        return readFailure(FileProblem::Kind::NotAFile, path);
    if (info.st_size > LargestList)
        return readFailure(FileProblem::Kind::TooLarge, path);

    // A regular file may still grow while it is read: read to its end.
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        char more[4096];
        const bool full = done == bytes.size();
        const ssize_t got = full ? ::read(file.fd, more, sizeof more)
                                 : ::read(file.fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return readFailure(FileProblem::Kind::Unreadable, path, errno);
        if (got == 0)
            break;
        if (full)
            bytes.append(more, got);
        done += got;
        if (done > LargestList)
            return readFailure(FileProblem::Kind::TooLarge, path);
    }
    bytes.truncate(done);
    if (bytes.isEmpty())
        return readFailure(FileProblem::Kind::Empty, path);

    ReadResult result;
    result.dictionary = Dictionary::fromWordList(std::move(bytes));
    result.stamp = stampOf(info);
    return result;
}

std::optional<FileStamp> WordListFile::stamp(const QString& path)
{
    struct stat info { };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return stampOf(info);
}

bool WordListFile::writeTo(QIODevice& device, const Dictionary& dictionary)
{
    std::string chunk;
    chunk.reserve(WriteChunk + 256);
    for (std::size_t position = 1; position <= dictionary.wordCount(); ++position) {
        const std::string_view entry = dictionary.word(position);
        if (isBlankEntry(entry))
            continue;
        chunk += entry;
        chunk += "\r\n";
        if (chunk.size() >= WriteChunk) {
            if (!writeAll(device, chunk))
                return false;
            chunk.clear();
        }
    }
    return writeAll(device, chunk);
}

std::optional<FileProblem> WordListFile::write(const QString& path, const Dictionary& dictionary)
{
    return writeAtomically(path, [&dictionary](QIODevice& device) { return writeTo(device, dictionary); });
}

// The new list goes to a file of its own beside the old one, on the disk for
// sure, and only then takes the old one's name: the old list stays whole
// until the new one is.
std::optional<FileProblem> WordListFile::writeAtomically(const QString& path,
                                                         const std::function<bool(QIODevice&)>& writeContent)
{
    const SaveTarget target = saveTargetOf(path);
    const auto refused = [](const QString& who, int error) {
        return FileProblem{FileProblem::Kind::NotSaved, who, error};
    };
    struct stat old { };
    const bool replacing = ::stat(QFile::encodeName(target.file).constData(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        return refused(target.file, EISDIR);
    if (replacing && ::access(QFile::encodeName(target.file).constData(), W_OK) != 0)
        return refused(target.file, errno);

    if (replacing && !S_ISREG(old.st_mode))
        return FileProblem{FileProblem::Kind::NotAFileToSave, target.file, 0};

    QByteArray temporary =
        QFile::encodeName(target.folder + "/." + QFileInfo(target.file).fileName() + QStringLiteral(".XXXXXX"));
    const Descriptor file{::mkstemp(temporary.data())};
    if (file.fd < 0)
        return refused(target.folder, errno);
    const auto giveUp = [&](const QString& who, int error) {
        ::unlink(temporary.constData());
        return refused(who, error);
    };
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(file.fd, replacing ? old.st_mode & 07777 : 0666 & ~mask) != 0)
        return giveUp(target.folder, errno);

    QFile device;
    if (!device.open(file.fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return giveUp(target.folder, errno);
    errno = 0;
    const bool written = writeContent(device) && device.flush();
    if (!written)
        return giveUp(target.file, errno);
    if (::fsync(file.fd) != 0)
        return giveUp(target.file, errno);
    if (::rename(temporary.constData(), QFile::encodeName(target.file).constData()) != 0)
        return giveUp(target.file, errno);
    // The new name on the disk too: a power cut after this cannot bring the old list back.
    const Descriptor folder{::open(QFile::encodeName(target.folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd < 0 || (::fsync(folder.fd) != 0 && errno != EINVAL)) // EINVAL: a file system that cannot
        return refused(target.folder, errno);
    return std::nullopt;
}

std::optional<FileProblem> WordListFile::underLock(const QString& path,
                                                   const std::function<std::optional<FileProblem>()>& update)
{
    const SaveTarget target = saveTargetOf(path);
    const QString name = QFileInfo(target.file).fileName();
    // Read-only is enough for a lock, so a lock file that another user made serves all.
    const Descriptor lock{::open(QFile::encodeName(target.folder + "/." + name + ".lock").constData(),
                                 O_RDONLY | O_CREAT | O_CLOEXEC, 0666)};
    if (lock.fd < 0)
        return FileProblem{FileProblem::Kind::NotSaved, target.folder, errno};
    for (int waited = 0; ::flock(lock.fd, LOCK_EX | LOCK_NB) != 0; waited += 10) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= LockWaitMilliseconds)
            return FileProblem{FileProblem::Kind::NotSaved, target.file, errno};
        ::usleep(10'000);
    }
    const QDir folder(target.folder);
    for (const QString& file : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isTemporaryOf(file, name))
            ::unlink(QFile::encodeName(folder.filePath(file)).constData());
    return update(); // the lock goes with its descriptor
}

std::optional<FileProblem> WordListFile::makeFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0777) == 0)
        return std::nullopt;
    const int error = errno;
    const QString parent = QFileInfo(folder).absolutePath();
    struct stat info { };
    if (error == EEXIST && ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return std::nullopt;
    if (error == EEXIST)
        return FileProblem{FileProblem::Kind::NotSaved, folder, ENOTDIR};
    if (error == ENOENT && parent != folder) {
        if (auto problem = makeFolder(parent))
            return problem;
        return makeFolder(folder);
    }
    return FileProblem{FileProblem::Kind::NotSaved, parent, error}; // the folder that would not hold it
}

} // namespace palitra
