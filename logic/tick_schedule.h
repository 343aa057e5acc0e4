#pragma once

#include <cstdint>

namespace zelkor {

// What becomes of ticks that came due while nobody could deliver them (a busy or
// frozen thread, a hidden browser page woken once a second).
enum class MissedTicks {
    Skip,     // one tick for all of them; the next is due an interval after the late one
    CatchUp,  // every one of them, all at once
};

// The deadlines of an interval timer that keeps real time: each tick is due an interval
// after the one before was due, not after it was delivered, so neither the platform's
// timer granularity nor the time a handler takes adds up over a run. While ticks come
// on time they stay on the grid start + n x interval; a tick later than a whole interval
// moves the grid on when its missed ticks are skipped (MissedTicks). Times are in any
// one unit of a monotonic clock (a performance counter, microseconds).
class TickSchedule {
  public:
    // From now on a tick every interval, the first an interval from now; a running
    // schedule starts afresh. REQUIRES: interval > 0.
    void start(std::int64_t now, std::int64_t interval);
    void stop() { interval_ = 0; }
    bool running() const { return interval_ > 0; }

    // When the next tick is due. REQUIRES: running().
    std::int64_t nextDue() const { return due_; }

    // How many ticks are to be delivered at now (0 before the next deadline, and while
    // stopped), moving the next deadline on past them.
    int takeDue(std::int64_t now, MissedTicks missed);

  private:
    std::int64_t interval_ = 0;
    std::int64_t due_ = 0;
};

}  // namespace zelkor
