#include "form1_fixture.h"
#include "problem_check.h"

namespace zelkor::testing {
namespace {

class Form1Sheet : public Form1Test {
  protected:
    void pressSpace() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); }
    bool stopwatchRuns() const { return form->timer2().isTicking(); }
};

TEST_F(Form1Sheet, SpaceAtStartPressesAnswerWhichShowsOnlyTheLines) {
    pressSpace();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(line(i)->isVisible());
    for (int k = 1; k <= 20; ++k) EXPECT_FALSE(sheet(k)->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), button("Command4"));
}

TEST_F(Form1Sheet, AfterStartTheSpaceBarStopsARunningStopwatch) {
    click(button("Command1"));
    EXPECT_EQ(QApplication::focusWidget(), button("Command4"));
    ASSERT_TRUE(waitForRunEnd());
    click(button("Command3"));
    EXPECT_TRUE(stopwatchRuns());
    EXPECT_EQ(QApplication::focusWidget(), button("Command4"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return label("Label8")->text() == "0:0:2"; }, 2000));
    pressSpace();
    EXPECT_FALSE(stopwatchRuns());
    QTest::qWait(250);
    EXPECT_EQ(label("Label8")->text(), "0:0:2");
}

TEST_F(Form1Sheet, AfterClickingATypeBoxTheSpaceBarTogglesThatBox) {
    click(button("Command3"));
    ASSERT_TRUE(stopwatchRuns());
    click(check(3));
    ASSERT_TRUE(check(3)->isChecked());
    EXPECT_EQ(form->state().types.typeCount, 1);
    pressSpace();
    EXPECT_FALSE(check(3)->isChecked());
    EXPECT_EQ(form->state().types.typeCount, 0) << "the keyboard toggle rebuilds the list too";
    EXPECT_TRUE(stopwatchRuns());
}

// The road of one run: tick a type, 出题 with 5, wait for the end tick, 式题, space, 答案.
TEST_F(Form1Sheet, RoadOfOneRun) {
    click(check(1));  // 两位数加两位数
    type(textBox("Text1"), "5");
    click(button("Command1"));
    ASSERT_TRUE(waitForRunEnd());
    EXPECT_FALSE(label("Label1")->isVisible());
    EXPECT_FALSE(label("Label7")->isVisible());

    click(button("Command3"));
    QStringList problems;
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(sheet(k)->isVisible(), k <= 5) << k;
        if (k <= 5) problems << sheet(k)->text();
    }
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(line(i)->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([this] { return label("Label8")->text() == "0:0:3"; }, 2000));
    pressSpace();
    const QString time = label("Label8")->text();
    click(button("Command2"));
    EXPECT_EQ(label("Label8")->text(), time);

    for (int k = 1; k <= 5; ++k) {
        SCOPED_TRACE(k);
        const QString answer = sheet(k)->text();
        EXPECT_TRUE(answer.startsWith(problems[k - 1]));
        EXPECT_TRUE(problems[k - 1].endsWith('='));
        EXPECT_EQ(ruleViolation(1, answer.toStdString()), "");
    }
}

}  // namespace
}  // namespace zelkor::testing
