#pragma once

#include "core/dictionary/Dictionary.h"
#include "core/dictionary/FileProblem.h"
#include "core/dictionary/WordList.h"
#include "core/dictionary/WordListFile.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace palitra {

// The word list the program plays with: read once at start-up, changed by the
// words the player adds and strikes out, and written back at most once, at
// exit, when it changed.
//
// Two places hold it: the list beside the program, and the user's own copy,
// which is read when there is one. A list that cannot be written where it was
// read (a program installed for every user) is saved to the user's copy. A
// list that another copy of the program saved meanwhile is read again and
// this run's own changes applied to it, so that neither run's words are lost.
class DictionaryStore final : public WordList {
public:
    // Reads `userCopy` when there is such a file, else `besideProgram`; the
    // list is unchanged afterwards. On a problem the store keeps what it had.
    std::optional<FileProblem> load(const QString& besideProgram, const QString& userCopy = {});
    // Reads the common words, after load(): only those the list holds are
    // kept. On a problem there are none. The file is never written.
    std::optional<FileProblem> loadCommon(const QString& path);

    // Writes the list, atomically, where it was read or else to the user's
    // copy, creating its folder.
    std::optional<FileProblem> save();

    const Dictionary& dictionary() const override { return dictionary_; }
    const Dictionary* commonWords() const override { return common_ ? &*common_ : nullptr; }
    // Where the list was read from.
    const QString& path() const { return path_; }
    // Where save() writes.
    QString savePath() const;

    // Whether a word was added or struck out since the list was read; a word
    // added and struck out again still counts.
    bool changed() const { return !changes_.empty(); }

    // Inserts the upper-case form of `word` in its sorted place; returns that form.
    std::string addWord(std::string_view word) override;

    // Empties the first entry equal to `word`, if any, in the list and the
    // common words. The list counts as changed even when there was none.
    void strikeWord(std::string_view word) override;

private:
    struct Change {
        bool added; // else struck out
        std::string word;
    };

    QString path_;
    QString userCopy_;
    FileStamp stamp_;
    Dictionary dictionary_;
    std::optional<Dictionary> common_;
    std::vector<Change> changes_;
};

} // namespace palitra
