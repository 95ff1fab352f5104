#pragma once

#include <array>

namespace palitra {

// The 25 tiles' letters, cell n at index n, numbered row by row from the
// top-left (row = n / 5, column = n % 5). Letters are Windows-1252 bytes
// ('\xD1' is Ñ); 0 marks a tile with no letter.
constexpr int BoardSide = 5;
constexpr int CellCount = BoardSide * BoardSide;
using Board = std::array<char, CellCount>;

} // namespace palitra
