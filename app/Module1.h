#pragma once

#include "dictionary/Dictionary.h"
#include "dictionary/LetterBag.h"
#include "game/GameOptions.h"

#include <QString>

namespace palitra {

// The program's shared state, alive for the whole run: the word list with its
// index, the letter bag, the options of the current game, the program's
// folder and whether the word list was changed during the run.
struct Module1 {
    QString appPath;
    Dictionary dictionary;
    LetterBag letterBag;
    GameOptions options;
    bool dictionaryChanged = false;

    // The word-list file beside the program.
    QString wordListPath() const;
};

} // namespace palitra
