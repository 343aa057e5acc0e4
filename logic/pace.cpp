#include "pace.h"

#include "number_reading.h"
#include "rounding.h"

namespace zelkor {

int paceIntervalMs(std::string_view intervalText) {
    const double milliseconds = roundHalfEven(readLeadingNumber(intervalText) * 1000.0);
    if (!(milliseconds >= 1.0)) return 0;
    if (milliseconds >= kLongestTimerIntervalMs) return kLongestTimerIntervalMs;
    return static_cast<int>(milliseconds);
}

}  // namespace zelkor
