#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "drill_harness.h"
#include "problem_check.h"
#include "stopwatch_display.h"

namespace zelkor {
namespace {

using testing::DrillHarness;

std::vector<int> listed(const DrillState& state) {
    return {state.types.typeList.begin(), state.types.typeList.end()};
}

// Type selection: every click rebuilds the whole list from boxes 0..8.
struct SelectionCase {
    const char* name;
    std::vector<std::pair<int, bool>> clicks;  // box, ticked after the click
    std::vector<int> typeList;
    int typeCount;
};

TEST(TypeSelection, EveryClickRebuildsTheListFromTheTypeBoxes) {
    const SelectionCase cases[] = {
        {"start", {}, {0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {"5 then 2 ascend", {{5, true}, {2, true}}, {2, 5, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"untick keeps stale entries",
         {{5, true}, {2, true}, {2, false}},
         {5, 5, 0, 0, 0, 0, 0, 0, 0},
         1},
        {"empty list keeps entries",
         {{5, true}, {2, true}, {2, false}, {5, false}},
         {5, 5, 0, 0, 0, 0, 0, 0, 0},
         0},
        {"only 8", {{8, true}}, {8, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
        {"all nine backwards",
         {{8, true},
          {7, true},
          {6, true},
          {5, true},
          {4, true},
          {3, true},
          {2, true},
          {1, true},
          {0, true}},
         {0, 1, 2, 3, 4, 5, 6, 7, 8},
         9},
        {"placeholders are never read",
         {{9, true}, {10, true}, {11, true}},
         {0, 0, 0, 0, 0, 0, 0, 0, 0},
         0},
        {"placeholder click after 3, 7",
         {{3, true}, {7, true}, {11, true}, {9, false}},
         {3, 7, 0, 0, 0, 0, 0, 0, 0},
         2},
    };
    for (const SelectionCase& c : cases) {
        DrillHarness h;
        for (const auto& [box, ticked] : c.clicks) h.clickBox(box, ticked);
        EXPECT_EQ(listed(h.state()), c.typeList) << c.name;
        EXPECT_EQ(h.state().types.typeCount, c.typeCount) << c.name;
    }
}

// The sheet: label i shows entry i of the chosen lines; the rest stay hidden.
void expectSheet(const DrillHarness& h, const std::vector<std::string>& lines) {
    for (int i = 0; i < kSheetSize; ++i) {
        SCOPED_TRACE(std::string("sheet label ") + std::to_string(i));
        const bool shown = i < static_cast<int>(lines.size());
        EXPECT_EQ(h.view.sheet[i].visible, shown);
        if (shown) {
            EXPECT_EQ(h.view.sheet[i].caption, lines[i]);
        }
    }
    EXPECT_TRUE(h.view.separatorsVisible);
}

TEST(ProblemSheet, ShowsExactlyTheLatestRunsProblemsOrAnswers) {
    DrillHarness h;
    for (int total : {7, 3, 20}) {
        SCOPED_TRACE("run of " + std::to_string(total));
        h.startRun(std::to_string(total));
        h.runToEnd();
        h.drill.onSheetClicked();
        expectSheet(h, h.state().problemLines);
        h.drill.onAnswersClicked();
        expectSheet(h, h.state().answerLines);
        for (int i = 0; i < total; ++i) {
            EXPECT_EQ(testing::ruleViolation(0, h.view.sheet[i].caption), "");
        }
    }
}

TEST(ProblemSheet, LayingOutGivesTheStopButtonTheFocusAndLeavesTheFlashAlone) {
    DrillHarness h;
    h.startRun("2");
    h.runToEnd();
    for (auto press : {&Drill::onSheetClicked, &Drill::onAnswersClicked}) {
        h.view.stopButtonHasFocus = false;
        (h.drill.*press)();
        EXPECT_TRUE(h.view.stopButtonHasFocus);
        EXPECT_FALSE(h.view.flashVisible) << "the run's end hid it; the sheet leaves it so";
        EXPECT_FALSE(h.view.progressVisible);
    }
}

TEST(ProblemSheet, BeforeAnyRunShowsOnlyTheLinesAndStillStartsTheStopwatch) {
    DrillHarness h;
    h.drill.onSheetClicked();
    expectSheet(h, {});
    EXPECT_TRUE(h.view.stopwatchRunning);
    EXPECT_TRUE(h.view.flashVisible);
    EXPECT_TRUE(h.view.progressVisible);
    h.drill.onAnswersClicked();
    expectSheet(h, {});
    EXPECT_FALSE(h.view.stopwatchRunning);
}

TEST(ProblemSheet, DuringARunShowsTheProblemsMadeSoFarAndEmptyCaptions) {
    DrillHarness h;
    h.startRun("6");
    h.tickPace();
    h.tickPace();
    h.drill.onSheetClicked();
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(h.view.sheet[i].visible);
        EXPECT_EQ(h.view.sheet[i].caption.empty(), i >= 2) << i;
    }
    EXPECT_EQ(h.runToEnd(), 5) << "the run goes on while the sheet shows";
}

TEST(ProblemSheet, AnswersThenSheetBringsBackTheProblemsAndRestartsTheStopwatch) {
    DrillHarness h;
    h.startRun("4");
    h.runToEnd();
    h.drill.onSheetClicked();
    for (int i = 0; i < 5; ++i) h.tickStopwatch();
    h.drill.onAnswersClicked();
    h.drill.onAnswersClicked();
    EXPECT_EQ(h.view.stopwatchReading, "0:0:5") << "answers keep the pupil's time";
    EXPECT_FALSE(h.view.stopwatchRunning);
    expectSheet(h, h.state().answerLines);
    h.drill.onSheetClicked();
    expectSheet(h, h.state().problemLines);
    EXPECT_EQ(h.view.stopwatchReading, "0:0:5") << "unchanged until the first tick";
    h.tickStopwatch();
    EXPECT_EQ(h.view.stopwatchReading, "0:0:1");
}

TEST(Stopwatch, DisplayReadsMinutesSecondsAndTenthsWithoutLeadingZeros) {
    const std::pair<double, const char*> readings[] = {
        {0, "0:0:0"},       {100, "0:0:1"},     {900, "0:0:9"},       {1000, "0:1:0"},
        {59900, "0:59:9"},  {60000, "1:0:0"},   {754300, "12:34:3"},  {3599900, "59:59:9"},
        {3600000, "0:0:0"}, {3661500, "1:1:5"}, {360000000, "0:0:0"}, {1e15 + 100, "46:40:1"}};
    for (const auto& [ms, text] : readings) EXPECT_EQ(stopwatchCaption(ms), text) << ms;
}

TEST(Stopwatch, CountsTicksOfExactlyATenthAndWrapsAfterAnHour) {
    DrillHarness h;
    h.drill.onSheetClicked();
    for (int i = 0; i < 36615; ++i) h.tickStopwatch();
    EXPECT_EQ(h.view.stopwatchReading, "1:1:5");
    EXPECT_DOUBLE_EQ(h.state().elapsedMs, 3661500);
}

struct Trigger {
    const char* name;
    void (*press)(DrillHarness&);
    bool running;
    const char* reading;  // nullptr: kept
    bool focusesStop;
};

TEST(Stopwatch, IsStartedStoppedAndClearedByExactlyItsTriggers) {
    const Trigger triggers[] = {
        {"停止", [](DrillHarness& h) { h.drill.onStopClicked(); }, false, nullptr, false},
        {"答案", [](DrillHarness& h) { h.drill.onAnswersClicked(); }, false, nullptr, true},
        {"出题 accepted", [](DrillHarness& h) { h.startRun("3"); }, false, "0:0:0", true},
        {"出题 rejected", [](DrillHarness& h) { h.startRun("30"); }, false, "0:0:0", true},
        {"式题 again", [](DrillHarness& h) { h.drill.onSheetClicked(); }, true, nullptr, true},
        {"type box", [](DrillHarness& h) { h.clickBox(4, true); }, true, nullptr, false},
    };
    for (const Trigger& t : triggers) {
        SCOPED_TRACE(t.name);
        DrillHarness h;
        h.drill.onSheetClicked();
        for (int i = 0; i < 12; ++i) h.tickStopwatch();
        h.view.stopButtonHasFocus = false;
        t.press(h);
        EXPECT_EQ(h.view.stopwatchRunning, t.running);
        EXPECT_EQ(h.view.stopwatchReading, t.reading ? t.reading : "0:1:2");
        EXPECT_EQ(h.view.stopButtonHasFocus, t.focusesStop);
    }
}

TEST(Stopwatch, StopWhileStoppedChangesNothing) {
    DrillHarness h;
    h.drill.onStopClicked();
    EXPECT_FALSE(h.view.stopwatchRunning);
    EXPECT_EQ(h.view.stopwatchReading, "0:0:0");
    EXPECT_DOUBLE_EQ(h.state().elapsedMs, 0);
}

}  // namespace
}  // namespace zelkor
