#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "form1.h"

namespace zelkor::testing {

// A shown, active Form1 whose skin call is counted instead of loading a library.
class Form1Test : public ::testing::Test {
  protected:
    void SetUp() override { openForm(); }
    void TearDown() override { form.reset(); }

    // A fresh window, as at program start.
    void openForm() {
        form.reset();
        skinCalls = 0;
        form = std::make_unique<Form1>([this]() -> std::optional<std::int32_t> {
            ++skinCalls;
            skinCalledWhileVisible = form != nullptr && form->isVisible();
            return std::nullopt;
        });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <typename Widget>
    Widget* find(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QLineEdit* textBox(const char* name) const { return find<QLineEdit>(name); }
    QCheckBox* check(int index) const {
        return find<QCheckBox>(QStringLiteral("Check1(%1)").arg(index));
    }
    QLabel* sheet(int k) const { return label(QStringLiteral("Label6(%1)").arg(k)); }
    QWidget* line(int i) const { return find<QWidget>(QStringLiteral("Line1(%1)").arg(i)); }

    void click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    void type(QLineEdit* box, const QString& text) const {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // Waits until the run's timer has stopped (the end tick came).
    bool waitForRunEnd(int timeoutMs = 5000) const {
        return QTest::qWaitFor([this] { return !form->timer1().isTicking(); }, timeoutMs);
    }

    std::unique_ptr<Form1> form;
    int skinCalls = 0;
    bool skinCalledWhileVisible = false;
};

}  // namespace zelkor::testing
