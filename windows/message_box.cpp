#include "message_box.h"

namespace zelkor::win32 {
namespace {

HHOOK captionHook = nullptr;
const std::wstring* buttonCaption = nullptr;

// MessageBoxW captions its button in the language of Windows. The box is activated
// once its controls exist: that is when the caption is set, through the documented
// computer-based-training hook of this thread.
LRESULT CALLBACK captionOkButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && buttonCaption != nullptr) {
        auto* box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, 16);
        if (std::wstring(className) == L"#32770")
            SetDlgItemTextW(box, IDOK, buttonCaption->c_str());
    }
    return CallNextHookEx(captionHook, code, wParam, lParam);
}

}  // namespace

void showMessageBox(HWND owner, const std::wstring& title, const std::wstring& text,
                    const std::wstring& button) {
    buttonCaption = &button;
    captionHook = SetWindowsHookExW(WH_CBT, captionOkButton, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
    UnhookWindowsHookEx(captionHook);
    captionHook = nullptr;
    buttonCaption = nullptr;
}

}  // namespace zelkor::win32
