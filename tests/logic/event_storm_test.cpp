// Random storms of the window's events against the drill, each event followed by the
// checks of what must always hold. Seeded: a failure names its sequence, and
// ZELKOR_STORM_SEED=<seed> replays just that one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "decimal_reading.h"
#include "drill_harness.h"
#include "storm_checks.h"

namespace zelkor {
namespace {

using testing::DrillHarness;
using testing::ExpectedSheet;

// The count's verdict worked out apart from the drill, with the standard library's
// exact decimal reading (std::from_chars, through readDecimal where a library lacks it). Blanks are
// removed and nan/inf refused first, as the drill reads neither. A number beyond a
// double's range counts as huge or as 0, by the place of its first significant digit.
double decimalMagnitude(const std::string& number) {
    long long place = 0;
    bool significant = false, afterPoint = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') afterPoint = true;
        if (c < '0' || c > '9') continue;
        if (c != '0') significant = true;
        if (significant && !afterPoint) ++place;
        if (!significant && afterPoint) --place;
    }
    const long long exponent = i < number.size() ? std::atoll(number.c_str() + i + 1) : 0;
    return static_cast<double>(place + exponent);
}

double countAsTyped(const std::string& text) {
    std::string compact;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') compact += c;
    }
    const bool negative = !compact.empty() && compact[0] == '-';
    if (!compact.empty() && (compact[0] == '-' || compact[0] == '+')) compact.erase(0, 1);
    if (compact.rfind("nan", 0) == 0 || compact.rfind("inf", 0) == 0) return 0;
    const DecimalReading reading = readDecimal(compact);
    double value = reading.value;
    if (reading.outOfRange) {
        const std::string number = compact.substr(0, reading.length);
        value = decimalMagnitude(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

class Storm {
  public:
    explicit Storm(unsigned long long seed) : harness_(seed), events_(seed * 7919 + 1) {}

    // Runs count random events, checking after each; returns the first broken rule.
    std::string run(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string event = step();
            const std::string broken = check();
            if (!broken.empty()) {
                return "after event " + std::to_string(i) + " (" + event + "): " + broken;
            }
        }
        return "";
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(events_); }

    std::string step() {
        DrillHarness& h = harness_;
        const int kind = pick(12);
        switch (kind) {
            case 0:
            case 1: {
                const int box = pick(12);
                h.clickBox(box, box < kProblemTypeCount ? !h.ticks[box] : false);
                return "type box " + std::to_string(box);
            }
            case 2:
                return start();
            case 3:
            case 4:
                return showSheet(kind == 3);
            case 5:
                h.drill.onStopClicked();
                return "stop";
            case 6:
            case 7:
            case 8:
                h.tickPace();
                return "pace tick";
            case 9:
                if (h.tickStopwatch()) ++stopwatchTicks_;
                return "stopwatch tick";
            default: {
                const auto& texts = testing::hostileTexts();
                (kind == 10 ? h.countText : h.intervalText) =
                    texts[pick(static_cast<int>(texts.size()))];
                return kind == 10 ? "count typed" : "interval typed";
            }
        }
    }

    std::string start() {
        const int before = harness_.view.rejections;
        const double count = countAsTyped(harness_.countText);
        harness_.drill.onStartClicked();
        const bool rejected = harness_.view.rejections != before;
        verdict_ = rejected != (count > 20 || count < 1) ? "count judged wrongly" : "";
        if (!rejected) sheet_.shown = false;
        return "start";
    }

    std::string showSheet(bool problems) {
        if (problems) {
            harness_.drill.onSheetClicked();
            stopwatchTicks_ = 0;
        } else {
            harness_.drill.onAnswersClicked();
        }
        sheet_ = {true, problems ? harness_.state().problemLines : harness_.state().answerLines};
        return problems ? "sheet" : "answers";
    }

    std::string check() const {
        if (!verdict_.empty()) return verdict_;
        if (harness_.state().elapsedMs != stopwatchTicks_ * 100.0) return "not 100 ms per tick";
        testing::StormSnapshot snapshot;
        snapshot.state = &harness_.state();
        snapshot.ticked = harness_.ticks;
        for (int i = 0; i < kSheetSize; ++i) {
            snapshot.sheet[i] = {harness_.view.sheet[i].visible, harness_.view.sheet[i].caption};
        }
        snapshot.stopwatchRunning = harness_.view.stopwatchRunning;
        snapshot.stopwatchReading = harness_.view.stopwatchReading;
        snapshot.stopwatchTicks = stopwatchTicks_;
        return testing::brokenRule(snapshot, sheet_);
    }

    DrillHarness harness_;
    std::mt19937_64 events_;
    ExpectedSheet sheet_;
    long long stopwatchTicks_ = 0;
    std::string verdict_;
};

TEST(EventStorm, InvariantsHoldThroughRandomSequencesOfEvents) {
    constexpr int kEventsPerSequence = 40;
    unsigned long long first = 1;
    unsigned long long last = testing::stormSequences(1000);
    if (const char* replay = std::getenv("ZELKOR_STORM_SEED")) first = last = std::stoull(replay);
    for (unsigned long long seed = first; seed <= last; ++seed) {
        Storm storm(seed);
        ASSERT_EQ(storm.run(kEventsPerSequence), "")
            << "sequence " << seed << " (replay with ZELKOR_STORM_SEED=" << seed << ")";
    }
    std::printf("event storm: %llu sequences, %llu events\n", last - first + 1,
                (last - first + 1) * kEventsPerSequence);
}

}  // namespace
}  // namespace zelkor
