#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace zelkor::win32 {

// An interval timer that keeps real time: tick k of a start comes at start + k x
// interval, measured on the performance counter, so neither Windows' default timer
// granularity (about 15.6 ms) nor the time a handler takes adds up over a run. A late
// tick is not made up for: the next comes an interval after it (as Qt's precise
// timers do), and ticks never queue up behind a busy window.
//
// A worker thread waits on a high-resolution waitable timer (Windows 10 1803 and later;
// elsewhere an ordinary one with the system timer at 1 ms while ticking) and posts
// message to window for each tick, with the start's number as wParam. The window's
// thread passes each such message to takeTick, and handles the tick if it says so: a
// tick of an earlier start, or one posted before stop(), is dropped there. All other
// calls come from the window's thread too.
class PreciseTimer {
  public:
    PreciseTimer(HWND window, UINT message);
    ~PreciseTimer();
    PreciseTimer(const PreciseTimer&) = delete;
    PreciseTimer& operator=(const PreciseTimer&) = delete;

    // Ticks every intervalMs from now on; REQUIRES: intervalMs > 0. A running timer
    // starts afresh.
    void start(int intervalMs);
    void stop();
    bool isActive() const { return intervalMs_ > 0; }
    int intervalMs() const { return intervalMs_; }
    // Whether the tick message with this wParam is one to handle.
    bool takeTick(WPARAM startNumber);
    // Whether the waitable timer is a high-resolution one.
    bool highResolution() const { return highResolution_; }

  private:
    void run();
    bool waitUntil(std::int64_t deadline, std::uint64_t startNumber);
    bool claimTick(std::uint64_t startNumber);
    void raiseSystemResolution(bool raise);

    HWND window_;
    UINT message_;
    HANDLE waitableTimer_;
    HANDLE wake_;
    bool highResolution_ = false;
    bool systemResolutionRaised_ = false;
    int intervalMs_ = 0;  // the window thread's view

    std::mutex mutex_;  // guards the five below, shared with the worker
    std::uint64_t startNumber_ = 0;
    std::int64_t startTime_ = 0;  // performance-counter ticks
    int workerIntervalMs_ = 0;
    bool quit_ = false;
    // The start whose tick waits in the window's queue, 0 for none. Tied to its start
    // so that a tick posted just as a new start came cannot hold back the new start's.
    std::uint64_t pendingStart_ = 0;
    std::thread worker_;
};

}  // namespace zelkor::win32
