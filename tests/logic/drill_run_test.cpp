#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "drill_harness.h"
#include "problem_check.h"

namespace zelkor {
namespace {

using testing::DrillHarness;
using testing::ruleViolation;

TEST(ProblemRun, DefaultRunMakesFiveProblemsInSixTicks) {
    DrillHarness h;
    h.drill.onStartClicked();
    EXPECT_EQ(h.state().problemTotal, 5);
    std::vector<std::string> progress;
    while (h.tickPace()) {
        if (h.view.progressVisible) progress.push_back(h.view.progressCaption);
    }
    EXPECT_EQ(progress, (std::vector<std::string>{"第1道", "第2道", "第3道", "第4道", "第5道"}));
    EXPECT_FALSE(h.view.progressVisible);
    EXPECT_FALSE(h.view.flashVisible);
    EXPECT_EQ(h.view.flashCaption, "");
    EXPECT_EQ(h.view.paceHistory, (std::vector<int>{1, 10, 0}));
    EXPECT_EQ(h.state().nextProblem, 5);
    ASSERT_EQ(h.state().answerLines.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const std::string& problem = h.state().problemLines[i];
        const std::string& answer = h.state().answerLines[i];
        EXPECT_EQ(answer.rfind(problem, 0), 0u) << answer;
        EXPECT_EQ(ruleViolation(0, answer), "") << "no type ticked: type 0";
    }
}

TEST(ProblemRun, EachProblemFlashesWhileItsNumberShows) {
    DrillHarness h;
    h.startRun("3");
    for (int i = 0; i < 3; ++i) {
        h.tickPace();
        EXPECT_EQ(h.view.progressCaption, "第" + std::to_string(i + 1) + "道");
        EXPECT_EQ(h.view.flashCaption, h.state().problemLines[i]);
        EXPECT_TRUE(h.view.flashVisible);
    }
}

TEST(ProblemRun, AcceptedStartClearsTheSheetAndStopwatchAndStartsThePace) {
    DrillHarness h;
    h.startRun("4");
    h.runToEnd();
    h.drill.onSheetClicked();
    h.tickStopwatch();
    h.view.stopButtonHasFocus = false;

    h.startRun("3");
    EXPECT_TRUE(h.view.progressVisible);
    EXPECT_TRUE(h.view.stopButtonHasFocus);
    EXPECT_FALSE(h.view.stopwatchRunning);
    EXPECT_EQ(h.view.stopwatchReading, "0:0:0");
    EXPECT_FALSE(h.view.separatorsVisible);
    for (const auto& label : h.view.sheet) EXPECT_FALSE(label.visible);
    EXPECT_TRUE(h.view.flashVisible);
    EXPECT_EQ(h.view.paceIntervalMs, 1);
    EXPECT_EQ(h.state().nextProblem, 0);
    EXPECT_EQ(h.state().problemLines, std::vector<std::string>(3));
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
        SCOPED_TRACE(c.text);
        DrillHarness h;
        h.startRun(c.text);
        if (c.problems == 0) {
            EXPECT_EQ(h.view.rejections, 1);
            EXPECT_EQ(h.state().problemTotal, 0);
            EXPECT_EQ(h.view.paceIntervalMs, 0);
        } else {
            EXPECT_EQ(h.view.rejections, 0);
            EXPECT_EQ(h.state().problemTotal, c.problems);
            EXPECT_EQ(h.runToEnd(), c.problems + 1);
        }
    }
}

TEST(ProblemRun, RejectedCountStillStopsTheStopwatchButKeepsTheSheet) {
    DrillHarness h;
    h.startRun("3");
    h.runToEnd();
    h.drill.onSheetClicked();
    h.tickStopwatch();
    const auto lines = h.state().problemLines;
    h.view.progressCaption = "第3道";

    h.startRun("21");

    EXPECT_EQ(h.view.rejections, 1);
    EXPECT_TRUE(h.view.progressVisible);
    EXPECT_EQ(h.view.progressCaption, "第3道") << "the progress keeps its last caption";
    EXPECT_TRUE(h.view.stopButtonHasFocus);
    EXPECT_FALSE(h.view.stopwatchRunning);
    EXPECT_EQ(h.view.stopwatchReading, "0:0:0");
    EXPECT_FALSE(h.view.separatorsVisible);
    EXPECT_TRUE(h.view.sheet[0].visible) << "the sheet labels are left alone";
    EXPECT_EQ(h.state().problemTotal, 3);
    EXPECT_EQ(h.state().problemLines, lines);
}

TEST(ProblemRun, AcceptedClickDuringARunStartsOver) {
    DrillHarness h;
    h.startRun("10");
    h.tickPace();
    h.tickPace();
    h.startRun("4");
    EXPECT_EQ(h.state().nextProblem, 0);
    EXPECT_EQ(h.state().problemLines, std::vector<std::string>(4));
    EXPECT_EQ(h.state().answerLines, std::vector<std::string>(4));
    EXPECT_EQ(h.runToEnd(), 5);
}

TEST(ProblemRun, RejectedClickDuringARunLetsItFinish) {
    DrillHarness h;
    h.startRun("6");
    h.tickPace();
    h.tickPace();
    h.startRun("abc");
    EXPECT_EQ(h.state().nextProblem, 2);
    EXPECT_EQ(h.runToEnd(), 5);
    EXPECT_EQ(h.state().problemTotal, 6);
    for (const std::string& line : h.state().answerLines) EXPECT_NE(line, "");
}

// The message box's nested loop keeps the timers ticking: the run goes on from inside
// the refused click, even to its end, and the click adds nothing once the box closes.
TEST(ProblemRun, TicksWhileTheCountMessageIsOpenMeetASoundDrill) {
    for (int ticksInBox : {1, 3, 5}) {
        SCOPED_TRACE(ticksInBox);
        DrillHarness h;
        h.startRun("4");
        h.tickPace();
        h.drill.onSheetClicked();
        h.view.whileRejecting = [&] {
            for (int i = 0; i < ticksInBox; ++i) h.tickPace();
            h.tickStopwatch();
        };
        h.startRun("21");
        const int made = std::min(1 + ticksInBox, 4);
        EXPECT_EQ(h.state().nextProblem, made);
        EXPECT_EQ(h.view.paceIntervalMs > 0, 1 + ticksInBox <= 4) << "the end tick stops it";
        EXPECT_EQ(h.view.progressVisible, 1 + ticksInBox <= 4);
        EXPECT_FALSE(h.view.stopwatchRunning);
        EXPECT_EQ(h.view.stopwatchReading, kStopwatchZero) << "no tick of a stopped stopwatch";
        h.view.whileRejecting = nullptr;
        h.runToEnd();
        EXPECT_EQ(h.state().problemTotal, 4);
        for (const std::string& line : h.state().answerLines) EXPECT_NE(line, "");
        EXPECT_TRUE(h.view.sheet[0].visible) << "a refused count keeps the sheet";
    }
}

TEST(ProblemRun, PaceIsSetOnceFromTheIntervalBoxOnTheFirstProblem) {
    DrillHarness h;
    h.intervalText = "2.5";
    h.startRun("3");
    h.tickPace();
    EXPECT_EQ(h.view.paceIntervalMs, 2500);
    h.intervalText = "1";  // takes effect with the next run only
    h.runToEnd();
    EXPECT_EQ(h.view.paceHistory, (std::vector<int>{1, 2500, 0}));
    EXPECT_EQ(h.view.intervalReads, 1) << "the box is read for the first problem alone";
}

TEST(ProblemRun, IntervalBelowOneMillisecondHoldsTheRunAtTheFirstProblem) {
    for (const char* text : {"0", "0.0005", "abc", "-1", "-1e400"}) {
        SCOPED_TRACE(text);
        DrillHarness h;
        h.intervalText = text;
        h.startRun("5");
        EXPECT_EQ(h.runToEnd(), 1);
        EXPECT_EQ(h.view.progressCaption, "第1道");
        EXPECT_TRUE(h.view.flashVisible);
        EXPECT_EQ(h.view.flashCaption, h.state().problemLines[0]);
        EXPECT_EQ(h.state().problemLines[1], "");
    }
}

TEST(ProblemRun, HugeIntervalIsHeldAtTheLongestTheTimerTakes) {
    for (const char* text : {"1e12", "1e400", "99999999999999999999999"}) {
        DrillHarness h;
        h.intervalText = text;
        h.startRun("2");
        h.tickPace();
        EXPECT_EQ(h.view.paceIntervalMs, 2147483647) << text;
    }
}

TEST(ProblemRun, TypeIsDrawnFromTheTickedTypes) {
    DrillHarness h;
    for (int type : {2, 5, 8}) h.clickBox(type, true);
    h.startRun("20");
    std::set<int> seen;
    while (h.tickPace()) {
        if (h.view.flashVisible) seen.insert(h.state().currentType);
    }
    EXPECT_EQ(seen, (std::set<int>{2, 5, 8})) << "20 problems from three types show all three";
    for (const std::string& line : h.state().answerLines) {
        EXPECT_TRUE(ruleViolation(2, line).empty() || ruleViolation(5, line).empty() ||
                    ruleViolation(8, line).empty())
            << line;
    }
}

TEST(ProblemRun, TickReseedsThenDrawsTheTypeIndexFromTheFraction) {
    testing::RecordingView view;
    testing::ScriptedRandom random({0.0f, 0.5f, 0.5f, std::nextafter(1.0f, 0.0f), 0.5f, 0.5f});
    Drill drill(view, random);
    TypeTicks all;
    all.fill(true);
    drill.onTypeBoxesChanged(all);
    view.typedCount = "2";
    drill.onStartClicked();
    drill.onPaceTick();
    EXPECT_EQ(drill.state().currentType, 0);
    drill.onPaceTick();
    EXPECT_EQ(drill.state().currentType, 8) << "the largest fraction picks the last ticked type";
    EXPECT_EQ(random.trace, "RDRDDRDRDD");
}

TEST(ProblemRun, NoTypeTickedFallsBackToTheLowestTypeOfTheLastNonEmptyList) {
    DrillHarness h;
    h.clickBox(6, true);
    h.clickBox(8, true);
    h.clickBox(6, false);
    h.clickBox(8, false);  // typeCount 0, typeList starts 8, 8
    EXPECT_EQ(h.state().types.typeCount, 0);
    h.startRun("5");
    h.runToEnd();
    for (const std::string& line : h.state().answerLines) EXPECT_EQ(ruleViolation(8, line), "");
}

TEST(ProblemRun, StrayTickOutsideARunWritesNothing) {
    DrillHarness h;
    h.drill.onPaceTick();  // before any run: nothing to make
    EXPECT_TRUE(h.state().problemLines.empty());
    EXPECT_EQ(h.state().nextProblem, 0);
    EXPECT_TRUE(h.view.progressVisible);
    EXPECT_EQ(h.view.progressCaption, "");

    h.startRun("1");
    h.runToEnd();
    const auto lines = h.state().answerLines;
    h.drill.onPaceTick();  // after the end tick
    EXPECT_EQ(h.state().answerLines, lines);
    EXPECT_FALSE(h.view.flashVisible);
}

}  // namespace
}  // namespace zelkor
