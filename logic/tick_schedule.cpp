#include "tick_schedule.h"

#include <limits>

namespace zelkor {

void TickSchedule::start(std::int64_t now, std::int64_t interval) {
    interval_ = interval;
    due_ = now + interval;
}

int TickSchedule::takeDue(std::int64_t now, MissedTicks missed) {
    if (!running() || now < due_) return 0;
    if (missed == MissedTicks::Skip) {
        // A late tick is not made up for, as with Qt's precise timers.
        due_ += interval_;
        if (due_ <= now) due_ = now + interval_;
        return 1;
    }
    const std::int64_t late = (now - due_) / interval_;
    const int count = late >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                              : static_cast<int>(late) + 1;
    due_ += static_cast<std::int64_t>(count) * interval_;
    return count;
}

}  // namespace zelkor
