#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"
#include "wide_text.h"
#include "window_layout.h"

namespace zelkor::testing {

// A window's text through WM_GETTEXT, as UTF-8.
inline std::string windowText(HWND hwnd) {
    const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return toUtf8(text);
}

// A shown Win32 DrillWindow driving its Drill as the program composes them, with the
// skin call counted instead of loading a library. Controls are found by the design
// names of the layout table; messages are pumped by the test, through the same dialog
// key handling as the program's message loop.
class Win32WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<win32::DrillWindow>(
            [this]() -> std::optional<std::int32_t> {
                ++skinCalls;
                skinCalledWhileVisible = window && IsWindowVisible(window->handle());
                return std::nullopt;
            },
            notify());
        drill = std::make_unique<Drill>(window->view(), random);
        window->attach(*drill);
        window->show();
        SetForegroundWindow(window->handle());
        pumpFor(50);
    }
    void TearDown() override {
        drill.reset();  // made on the window, so gone first
        window.reset();
    }
    // How the window says announcements: as the program does, unless a test says.
    virtual win32::Announcer::Notify notify() const { return win32::raiseUiaNotification; }

    // Handles the thread's messages until condition holds or timeoutMs passes; returns
    // whether it held.
    bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pumpPending();
        }
        return true;
    }
    void pumpFor(int ms) {
        pumpUntil([] { return false; }, ms);
    }
    void pumpPending() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (window && window->handleDialogKey(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    HWND control(const layout::Control& c) const { return window->control(c.objectName); }
    HWND control(std::string_view name) const { return window->control(name); }
    void click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    void click(const layout::Control& c) { click(control(c)); }
    void setText(const layout::Control& c, const std::string& utf8) {
        SendMessageW(control(c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(toWide(utf8).c_str()));
    }
    std::string textOf(HWND hwnd) const { return windowText(hwnd); }
    std::string textOf(const layout::Control& c) const { return windowText(control(c)); }
    bool visible(const layout::Control& c) const { return IsWindowVisible(control(c)) != FALSE; }
    bool waitForRunEnd(int timeoutMs = 5000) {
        return pumpUntil([this] { return window->portable().paceIntervalMs() == 0; }, timeoutMs);
    }
    const DrillState& state() const { return drill->state(); }

    // The density the test run was started at (wine_run.sh --dpi), 96 if not said.
    static int expectedDpi() {
        const char* dpi = std::getenv("ZELKOR_EXPECTED_DPI");
        return dpi == nullptr ? 96 : std::atoi(dpi);
    }

    ClockRandomSource random;
    std::unique_ptr<win32::DrillWindow> window;
    std::unique_ptr<Drill> drill;
    int skinCalls = 0;
    bool skinCalledWhileVisible = false;
};

}  // namespace zelkor::testing
