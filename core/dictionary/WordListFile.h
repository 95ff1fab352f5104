#pragma once

#include "core/dictionary/FileProblem.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace palitra {

class Dictionary;

// Reading and writing the word-list file (Windows-1252, one word per line,
// CR LF after every line).
class WordListFile {
public:
    struct ReadResult {
        std::vector<std::string> entries; // in file order
        std::optional<FileProblem> problem;
        bool ok() const { return !problem; }
    };

    // Splits file content into entries: a field ends at a comma or a line end
    // (CR LF, a bare LF or a bare CR); the line end is consumed with its field;
    // an empty line gives an empty entry; a last line without a line end still
    // gives its entry; the line end after the last line gives none.
    static std::vector<std::string> parse(std::string_view bytes);

    // Reads and parses the file. A missing, unreadable or empty (0-byte) file
    // is an error.
    static ReadResult read(const QString& path);

    // Writes the file atomically: on failure the previous file stays whole.
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
};

} // namespace palitra
