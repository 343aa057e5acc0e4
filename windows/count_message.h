#pragma once

#include <windows.h>

namespace zelkor::win32 {

// The modal message box that refuses a count: kCountRejectedText under
// kCountRejectedTitle, no icon, and one button that reads kCountRejectedButton whatever
// the language of Windows (the interface is Chinese throughout). Returns when it is closed. Posted
// messages, the timers' ticks among them, are still handled while it is open.
void showCountRejected(HWND owner);

}  // namespace zelkor::win32
