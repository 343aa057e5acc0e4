#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "drill_form_harness.h"
#include "problem_check.h"
#include "stopwatch_display.h"

namespace zelkor {
namespace {

using testing::DrillHarness;

std::vector<int> listed(const FormState& state) {
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
        for (const auto& [box, ticked] : c.clicks) h.setTicked(box, ticked);
        EXPECT_EQ(listed(h.state()), c.typeList) << c.name;
        EXPECT_EQ(h.state().types.typeCount, c.typeCount) << c.name;
    }
}

// The sheet: label k shows entry k of the chosen array; the rest stay hidden.
void expectSheet(DrillHarness& h, const std::vector<std::string>& source, int total) {
    for (int k = 1; k <= 20; ++k) {
        SCOPED_TRACE("Label6(" + std::to_string(k) + ")");
        EXPECT_EQ(h.window.sheet(k).visible, k <= total);
        if (k <= total) {
            EXPECT_EQ(h.window.sheet(k).captionText, source[k]);
        }
    }
    for (const auto& line : h.window.line1) EXPECT_TRUE(line->visible);
}

TEST(ProblemSheet, ShowsExactlyTheLatestRunsProblemsOrAnswers) {
    DrillHarness h;
    for (int total : {7, 3, 20}) {
        SCOPED_TRACE("run of " + std::to_string(total));
        h.startRun(std::to_string(total));
        h.runToEnd();
        h.form.Command3_Click();
        expectSheet(h, h.state().problemLines, total);
        h.form.Command2_Click();
        expectSheet(h, h.state().answerLines, total);
        for (int k = 1; k <= total; ++k) {
            EXPECT_EQ(testing::ruleViolation(0, h.window.sheet(k).captionText), "");
        }
    }
}

TEST(ProblemSheet, LayOutTakesItsStepsInOrder) {
    DrillHarness h;
    h.startRun("2");
    h.runToEnd();
    h.window.journal.clear();
    h.form.Command3_Click();
    std::vector<std::string> expected = {"Timer2=100", "Command4.focus", "Line1(0).show",
                                         "Line1(1).show", "Line1(2).show"};
    for (int k = 1; k <= 20; ++k) expected.push_back("Label6(" + std::to_string(k) + ").hide");
    for (int k = 1; k <= 2; ++k) {
        const std::string name = "Label6(" + std::to_string(k) + ")";
        expected.push_back(name + "='" + h.state().problemLines[k] + "'");
        expected.push_back(name + ".show");
    }
    EXPECT_EQ(h.window.journal, expected);
}

TEST(ProblemSheet, BeforeAnyRunShowsOnlyTheLinesAndStillStartsTheStopwatch) {
    DrillHarness h;
    h.form.Command3_Click();
    expectSheet(h, {}, 0);
    EXPECT_EQ(h.window.timer2.intervalMs, 100);
    EXPECT_TRUE(h.window.label1.visible);
    EXPECT_TRUE(h.window.label7.visible);
    h.form.Command2_Click();
    expectSheet(h, {}, 0);
    EXPECT_EQ(h.window.timer2.intervalMs, 0);
}

TEST(ProblemSheet, DuringARunShowsTheProblemsMadeSoFarAndEmptyCaptions) {
    DrillHarness h;
    h.startRun("6");
    h.tickTimer1();
    h.tickTimer1();
    h.form.Command3_Click();
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(h.window.sheet(k).visible);
        EXPECT_EQ(h.window.sheet(k).captionText.empty(), k > 2) << k;
    }
    EXPECT_EQ(h.runToEnd(), 5) << "the run goes on while the sheet shows";
}

TEST(ProblemSheet, AnswersThenSheetBringsBackTheProblemsAndRestartsTheStopwatch) {
    DrillHarness h;
    h.startRun("4");
    h.runToEnd();
    h.form.Command3_Click();
    for (int i = 0; i < 5; ++i) h.tickTimer2();
    h.form.Command2_Click();
    h.form.Command2_Click();
    EXPECT_EQ(h.window.label8.captionText, "0:0:5") << "answers keep the pupil's time";
    EXPECT_EQ(h.window.timer2.intervalMs, 0);
    expectSheet(h, h.state().answerLines, 4);
    h.form.Command3_Click();
    expectSheet(h, h.state().problemLines, 4);
    EXPECT_EQ(h.window.label8.captionText, "0:0:5") << "unchanged until the first tick";
    h.tickTimer2();
    EXPECT_EQ(h.window.label8.captionText, "0:0:1");
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
    h.form.Command3_Click();
    for (int i = 0; i < 36615; ++i) h.tickTimer2();
    EXPECT_EQ(h.window.label8.captionText, "1:1:5");
    EXPECT_DOUBLE_EQ(h.state().elapsedMs, 3661500);
}

struct Trigger {
    const char* name;
    void (*press)(DrillHarness&);
    int timer2;
    const char* label8;  // nullptr: kept
};

TEST(Stopwatch, IsStartedStoppedAndClearedByExactlyItsTriggers) {
    const Trigger triggers[] = {
        {"停止", [](DrillHarness& h) { h.form.Command4_Click(); }, 0, nullptr},
        {"答案", [](DrillHarness& h) { h.form.Command2_Click(); }, 0, nullptr},
        {"出题 accepted", [](DrillHarness& h) { h.startRun("3"); }, 0, "0:0:0"},
        {"出题 rejected", [](DrillHarness& h) { h.startRun("30"); }, 0, "0:0:0"},
        {"式题 again", [](DrillHarness& h) { h.form.Command3_Click(); }, 100, nullptr},
        {"type box", [](DrillHarness& h) { h.setTicked(4, true); }, 100, nullptr},
    };
    for (const Trigger& t : triggers) {
        DrillHarness h;
        h.form.Command3_Click();
        for (int i = 0; i < 12; ++i) h.tickTimer2();
        t.press(h);
        EXPECT_EQ(h.window.timer2.intervalMs, t.timer2) << t.name;
        EXPECT_EQ(h.window.label8.captionText, t.label8 ? t.label8 : "0:1:2") << t.name;
        EXPECT_TRUE(h.window.command4.hasFocus || std::string(t.name) == "type box") << t.name;
    }
}

TEST(Stopwatch, StopWhileStoppedChangesNothing) {
    DrillHarness h;
    h.window.journal.clear();
    h.form.Command4_Click();
    EXPECT_EQ(h.window.journal, std::vector<std::string>{"Timer2=0"});
    EXPECT_EQ(h.window.label8.captionText, "0:0:0");
}

}  // namespace
}  // namespace zelkor
