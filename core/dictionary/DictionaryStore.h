#pragma once

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/FileProblem.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace palitra {

// The word list the program plays with: read from its file once at start-up,
// changed by the words the player adds and strikes out, and written back at
// most once, at exit, when it changed.
class DictionaryStore {
public:
    // Reads the list at `path`; it is unchanged afterwards. On a problem the
    // store keeps the list it had.
    std::optional<FileProblem> load(const QString& path);

    // Writes the list, atomically, to the file it was read from.
    std::optional<FileProblem> save() const;

    const Dictionary& dictionary() const { return dictionary_; }
    const QString& path() const { return path_; }

    // Whether a word was added or struck out since the list was read; a word
    // added and struck out again still counts.
    bool changed() const { return changed_; }

    // Inserts the upper-case form of `word` in its sorted place; returns that form.
    std::string addWord(std::string_view word);

    // Empties the first entry equal to `word`, if any. The list counts as
    // changed even when there was none.
    void strikeWord(std::string_view word);

private:
    QString path_;
    Dictionary dictionary_;
    bool changed_ = false;
};

} // namespace palitra
