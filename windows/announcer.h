#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// Says short texts to the user's screen reader (Narrator, NVDA) without showing them,
// after whatever it is saying now. A static control of one pixel in the window's
// corner, which draws nothing, holds the text as its name and is a polite live region:
// each text raises EVENT_OBJECT_LIVEREGIONCHANGED, which UI Automation hands to screen
// readers as a live-region change. The texts go out whether or not a screen reader
// says it runs: Narrator does not set SPI_GETSCREENREADER, and an event nobody
// listens to costs nothing. A live region of no size may be skipped; one pixel is not.
class Announcer {
  public:
    explicit Announcer(HWND parent);
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void say(const std::wstring& text);
    HWND handle() const { return control_; }

  private:
    HWND control_ = nullptr;
};

}  // namespace zelkor::win32
