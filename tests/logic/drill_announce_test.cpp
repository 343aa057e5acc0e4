#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drill_harness.h"

namespace zelkor {
namespace {

using testing::DrillHarness;

// Each flashed problem is announced as it appears, with its place in the run, and
// nothing else is said during the run: not the end, not a refused count.
TEST(Announcements, EachFlashedProblemIsSaidWithItsPlaceAndNothingElse) {
    for (const int count : {1, 3, 20}) {
        SCOPED_TRACE("count " + std::to_string(count));
        DrillHarness h;
        h.clickBox(3, true);
        h.clickBox(6, true);
        h.startRun(std::to_string(count));
        std::vector<std::string> shown;  // what a sighted pupil saw, problem by problem
        int made = 0;
        while (h.tickPace()) {
            if (h.state().nextProblem == made) continue;  // the end tick makes nothing
            made = h.state().nextProblem;
            shown.push_back(h.view.progressCaption + " " + h.view.flashCaption);
        }
        EXPECT_EQ(h.view.announcements, shown);
        ASSERT_EQ(static_cast<int>(h.view.announcements.size()), count);
        EXPECT_EQ(h.view.announcements.back(),
                  "第" + std::to_string(count) + "道 " + h.state().problemLines.back());

        h.view.announcements.clear();
        h.startRun("21");  // refused: the message box speaks for itself
        h.startRun("0");
        EXPECT_TRUE(h.view.announcements.empty());
    }
}

// The stopwatch's reading is said when a click stops it, and only then.
struct StopCase {
    const char* name;
    std::vector<std::string> steps;  // button names, "tick", or "出题:N"
    std::vector<std::string> said;
};

void play(DrillHarness& h, const std::string& step) {
    if (step == "tick") {
        h.tickStopwatch();
    } else if (step == "式题") {
        h.drill.onSheetClicked();
    } else if (step == "答案") {
        h.drill.onAnswersClicked();
    } else if (step == "停止") {
        h.drill.onStopClicked();
    } else if (step.rfind("出题:", 0) == 0) {
        h.startRun(step.substr(std::string("出题:").size()));
        h.runToEnd();
    } else {
        FAIL() << "unknown step " << step;
    }
}

TEST(Announcements, TheStopwatchsReadingIsSaidWhenAClickStopsIt) {
    const StopCase cases[] = {
        {"停止 after three tenths", {"式题", "tick", "tick", "tick", "停止"}, {"0:0:3"}},
        {"答案 stops it too", {"式题", "tick", "tick", "答案"}, {"0:0:2"}},
        {"a second 停止 says nothing new", {"式题", "tick", "停止", "停止", "答案"}, {"0:0:1"}},
        {"答案 before the first tick says the reading still shown",
         {"式题", "tick", "tick", "停止", "式题", "答案"},
         {"0:0:2", "0:0:2"}},
        {"nothing running, nothing said", {"停止", "答案", "tick", "停止"}, {}},
        {"式题 again starts afresh", {"式题", "tick", "tick", "式题", "tick", "停止"}, {"0:0:1"}},
        {"出题 clears it silently", {"式题", "tick", "出题:2", "停止", "答案"}, {"第1道", "第2道"}},
        {"a refused 出题 stops it silently too", {"式题", "tick", "出题:25", "停止"}, {}},
        {"ten ticks make a second",
         {"式题", "tick", "tick", "tick", "tick", "tick", "tick", "tick", "tick", "tick", "tick",
          "停止"},
         {"0:1:0"}},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrillHarness h;
        for (const std::string& step : c.steps) play(h, step);
        // A run's announcements are checked above; here only their places matter.
        std::vector<std::string> said;
        for (const std::string& text : h.view.announcements)
            said.push_back(text.rfind("第", 0) == 0 ? text.substr(0, text.find(' ')) : text);
        EXPECT_EQ(said, c.said);
    }
}

}  // namespace
}  // namespace zelkor
