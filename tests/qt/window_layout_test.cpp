#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QTimer>
#include <cmath>

#include "control_table.h"
#include "window_fixture.h"

namespace zelkor::testing {
namespace {

QRect toRect(const layout::PixelRect& p) { return {p.left, p.top, p.width, p.height}; }
QColor toColour(layout::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

QString captionOf(const QWidget* widget) {
    if (auto* box = qobject_cast<const QGroupBox*>(widget)) return box->title();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

class DrillWindowLayout : public DrillWindowTest {};

TEST_F(DrillWindowLayout, WindowHasItsTitleFixedClientSizeAndIcon) {
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(layout::kTitle));
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    EXPECT_EQ(window->size(), QSize(client.width, client.height));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the layout is fixed";
    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
}

// Every control of the table as its widget: in its frame, at its place, with its
// caption, font, colours and visibility at start.
TEST_F(DrillWindowLayout, EveryControlIsTheTablesInItsFrameAtItsPlace) {
    for (const layout::DesignedControl& c : layout::controlTable()) {
        SCOPED_TRACE(c.name);
        auto* widget = find<QWidget>(c.name.c_str());
        ASSERT_NE(widget, nullptr);
        const std::string frame = c.frame.empty() ? layout::kWindow.objectName : c.frame;
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), frame);
        EXPECT_EQ(widget->geometry(), toRect(c.inFrame));
        EXPECT_EQ(widget->isVisible(), c.visibleAtStart);
        if (c.textColour) {
            EXPECT_EQ(widget->palette().color(QPalette::WindowText), toColour(*c.textColour));
        }
        if (c.background) {
            EXPECT_TRUE(widget->autoFillBackground());
            EXPECT_EQ(widget->palette().color(QPalette::Window), toColour(*c.background));
        }
        if (c.kind == layout::ControlKind::Separator) continue;
        EXPECT_EQ(captionOf(widget).toStdString(), c.caption);
        EXPECT_EQ(widget->font().family(), QString::fromUtf8(layout::kFontFamily));
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), c.font.points);
        EXPECT_EQ(widget->font().weight(), c.font.bold ? QFont::Bold : QFont::Normal);
        EXPECT_FALSE(widget->font().italic() || widget->font().underline() ||
                     widget->font().strikeOut());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        }
    }
}

TEST_F(DrillWindowLayout, SongFontIsSubstitutedByAnInstalledMingFace) {
    const QFontInfo resolved(find<QLabel>("Label2")->font());
    EXPECT_TRUE(resolved.family().startsWith("AR PL UMing")) << resolved.family().toStdString();
}

TEST_F(DrillWindowLayout, SkinIsCalledOnceBeforeTheWindowIsShown) {
    EXPECT_EQ(skinCalls, 1);
    EXPECT_FALSE(skinCalledWhileVisible);
}

TEST_F(DrillWindowLayout, FocusStartsOnTheFirstOfTheFocusOrderAndTabWalksIt) {
    const auto& order = layout::kFocusOrder;
    auto name = [](std::string_view n) { return QString::fromUtf8(n.data(), n.size()); };
    EXPECT_EQ(QApplication::focusWidget()->objectName(), name(order.front()));
    for (std::size_t i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name(order[i % order.size()]))
            << "step " << i;
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
