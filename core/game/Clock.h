#pragma once

#include <QDate>

namespace palitra {

// Monotonic seconds, for the round's countdown, and the day, for the record
// of games. Tests set both by hand.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
    virtual QDate today() = 0;
};

} // namespace palitra
