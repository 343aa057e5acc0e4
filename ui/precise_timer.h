#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "controls.h"

namespace zelkor {

// An interval timer on a Qt::PreciseTimer. Qt schedules each tick of a precise timer
// from the time the previous one was due, not from when it was handled, so small
// delays in handling never add up. Setting a positive interval (re)starts the count
// from now; 0 stops the timer, and a stopped timer costs nothing.
class PreciseTimer final : public IntervalTimer {
  public:
    explicit PreciseTimer(std::function<void()> onTick);

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    bool isTicking() const { return timer_.isActive(); }

  private:
    QTimer timer_;
    int interval_ = 0;
};

}  // namespace zelkor
