#pragma once

#include <string>

namespace zelkor {

// The stopwatch reading of elapsedMs as "minutes:seconds:tenths", plain decimal
// without leading zeros; the minutes wrap from 59 to 0 (3661500 ms reads "1:1:5").
// REQUIRES: elapsedMs >= 0.
std::string stopwatchCaption(double elapsedMs);

}  // namespace zelkor
