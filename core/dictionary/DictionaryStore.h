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
// Where the list beside the program can be written (a portable copy), that
// list is read and saved in place. Where it cannot (a program installed for
// every user), it stays as it is: the player's own changes, the words added
// and struck out in order, are kept in a small file of the player's
// (Palitra.cambios, one "+WORD" or "-WORD" a line, Windows-1252) and put on
// top of it at every start, so that a newer list from an upgrade reaches the
// player with the player's words. A save goes onto what another copy of the
// program saved meanwhile, under a lock, so that neither copy's words are lost.
class DictionaryStore final : public WordList {
public:
    // Reads `besideProgram`; the list is unchanged afterwards. `userCopy` is
    // the player's data folder's Palitra.pal, where earlier versions kept a
    // whole list of the player's: when the list beside the program cannot be
    // written, the changes go beside it, and such a whole list becomes
    // changes (its difference from the list beside the program) and is kept
    // aside as Palitra.pal.anterior. A file of the player's that cannot be
    // read or makes no sense is set aside (see setAside()), and the game
    // starts without it. On a problem with the list itself the store keeps
    // what it had.
    std::optional<FileProblem> load(const QString& besideProgram, const QString& userCopy = {});
    // Reads the common words, after load(): only those the list holds are
    // kept. On a problem there are none. The file is never written.
    std::optional<FileProblem> loadCommon(const QString& path);

    // Writes the list, atomically, where it was read, or else adds this run's
    // changes to the player's file, creating its folder.
    std::optional<FileProblem> save();

    const Dictionary& dictionary() const override { return dictionary_; }
    const Dictionary* commonWords() const override { return common_ ? &*common_ : nullptr; }
    // Where the list was read from.
    const QString& path() const { return path_; }
    // Where save() writes: the list, or the player's changes.
    const QString& savePath() const { return savePath_; }
    // The player's file that the last load() set aside, for the player to be
    // told once; none when all was well.
    const std::optional<SetAside>& setAside() const { return setAside_; }

    // Whether a word was added or struck out since the list was read; a word
    // added and struck out again still counts.
    bool changed() const { return !changes_.empty(); }

    // Inserts the upper-case form of `word` in its sorted place; returns that form.
    std::string addWord(std::string_view word) override;

    // Empties the first entry equal to `word`, if any, in the list and the
    // common words. The list counts as changed even when there was none.
    void strikeWord(std::string_view word) override;

    struct Change {
        bool added; // else struck out
        std::string word;
        bool operator==(const Change&) const = default;
    };

private:
    std::optional<FileProblem> saveList();
    std::vector<Change> playersChanges();
    std::optional<FileProblem> addChanges(const std::vector<Change>& changes);
    void takeOverWholeCopy(const QString& userCopy);

    QString path_;
    QString savePath_;
    FileStamp stamp_;
    Dictionary dictionary_;
    std::vector<Change> carried_; // from an earlier version's whole copy, not yet written
    std::optional<Dictionary> common_;
    std::vector<Change> changes_;
    std::optional<SetAside> setAside_;
};

} // namespace palitra
