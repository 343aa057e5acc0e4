#pragma once

#include <array>
#include <string>
#include <vector>

#include "drill.h"

// What the two event storms share: the hostile texts they type, what must always hold
// after any event, and how many sequences to run.
namespace zelkor::testing {

// Texts a user could type or paste into the count and interval boxes: numbers at and
// around every limit, blanks, signs, exponents, non-ASCII digits, control bytes,
// invalid UTF-8 and a megabyte of digits.
const std::vector<std::string>& hostileTexts();

// One look at the drill and its window, taken the same way by either storm.
struct StormSnapshot {
    const DrillState* state = nullptr;
    TypeTicks ticked{};  // the type boxes as the user left them
    struct SheetLabel {
        bool visible = false;
        std::string caption;
    };
    std::array<SheetLabel, kSheetSize> sheet{};
    bool stopwatchRunning = false;
    std::string stopwatchReading;
    long long stopwatchTicks = 0;  // ticks since the latest 式题, as the storm counted them
};

// What the sheet must show: nothing until a sheet button is pressed, then the lines it
// showed, until an accepted start hides them.
struct ExpectedSheet {
    bool shown = false;
    std::vector<std::string> lines;
};

// The first rule the snapshot breaks, or "" when every rule holds: the run stays within
// its arrays; the sheet shows what was last laid out; every answer line extends its
// problem line and obeys one type's rules; the
// type list is exactly the ticked boxes; a running stopwatch reads its ticks as
// minutes:seconds:tenths, counted in whole ticks here rather than by the drill's own
// formatting.
std::string brokenRule(const StormSnapshot& snapshot, const ExpectedSheet& expected);

// The number of sequences to run: ZELKOR_STORM_SEQUENCES when set (ctest sets it for
// the long storms of the full suite), otherwise byHand, for a storm run by hand.
int stormSequences(int byHand);

}  // namespace zelkor::testing
