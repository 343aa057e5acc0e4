#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <cstring>

#include "window_fixture.h"

// The number boxes with a Chinese input method active, as a Chinese pupil's desktop has
// it: a real fcitx5 with pinyin, real X key events (tests/smoke/chinese_input.sh
// starts both). A plain line edit beside them shows that pinyin really was active.
namespace zelkor::testing {
namespace {

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// The input method fcitx5 has active now, as fcitx5-remote names it.
QString currentInputMethod() {
    QProcess process;
    process.start("fcitx5-remote", {"-n"});
    if (!process.waitForFinished(10000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class ChineseInput : public DrillWindowTest {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb" ||
            qEnvironmentVariable("QT_IM_MODULE") != "fcitx") {
            GTEST_SKIP() << "needs a real X server with fcitx5 (tests/smoke/chinese_input.sh)";
        }
        DrillWindowTest::SetUp();
    }

    // Gives box the keyboard focus, switches the input method to pinyin and types keys
    // through the X server, as a keyboard would; returns the box's text once it settles.
    QString typeWithPinyin(QLineEdit* box, const char* keys) const {
        box->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box->window()));
        box->setFocus(Qt::MouseFocusReason);
        box->clear();
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }, 5000)) << "focus";
        // fcitx5 switches the input context that has the focus; Qt tells it of the focus
        // over D-Bus a little later, so ask until the switch has taken. A box that takes
        // no input method has no input context: its keys never pass through fcitx5.
        const bool takesInputMethod = box->inputMethodQuery(Qt::ImEnabled).toBool();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return run("fcitx5-remote", {"-s", "pinyin"}) &&
                       (!takesInputMethod || currentInputMethod() == "pinyin");
            },
            5000))
            << "fcitx5 did not switch to pinyin";
        EXPECT_TRUE(run("xdotool", {"type", "--delay", "60", keys}));
        // One character arrives per key, whatever the input method makes of it; a key
        // an input method swallows into its candidate list never arrives, and then the
        // bound ends the wait with the text as it stands.
        const auto keyCount = static_cast<qsizetype>(std::strlen(keys));
        (void)QTest::qWaitFor([&] { return box->text().size() >= keyCount; }, 5000);
        return box->text();
    }
};

TEST_F(ChineseInput, PinyinIsActiveInAPlainLineEdit) {
    QLineEdit plain;
    plain.setWindowTitle("control");
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    EXPECT_EQ(typeWithPinyin(&plain, ".5").toStdString(), "。5");
}

TEST_F(ChineseInput, NumberBoxesTakeKeystrokesAsTyped) {
    const struct {
        layout::Control box;
        const char* keys;
    } cases[] = {
        {layout::kIntervalBox, ".5"},
        {layout::kIntervalBox, "0.25"},
        {layout::kCountBox, "12"},
        {layout::kCountBox, "abc"},  // letters stay letters: no candidate list opens
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.box.objectName) + " <- " + c.keys);
        EXPECT_EQ(typeWithPinyin(textBox(c.box), c.keys).toStdString(), c.keys);
    }
}

}  // namespace
}  // namespace zelkor::testing
