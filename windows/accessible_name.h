#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// Gives control the name screen readers (Narrator, NVDA, through Microsoft Active
// Accessibility) read for it, in place of its text, or with an empty name hands the
// control back to its text. Uses Windows' dynamic annotation (IAccPropServices);
// where that is unavailable the control keeps its text as its name.
void setAccessibleName(HWND control, const std::wstring& name);

}  // namespace zelkor::win32
