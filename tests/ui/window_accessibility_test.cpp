#include <QAccessible>
#include <QGroupBox>

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

}  // namespace
}  // namespace zelkor::testing
