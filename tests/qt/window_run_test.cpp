#include "window_fixture.h"

namespace zelkor::testing {
namespace {

// Which problem a tick shows and what it says are the portable window's (its own test);
// here, that Qt's timers bring the ticks back to it and stop when it stops them.
class DrillWindowRun : public DrillWindowTest {};

TEST_F(DrillWindowRun, DefaultRunFlashesFiveProblemsAndEnds) {
    click(button(layout::kStartButton));
    EXPECT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
    EXPECT_EQ(window->portable().paceIntervalMs(), 1);
    ASSERT_TRUE(waitForRunEnd());

    EXPECT_FALSE(label(layout::kProgressLabel)->isVisible());
    EXPECT_FALSE(label(layout::kFlashLabel)->isVisible());
    EXPECT_EQ(label(layout::kFlashLabel)->text(), "");
    EXPECT_EQ(label(layout::kProgressLabel)->text(), QString::fromUtf8("第5道"));
    EXPECT_EQ(state().nextProblem, 5);
}

TEST_F(DrillWindowRun, ZeroIntervalHoldsTheRunAtTheFirstProblem) {
    type(textBox(layout::kIntervalBox), "0");
    click(button(layout::kStartButton));
    ASSERT_TRUE(waitForPaceToStop());
    // With the pace timer stopped no further tick can come.
    EXPECT_EQ(label(layout::kProgressLabel)->text(), QString::fromUtf8("第1道"));
    EXPECT_TRUE(label(layout::kFlashLabel)->isVisible());
    EXPECT_EQ(state().nextProblem, 1);
}

}  // namespace
}  // namespace zelkor::testing
