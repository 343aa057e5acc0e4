#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "window_fixture.h"

namespace zelkor::testing {
namespace {

// The design written out here once more, by its own control names, so that a slip in
// the window's layout table shows up: each widget is found by the name it must carry.
// Places are in twips, converted at 15 twips a pixel, rounding the edges.
struct Twips {
    int left, top, width, height;
    QRect pixels() const {
        auto px = [](int t) { return static_cast<int>(std::lround(t / 15.0)); };
        return {px(left), px(top), px(left + width) - px(left), px(top + height) - px(top)};
    }
};

struct ControlRow {
    const char* name;
    const char* parent;
    const char* caption;
    Twips place;
    double points;
    bool bold;
    bool visible;
};

const ControlRow kControls[] = {
    {"Frame1", "Form1", "题数及间隔时间设置：", {120, 240, 3375, 2775}, 14.25, true, true},
    {"Frame4", "Form1", "出题类型选择：", {3720, 240, 11415, 2775}, 14.25, true, true},
    {"Frame2", "Form1", "式题显示窗口：", {120, 3000, 15015, 6015}, 14.25, true, true},
    {"Frame5",
     "Form1",
     "计时器：（可用“空格键”直接停止）",
     {120, 9120, 15015, 1215},
     14.25,
     true,
     true},
    {"Label2", "Frame1", "题数", {120, 480, 1095, 495}, 14.25, false, true},
    {"Text1", "Frame1", "5", {1320, 360, 975, 495}, 14.25, false, true},
    {"Label3", "Frame1", "题", {2280, 360, 735, 495}, 14.25, false, true},
    {"Label4", "Frame1", "间隔", {120, 1320, 1095, 495}, 14.25, false, true},
    {"Text2", "Frame1", "0.01", {1320, 1200, 975, 495}, 14.25, false, true},
    {"Label5", "Frame1", "秒", {2280, 1200, 735, 495}, 14.25, false, true},
    {"Command1", "Frame1", "出题", {240, 1920, 735, 615}, 12, true, true},
    {"Command3", "Frame1", "式题", {1320, 1920, 735, 615}, 12, true, true},
    {"Command2", "Frame1", "答案", {2400, 1920, 735, 615}, 12, true, true},
    {"Label7", "Frame2", "", {3960, 720, 6345, 1455}, 39.75, true, true},
    {"Label1", "Frame2", "", {2400, 2400, 9945, 1695}, 80.25, true, true},
    {"Label8", "Frame5", "0:0:0", {5400, 360, 3015, 615}, 36, true, true},
    {"Command4", "Frame5", "停止", {8400, 450, 735, 615}, 12, true, true},
    {"Check1(0)", "Frame4", "一位数加一位数", {360, 360, 3255, 495}, 14.25, false, true},
    {"Check1(1)", "Frame4", "两位数加两位数", {4080, 915, 3255, 495}, 14.25, false, true},
    {"Check1(2)", "Frame4", "10以内的减法", {4080, 360, 3255, 495}, 14.25, false, true},
    {"Check1(3)", "Frame4", "20以内退位减法", {360, 915, 3255, 495}, 14.25, false, true},
    {"Check1(4)", "Frame4", "两位减两位（不退位）", {360, 1485, 3255, 495}, 14.25, false, true},
    {"Check1(5)", "Frame4", "两位减两位（退位）", {4080, 1485, 3255, 495}, 14.25, false, true},
    {"Check1(6)", "Frame4", "表内乘法", {360, 2040, 3255, 495}, 14.25, false, true},
    {"Check1(7)", "Frame4", "两位数乘一位数", {4080, 2040, 3255, 495}, 14.25, false, true},
    {"Check1(8)", "Frame4", "表内除法", {7800, 360, 3255, 495}, 14.25, false, true},
    {"Check1(9)", "Frame4", "（暂未设置）", {7800, 915, 3255, 495}, 14.25, false, true},
    {"Check1(10)", "Frame4", "（暂未设置）", {7800, 1485, 3255, 495}, 14.25, false, true},
    {"Check1(11)", "Frame4", "（暂未设置）", {7800, 2040, 3255, 495}, 14.25, false, true},
};

QString captionOf(const QWidget* widget) {
    if (auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

class DrillWindowLayout : public DrillWindowTest {};

TEST_F(DrillWindowLayout, WindowHasItsTitleFixedClientSizeAndIcon) {
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("ZelkorV1.2版"));
    EXPECT_EQ(window->size(), QSize(1016, 702));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the layout is fixed";
    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
}

TEST_F(DrillWindowLayout, EveryControlStandsAtItsDesignedPlaceWithItsCaptionAndFont) {
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(row.name);
        auto* widget = find<QWidget>(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), row.parent);
        EXPECT_EQ(widget->geometry(), row.place.pixels());
        EXPECT_EQ(captionOf(widget), QString::fromUtf8(row.caption));
        EXPECT_EQ(widget->font().family(), QString::fromUtf8("宋体"));
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), row.points);
        EXPECT_EQ(widget->font().weight(), row.bold ? QFont::Bold : QFont::Normal);
        EXPECT_FALSE(widget->font().italic() || widget->font().underline() ||
                     widget->font().strikeOut());
        EXPECT_EQ(widget->isVisible(), row.visible);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
    }
}

