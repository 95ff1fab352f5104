#pragma once

namespace palitra {

// The source of every random draw in the game: the deal and the computer's
// choice of start cells. Tests replace it with a seeded or scripted source.
class Random {
public:
    virtual ~Random() = default;
    // A uniform number in [0, 1).
    virtual double next() = 0;
};

} // namespace palitra
