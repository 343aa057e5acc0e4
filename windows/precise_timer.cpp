#include "precise_timer.h"

#include "system_calls.h"

namespace zelkor::win32 {
namespace {

// Documented for CreateWaitableTimerExW since Windows 10 1803; older mingw-w64 headers
// lack the name.
constexpr DWORD kHighResolutionTimer = 0x00000002;
constexpr std::int64_t kMicrosecondsPerSecond = 1'000'000;

}  // namespace

// Whole seconds and the rest apart, so that neither product overflows.
std::int64_t PreciseTimer::nowMicroseconds() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return counter.QuadPart / frequency.QuadPart * kMicrosecondsPerSecond +
           counter.QuadPart % frequency.QuadPart * kMicrosecondsPerSecond / frequency.QuadPart;
}

PreciseTimer::PreciseTimer(HWND window, UINT message)
    : window_(window), message_(message), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    waitableTimer_ =
        CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    highResolution_ = waitableTimer_ != nullptr;
    if (!highResolution_) {
        waitableTimer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
}

PreciseTimer::~PreciseTimer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    SetEvent(wake_);
    if (worker_.joinable()) worker_.join();
    raiseSystemResolution(false);
    CloseHandle(waitableTimer_);
    CloseHandle(wake_);
}

void PreciseTimer::wakeAt(std::int64_t microseconds) {
    // The worker comes with the first request: a window nobody starts a run in has none.
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    raiseSystemResolution(true);
    {
        std::lock_guard lock(mutex_);
        ++request_;
        deadline_ = microseconds;
        armed_ = true;
        posted_ = 0;
    }
    SetEvent(wake_);
}

void PreciseTimer::cancel() {
    {
        std::lock_guard lock(mutex_);
        ++request_;
        armed_ = false;
        posted_ = 0;
    }
    SetEvent(wake_);
    raiseSystemResolution(false);
}

bool PreciseTimer::takeWake(WPARAM request) {
    std::lock_guard lock(mutex_);
    if (request != request_ || posted_ != request) return false;
    posted_ = 0;
    return true;
}

// Whether the worker is to post the wake-up of request: not where another request, a
// cancel or a quit came since it waited.
bool PreciseTimer::claim(std::uint64_t request) {
    std::lock_guard lock(mutex_);
    if (quit_ || request != request_ || !armed_) return false;
    armed_ = false;
    posted_ = request;
    return true;
}

void PreciseTimer::raiseSystemResolution(bool raise) {
    // Only an ordinary waitable timer needs the system's timer at 1 ms, and only while
    // a wake-up is asked for.
    if (highResolution_ || raise == systemResolutionRaised_) return;
    requestTimerResolution(raise);
    systemResolutionRaised_ = raise;
}

void PreciseTimer::run() {
    for (;;) {
        std::uint64_t request;
        std::int64_t deadline;
        bool armed;
        {
            std::lock_guard lock(mutex_);
            if (quit_) return;
            request = request_;
            deadline = deadline_;
            armed = armed_;
        }
        if (!armed) {
            WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        if (waitUntil(deadline, request) && claim(request)) {
            PostMessageW(window_, message_, static_cast<WPARAM>(request), 0);
        }
    }
}

// Waits for the deadline; false when a request, cancel or quit came first. The timer may
// still be signalled from a wait a wake cut short (cancelling leaves that state), so it
// is believed only once the counter has passed the deadline.
bool PreciseTimer::waitUntil(std::int64_t deadline, std::uint64_t request) {
    for (std::int64_t remaining = deadline - nowMicroseconds(); remaining > 0;
         remaining = deadline - nowMicroseconds()) {
        // A negative due time is relative, in 100 ns units.
        LARGE_INTEGER due;
        due.QuadPart = -remaining * 10;
        SetWaitableTimer(waitableTimer_, &due, 0, nullptr, nullptr, FALSE);
        const HANDLE handles[] = {wake_, waitableTimer_};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) {
            CancelWaitableTimer(waitableTimer_);
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    return !quit_ && request == request_;
}

}  // namespace zelkor::win32
