#include "precise_timer.h"

namespace zelkor {

PreciseTimer::PreciseTimer(std::function<void()> onTick) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

void PreciseTimer::setInterval(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 0;
    if (interval_ == 0) {
        timer_.stop();
    } else {
        timer_.start(interval_);
    }
}

}  // namespace zelkor
