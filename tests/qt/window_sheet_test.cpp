#include "window_fixture.h"

namespace zelkor::testing {
namespace {

// The keys of the sheet and the stopwatch as Qt delivers them; what the sheet shows is
// the portable window's (its own test).
class DrillWindowSheet : public DrillWindowTest {
  protected:
    void pressSpace() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }
    bool stopwatchRuns() const { return window->portable().stopwatchRunning(); }
};

TEST_F(DrillWindowSheet, SpaceAtStartPressesAnswerWhichShowsOnlyTheLines) {
    pressSpace();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(separator(i)->isVisible());
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(sheet(i)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
}

TEST_F(DrillWindowSheet, AfterStartTheSpaceBarStopsARunningStopwatch) {
    click(button(layout::kStartButton));
    EXPECT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
    ASSERT_TRUE(waitForRunEnd());
    click(button(layout::kSheetButton));
    EXPECT_TRUE(stopwatchRuns());
    EXPECT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return label(layout::kStopwatchLabel)->text() == "0:0:2"; }, 2000));
    pressSpace();
    EXPECT_FALSE(stopwatchRuns()) << "a stopped timer delivers no further tick";
    QCoreApplication::processEvents();
    EXPECT_EQ(label(layout::kStopwatchLabel)->text(), "0:0:2");
}

TEST_F(DrillWindowSheet, AfterClickingATypeBoxTheSpaceBarTogglesThatBox) {
    click(button(layout::kSheetButton));
    ASSERT_TRUE(stopwatchRuns());
    click(typeBox(3));
    ASSERT_TRUE(typeBox(3)->isChecked());
    EXPECT_EQ(state().types.typeCount, 1);
    pressSpace();
    EXPECT_FALSE(typeBox(3)->isChecked());
    EXPECT_EQ(state().types.typeCount, 0) << "the keyboard toggle rebuilds the list too";
    EXPECT_TRUE(stopwatchRuns());
}

}  // namespace
}  // namespace zelkor::testing
