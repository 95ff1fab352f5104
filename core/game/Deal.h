#pragma once

#include "core/board/Board.h"

namespace palitra {

class LetterBag;
class Random;

// One complete deal: 25 letters drawn from a fresh copy of the bag without
// putting any back, laid row by row from the top-left. Each draw is
// r = floor(x * 95) + 1; a position already dealt is drawn again.
Board dealBoard(const LetterBag& bag, Random& random);

} // namespace palitra
