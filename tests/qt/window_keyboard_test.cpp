// The keyboard as users expect it: Enter and keypad Enter press the focused button,
// Escape presses none, Enter in a box or on a type box presses no button, and the
// focused control shows its focus ring from the start.
#include <QImage>

#include "window_fixture.h"

namespace zelkor::testing {
namespace {

class DrillWindowKeyboard : public DrillWindowTest {};

TEST_F(DrillWindowKeyboard, EnterAndKeypadEnterPressTheFocusedButton) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        SCOPED_TRACE(key == Qt::Key_Return ? "Return" : "keypad Enter");
        openWindow();
        button(layout::kSheetButton)->setFocus();
        QTest::keyClick(button(layout::kSheetButton), key);
        EXPECT_TRUE(window->portable().stopwatchRunning()) << "式题 was pressed";
        ASSERT_EQ(QApplication::focusWidget(), button(layout::kStopButton));
        QTest::keyClick(button(layout::kStopButton), key);
        EXPECT_FALSE(window->portable().stopwatchRunning()) << "停止 was pressed";
    }
}

TEST_F(DrillWindowKeyboard, EnterElsewhereAndEscapePressNoButton) {
    textBox(layout::kCountBox)->setFocus();
    QTest::keyClick(textBox(layout::kCountBox), Qt::Key_Return);
    typeBox(3)->setFocus();
    QTest::keyClick(typeBox(3), Qt::Key_Enter);
    QTest::keyClick(button(layout::kAnswersButton), Qt::Key_Escape);
    EXPECT_EQ(window->portable().paceIntervalMs(), 0) << "no run started";
    EXPECT_FALSE(window->portable().stopwatchRunning());
    EXPECT_FALSE(separator(0)->isVisible()) << "no sheet laid out";
    EXPECT_FALSE(typeBox(3)->isChecked());
}

TEST_F(DrillWindowKeyboard, TheFocusedButtonShowsItsFocusRingFromTheStart) {
    QPushButton* answers = button(layout::kAnswersButton);
    ASSERT_TRUE(answers->hasFocus());
    const QImage focused = answers->grab().toImage();
    button(layout::kSheetButton)->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = answers->grab().toImage();
    EXPECT_NE(focused, unfocused) << "focus drawn only after a first Tab";
}

}  // namespace
}  // namespace zelkor::testing
