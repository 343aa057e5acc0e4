// The portable window, as a pupil meets it, on a surface that records what it is told
// and a clock the test moves: what each control shows and says, the focus, the
// announcements in order, the count message, and the timers' deadlines, late ticks and
// ticks a hidden page had withheld. Expectations come from the layout table and the
// logic's texts.
#include "portable_window.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "announcements.h"
#include "problem_check.h"
#include "scripted_random.h"

namespace zelkor::testing {
namespace {

using layout::controlIndex;
using layout::controlTable;
using layout::PortableWindow;

struct Shown {
    std::string caption;
    std::string spoken;
    bool visible = true;
    layout::PixelRect place{};
    double fontPixels = 0;
    bool centredLine = false;
};

class RecordingSurface final : public layout::ControlSurface {
  public:
    explicit RecordingSurface(Toolkit kit = {Nesting::InFrames, true}) : kit(kit) {}

    Toolkit kit;
    std::vector<int> made;
    std::vector<Shown> controls = std::vector<Shown>(controlTable().size());
    std::vector<int> focusOrder;
    int focused = -1;
    std::vector<std::pair<std::string, bool>> announced;  // text, drops the rest
    std::vector<std::string> messages;
    std::map<int, std::string> texts;
    std::map<int, bool> ticked;
    std::map<int, std::int64_t> wakes;  // timer: when
    std::int64_t now = 1'000'000;
    std::optional<bool> turnHint;
    std::vector<std::pair<int, int>> windowSizes;

    Toolkit toolkit() const override { return kit; }
    void makeControl(int index) override {
        made.push_back(index);
        const auto& design = controlTable()[static_cast<std::size_t>(index)];
        controls.at(static_cast<std::size_t>(index)) = {design.caption, "", design.visibleAtStart};
    }
    // Lines one font size high, as on the page.
    int lineHeight(double fontPixels, bool) const override {
        return static_cast<int>(fontPixels + 0.5);
    }
    void placeControl(int index, const layout::PixelRect& place, double fontPixels,
                      bool centredLine) override {
        Shown& shown = controls.at(static_cast<std::size_t>(index));
        shown.place = place;
        shown.fontPixels = fontPixels;
        shown.centredLine = centredLine;
    }
    void setWindowSize(int width, int height) override { windowSizes.emplace_back(width, height); }
    void setFocusOrder(const std::vector<int>& indices) override { focusOrder = indices; }
    void setCaption(int index, const std::string& caption, const std::string& spoken) override {
        controls.at(static_cast<std::size_t>(index)).caption = caption;
        controls.at(static_cast<std::size_t>(index)).spoken = spoken;
    }
    void setVisible(int index, bool visible) override {
        controls.at(static_cast<std::size_t>(index)).visible = visible;
    }
    std::string text(int index) const override {
        const auto found = texts.find(index);
        return found != texts.end() ? found->second
                                    : controlTable()[static_cast<std::size_t>(index)].caption;
    }
    bool isChecked(int index) const override {
        const auto found = ticked.find(index);
        return found != ticked.end() && found->second;
    }
    void focus(int index) override { focused = index; }
    void announce(const std::string& text, Announcing how) override {
        announced.emplace_back(text, how == Announcing::InsteadOfTheRest);
    }
    void showMessage(const std::string& title, const std::string& text,
                     const std::string& button) override {
        messages.push_back(title + "|" + text + "|" + button);
    }
    void showTurnHint(bool shown) override { turnHint = shown; }
    std::int64_t nowMicroseconds() const override { return now; }
    void wakeAt(int timer, std::int64_t microseconds) override { wakes[timer] = microseconds; }
    void cancelWake(int timer) override { wakes.erase(timer); }

    const Shown& of(const layout::Control& control) const {
        return controls.at(static_cast<std::size_t>(controlIndex(control.objectName)));
    }
};

class PortableWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { window.attach(drill); }

