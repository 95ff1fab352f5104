#pragma once

#include <cstddef>

namespace palitra {

// Points of a word by its number of letters: 3-4 -> 1, 5 -> 2, 6 -> 4,
// 7 -> 6, any other length -> 10.
int wordPoints(std::size_t letters);

} // namespace palitra
