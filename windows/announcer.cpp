#include "announcer.h"

#include "accessible_name.h"

namespace zelkor::win32 {

Announcer::Announcer(HWND parent, Notify notify) : parent_(parent), notify_(notify) {}

Announcer::~Announcer() {
    for (HWND region : regions_) DestroyWindow(region);
}

void Announcer::say(const std::wstring& text, Announcing how) {
    if (notify_ != nullptr && notify_(parent_, text, how == Announcing::InsteadOfTheRest)) return;
    // A live region cannot take back what the screen reader has queued.
    while (regions_.size() >= kKeptRegions) {
        DestroyWindow(regions_.front());
        regions_.pop_front();
    }
    // Visible and one pixel large, so that screen readers take it for part of the
    // window, but owner-drawn by an owner that draws nothing, and with no tab stop: a
    // pupil never meets it.
    const HWND region =
        CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 1,
                        1, parent_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (region == nullptr) return;
    regions_.push_back(region);
    markPoliteLiveRegion(region);
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zelkor::win32
