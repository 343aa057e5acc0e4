#pragma once

#include <string>

#include "drill.h"
#include "recording_view.h"
#include "scripted_random.h"

namespace zelkor::testing {

// A Drill on a recording view, with the boxes' texts and ticks as a user leaves them;
// its timers tick only when the test says so, and only while running, as real ones do.
struct DrillHarness {
    explicit DrillHarness(unsigned long long seed = 1) : random(seed) {}

    RecordingView view;
    SeededRandom random;
    Drill drill{view, random};
    std::string& countText = view.typedCount;
    std::string& intervalText = view.typedInterval;
    TypeTicks ticks{};

    const DrillState& state() const { return drill.state(); }

    bool tickPace() {
        if (view.paceIntervalMs <= 0) return false;
        drill.onPaceTick();
        return true;
    }
    bool tickStopwatch() {
        if (!view.stopwatchRunning) return false;
        drill.onStopwatchTick();
        return true;
    }
    // Ticks the pace until it stops (at most limit ticks); returns how many ticks came.
    int runToEnd(int limit = 100) {
        int ticks = 0;
        while (ticks < limit && tickPace()) ++ticks;
        return ticks;
    }
    // A click on type box 0..11 that leaves it ticked or not; the placeholder boxes
    // 9..11 change no tick the drill sees, but their clicks rebuild the list all the same.
    void clickBox(int box, bool ticked) {
        if (box < kProblemTypeCount) ticks[box] = ticked;
        drill.onTypeBoxesChanged(ticks);
    }
    void startRun(const std::string& count) {
        countText = count;
        drill.onStartClicked();
    }
};

}  // namespace zelkor::testing
