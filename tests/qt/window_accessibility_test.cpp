#include <QAccessible>
#include <QGroupBox>
#include <string>
#include <vector>

#include "announcements.h"
#include "control_table.h"
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

// Each control is called what the table says: its spoken name, or else its caption; the
// stopwatch's reading in words.
TEST_F(DrillWindowAccessibility, EveryControlHasTheNameAScreenReaderWouldSpeak) {
    for (const layout::DesignedControl& c : layout::controlTable()) {
        const std::string expected = c.name == layout::kStopwatchLabel.objectName
                                         ? spokenReading(c.caption)
                                     : c.spokenName.empty() ? c.caption
                                                            : c.spokenName;
        EXPECT_EQ(spokenName(find<QWidget>(c.name.c_str())).toStdString(), expected) << c.name;
    }
    EXPECT_EQ(roleOf(button(layout::kStartButton)), QAccessible::Button);
    EXPECT_EQ(roleOf(typeBox(0)), QAccessible::CheckBox);
    EXPECT_EQ(roleOf(textBox(layout::kCountBox)), QAccessible::EditableText);
}

// A label's words change with its text: the surface hands the accessible name on with
// each caption (which words each text gets is the portable window's own test).
TEST_F(DrillWindowAccessibility, ALabelIsReadInTheWordsGivenWithItsText) {
    type(textBox(layout::kCountBox), "2");
    click(button(layout::kStartButton));
    ASSERT_TRUE(waitForRunEnd());
    click(button(layout::kAnswersButton));
    EXPECT_EQ(spokenName(sheet(1)).toStdString(), problemAnnouncement(2, state().answerLines[1]));
}

// What a screen reader is told while the test pretends one runs: each text the window
// announced, read the way the screen reader reads it, and (Qt 6.8) which of them were
// assertive, dropping what is still unsaid.
std::vector<std::string>* heard = nullptr;
std::vector<std::size_t>* heardAssertive = nullptr;

void listen(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() != QAccessible::Announcement) return;
    auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
    if (announcement->politeness() == QAccessible::AnnouncementPoliteness::Assertive)
        heardAssertive->push_back(heard->size());
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
    // The notifications the announcer showed and still keeps, oldest first.
    QList<QWidget*> notes() const {
        return window->findChildren<QWidget*>("announcement", Qt::FindDirectChildrenOnly);
    }
};

// Where no screen reader runs (Qt's offscreen platform has no accessibility at all),
// announcing does nothing a pupil or anything else could notice.
TEST_F(DrillWindowAnnouncements, WithoutAScreenReaderNothingIsToldOrShown) {
    ASSERT_FALSE(QAccessible::isActive());
    drill3();
    EXPECT_TRUE(notes().isEmpty());
}

// Run by ui_announcements, where Qt serves an accessibility bus.
class DrillWindowScreenReader : public DrillWindowAnnouncements {
  protected:
    void SetUp() override {
        DrillWindowAnnouncements::SetUp();
        ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            << "no screen reader to pretend: run through screen_reader_window_tests.sh";
        heard = &said;
        heardAssertive = &assertive;
        QAccessible::installUpdateHandler(listen);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        heard = nullptr;
        heardAssertive = nullptr;
        DrillWindowAnnouncements::TearDown();
    }
    std::vector<std::string> said;
    std::vector<std::size_t> assertive;
};

// The run's problems, the sheet's twice, each stopped reading and the answers, each
// its own announcement in the logic's words, in order.
TEST_F(DrillWindowScreenReader, EachProblemReadingAndAnswerIsToldInWords) {
    const std::vector<std::string> readings = drill3();
    const auto& problems = state().problemLines;
    const auto& answers = state().answerLines;
    ASSERT_EQ(problems.size(), 3u);
    std::vector<std::string> expected;
    auto sheetOf = [&expected](const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i)
            expected.push_back(problemAnnouncement(static_cast<int>(i) + 1, lines[i]));
    };
    sheetOf(problems);  // the run
    sheetOf(problems);  // 式题
    expected.push_back(spokenReading(readings[0]));
    sheetOf(problems);  // 式题 again
    expected.push_back(spokenReading(readings[1]));
    sheetOf(answers);
    EXPECT_EQ(said, expected);
    EXPECT_NE(readings[0], kStopwatchZero);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The run, each sheet and 答案 drop what is still unsaid of the one before.
    EXPECT_EQ(assertive, (std::vector<std::size_t>{0, 3, 7, 10}));
#else
    // Each text has a notification of its own, which keeps its name: one renamed for
    // every text would be read with the last one only.
    const QList<QWidget*> shown = notes();
    ASSERT_EQ(static_cast<std::size_t>(shown.size()), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const int k = static_cast<int>(i);
        EXPECT_EQ(shown[k]->accessibleName().toStdString(), expected[i]);
        // Telling shows nothing: a note has no size and takes no focus.
        EXPECT_TRUE(shown[k]->geometry().isEmpty());
        EXPECT_EQ(shown[k]->focusPolicy(), Qt::NoFocus);
    }
#endif
}

}  // namespace
}  // namespace zelkor::testing
