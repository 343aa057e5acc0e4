#include "announcer.h"

#include "accessible_name.h"

namespace zelkor::win32 {

Announcer::Announcer(HWND parent) {
    // Visible and one pixel large, so that screen readers take it for part of the
    // window, but owner-drawn by an owner that draws nothing, and with no tab stop: a
    // pupil never meets it.
    control_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 1, 1,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    markPoliteLiveRegion(control_);
}

void Announcer::say(const std::wstring& text) {
    SetWindowTextW(control_, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control_, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zelkor::win32
