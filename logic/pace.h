#pragma once

#include <string_view>

namespace zelkor {

// The longest interval an interval timer accepts, in milliseconds (about 24.8 days).
inline constexpr int kLongestTimerIntervalMs = 2'147'483'647;

// The run's pace from the interval box: its text read as seconds, times 1000, rounded
// half to even. Anything below 1 ms - zero, negative, non-numeric - gives 0, which
// stops the run's timer; anything above kLongestTimerIntervalMs is held at it.
int paceIntervalMs(std::string_view intervalText);

}  // namespace zelkor
