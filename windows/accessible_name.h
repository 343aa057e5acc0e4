#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// Gives control the name screen readers (Narrator, NVDA, through Microsoft Active
// Accessibility) read for it, in place of its text, or with an empty name hands the
// control back to its text. Uses Windows' dynamic annotation (IAccPropServices);
// where that is unavailable the control keeps its text as its name. Raises the name's
// change once the new name is set: call it after changing the control's text.
void setAccessibleName(HWND control, const std::wstring& name);

// Makes control a polite live region for UI Automation (its LiveSetting property, by
// the same dynamic annotation): when it raises EVENT_OBJECT_LIVEREGIONCHANGED, screen
// readers read its name after what they are saying. Returns whether Windows took it.
bool markPoliteLiveRegion(HWND control);

}  // namespace zelkor::win32
