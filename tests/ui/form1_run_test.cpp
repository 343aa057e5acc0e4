#include <QElapsedTimer>

#include "form1_fixture.h"
#include "problem_check.h"

namespace zelkor::testing {
namespace {

class Form1Run : public Form1Test {};

TEST_F(Form1Run, DefaultRunFlashesFiveProblemsAndEnds) {
    click(button("Command1"));
    EXPECT_EQ(QApplication::focusWidget(), button("Command4"));
    EXPECT_EQ(form->timer1().interval(), 1);
    ASSERT_TRUE(waitForRunEnd());

    EXPECT_FALSE(label("Label7")->isVisible());
    EXPECT_FALSE(label("Label1")->isVisible());
    EXPECT_EQ(label("Label1")->text(), "");
    EXPECT_EQ(label("Label7")->text(), QString::fromUtf8("第5道"));
    EXPECT_EQ(form->state().problemTotal, 5);
    EXPECT_EQ(form->state().problemNo, 6);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(ruleViolation(0, form->state().answerLines[k]), "");
        EXPECT_EQ(form->state().answerLines[k].rfind(form->state().problemLines[k], 0), 0u);
    }
}

TEST_F(Form1Run, ProgressCaptionFollowsTheProblemOnScreen) {
    type(textBox("Text2"), "0.05");
    type(textBox("Text1"), "3");
    click(button("Command1"));
    for (int k = 1; k <= 3; ++k) {
        const QString caption = QString::fromUtf8("第%1道").arg(k);
        ASSERT_TRUE(QTest::qWaitFor([&] { return label("Label7")->text() == caption; }, 2000));
        EXPECT_EQ(label("Label1")->text().toStdString(), form->state().problemLines[k]);
    }
    ASSERT_TRUE(waitForRunEnd());
}

TEST_F(Form1Run, ZeroIntervalHoldsTheRunAtTheFirstProblem) {
    type(textBox("Text2"), "0");
    click(button("Command1"));
    ASSERT_TRUE(waitForRunEnd());
    QTest::qWait(50);
    EXPECT_EQ(label("Label7")->text(), QString::fromUtf8("第1道"));
    EXPECT_TRUE(label("Label1")->isVisible());
    EXPECT_EQ(form->state().problemNo, 2);
}

}  // namespace
}  // namespace zelkor::testing
