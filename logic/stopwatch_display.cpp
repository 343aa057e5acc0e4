#include "stopwatch_display.h"

#include <cmath>

#include "rounding.h"

namespace zelkor {
namespace {

std::string wholeNumber(double value) { return std::to_string(static_cast<long long>(value)); }

}  // namespace

std::string stopwatchCaption(double elapsedMs) {
    // Wrapping in double keeps this exact and overflow-free however long it has run.
    const double minutes = std::fmod(std::floor(elapsedMs / 60000.0), 60.0);
    const double seconds = std::fmod(std::floor(elapsedMs / 1000.0), 60.0);
    const double tenths = std::fmod(roundHalfEven(elapsedMs / 100.0), 10.0);
    return wholeNumber(minutes) + ":" + wholeNumber(seconds) + ":" + wholeNumber(tenths);
}

}  // namespace zelkor
