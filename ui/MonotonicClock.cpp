#include "ui/MonotonicClock.h"

namespace palitra {

MonotonicClock::MonotonicClock()
{
    timer_.start();
}

double MonotonicClock::seconds()
{
    return static_cast<double>(timer_.nsecsElapsed()) / 1e9;
}

} // namespace palitra
