#include "core/game/Scoring.h"

namespace palitra {

int wordPoints(std::size_t letters)
{
    switch (letters) {
    case 3:
    case 4: return 1;
    case 5: return 2;
    case 6: return 4;
    case 7: return 6;
    default: return 10;
    }
}

} // namespace palitra
