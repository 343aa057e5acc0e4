#pragma once

#include <memory>

#include "drill_form.h"
#include "fake_controls.h"
#include "scripted_random.h"

namespace zelkor::testing {

// A DrillForm on fake controls, with timers that tick only when the test says so
// and only while their interval is positive, as real timers do.
struct DrillHarness {
    explicit DrillHarness(unsigned long long seed = 1) : random(seed) {}

    FakeWindow window;
    SeededRandom random;
    DrillForm form{window.controls(), random};

    const FormState& state() const { return form.state(); }

    bool tickTimer1() {
        if (window.timer1.intervalMs <= 0) return false;
        form.Timer1_Timer();
        return true;
    }
    bool tickTimer2() {
        if (window.timer2.intervalMs <= 0) return false;
        form.Timer2_Timer();
        return true;
    }
    // Ticks Timer1 until it stops (at most limit ticks); returns how many ticks came.
    int runToEnd(int limit = 100) {
        int ticks = 0;
        while (ticks < limit && tickTimer1()) ++ticks;
        return ticks;
    }
    void setTicked(int index, bool ticked) {
        window.check1[index].ticked = ticked;
        form.Check1_Click(index);
    }
    void startRun(const std::string& count) {
        window.text1.content = count;
        form.Command1_Click();
    }
};

}  // namespace zelkor::testing
