// The Windows wake-ups' contract: on time by the performance counter, one message for
// each request, none after a cancel or for an earlier request, and none lost to a new
// request made as the old one's wake-up is posted.
#include "precise_timer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>

namespace zelkor::win32 {
namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kWake = WM_APP + 7;

// A message-only window that counts the wake-ups its timer lets through.
class WakeCounter {
  public:
    WakeCounter() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WakeCounter::procedure;
        windowClass.lpszClassName = L"ZelkorWakeCounter";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        timer = std::make_unique<PreciseTimer>(window_, kWake);
    }
    ~WakeCounter() {
        timer.reset();
        DestroyWindow(window_);
    }
    // Handles the thread's messages for ms milliseconds.
    void pumpFor(int ms) {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        MSG message;
        while (Clock::now() < end) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
    }
    // Waits, at most a second, until a wake-up's message is in the queue, unhandled.
    bool waitUntilQueued() const {
        const auto end = Clock::now() + std::chrono::seconds(1);
        MSG message;
        while (!PeekMessageW(&message, window_, kWake, kWake, PM_NOREMOVE)) {
            if (Clock::now() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_POSTMESSAGE);
        }
        return true;
    }
    int queuedWakes() const {
        MSG message;
        int queued = 0;
        while (PeekMessageW(&message, window_, kWake, kWake, PM_REMOVE)) ++queued;
        return queued;
    }

    std::unique_ptr<PreciseTimer> timer;
    int wakes = 0;
    std::function<void()> onWake;  // called in the handler, after counting

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<WakeCounter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == kWake && self != nullptr && self->timer->takeWake(wParam)) {
            ++self->wakes;
            if (self->onWake) self->onWake();
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

// Deadlines 10 ms apart on the counter, each asked for as the one before comes: 50 are
// due in 505 ms. Windows' 15.6 ms granularity would give 32; the lower bound leaves room
// for a loaded machine; more than 50 handled within the time would be wake-ups early.
TEST(PreciseTimer, WakesAtItsDeadlinesOnTheCounter) {
    WakeCounter counter;
    const std::int64_t start = PreciseTimer::nowMicroseconds();
    int handledInTime = 0;
    counter.onWake = [&] {
        EXPECT_GE(PreciseTimer::nowMicroseconds(), start + counter.wakes * 10'000) << "early";
        if (PreciseTimer::nowMicroseconds() - start <= 505'000) ++handledInTime;
        counter.timer->wakeAt(start + (counter.wakes + 1) * 10'000);
    };
    counter.timer->wakeAt(start + 10'000);
    counter.pumpFor(505);
    EXPECT_GE(handledInTime, 40);
    EXPECT_LE(handledInTime, 50);
}

TEST(PreciseTimer, NoWakeIsHandledAfterACancelOrForAnEarlierRequest) {
    WakeCounter counter;
    counter.timer->wakeAt(PreciseTimer::nowMicroseconds() + 5'000);
    ASSERT_TRUE(counter.waitUntilQueued());
    counter.timer->cancel();
    counter.pumpFor(50);
    EXPECT_EQ(counter.wakes, 0) << "the queued wake-up was cancelled";

    counter.timer->wakeAt(PreciseTimer::nowMicroseconds() + 5'000);
    ASSERT_TRUE(counter.waitUntilQueued());
    counter.timer->wakeAt(PreciseTimer::nowMicroseconds() + 1'000'000);  // in its place
    counter.pumpFor(50);
    EXPECT_EQ(counter.wakes, 0);
}

// A request whose deadline passed while the window was busy is one message, not more.
TEST(PreciseTimer, ABusyWindowFindsOneWakeWaiting) {
    WakeCounter counter;
    counter.timer->wakeAt(PreciseTimer::nowMicroseconds() + 2'000);
    ASSERT_TRUE(counter.waitUntilQueued());
    // Busy on, not handling messages, for fifty times the wait: still the one message.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(counter.queuedWakes(), 1);
    counter.timer->cancel();
}

// The portable window asks for the next wake-up from inside a wake-up's handler (the
// drill's first tick sets the pupil's interval): a wake-up the worker posts just as the
// new request comes must never hold back the new one's. Every request here must come
// within a second; one that does not is counted lost and asked for again from outside.
TEST(PreciseTimer, EveryWakeAskedForFromInsideAWakeComes) {
    constexpr int kRequests = 3000;
    constexpr int kLostAtMost = 20;  // enough to tell a fault; each costs a second
    WakeCounter counter;
    int requests = 0;
    std::int64_t asked = 0;
    auto ask = [&](std::int64_t deadline) {
        ++requests;
        asked = deadline;
        counter.timer->wakeAt(deadline);
    };
    counter.onWake = [&] {
        if (requests == kRequests) return;
        // After some work, as a handler does: until around the old request's deadline
        // plus a millisecond (from 100 us before to 300 us after it, in steps of 1 us),
        // when the worker may be posting a wake-up as the new request comes.
        const std::int64_t busyUntil = asked + 1'000 + (requests % 400 - 100);
        while (PreciseTimer::nowMicroseconds() < busyUntil) {
        }
        // A request for a millisecond on, then at once another in its place, as a run
        // that restarts its pace does.
        counter.timer->wakeAt(PreciseTimer::nowMicroseconds() + 1'000);
        ask(PreciseTimer::nowMicroseconds() + 1'000);
    };
    ask(PreciseTimer::nowMicroseconds() + 1'000);
    int lost = 0;
    while (requests < kRequests && lost < kLostAtMost) {
        const int before = counter.wakes;
        const auto end = Clock::now() + std::chrono::seconds(1);
        while (counter.wakes == before && Clock::now() < end) counter.pumpFor(1);
        if (counter.wakes == before) {
            ++lost;
            ask(PreciseTimer::nowMicroseconds() + 1'000);
        }
    }
    std::printf("%d wake-ups asked for from inside a wake-up, %d never came\n", requests, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(requests, kRequests);
}

}  // namespace
}  // namespace zelkor::win32
