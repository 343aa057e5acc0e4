#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// Says short texts to the user's screen reader (Narrator, NVDA) without showing them,
// after whatever it is saying now, and only while one is running. A static control
// without size holds the text as its name and is a polite live region: each text
// raises EVENT_OBJECT_LIVEREGIONCHANGED, which UI Automation hands to screen readers
// as a live-region change.
class Announcer {
  public:
    explicit Announcer(HWND parent);
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void say(const std::wstring& text);
    HWND handle() const { return control_; }

    // Whether a screen reader says it is running (SPI_GETSCREENREADER, which Narrator
    // and NVDA set while they run).
    static bool screenReaderRunning();

  private:
    HWND control_ = nullptr;
};

}  // namespace zelkor::win32
