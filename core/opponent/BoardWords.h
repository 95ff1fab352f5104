#pragma once

#include "core/board/Board.h"

#include <cstddef>
#include <string>
#include <vector>

namespace palitra {

class Dictionary;

// Who listed a word of the board in the round: the window that lists the
// board's words after a round marks each one.
enum class FoundBy { Nobody, Player, Computer, ComputerStruck };

struct BoardWord {
    std::string word;         // Windows-1252 letters
    std::vector<int> path;    // one path of touching cells that spells it, first letter first
    std::size_t position = 0; // its 1-based position in the dictionary
    FoundBy foundBy = FoundBy::Nobody;
};

// Every word of the dictionary, three letters or more, that a path of
// touching tiles spells on `board`, each once with the first path the
// computer's walk takes to it: the walk is run from cell 0 to cell 24 at
// once, unpaced. Longest first, then in the dictionary's order.
std::vector<BoardWord> boardWords(const Board& board, const Dictionary& dictionary);

} // namespace palitra
