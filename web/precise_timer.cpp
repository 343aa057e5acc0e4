#include "precise_timer.h"

#include <utility>

#include "page.h"

namespace zelkor::web {

PreciseTimer::PreciseTimer(int id, MissedTicks missed, std::function<void()> onTick)
    : id_(id), missed_(missed), onTick_(std::move(onTick)) {}

PreciseTimer::~PreciseTimer() { page::cancelWake(id_); }

void PreciseTimer::start(int intervalMs) {
    intervalMs_ = intervalMs;
    ++starts_;
    schedule_.start(page::nowMicroseconds(), static_cast<std::int64_t>(intervalMs) * 1000);
    armForNextDue();
}

void PreciseTimer::stop() {
    intervalMs_ = 0;
    ++starts_;
    schedule_.stop();
    page::cancelWake(id_);
}

void PreciseTimer::wake() {
    const unsigned start = starts_;
    const int due = schedule_.takeDue(page::nowMicroseconds(), missed_);
    // A tick may stop or restart the timer: the ticks still owed are then void.
    for (int i = 0; i < due && start == starts_; ++i) onTick_();
    if (start == starts_) armForNextDue();
}

void PreciseTimer::armForNextDue() {
    if (!schedule_.running()) return;
    const std::int64_t left = schedule_.nextDue() - page::nowMicroseconds();
    page::wakeAfter(id_, left > 0 ? left : 0);
}

}  // namespace zelkor::web
