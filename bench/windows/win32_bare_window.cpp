// The Windows start-up baseline: a plain Win32 window of the drill's size and style that
// shows the drill's captions with static labels in the same fonts, and nothing else.
#include <windows.h>

#include <string>
#include <vector>

#include "pixels.h"
#include "wide_text.h"
#include "window_layout.h"

namespace {

std::vector<zelkor::layout::Control> captionedControls() {
    using namespace zelkor::layout;
    std::vector<Control> all = {
        kSettingsFrame, kTypeFrame,      kDisplayFrame,  kStopwatchFrame, kCountLabel,
        kCountBox,      kCountUnitLabel, kIntervalLabel, kIntervalBox,    kIntervalUnitLabel,
        kStartButton,   kSheetButton,    kAnswersButton, kStopwatchLabel, kStopButton};
    for (int i = 0; i < kTypeBoxCount; ++i) all.push_back(typeBox(i));
    return all;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"ZelkorBareWindow";
    RegisterClassExW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 1016, 702};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"bare window", style, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    int row = 0;
    for (const auto& control : captionedControls()) {
        const int height = static_cast<int>(control.font.points * 96 / 72 + 0.5);
        HFONT font = CreateFontW(-height, 0, 0, 0, control.font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                 FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                 zelkor::toWide(zelkor::layout::kFontFamily).c_str());
        HWND label = CreateWindowExW(
            0, L"STATIC", zelkor::toWide(control.caption).c_str(), WS_CHILD | WS_VISIBLE,
            10 + 500 * (row % 2), 10 + 40 * (row / 2), 490, 40, window, nullptr, instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ++row;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
