#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace palitra {

// A path of cells written as two decimal digits per cell, first cell first:
// cell 7 is "07", cell 12 is "12". The computer's paths are stored this way.
std::string cellText(int cell);

// The cells of a path text; a trailing odd character or a pair that is not
// two digits naming a cell 0..24 is skipped.
std::vector<int> pathCells(std::string_view pathText);

} // namespace palitra
