#include "core/game/Deal.h"

#include "core/game/LetterBag.h"
#include "core/board/Random.h"

namespace palitra {

namespace {

// Position 1..95 for a uniform x in [0, 1). A source that strays outside that
// range (or returns NaN) still lands on a valid position.
int drawPosition(Random& random)
{
    const double scaled = random.next() * LetterBag::Size;
    if (!(scaled >= 0.0))
        return 1;
    if (scaled >= LetterBag::Size)
        return LetterBag::Size;
    return static_cast<int>(scaled) + 1;
}

} // namespace

Board dealBoard(const LetterBag& bag, Random& random)
{
    std::array<char, LetterBag::Size + 1> remaining{};
    for (int position = 1; position <= LetterBag::Size; ++position)
        remaining[position] = bag.at(position);

    Board board{};
    for (char& tile : board) {
        int position = drawPosition(random);
        while (remaining[position] == 0)
            position = drawPosition(random);
        tile = remaining[position];
        remaining[position] = 0;
    }
    return board;
}

} // namespace palitra
