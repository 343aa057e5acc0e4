#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"
#include "window_layout.h"

namespace zelkor::testing {

// A shown, active DrillWindow driving its Drill as the program composes them, whose skin
// call is counted instead of loading a library.
// Controls are found by the names the layout table gives them.
class DrillWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { openWindow(); }
    void TearDown() override {
        drill.reset();  // made on the window, so gone first
        window.reset();
    }

    // A fresh window, as at program start.
    void openWindow() {
        drill.reset();  // made on the window, so gone first
        window.reset();
        skinCalls = 0;
        window = std::make_unique<DrillWindow>([this]() -> std::optional<std::int32_t> {
            ++skinCalls;
            skinCalledWhileVisible = window != nullptr && window->isVisible();
            return std::nullopt;
        });
        drill = std::make_unique<Drill>(window->view(), random);
        window->attach(*drill);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Widget>
    Widget* find(const char* name) const {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QWidget* widget(const layout::Control& c) const { return find<QWidget>(c.objectName); }
    QPushButton* button(const layout::Control& c) const { return find<QPushButton>(c.objectName); }
    QLabel* label(const layout::Control& c) const { return find<QLabel>(c.objectName); }
    QLineEdit* textBox(const layout::Control& c) const { return find<QLineEdit>(c.objectName); }
    QCheckBox* typeBox(int i) const { return find<QCheckBox>(layout::typeBox(i).objectName); }
    QLabel* sheet(int i) const { return find<QLabel>(layout::sheetLabel(i).objectName); }
    QWidget* separator(int i) const { return find<QWidget>(layout::sheetSeparator(i).objectName); }

    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton); }
    void type(QLineEdit* box, const QString& text) const {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // Waits until the pace timer has stopped: the end tick came, or the first problem set
    // a pace of 0 and the run is held there.
    bool waitForPaceToStop(int timeoutMs = 5000) const {
        return QTest::qWaitFor([this] { return window->portable().paceIntervalMs() == 0; },
                               timeoutMs);
    }
    // Waits until the run has ended: the end tick hid the progress label.
    bool waitForRunEnd(int timeoutMs = 5000) const {
        return QTest::qWaitFor(
            [this] {
                return window->portable().paceIntervalMs() == 0 &&
                       !find<QLabel>(layout::kProgressLabel.objectName)->isVisible();
            },
            timeoutMs);
    }

    const DrillState& state() const { return drill->state(); }

    ClockRandomSource random;
    std::unique_ptr<DrillWindow> window;
    std::unique_ptr<Drill> drill;
    int skinCalls = 0;
    bool skinCalledWhileVisible = false;
};

}  // namespace zelkor::testing