    void click(const layout::Control& control) { window.clicked(controlIndex(control.objectName)); }
    void type(const layout::Control& box, const std::string& text) {
        surface.texts[controlIndex(box.objectName)] = text;
    }
    // Moves the clock to when and wakes each timer whose wake-up has come, as a
    // platform does, in the order they fall due.
    void runClockTo(std::int64_t when) {
        for (;;) {
            int next = -1;
            for (const auto& [timer, at] : surface.wakes) {
                if (at <= when && (next < 0 || at < surface.wakes.at(next))) next = timer;
            }
            if (next < 0) break;
            surface.now = std::max(surface.now, surface.wakes.at(next));
            surface.wakes.erase(next);
            window.timerWoke(next);
        }
        surface.now = when;
    }

    RecordingSurface surface;
    SeededRandom random{7};
    PortableWindow window{surface, MissedTicks::CatchUp};
    Drill drill{window, random};
};

// Both ways a toolkit holds its controls: each made once, in the order the toolkit
// needs, placed from the corner it places from, in its font as designed; the labels
// whose line is taller than themselves (the stopwatch's and the sheet's) have it
// centred; the focus walks the designed order, set where the toolkit takes it; the hint
// to turn the screen only where there is room for it.
TEST(PortableWindowOnAToolkit, EveryControlIsMadeOnceAndPlacedFromTheToolkitsCorner) {
    using Nesting = layout::ControlSurface::Nesting;
    for (const Nesting nesting : {Nesting::InFrames, Nesting::InWindow}) {
        const bool inFrames = nesting == Nesting::InFrames;
        SCOPED_TRACE(inFrames ? "in frames" : "in the window");
        RecordingSurface surface({nesting, inFrames});
        PortableWindow window(surface, MissedTicks::Skip);
        ASSERT_EQ(surface.made.size(), controlTable().size());
        EXPECT_EQ(std::set<int>(surface.made.begin(), surface.made.end()).size(),
                  controlTable().size());
        EXPECT_EQ(controlTable()[surface.made.front()].name, inFrames ? "Frame1" : "Command2");
        for (std::size_t i = 0; i < controlTable().size(); ++i) {
            const auto& design = controlTable()[i];
            const Shown& shown = surface.controls[i];
            EXPECT_EQ(shown.place, inFrames ? design.inFrame : design.inWindow) << design.name;
            EXPECT_DOUBLE_EQ(shown.fontPixels, design.font.points * 96.0 / 72.0) << design.name;
            EXPECT_EQ(shown.visible, design.visibleAtStart) << design.name;
            EXPECT_EQ(shown.centredLine,
                      design.name == "Label8" || design.name.starts_with("Label6("))
                << design.name;
        }
        EXPECT_EQ(surface.windowSizes, (std::vector<std::pair<int, int>>{{1016, 702}}));
        std::vector<std::string> walk;
        for (int index : surface.focusOrder) walk.push_back(controlTable()[index].name);
        EXPECT_EQ(walk, inFrames ? std::vector<std::string>(layout::kFocusOrder.begin(),
                                                            layout::kFocusOrder.end())
                                 : std::vector<std::string>{});
        EXPECT_EQ(surface.focused, controlIndex("Command2"));
        EXPECT_EQ(surface.of(layout::kStopwatchLabel).caption, kStopwatchZero);
        EXPECT_EQ(surface.of(layout::kStopwatchLabel).spoken, spokenReading(kStopwatchZero));
        window.fitTo(390, 844);
        EXPECT_EQ(surface.turnHint, inFrames ? std::optional<bool>(true) : std::nullopt);
    }
}

// The area each size of screen leaves: the window as designed at the density where it
// fits, shrunk to touch the area where it does not, every place and font at that scale;
// the size set at every fit, since a desktop frame changes with the density alone; and
// the hint to turn the screen where a phone is held upright.
TEST_F(PortableWindowTest, TheWindowFitsTheAreaAndTheHintFollowsTheRule) {
    struct Area {
        int width, height;
        double density;
        int windowWidth, windowHeight;
        layout::PixelRect stopButton;  // in its frame
        double buttonFontPixels;
        bool turnHint;
    };
    for (const Area& area : {
             Area{390, 844, 1, 390, 269, {215, 12, 19, 16}, 6.1417, true},
             Area{844, 390, 1, 564, 390, {311, 17, 27, 23}, 8.8889, false},
             Area{1920, 1080, 1, 1016, 702, {560, 30, 49, 41}, 16, false},
             Area{1920, 1080, 1.5, 1524, 1053, {840, 45, 74, 62}, 24, false},
             Area{1366, 728, 1.25, 1053, 728, {580, 31, 51, 42}, 16.5831, false},
             Area{1016, 702, 1, 1016, 702, {560, 30, 49, 41}, 16, false},
             Area{1016, 702, 1, 1016, 702, {560, 30, 49, 41}, 16, false},
         }) {
        SCOPED_TRACE(std::to_string(area.width) + "x" + std::to_string(area.height) + " at " +
                     std::to_string(area.density));
        surface.windowSizes.clear();
        window.fitTo(area.width, area.height, area.density);
        EXPECT_EQ(surface.windowSizes,
                  (std::vector<std::pair<int, int>>{{area.windowWidth, area.windowHeight}}));
        EXPECT_EQ(surface.of(layout::kStopButton).place, area.stopButton);
        EXPECT_NEAR(surface.of(layout::kStopButton).fontPixels, area.buttonFontPixels, 1e-4);
        EXPECT_EQ(surface.turnHint, area.turnHint);
    }
}

// A run of three: each problem flashed with its progress, and said in words in order,
// the first dropping what was unsaid; the sheet shows and says each line; the answers.
TEST_F(PortableWindowTest, ARunTheSheetAndTheAnswersAreShownAndSaidInOrder) {
    type(layout::kCountBox, "3");
    type(layout::kIntervalBox, "0.5");
    click(layout::kStartButton);
    std::vector<std::string> flashed;
    for (int k = 0; k < 5 && drill.state().nextProblem < 3; ++k) {
        runClockTo(surface.wakes.count(PortableWindow::kPaceTimer)
                       ? surface.wakes.at(PortableWindow::kPaceTimer)
                       : surface.now);
        if (surface.of(layout::kFlashLabel).visible)
            flashed.push_back(surface.of(layout::kFlashLabel).caption);
    }
    ASSERT_EQ(drill.state().nextProblem, 3);
    const auto& lines = drill.state().problemLines;
    EXPECT_EQ(flashed, lines);
    EXPECT_EQ(surface.of(layout::kFlashLabel).spoken, spokenLine(lines[2]));
    EXPECT_EQ(surface.of(layout::kProgressLabel).caption, "第3道");
    ASSERT_EQ(surface.announced.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(surface.announced[i].first, problemAnnouncement(i + 1, lines[i]));
        EXPECT_EQ(surface.announced[i].second, i == 0) << "only the first drops the rest";
    }

    surface.announced.clear();
    click(layout::kSheetButton);
    for (int i = 0; i < layout::kSheetLabelCount; ++i) {
        const Shown& label = surface.of(layout::sheetLabel(i));
        EXPECT_EQ(label.visible, i < 3) << i;
        if (i < 3) {
            EXPECT_EQ(label.caption, lines[i]);
            EXPECT_EQ(label.spoken, problemAnnouncement(i + 1, lines[i]));
        }
    }
    EXPECT_EQ(surface.focused, controlIndex(layout::kStopButton.objectName));
    click(layout::kAnswersButton);
    const Shown& answer = surface.of(layout::sheetLabel(1));
    EXPECT_EQ(answer.caption, drill.state().answerLines[1]);
    EXPECT_EQ(answer.spoken, problemAnnouncement(2, drill.state().answerLines[1]));
    EXPECT_EQ(surface.announced.back().first, problemAnnouncement(3, drill.state().answerLines[2]));
}

TEST_F(PortableWindowTest, ACountOutOfRangeShowsTheMessage) {
    type(layout::kCountBox, "21");
    click(layout::kStartButton);
    ASSERT_EQ(surface.messages.size(), 1u);
    EXPECT_EQ(surface.messages[0], std::string(kCountRejectedTitle) + "|" + kCountRejectedText +
                                       "|" + kCountRejectedButton);
}

// Each button of the design runs its handler; nothing else is a button.
TEST_F(PortableWindowTest, EachButtonRunsItsHandlerAndNothingElseIsAButton) {
    type(layout::kCountBox, "3");
    click(layout::kStartButton);
    EXPECT_EQ(drill.state().problemTotal, 3);
    click(layout::kSheetButton);
    EXPECT_TRUE(drill.state().stopwatchRunning);
    click(layout::kStopButton);
    EXPECT_FALSE(drill.state().stopwatchRunning);
    click(layout::kAnswersButton);
    EXPECT_TRUE(surface.of(layout::sheetLabel(0)).visible);
    type(layout::kCountBox, "5");
    for (std::size_t i = 0; i < controlTable().size(); ++i) {
        const auto kind = controlTable()[i].kind;
        if (kind != layout::ControlKind::Button && kind != layout::ControlKind::TypeBox)
            window.clicked(static_cast<int>(i));
    }
    EXPECT_EQ(drill.state().problemTotal, 3) << "no other control started a run";
}

// Only ticked types are drawn, whichever box was clicked last; a control without an
// action does nothing, nor does an index outside the table.
TEST_F(PortableWindowTest, ClicksGoWhereTheTableSaysAndTheTickedTypesAreGathered) {
    surface.ticked[controlIndex(layout::typeBox(2).objectName)] = true;
    click(layout::typeBox(2));
    for (int index : {-1, controlIndex(layout::kCountLabel.objectName),
                      static_cast<int>(controlTable().size())})
        window.clicked(index);
    EXPECT_TRUE(surface.messages.empty());
    type(layout::kCountBox, "5");
    click(layout::kStartButton);
    runClockTo(surface.now + 60'000'000);
    ASSERT_EQ(drill.state().answerLines.size(), 5u);
    for (const std::string& line : drill.state().answerLines)
        EXPECT_EQ(ruleViolation(2, line), "") << line;
}

// Pace tick n of a start is due at the start + n x interval: the first a millisecond
// after 出题, which sets the pupil's interval from then on. Ticks a busy thread missed
// are one tick, and the next is due an interval after it.
TEST_F(PortableWindowTest, ThePaceKeepsItsDeadlinesAndLateTicksAreOne) {
    type(layout::kCountBox, "20");
    type(layout::kIntervalBox, "1");
    click(layout::kStartButton);
    const std::int64_t clicked = surface.now;
    EXPECT_EQ(surface.wakes.at(PortableWindow::kPaceTimer), clicked + 1000);
    runClockTo(clicked + 1000);
    EXPECT_EQ(drill.state().nextProblem, 1);
    const std::int64_t set = clicked + 1000;  // the interval set at the first tick
    EXPECT_EQ(window.paceIntervalMs(), 1000);
    EXPECT_EQ(surface.wakes.at(PortableWindow::kPaceTimer), set + 1'000'000);
    // Woken 3.5 s late: one tick, and the next an interval later.
    surface.now = set + 4'500'000;
    window.timerWoke(PortableWindow::kPaceTimer);
    EXPECT_EQ(drill.state().nextProblem, 2);
    EXPECT_EQ(surface.wakes.at(PortableWindow::kPaceTimer), set + 5'500'000);
}

// The stopwatch: a tick each 100 ms; ticks a hidden page had withheld are counted when
// it wakes; stopped, it neither ticks nor asks to be woken.
TEST_F(PortableWindowTest, TheStopwatchCountsWithheldTicksAndStopsCleanly) {
    click(layout::kSheetButton);
    const std::int64_t started = surface.now;
    runClockTo(started + 1'000'000);
    EXPECT_EQ(surface.of(layout::kStopwatchLabel).caption, "0:1:0");
    surface.now = started + 6'050'000;  // hidden for five seconds: no wake-up came
    window.pageWoke();
    EXPECT_EQ(surface.of(layout::kStopwatchLabel).caption, "0:6:0");
    EXPECT_EQ(surface.of(layout::kStopwatchLabel).spoken, spokenReading("0:6:0"));
    click(layout::kStopButton);
    EXPECT_EQ(surface.wakes.count(PortableWindow::kStopwatchTimer), 0u);
    window.pageWoke();
    window.timerWoke(PortableWindow::kStopwatchTimer);
    EXPECT_EQ(surface.of(layout::kStopwatchLabel).caption, "0:6:0");
}

}  // namespace
}  // namespace zelkor::testing
