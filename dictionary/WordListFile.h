#pragma once

#include <QString>

#include <functional>
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
        bool ok = false;
        std::vector<std::string> entries; // in file order
        QString error;                    // Spanish, names the file and the reason
    };

    // Splits file content into entries: a field ends at a comma or a line end
    // (CR LF, a bare LF or a bare CR); the line end is consumed with its field;
    // an empty line gives an empty entry; a last line without a line end still
    // gives its entry; the line end after the last line gives none.
    static std::vector<std::string> parse(std::string_view bytes);

    // Reads and parses the file. A missing, unreadable or empty (0-byte) file
    // is an error.
    static ReadResult read(const QString& path);

    // The file's content for the dictionary's entries: every entry that is not
    // empty or blank, unchanged, followed by CR LF, in order.
    static std::string serialize(const Dictionary& dictionary);

    // Writes the file atomically: on failure the previous file stays whole and
    // `error` (Spanish, naming the file and the reason) is set.
    static bool write(const QString& path, const Dictionary& dictionary, QString* error);

    // Writes serialize(dictionary) to `device` piece by piece; false as soon
    // as a write fails.
    static bool writeTo(QIODevice& device, const Dictionary& dictionary);

    // Replaces the file at `path` with what `writeContent` writes, only if it
    // returns true and the file can be committed; otherwise the previous file
    // stays whole and `error` is set as for write().
    static bool writeAtomically(const QString& path, const std::function<bool(QIODevice&)>& writeContent,
                                QString* error);
};

} // namespace palitra
