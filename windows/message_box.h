#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// The modal message box: text under title, no icon, and one button that reads button
// whatever the language of Windows. Returns when it is closed. Posted messages, the
// timers' ticks among them, are still handled while it is open.
void showMessageBox(HWND owner, const std::wstring& title, const std::wstring& text,
                    const std::wstring& button);

}  // namespace zelkor::win32
