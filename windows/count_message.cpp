#include "count_message.h"

#include <string>

#include "drill.h"
#include "wide_text.h"

namespace zelkor::win32 {
namespace {

HHOOK captionHook = nullptr;

// MessageBoxW captions its button in the language of Windows. The box is activated
// once its controls exist: that is when the caption is set, through the documented
// computer-based-training hook of this thread.
LRESULT CALLBACK captionOkButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        if (std::wstring(className) == L"#32770")
            SetDlgItemTextW(box, IDOK, toWide(kCountRejectedButton).c_str());
    }
    return CallNextHookEx(captionHook, code, wParam, lParam);
}

}  // namespace

void showCountRejected(HWND owner) {
    captionHook = SetWindowsHookExW(WH_CBT, captionOkButton, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, toWide(kCountRejectedText).c_str(), toWide(kCountRejectedTitle).c_str(),
                MB_OK);
    UnhookWindowsHookEx(captionHook);
    captionHook = nullptr;
}

}  // namespace zelkor::win32
