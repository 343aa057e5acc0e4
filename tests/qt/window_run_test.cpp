#include <QElapsedTimer>

#include "problem_check.h"
#include "window_fixture.h"

namespace zelkor::testing {
namespace {

class DrillWindowRun : public DrillWindowTest {};

TEST_F(DrillWindowRun, DefaultRunFlashesFiveProblemsAndEnds) {
    click(button(layout::kStartButton));
    EXPECT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
    EXPECT_EQ(window->paceIntervalMs(), 1);
    ASSERT_TRUE(waitForRunEnd());

    EXPECT_FALSE(label(layout::kProgressLabel)->isVisible());
    EXPECT_FALSE(label(layout::kFlashLabel)->isVisible());
    EXPECT_EQ(label(layout::kFlashLabel)->text(), "");
    EXPECT_EQ(label(layout::kProgressLabel)->text(), QString::fromUtf8("第5道"));
    EXPECT_EQ(state().problemTotal, 5);
    EXPECT_EQ(state().nextProblem, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ruleViolation(0, state().answerLines[i]), "");
        EXPECT_EQ(state().answerLines[i].rfind(state().problemLines[i], 0), 0u);
    }
}

TEST_F(DrillWindowRun, ProgressCaptionFollowsTheProblemOnScreen) {
    type(textBox(layout::kIntervalBox), "0.05");
    type(textBox(layout::kCountBox), "3");
    click(button(layout::kStartButton));
    for (int k = 1; k <= 3; ++k) {
        const QString caption = QString::fromUtf8("第%1道").arg(k);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return label(layout::kProgressLabel)->text() == caption; }, 2000));
        EXPECT_EQ(label(layout::kFlashLabel)->text().toStdString(), state().problemLines[k - 1]);
    }
    ASSERT_TRUE(waitForRunEnd());
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
