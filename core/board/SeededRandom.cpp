#include "core/board/SeededRandom.h"

namespace palitra {

SeededRandom::SeededRandom(std::uint64_t seed)
    : engine_(seed)
{
}

double SeededRandom::next()
{
    return uniform_(engine_);
}

} // namespace palitra
