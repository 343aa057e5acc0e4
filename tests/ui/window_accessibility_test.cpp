#include <QAccessible>
#include <QGroupBox>
#include <string>
#include <vector>

#include "window_fixture.h"

namespace zelkor::testing {
namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString("<no interface>");
}

QAccessible::Role roleOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->role();
}

class DrillWindowAccessibility : public DrillWindowTest {};

TEST_F(DrillWindowAccessibility, EveryControlHasTheNameAScreenReaderWouldSpeak) {
    const std::pair<layout::Control, const char*> names[] = {
        {layout::kSettingsFrame, "题数及间隔时间设置："},
        {layout::kTypeFrame, "出题类型选择："},
        {layout::kDisplayFrame, "式题显示窗口："},
        {layout::kStopwatchFrame, "计时器：（可用“空格键”直接停止）"},
        {layout::kCountLabel, "题数"},
        {layout::kCountBox, "题数"},
        {layout::kCountUnitLabel, "题"},
        {layout::kIntervalLabel, "间隔"},
        {layout::kIntervalBox, "间隔"},
        {layout::kIntervalUnitLabel, "秒"},
        {layout::kStartButton, "出题"},
        {layout::kSheetButton, "式题"},
        {layout::kAnswersButton, "答案"},
        {layout::kStopButton, "停止"},
        {layout::kStopwatchLabel, "0:0:0"},
        {layout::typeBox(0), "一位数加一位数"},
        {layout::typeBox(4), "两位减两位（不退位）"},
        {layout::typeBox(8), "表内除法"},
        {layout::typeBox(11), "（暂未设置）"},
    };
    for (const auto& [control, name] : names) {
        EXPECT_EQ(spokenName(widget(control)), QString::fromUtf8(name)) << name;
    }
    EXPECT_EQ(roleOf(button(layout::kStartButton)), QAccessible::Button);
    EXPECT_EQ(roleOf(typeBox(0)), QAccessible::CheckBox);
    EXPECT_EQ(roleOf(textBox(layout::kCountBox)), QAccessible::EditableText);
    for (int k = 0; k < 12; ++k) EXPECT_FALSE(spokenName(typeBox(k)).isEmpty()) << k;
}

TEST_F(DrillWindowAccessibility, TheProblemsTheSheetAndTheAnswersCanBeReadAloud) {
    type(textBox(layout::kIntervalBox), "0.05");
    type(textBox(layout::kCountBox), "6");
    click(button(layout::kStartButton));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !label(layout::kFlashLabel)->text().isEmpty(); }, 2000));
    EXPECT_EQ(spokenName(label(layout::kFlashLabel)), label(layout::kFlashLabel)->text())
        << "the flashing problem";
    EXPECT_EQ(spokenName(label(layout::kProgressLabel)), label(layout::kProgressLabel)->text());
    ASSERT_TRUE(waitForRunEnd());
    click(button(layout::kSheetButton));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(spokenName(sheet(i)).toStdString(), state().problemLines[i]);
    }
    click(button(layout::kAnswersButton));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(spokenName(sheet(i)).toStdString(), state().answerLines[i]);
    }
}

// What a screen reader is told while the test pretends one runs: each text the window
// announced, read the way the screen reader reads it.
std::vector<std::string>* heard = nullptr;

void listen(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() != QAccessible::Announcement) return;
    auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
    EXPECT_EQ(announcement->politeness(), QAccessible::AnnouncementPoliteness::Polite);
    heard->push_back(announcement->message().toStdString());
#else
    // A notification coming into view: the screen reader speaks its role and name.
    if (event->type() != QAccessible::ObjectShow) return;
    QAccessibleInterface* shown = event->accessibleInterface();
    if (shown == nullptr || shown->role() != QAccessible::Notification) return;
    heard->push_back(shown->text(QAccessible::Name).toStdString());
#endif
}

// A run of three, then the sheet, the stopwatch stopped by 停止 after two tenths, the
// sheet again and 答案 after two tenths; returns what the stopwatch showed when stopped.
class DrillWindowAnnouncements : public DrillWindowTest {
  protected:
    std::vector<std::string> drill3() {
        type(textBox(layout::kIntervalBox), "0.02");
        type(textBox(layout::kCountBox), "3");
        click(button(layout::kStartButton));
        EXPECT_TRUE(waitForRunEnd());
        std::vector<std::string> readings;
        for (QPushButton* stop : {button(layout::kStopButton), button(layout::kAnswersButton)}) {
            click(button(layout::kSheetButton));
            EXPECT_TRUE(QTest::qWaitFor([this] { return state().elapsedMs >= 200; }, 2000));
            click(stop);
            readings.push_back(label(layout::kStopwatchLabel)->text().toStdString());
        }
        return readings;
    }
    QWidget* announcer() const { return find<QWidget>("announcer"); }
};

// Where no screen reader runs (Qt's offscreen platform has no accessibility at all),
// announcing does nothing a pupil or anything else could notice.
TEST_F(DrillWindowAnnouncements, WithoutAScreenReaderNothingIsToldOrShown) {
    ASSERT_FALSE(QAccessible::isActive());
    drill3();
    EXPECT_FALSE(announcer()->isVisible());
    EXPECT_TRUE(announcer()->accessibleName().isEmpty());
}

// Run by ui_announcements, where Qt serves an accessibility bus.
class DrillWindowScreenReader : public DrillWindowAnnouncements {
  protected:
    void SetUp() override {
        DrillWindowAnnouncements::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            << "no screen reader to pretend: run through screen_reader_window_tests.sh";
        heard = &said;
        QAccessible::installUpdateHandler(listen);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        heard = nullptr;
        DrillWindowAnnouncements::TearDown();
    }
    std::vector<std::string> said;
};

TEST_F(DrillWindowScreenReader, EachProblemAndEachStoppedReadingIsToldAsShown) {
    const std::vector<std::string> readings = drill3();
    const auto& problems = state().problemLines;
    ASSERT_EQ(problems.size(), 3u);
    const std::vector<std::string> expected = {"第1道 " + problems[0], "第2道 " + problems[1],
                                               "第3道 " + problems[2], readings[0], readings[1]};
    EXPECT_EQ(said, expected);
    EXPECT_NE(readings[0], "0:0:0");
    // Telling shows nothing: the announcer has no size and takes no focus.
    EXPECT_TRUE(announcer()->geometry().isEmpty());
    EXPECT_EQ(announcer()->focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace zelkor::testing
