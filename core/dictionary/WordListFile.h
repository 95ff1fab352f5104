#pragma once

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/FileProblem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace palitra {

// Which file, of what size, last written when: a file saved by another
// program since it was read has another stamp.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1;
    std::int64_t modified = 0; // nanoseconds
    bool operator==(const FileStamp&) const = default;
};

// Reading and writing the word-list file (Windows-1252, one word per line,
// CR LF after every line).
class WordListFile {
public:
    struct ReadResult {
        Dictionary dictionary; // the file's fields (see Fields.h), in order
        FileStamp stamp;       // the file as it was read
        std::optional<FileProblem> problem;
        bool ok() const { return !problem; }
    };

    // Reads the file into a dictionary. Only a regular file is read: a
    // folder, a device, a pipe or a socket is turned away at once, as is a
    // missing, unreadable, empty (0-byte) or too large (4 GB) file.
    static ReadResult read(const QString& path);

    // The file at `path` as it is now, if there is one.
    static std::optional<FileStamp> stamp(const QString& path);

    // Writes the file atomically: on failure the previous file stays whole.
    // A link is followed, and a refusal names the file or the folder that
    // refused. Only a regular file is replaced: a device, a pipe or a socket in
    // its place (or behind its link) is refused.
    static std::optional<FileProblem> write(const QString& path, const Dictionary& dictionary);

    // Writes the file's content to `device` piece by piece: every entry that
    // is not empty or blank, unchanged, followed by CR LF, in order. False as
    // soon as a write fails.
    static bool writeTo(QIODevice& device, const Dictionary& dictionary);

    // Replaces the file at `path` with what `writeContent` writes, only if it
    // returns true and the file can be committed; otherwise the previous file
    // stays whole and the problem is returned.
    static std::optional<FileProblem> writeAtomically(const QString& path,
                                                      const std::function<bool(QIODevice&)>& writeContent);

    // Runs `update` (which reads and writes the file at `path`) while this
    // program holds the file's lock, so that two copies of the program never
    // save it at once. The lock is `.NAME.lock` beside the file a link leads
    // to, held by the system for the holder's life (a copy that is killed
    // lets it go); another copy is waited for up to 20 s. Under the lock, the
    // temporary files that a save cut short by a kill or a crash left
    // beside the file are removed first: no live copy writes one then.
    static std::optional<FileProblem> underLock(const QString& path,
                                                const std::function<std::optional<FileProblem>()>& update);

    // Creates `folder` and the folders above it that are missing; a refusal
    // names the folder that refused, with the system's reason.
    static std::optional<FileProblem> makeFolder(const QString& folder);

private:
    static ReadResult readWhole(const QString& path);
};

} // namespace palitra
