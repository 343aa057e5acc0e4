#include "announcer.h"

#include "accessible_name.h"

namespace zelkor::win32 {

Announcer::Announcer(HWND parent) {
    // Visible, so that screen readers take it for part of the window, but with no size
    // and no text drawn, and no tab stop: a pupil never meets it.
    control_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    markPoliteLiveRegion(control_);
}

void Announcer::say(const std::wstring& text) {
    if (!screenReaderRunning()) return;
    SetWindowTextW(control_, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control_, OBJID_CLIENT, CHILDID_SELF);
}

bool Announcer::screenReaderRunning() {
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

}  // namespace zelkor::win32
