#include <QAccessible>
#include <QGroupBox>

#include "form1_fixture.h"

namespace zelkor::testing {
namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString("<no interface>");
}

QAccessible::Role roleOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->role();
}

class Form1Accessibility : public Form1Test {};

TEST_F(Form1Accessibility, EveryControlHasTheNameAScreenReaderWouldSpeak) {
    const std::pair<const char*, const char*> names[] = {
        {"Frame1", "题数及间隔时间设置："},
        {"Frame4", "出题类型选择："},
        {"Frame2", "式题显示窗口："},
        {"Frame5", "计时器：（可用“空格键”直接停止）"},
        {"Label2", "题数"},
        {"Text1", "题数"},
        {"Label3", "题"},
        {"Label4", "间隔"},
        {"Text2", "间隔"},
        {"Label5", "秒"},
        {"Command1", "出题"},
        {"Command3", "式题"},
        {"Command2", "答案"},
        {"Command4", "停止"},
        {"Label8", "0:0:0"},
        {"Check1(0)", "一位数加一位数"},
        {"Check1(4)", "两位减两位（不退位）"},
        {"Check1(8)", "表内除法"},
        {"Check1(11)", "（暂未设置）"},
    };
    for (const auto& [object, name] : names) {
        EXPECT_EQ(spokenName(find<QWidget>(object)), QString::fromUtf8(name)) << object;
    }
    EXPECT_EQ(roleOf(button("Command1")), QAccessible::Button);
    EXPECT_EQ(roleOf(check(0)), QAccessible::CheckBox);
    EXPECT_EQ(roleOf(textBox("Text1")), QAccessible::EditableText);
    for (int k = 0; k < 12; ++k) EXPECT_FALSE(spokenName(check(k)).isEmpty()) << k;
}

TEST_F(Form1Accessibility, TheProblemsTheSheetAndTheAnswersCanBeReadAloud) {
    type(textBox("Text2"), "0.05");
    type(textBox("Text1"), "6");
    click(button("Command1"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !label("Label1")->text().isEmpty(); }, 2000));
    EXPECT_EQ(spokenName(label("Label1")), label("Label1")->text()) << "the flashing problem";
    EXPECT_EQ(spokenName(label("Label7")), label("Label7")->text());
    ASSERT_TRUE(waitForRunEnd());
    for (const char* sheetButton : {"Command3", "Command2"}) {
        click(button(sheetButton));
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(spokenName(sheet(k)).toStdString(),
                      (sheetButton == std::string("Command3") ? form->state().problemLines
                                                              : form->state().answerLines)[k]);
        }
    }
}

}  // namespace
}  // namespace zelkor::testing
