#pragma once

#include <functional>

#include "tick_schedule.h"

namespace zelkor::web {

// An interval timer on absolute deadlines (tick n of a start at start + n x interval
// on the page's monotonic clock), woken by the page's setTimeout, which a busy page
// delays and a hidden one throttles to about once a second. Ticks missed meanwhile are
// skipped or caught up, as missed says. The page calls wake(); everything runs on the
// page's one thread.
class PreciseTimer {
  public:
    PreciseTimer(int id, MissedTicks missed, std::function<void()> onTick);
    ~PreciseTimer();
    PreciseTimer(const PreciseTimer&) = delete;
    PreciseTimer& operator=(const PreciseTimer&) = delete;

    // Ticks every intervalMs from now on; a running timer starts afresh.
    // REQUIRES: intervalMs > 0.
    void start(int intervalMs);
    void stop();
    bool isActive() const { return schedule_.running(); }
    int intervalMs() const { return intervalMs_; }

    // The page's wake-up: hands on the ticks that came due and asks for the next.
    void wake();

  private:
    void armForNextDue();

    int id_;
    MissedTicks missed_;
    std::function<void()> onTick_;
    TickSchedule schedule_;
    int intervalMs_ = 0;
    unsigned starts_ = 0;  // which start the ticks being handed on belong to
};

}  // namespace zelkor::web
