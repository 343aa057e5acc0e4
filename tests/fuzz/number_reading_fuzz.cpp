// libFuzzer target for the reading of typed numbers, the only place where the user's
// text meets the drill's arithmetic. Besides crashes and sanitizer reports it checks
// the properties every reading must have.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "number_reading.h"
#include "pace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = zelkor::readLeadingNumber(text);
    if (!std::isfinite(value)) __builtin_trap();  // never NaN, never infinite

    // A character that cannot continue a number changes nothing when appended...
    std::string extended(text);
    extended += 'x';
    if (zelkor::readLeadingNumber(extended) != value) __builtin_trap();

    // ...and blanks are skipped wherever they stand.
    std::string spaced(text);
    spaced.insert(spaced.size() / 2, " \t");
    if (zelkor::readLeadingNumber(spaced) != value) __builtin_trap();

    const int pace = zelkor::paceIntervalMs(text);
    if (pace < 0 || pace > zelkor::kLongestTimerIntervalMs) __builtin_trap();
    return 0;
}
