#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "announcements.h"
#include "drill_harness.h"
#include "problem_generator.h"
#include "scripted_random.h"

namespace zelkor {
namespace {

using testing::DrillHarness;

// The words a synthesizer is given: every glyph said, nothing else touched.
TEST(SpokenForms, GlyphsBecomeWordsAndReadingsBecomeTimes) {
    struct Case {
        std::string shown;
        std::string spoken;
    };
    const Case lines[] = {
        {"9\uFF0B3=", "9加3等于"},        {"38+27=65", "38加27等于65"},
        {"18\u00F76=", "18除以6等于"},    {"7\u00D78=56", "7乘8等于56"},
        {"38\uFF0D27=11", "38减27等于11"}, {"", ""},
        {"第3道", "第3道"},               {"1+1+1", "1加1加1"},
    };
    for (const Case& c : lines) EXPECT_EQ(spokenLine(c.shown), c.spoken) << c.shown;

    const Case readings[] = {
        {"0:0:0", "0点0秒"},   {"0:8:9", "8点9秒"},       {"0:59:9", "59点9秒"},
        {"1:0:5", "1分0点5秒"}, {"59:59:9", "59分59点9秒"}, {"0:10:0", "10点0秒"},
        // Not a reading: left as it is rather than guessed at.
        {"8.9", "8.9"},       {"1:2", "1:2"},             {"a:b:c", "a:b:c"},
        {"::", "::"},         {"", ""},                   {"1:2:3:4", "1:2:3:4"},
    };
    for (const Case& c : readings) EXPECT_EQ(spokenReading(c.shown), c.spoken) << c.shown;

    EXPECT_EQ(problemAnnouncement(3, "18\u00F76="), "第3道，18除以6等于");
    EXPECT_EQ(progressCaption(20), "第20道");
}

// Whatever a type makes, its spoken line is digits, one operator word, the equals word
// and digits: no glyph a synthesizer could drop.
TEST(SpokenForms, EveryTypesProblemsAreAllWords) {
    const std::string_view operatorWords[] = {kPlusWord, kMinusWord, kTimesWord, kDivideWord};
    testing::SeededRandom random(7);
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        for (int draw = 0; draw < 200; ++draw) {
            const std::string spoken = spokenLine(answerLineOf(drawProblem(type, random)));
            std::string_view rest = spoken;
            std::vector<std::string_view> words;  // the words between the numbers
            while (!rest.empty()) {
                if (rest.front() >= '0' && rest.front() <= '9') {
                    rest.remove_prefix(1);
                    continue;
                }
                const std::size_t digit = rest.find_first_of("0123456789");
                words.push_back(rest.substr(0, digit));
                rest.remove_prefix(digit == std::string_view::npos ? rest.size() : digit);
            }
            ASSERT_EQ(words.size(), 2u) << spoken;
            EXPECT_NE(std::find(std::begin(operatorWords), std::end(operatorWords), words[0]),
                      std::end(operatorWords))
                << spoken;
            EXPECT_EQ(words[1], kEqualsWord) << spoken;
        }
    }
}

// Each flashed problem is announced as it appears, with its place in the run, and
// nothing else is said during the run: not the end, not a refused count. The run's
// first announcement drops what is still unsaid of anything before.
TEST(Announcements, EachFlashedProblemIsSaidWithItsPlaceAndNothingElse) {
    for (const int count : {1, 3, 20}) {
        SCOPED_TRACE("count " + std::to_string(count));
        DrillHarness h;
        h.clickBox(3, true);
        h.clickBox(8, true);
        h.startRun(std::to_string(count));
        std::vector<std::string> shown;  // what a sighted pupil saw, problem by problem
        int made = 0;
        while (h.tickPace()) {
            if (h.state().nextProblem == made) continue;  // the end tick makes nothing
            made = h.state().nextProblem;
            EXPECT_EQ(h.view.progressCaption, progressCaption(made));
            shown.push_back(problemAnnouncement(made, h.view.flashCaption));
        }
        EXPECT_EQ(h.view.announcements, shown);
        ASSERT_EQ(static_cast<int>(h.view.announcements.size()), count);
        EXPECT_EQ(h.view.freshStarts, std::vector<std::size_t>{0});

        h.view.announcements.clear();
        h.startRun("21");  // refused: the message box speaks for itself
        h.startRun("0");
        EXPECT_TRUE(h.view.announcements.empty());
    }
}

// The sheet is read out when it is laid out: 式题 its problems, after the stopwatch has
// started; 答案 the reading it stopped at, then the answers. Each drops what is unsaid.
TEST(Announcements, TheSheetIsReadOutLineByLine) {
    DrillHarness h;
    h.clickBox(0, true);
    h.clickBox(6, true);
    h.startRun("4");
    h.runToEnd();
    const std::vector<std::string> problems = h.state().problemLines;
    const std::vector<std::string> answers = h.state().answerLines;
    auto saidOf = [](const std::vector<std::string>& lines) {
        std::vector<std::string> said;
        for (std::size_t i = 0; i < lines.size(); ++i)
            said.push_back(problemAnnouncement(static_cast<int>(i) + 1, lines[i]));
        return said;
    };

    h.view.announcements.clear();
    h.view.freshStarts.clear();
    h.drill.onSheetClicked();
    EXPECT_TRUE(h.view.stopwatchRunning);
    EXPECT_EQ(h.view.announcements, saidOf(problems));
    EXPECT_EQ(h.view.freshStarts, std::vector<std::size_t>{0});

    for (int i = 0; i < 89; ++i) h.tickStopwatch();
    h.view.announcements.clear();
    h.view.freshStarts.clear();
    h.drill.onAnswersClicked();
    std::vector<std::string> expected{spokenReading(h.view.stopwatchReading)};
    for (const std::string& line : saidOf(answers)) expected.push_back(line);
    EXPECT_EQ(h.view.announcements, expected);
    EXPECT_EQ(h.view.announcements.front(), "8点9秒");
    EXPECT_EQ(h.view.freshStarts, std::vector<std::size_t>{0});

    // Stopped already: the answers alone, the first dropping what is unsaid.
    h.view.announcements.clear();
    h.view.freshStarts.clear();
    h.drill.onAnswersClicked();
    EXPECT_EQ(h.view.announcements, saidOf(answers));
    EXPECT_EQ(h.view.freshStarts, std::vector<std::size_t>{0});
}

// A sheet of nothing says nothing; 式题 during a run reads the problems made so far.
TEST(Announcements, OnlyProblemsMadeAreReadOut) {
    DrillHarness empty;
    empty.drill.onSheetClicked();
    empty.drill.onAnswersClicked();
    EXPECT_EQ(empty.view.announcements, std::vector<std::string>{spokenReading(kStopwatchZero)});

    DrillHarness h;
    h.clickBox(2, true);
    h.startRun("5");
    h.tickPace();
    h.tickPace();  // two made of five
    h.view.announcements.clear();
    h.drill.onSheetClicked();
    ASSERT_EQ(h.view.announcements.size(), 2u);
    EXPECT_EQ(h.view.announcements[1], problemAnnouncement(2, h.state().problemLines[1]));
}

// The stopwatch's reading is said when a click stops it, and only then.
struct StopCase {
    const char* name;
    std::vector<std::string> steps;  // button names, "tick", or "出题:N"
    std::vector<std::string> said;   // as shown; said as a time
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
        {"出题 clears it silently", {"式题", "tick", "出题:2", "停止", "答案"}, {}},
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
        // Problems are checked above; here only the readings matter.
        std::vector<std::string> said;
        for (const std::string& text : h.view.announcements)
            if (text.rfind("第", 0) != 0) said.push_back(text);
        std::vector<std::string> expected;
        for (const std::string& reading : c.said) expected.push_back(spokenReading(reading));
        EXPECT_EQ(said, expected);
    }
}

}  // namespace
}  // namespace zelkor
