#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <thread>

namespace zelkor::win32 {

// One wake-up at a time, on time: after wakeAt(deadline) the window's thread is sent
// message once the performance counter has passed the deadline, measured on a
// high-resolution waitable timer (Windows 10 1803 and later; elsewhere an ordinary one
// with the system timer at 1 ms while a wake-up is asked for), so that Windows' default
// timer granularity (about 15.6 ms) does not delay it.
//
// A worker thread waits and posts message to window with the request's number as
// wParam. The window's thread passes each such message to takeWake, and handles the
// wake-up if it says so: one of an earlier request, or one posted before cancel(), is
// dropped there. All other calls come from the window's thread too.
class PreciseTimer {
  public:
    PreciseTimer(HWND window, UINT message);
    ~PreciseTimer();
    PreciseTimer(const PreciseTimer&) = delete;
    PreciseTimer& operator=(const PreciseTimer&) = delete;

    // The performance counter, in microseconds.
    static std::int64_t nowMicroseconds();

    // One wake-up at that time (nowMicroseconds' clock), at once where it has passed,
    // in place of the one asked for before.
    void wakeAt(std::int64_t microseconds);
    void cancel();
    // Whether the wake-up message with this wParam is one to handle.
    bool takeWake(WPARAM request);
    // Whether the waitable timer is a high-resolution one.
    bool highResolution() const { return highResolution_; }

  private:
    void run();
    bool waitUntil(std::int64_t deadline, std::uint64_t request);
    bool claim(std::uint64_t request);
    void raiseSystemResolution(bool raise);

    HWND window_;
    UINT message_;
    HANDLE waitableTimer_;
    HANDLE wake_;
    bool highResolution_ = false;
    bool systemResolutionRaised_ = false;

    std::mutex mutex_;           // guards the five below, shared with the worker
    std::uint64_t request_ = 0;  // the latest request's number
    std::int64_t deadline_ = 0;  // its deadline, in nowMicroseconds()
    bool armed_ = false;         // whether its wake-up is still to be posted
    bool quit_ = false;
    // The request whose wake-up waits in the window's queue, 0 for none. Tied to its
    // request, and claimed under the lock the request is made under, so that a wake-up
    // posted just as a new request came can never hold back the new one's.
    std::uint64_t posted_ = 0;
    std::thread worker_;
};

}  // namespace zelkor::win32
