#pragma once

namespace palitra {

// Monotonic seconds, for the round's countdown. Tests advance it by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
};

} // namespace palitra
