#include "core/board/Adjacency.h"

#include "core/board/Board.h"

#include <array>

namespace palitra {

namespace {

struct Direction {
    int rowDelta;
    int columnDelta;
};

constexpr std::array<Direction, DirectionCount> Directions{{
    {-1, 0},
    {-1, 1},
    {0, 1},
    {1, 1},
    {1, 0},
    {1, -1},
    {0, -1},
    {-1, -1},
}};

bool onBoard(int row, int column)
{
    return row >= 0 && row < BoardSide && column >= 0 && column < BoardSide;
}

} // namespace

int neighbourStep(int cell, int direction)
{
    if (cell < 0 || cell >= CellCount || direction < 1 || direction > DirectionCount)
        return 0;
    const Direction d = Directions[direction - 1];
    if (!onBoard(cell / BoardSide + d.rowDelta, cell % BoardSide + d.columnDelta))
        return 0;
    return d.rowDelta * BoardSide + d.columnDelta;
}

std::optional<int> stepDirection(int from, int to)
{
    for (int direction = 1; direction <= DirectionCount; ++direction) {
        const int step = neighbourStep(from, direction);
        if (step != 0 && from + step == to)
            return direction;
    }
    return std::nullopt;
}

bool areNeighbours(int a, int b)
{
    return stepDirection(a, b).has_value();
}

} // namespace palitra
