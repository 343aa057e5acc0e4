#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "drill_form_harness.h"
#include "problem_check.h"

namespace zelkor {
namespace {

using testing::DrillHarness;
using testing::ruleViolation;

std::vector<std::string> captionsOf(const testing::Journal& journal, const std::string& name) {
    std::vector<std::string> captions;
    const std::string prefix = name + "='";
    for (const auto& entry : journal) {
        if (entry.rfind(prefix, 0) == 0)
            captions.push_back(entry.substr(prefix.size(), entry.size() - prefix.size() - 1));
    }
    return captions;
}

TEST(ProblemRun, DefaultRunMakesFiveProblemsInSixTicks) {
    DrillHarness h;
    h.form.Command1_Click();
    EXPECT_EQ(h.state().problemTotal, 5);
    EXPECT_EQ(h.runToEnd(), 6);

    EXPECT_EQ(captionsOf(h.window.journal, "Label7"),
              (std::vector<std::string>{"第1道", "第2道", "第3道", "第4道", "第5道"}));
    EXPECT_FALSE(h.window.label7.visible);
    EXPECT_FALSE(h.window.label1.visible);
    EXPECT_EQ(h.window.label1.captionText, "");
    EXPECT_EQ(h.window.timer1.history, (std::vector<int>{1, 10, 0}));
    EXPECT_EQ(h.state().problemNo, 6);
    ASSERT_EQ(h.state().answerLines.size(), 6u);
    EXPECT_EQ(h.state().answerLines[0], "");
    for (int k = 1; k <= 5; ++k) {
        const std::string& problem = h.state().problemLines[k];
        const std::string& answer = h.state().answerLines[k];
        EXPECT_EQ(answer.rfind(problem, 0), 0u) << answer;
        EXPECT_EQ(ruleViolation(0, answer), "") << "no type ticked: type 0";
    }
}

TEST(ProblemRun, EachProblemFlashesInLabel1WhileItsNumberShows) {
    DrillHarness h;
    h.startRun("3");
    for (int k = 1; k <= 3; ++k) {
        h.tickTimer1();
        EXPECT_EQ(h.window.label7.captionText, "第" + std::to_string(k) + "道");
        EXPECT_EQ(h.window.label1.captionText, h.state().problemLines[k]);
    }
}

TEST(ProblemRun, AcceptedStartTakesItsStepsInOrder) {
    DrillHarness h;
    h.window.journal.clear();
    h.form.Command1_Click();
    std::vector<std::string> expected = {"Label7.show",    "Command4.focus", "Timer2=0",
                                         "Label8='0:0:0'", "Line1(0).hide",  "Line1(1).hide",
                                         "Line1(2).hide"};
    for (int k = 1; k <= 20; ++k) expected.push_back("Label6(" + std::to_string(k) + ").hide");
    expected.push_back("Label1.show");
    expected.push_back("Timer1=1");
    EXPECT_EQ(h.window.journal, expected);
}

struct CountCase {
    const char* text;
    int problems;  // 0: rejected
};

TEST(ProblemRun, CountIsCheckedUnroundedAndRoundedHalfToEven) {
    const CountCase cases[] = {
        {"20", 20},  {"1", 1},     {"2.5", 2},  {"1.5", 2}, {"3.5", 4},   {"19.5", 20},
        {"5abc", 5}, {" 1 2", 12}, {"2e1", 20}, {"21", 0},  {"20.3", 0},  {"0.9", 0},
        {"0", 0},    {"", 0},      {"abc", 0},  {"-5", 0},  {"1e400", 0}, {"20.0000001", 0}};
    for (const CountCase& c : cases) {
        DrillHarness h;
        h.startRun(c.text);
        if (c.problems == 0) {
            ASSERT_EQ(h.window.messageBox.shown.size(), 1u) << c.text;
            EXPECT_EQ(h.window.messageBox.shown[0].text, "出题的数量最多20题！");
            EXPECT_EQ(h.window.messageBox.shown[0].title, "请注意");
            EXPECT_EQ(h.state().problemTotal, 0) << c.text;
            EXPECT_EQ(h.window.timer1.intervalMs, 0) << c.text;
        } else {
            EXPECT_TRUE(h.window.messageBox.shown.empty()) << c.text;
            EXPECT_EQ(h.state().problemTotal, c.problems) << c.text;
            EXPECT_EQ(h.runToEnd(), c.problems + 1) << c.text;
        }
    }
}

TEST(ProblemRun, RejectedCountStillStopsTheStopwatchButKeepsTheSheet) {
    DrillHarness h;
    h.startRun("3");
    h.runToEnd();
    h.form.Command3_Click();
    h.tickTimer2();
    const auto sheet = h.state().problemLines;
    h.window.label7.captionText = "第3道";
    h.window.journal.clear();

    h.startRun("21");

    EXPECT_EQ(h.window.journal,
              (std::vector<std::string>{"Label7.show", "Command4.focus", "Timer2=0",
                                        "Label8='0:0:0'", "Line1(0).hide", "Line1(1).hide",
                                        "Line1(2).hide", "MessageBox"}));
    EXPECT_EQ(h.state().problemTotal, 3);
    EXPECT_EQ(h.state().problemLines, sheet);
    EXPECT_TRUE(h.window.sheet(1).visible) << "the sheet labels are left alone";
    EXPECT_EQ(h.window.label7.captionText, "第3道");
}

TEST(ProblemRun, AcceptedClickDuringARunStartsOver) {
    DrillHarness h;
    h.startRun("10");
    h.tickTimer1();
    h.tickTimer1();
    h.startRun("4");
    EXPECT_EQ(h.state().problemNo, 1);
    EXPECT_EQ(h.state().problemLines, std::vector<std::string>(5));
    EXPECT_EQ(h.state().answerLines, std::vector<std::string>(5));
    EXPECT_EQ(h.runToEnd(), 5);
}

TEST(ProblemRun, RejectedClickDuringARunLetsItFinish) {
    DrillHarness h;
    h.startRun("6");
    h.tickTimer1();
    h.tickTimer1();
    h.startRun("abc");
    EXPECT_EQ(h.state().problemNo, 3);
    EXPECT_EQ(h.runToEnd(), 5);
    EXPECT_EQ(h.state().problemTotal, 6);
    for (int k = 1; k <= 6; ++k) EXPECT_NE(h.state().answerLines[k], "");
}

TEST(ProblemRun, PaceIsSetOnceFromTheIntervalBoxOnTheFirstProblem) {
    DrillHarness h;
    h.window.text2.content = "2.5";
    h.startRun("3");
    h.tickTimer1();
    EXPECT_EQ(h.window.timer1.intervalMs, 2500);
    h.window.text2.content = "1";  // takes effect with the next run only
    h.runToEnd();
    EXPECT_EQ(h.window.timer1.history, (std::vector<int>{1, 2500, 0}));
}

TEST(ProblemRun, IntervalBelowOneMillisecondHoldsTheRunAtTheFirstProblem) {
    for (const char* text : {"0", "0.0005", "abc", "-1", "-1e400"}) {
        DrillHarness h;
        h.window.text2.content = text;
        h.startRun("5");
        EXPECT_EQ(h.runToEnd(), 1) << text;
        EXPECT_EQ(h.window.label7.captionText, "第1道") << text;
        EXPECT_TRUE(h.window.label1.visible) << text;
        EXPECT_EQ(h.window.label1.captionText, h.state().problemLines[1]);
        EXPECT_EQ(h.state().problemLines[2], "") << text;
    }
}

TEST(ProblemRun, HugeIntervalIsHeldAtTheLongestTheTimerTakes) {
    for (const char* text : {"1e12", "1e400", "99999999999999999999999"}) {
        DrillHarness h;
        h.window.text2.content = text;
        h.startRun("2");
        h.tickTimer1();
        EXPECT_EQ(h.window.timer1.intervalMs, 2147483647) << text;
    }
}

TEST(ProblemRun, TypeIsDrawnFromTheTickedTypes) {
    DrillHarness h;
    for (int type : {2, 5, 8}) h.setTicked(type, true);
    h.startRun("20");
    std::vector<int> seen;
    while (h.tickTimer1()) {
        if (h.state().problemNo <= 21 && h.window.label1.visible)
            seen.push_back(h.state().currentType);
    }
    ASSERT_EQ(seen.size(), 20u);
    for (int k = 1; k <= 20; ++k) {
        const std::string& line = h.state().answerLines[k];
        EXPECT_TRUE(ruleViolation(2, line).empty() || ruleViolation(5, line).empty() ||
                    ruleViolation(8, line).empty())
            << line;
    }
}

TEST(ProblemRun, TickReseedsThenDrawsTheTypeIndexFromTheFraction) {
    testing::FakeWindow window;
    testing::ScriptedRandom random({0.0f, 0.5f, 0.5f, std::nextafter(1.0f, 0.0f), 0.5f, 0.5f});
    DrillForm form(window.controls(), random);
    for (int i = 0; i < 9; ++i) window.check1[i].ticked = true;
    form.Check1_Click(0);
    window.text1.content = "2";
    form.Command1_Click();
    form.Timer1_Timer();
    EXPECT_EQ(form.state().currentType, 0);
    form.Timer1_Timer();
    EXPECT_EQ(form.state().currentType, 8) << "the largest fraction picks the last ticked type";
    EXPECT_EQ(random.trace, "RDRDDRDRDD");
}

TEST(ProblemRun, NoTypeTickedFallsBackToTheLowestTypeOfTheLastNonEmptyList) {
    DrillHarness h;
    h.setTicked(6, true);
    h.setTicked(8, true);
    h.setTicked(6, false);
    h.setTicked(8, false);  // typeCount 0, typeList starts 8, 8
    EXPECT_EQ(h.state().types.typeCount, 0);
    h.startRun("5");
    h.runToEnd();
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(ruleViolation(8, h.state().answerLines[k]), "");
}

TEST(ProblemRun, StrayTickOutsideARunWritesNothing) {
    DrillHarness h;
    h.form.Timer1_Timer();  // before any run: nothing to make
    h.form.makeProblem();
    EXPECT_TRUE(h.state().problemLines.empty());
    EXPECT_EQ(h.state().problemNo, 0);
}

}  // namespace
}  // namespace zelkor
