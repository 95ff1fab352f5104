#pragma once

#include <optional>

namespace palitra {

// Board geometry shared by the player's tile entry and the computer's walk.
// Directions are numbered 1..8 clockwise from up:
//   1 up (-5), 2 up-right (-4), 3 right (+1), 4 down-right (+6),
//   5 down (+5), 6 down-left (+4), 7 left (-1), 8 up-left (-6).
constexpr int DirectionCount = 8;

// The offset in cell numbers of the neighbour of `cell` in `direction`, or 0
// when that neighbour would lie off the board.
int neighbourStep(int cell, int direction);

// The direction whose offset leads from `from` to its neighbour `to`, or
// nothing when the two cells do not touch.
std::optional<int> stepDirection(int from, int to);

// True when the two cells are different and touch by side or corner.
bool areNeighbours(int a, int b);

} // namespace palitra
