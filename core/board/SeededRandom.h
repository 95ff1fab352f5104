#pragma once

#include "core/board/Random.h"

#include <cstdint>
#include <random>

namespace palitra {

// A uniform generator with a given seed: the program seeds it from the clock
// at start-up, tests with a fixed number.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint64_t seed);
    double next() override;

private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

} // namespace palitra
