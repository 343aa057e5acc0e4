#include "precise_timer.h"

#include "system_calls.h"
#include "tick_schedule.h"

namespace zelkor::win32 {
namespace {

// Documented for CreateWaitableTimerExW since Windows 10 1803; older mingw-w64 headers
// lack the name.
constexpr DWORD kHighResolutionTimer = 0x00000002;

std::int64_t counterNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

std::int64_t counterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

std::int64_t millisecondsToCounter(int ms) { return ms * counterFrequency() / 1000; }

}  // namespace

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

void PreciseTimer::start(int intervalMs) {
    // The worker comes with the first start: a window nobody starts a run in has none.
    if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
    raiseSystemResolution(true);
    intervalMs_ = intervalMs;
    {
        std::lock_guard lock(mutex_);
        ++startNumber_;
        startTime_ = counterNow();
        workerIntervalMs_ = intervalMs;
        pendingStart_ = 0;
    }
    SetEvent(wake_);
}

void PreciseTimer::stop() {
    intervalMs_ = 0;
    {
        std::lock_guard lock(mutex_);
        ++startNumber_;
        workerIntervalMs_ = 0;
        pendingStart_ = 0;
    }
    SetEvent(wake_);
    raiseSystemResolution(false);
}

bool PreciseTimer::takeTick(WPARAM startNumber) {
    std::lock_guard lock(mutex_);
    if (startNumber != startNumber_ || workerIntervalMs_ == 0) return false;
    pendingStart_ = 0;
    return true;
}

// Whether the worker is to post a tick of startNumber: not where a start, stop or quit
// came since it waited, nor where a tick of this start already waits in the queue.
bool PreciseTimer::claimTick(std::uint64_t startNumber) {
    std::lock_guard lock(mutex_);
    if (quit_ || startNumber != startNumber_ || pendingStart_ == startNumber) return false;
    pendingStart_ = startNumber;
    return true;
}

void PreciseTimer::raiseSystemResolution(bool raise) {
    // Only an ordinary waitable timer needs the system's timer at 1 ms, and only while
    // it ticks.
    if (highResolution_ || raise == systemResolutionRaised_) return;
    requestTimerResolution(raise);
    systemResolutionRaised_ = raise;
}

void PreciseTimer::run() {
    for (;;) {
        std::uint64_t startNumber;
        TickSchedule schedule;
        {
            std::lock_guard lock(mutex_);
            if (quit_) return;
            startNumber = startNumber_;
            if (workerIntervalMs_ > 0)
                schedule.start(startTime_, millisecondsToCounter(workerIntervalMs_));
        }
        if (!schedule.running()) {
            WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        while (waitUntil(schedule.nextDue(), startNumber)) {
            // Ticks that came due together are one tick: the window never queues them.
            if (schedule.takeDue(counterNow(), MissedTicks::Skip) > 0 && claimTick(startNumber)) {
                PostMessageW(window_, message_, static_cast<WPARAM>(startNumber), 0);
            }
        }
    }
}

// Waits for the deadline; false when a start, stop or quit came first. The timer may
// still be signalled from a wait a wake cut short (cancelling leaves that state), so it
// is believed only once the counter has passed the deadline.
bool PreciseTimer::waitUntil(std::int64_t deadline, std::uint64_t startNumber) {
    for (std::int64_t remaining = deadline - counterNow(); remaining > 0;
         remaining = deadline - counterNow()) {
        // A negative due time is relative, in 100 ns units.
        LARGE_INTEGER due;
        due.QuadPart = -(remaining * 10'000'000 / counterFrequency());
        if (due.QuadPart == 0) due.QuadPart = -1;
        SetWaitableTimer(waitableTimer_, &due, 0, nullptr, nullptr, FALSE);
        const HANDLE handles[] = {wake_, waitableTimer_};
        if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) {
            CancelWaitableTimer(waitableTimer_);
            return false;
        }
    }
    std::lock_guard lock(mutex_);
    return !quit_ && startNumber == startNumber_;
}

}  // namespace zelkor::win32
