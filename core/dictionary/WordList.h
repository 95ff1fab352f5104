#pragma once

#include "core/dictionary/Dictionary.h"

#include <string>
#include <string_view>

namespace palitra {

// The word list as the game uses it: the player's words are checked against
// it and may be added to it, the computer's words may be struck out of it,
// and the computer walks its dictionary or, when there is one, the list of
// common words within it. DictionaryStore keeps them in files; tests keep
// them in memory.
class WordList {
public:
    virtual ~WordList() = default;

    virtual const Dictionary& dictionary() const = 0;
    bool contains(std::string_view word) const { return dictionary().findWord(word) != 0; }
    // The common words, all of them in dictionary(); nullptr when there is no such list.
    virtual const Dictionary* commonWords() const { return nullptr; }

    // Inserts the upper-case form of `word` in its sorted place; returns that form.
    virtual std::string addWord(std::string_view word) = 0;
    // Takes `word` out of the list and the common words; the list counts as changed even when it was not there.
    virtual void strikeWord(std::string_view word) = 0;
};

} // namespace palitra
