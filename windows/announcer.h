#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "drill_view.h"

namespace zelkor::win32 {

// Says short texts to the user's screen reader (Narrator, NVDA) without showing them,
// each as its own announcement after whatever it is saying now.
//
// Where Windows has UI Automation's notifications (10 1709 and later) each text is
// one, queued behind the others, or dropping those still unsaid when it starts a new
// run or sheet. Older Windows has live regions instead: each text gets a static control
// of one pixel in the window's corner, which draws nothing, holds the text as its name
// and is a polite live region raising EVENT_OBJECT_LIVEREGIONCHANGED. The screen reader
// reads the name when it comes to the event, at a fast pace well after the next text:
// one control renamed for every text would be read with the last text only, so the
// last controls are kept, each with its text. Live-region texts go out whether or not a
// screen reader says it runs: Narrator does not set SPI_GETSCREENREADER, and an event
// nobody listens to costs nothing. A live region of no size may be skipped; one pixel
// is not.
class Announcer {
  public:
    // Says a text as a notification; false where there are none (raiseUiaNotification).
    using Notify = bool (*)(HWND source, const std::wstring& text, bool dropsTheRest);
    // The live regions kept: a run and a sheet with answers, and more.
    static constexpr std::size_t kKeptRegions = 64;

    Announcer(HWND parent, Notify notify);
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void say(const std::wstring& text, Announcing how);
    // The live regions kept, oldest first.
    const std::deque<HWND>& regions() const { return regions_; }

  private:
    HWND parent_;
    Notify notify_;
    std::deque<HWND> regions_;
};

}  // namespace zelkor::win32
