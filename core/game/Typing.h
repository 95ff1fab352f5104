#pragma once

#include "core/board/Board.h"

#include <vector>

namespace palitra {

// Playing from the keyboard.

// The board's letter for a typed character: A-Z and Ñ in either case, the
// vowels with an accent or a diaeresis as the plain vowel (á, é, í, ó, ú, ü);
// 0 for anything else. Letters are Windows-1252 bytes ('\xD1' is Ñ).
char typedLetter(char32_t character);

// The paths that spell one letter more: each of `paths` extended through a
// tile that touches its last tile, holds `letter` and is not on it yet, in
// the order of the paths and then of the directions, clockwise from up. An
// empty path takes any tile holding the letter, in cell order.
std::vector<std::vector<int>> extendPaths(const Board& board, const std::vector<std::vector<int>>& paths, char letter);

} // namespace palitra