TEST_F(DrillWindowLayout, SongFontIsSubstitutedByAnInstalledMingFace) {
    const QFontInfo resolved(find<QLabel>("Label2")->font());
    EXPECT_TRUE(resolved.family().startsWith("AR PL UMing")) << resolved.family().toStdString();
}

TEST_F(DrillWindowLayout, SheetLabelsAndSeparatorsFormTheHiddenGrid) {
    for (int k = 1; k <= 20; ++k) {
        SCOPED_TRACE(k);
        const int column = (k - 1) % 4;
        const int row = (k - 1) / 4;
        QLabel* cell = find<QLabel>(QStringLiteral("Label6(%1)").arg(k).toLatin1().constData());
        EXPECT_EQ(cell->parentWidget()->objectName(), "Frame2");
        EXPECT_EQ(cell->geometry(),
                  (Twips{120 + 3760 * column, 480 + 1170 * row, 3435, 705}.pixels()));
        EXPECT_DOUBLE_EQ(cell->font().pointSizeF(), 36);
        EXPECT_EQ(cell->font().weight(), QFont::Bold);
        EXPECT_FALSE(cell->isVisible());
        EXPECT_EQ(cell->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    }
    const int xs[] = {248, 496, 744};  // 3720, 7440, 11160 twips
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QWidget* line = find<QWidget>(QStringLiteral("Line1(%1)").arg(i).toLatin1().constData());
        EXPECT_EQ(line->geometry(), QRect(xs[i] - 1, 32, 2, 361));  // 480 to 5880 twips
        EXPECT_FALSE(line->isVisible());
    }
}

TEST_F(DrillWindowLayout, ColoursOfTheFlashLabelsStopwatchAndFrameCaptions) {
    for (const char* name : {"Label1", "Label7"}) {
        EXPECT_TRUE(find<QLabel>(name)->autoFillBackground()) << name;
        EXPECT_EQ(find<QLabel>(name)->palette().color(QPalette::Window), QColor(192, 192, 255))
            << name;
    }
    EXPECT_EQ(find<QLabel>("Label8")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    for (const char* frame : {"Frame1", "Frame2"}) {
        EXPECT_EQ(find<QGroupBox>(frame)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    }
}

TEST_F(DrillWindowLayout, SkinIsCalledOnceBeforeTheWindowIsShown) {
    EXPECT_EQ(skinCalls, 1);
    EXPECT_FALSE(skinCalledWhileVisible);
}

TEST_F(DrillWindowLayout, FocusStartsOnAnswerAndTabWalksTheDesignedOrder) {
    EXPECT_EQ(QApplication::focusWidget(), find<QPushButton>("Command2"));
    const QStringList order = {"Text2",     "Text1",     "Command1",  "Check1(3)",  "Check1(6)",
                               "Check1(4)", "Command3",  "Check1(9)", "Check1(10)", "Check1(11)",
                               "Check1(8)", "Check1(0)", "Check1(2)", "Check1(7)",  "Check1(1)",
                               "Check1(5)", "Command4",  "Command2"};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
}

TEST_F(DrillWindowLayout, TextBoxesTakeAnyTextOfAnyLengthAndNoInputMethod) {
    for (const char* name : {"Text1", "Text2"}) {
        QLineEdit* box = find<QLineEdit>(name);
        EXPECT_FALSE(box->inputMethodQuery(Qt::ImEnabled).toBool()) << name << ": no input method";
        const QString longText(100000, QChar('7'));
        box->setText(longText);
        EXPECT_EQ(box->text().size(), longText.size()) << name;
        box->clear();
        QTest::keyClicks(box, "a1 .x");
        EXPECT_EQ(box->text(), "a1 .x") << "no filtering";
    }
}

TEST_F(DrillWindowLayout, RejectedCountShowsThePlainMessageBoxWithAChineseOk) {
    QString text, title, buttonText;
    int buttons = -1;
    QMessageBox::Icon icon = QMessageBox::Warning;
    Qt::WindowFlags flags;
    int width = 0;
    bool seen = false;
    // Answers the box from inside its modal loop; polling, so that a box that is late
    // to appear is still found, and a click that shows none returns at once.
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        flags = box->windowFlags();
        width = box->width();
        buttons = static_cast<int>(box->buttons().size());
        buttonText = box->buttons().value(0)->text();
        answer.stop();
        box->button(QMessageBox::Ok)->click();
    });
    answer.start();
    type(find<QLineEdit>("Text1"), "21");
    click(find<QPushButton>("Command1"));
    answer.stop();
    ASSERT_TRUE(seen);
    EXPECT_EQ(text, QString::fromUtf8("出题的数量最多20题！"));
    EXPECT_EQ(title, QString::fromUtf8("请注意"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(buttonText, QString::fromUtf8("确定"));
    // Its title bar offers a title and a close button, nothing that would do nothing.
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_GE(width, 260) << "room for the title beside a title bar's three buttons";
    EXPECT_EQ(state().problemTotal, 0);
}

}  // namespace
}  // namespace zelkor::testing
