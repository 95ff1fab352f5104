#include "core/opponent/PathText.h"

#include "core/game/Board.h"

namespace palitra {

std::string cellText(int cell)
{
    return {static_cast<char>('0' + cell / 10), static_cast<char>('0' + cell % 10)};
}

std::vector<int> pathCells(std::string_view pathText)
{
    std::vector<int> cells;
    for (std::size_t i = 0; i + 1 < pathText.size(); i += 2) {
        const char tens = pathText[i];
        const char units = pathText[i + 1];
        if (tens < '0' || tens > '9' || units < '0' || units > '9')
            continue;
        const int cell = (tens - '0') * 10 + (units - '0');
        if (cell < CellCount)
            cells.push_back(cell);
    }
    return cells;
}

} // namespace palitra
