#pragma once

#include "core/game/Clock.h"

#include <QElapsedTimer>

namespace palitra {

// Seconds of a monotonic clock: a round keeps its length across midnight and
// changes of the system time.
class MonotonicClock final : public Clock {
public:
    MonotonicClock();
    double seconds() override;
    QDate today() override { return QDate::currentDate(); }

private:
    QElapsedTimer timer_;
};

} // namespace palitra
