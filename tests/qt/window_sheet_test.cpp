#include "problem_check.h"
#include "window_fixture.h"

namespace zelkor::testing {
namespace {

class DrillWindowSheet : public DrillWindowTest {
  protected:
    void pressSpace() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }
    bool stopwatchRuns() const { return window->stopwatchTicking(); }
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

// The road of one run: tick a type, 出题 with 5, wait for the end tick, 式题, space, 答案.
TEST_F(DrillWindowSheet, RoadOfOneRun) {
    click(typeBox(1));  // 两位数加两位数
    type(textBox(layout::kCountBox), "5");
    click(button(layout::kStartButton));
    ASSERT_TRUE(waitForRunEnd());
    EXPECT_FALSE(label(layout::kFlashLabel)->isVisible());
    EXPECT_FALSE(label(layout::kProgressLabel)->isVisible());

    click(button(layout::kSheetButton));
    QStringList problems;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(sheet(i)->isVisible(), i < 5) << i;
        if (i < 5) problems << sheet(i)->text();
    }
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(separator(i)->isVisible());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return label(layout::kStopwatchLabel)->text() == "0:0:3"; }, 2000));
    pressSpace();
    const QString time = label(layout::kStopwatchLabel)->text();
    click(button(layout::kAnswersButton));
    EXPECT_EQ(label(layout::kStopwatchLabel)->text(), time);

    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QString answer = sheet(i)->text();
        EXPECT_TRUE(answer.startsWith(problems[i]));
        EXPECT_TRUE(problems[i].endsWith('='));
        EXPECT_EQ(ruleViolation(1, answer.toStdString()), "");
    }
}

}  // namespace
}  // namespace zelkor::testing
