#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "control_surface.h"
#include "control_table.h"
#include "drill.h"
#include "tick_schedule.h"

namespace zelkor::layout {

// The drill's one window, written once over a front end's ControlSurface: every control
// of the layout table at its place, the whole shrunk to fit the area the front end
// reports, and what the drill tells it to show and say (DrillView) in the table's
// controls, in the words screen readers need. The front end hands over its events:
// clicks, timer wake-ups, the area, and a page woken after it was hidden or frozen.
class PortableWindow final : public DrillView {
  public:
    static constexpr int kPaceTimer = 0;
    static constexpr int kStopwatchTimer = 1;

    // Makes every control on surface, which must outlive the window. stopwatchMissed
    // says what becomes of stopwatch ticks that came due while the surface could not
    // wake the window (a hidden browser page is woken about once a second).
    PortableWindow(ControlSurface& surface, MissedTicks stopwatchMissed);
    ~PortableWindow() override;
    PortableWindow(const PortableWindow&) = delete;
    PortableWindow& operator=(const PortableWindow&) = delete;

    // Hands the controls' events and the timers' ticks to drill from now on. Call once.
    // The drill is made on the window, its view, which outlives it (Drill's constructor):
    // destroy it first, once the event loop has ended and nothing calls the window.
    void attach(Drill& drill);

    // The front end's events: a click on control index (a button pressed or a type box
    // toggled, by mouse, touch or keyboard); a timer's wake-up; the page shown again
    // after it was hidden or frozen; the area the window may take, in the surface's
    // pixels, at density surface pixels to a designed pixel, which sets the window's
    // size every time (a desktop window's frame changes with the density even where the
    // layout's scale stays).
    void clicked(int index);
    void timerWoke(int timer);
    void pageWoke();
    void fitTo(int areaWidth, int areaHeight, double density = 1.0);
    // The client area fitTo would give the window for that area and density, for a
    // platform that must answer before it is asked to fit (Win32's WM_GETDPISCALEDSIZE,
    // and the window's first size).
    static PixelRect fittedWindow(int areaWidth, int areaHeight, double density = 1.0);

    // The factor designed pixels are scaled by; 1 as designed at density 1.
    double layoutScale() const { return scale_; }
    // How often the pace ticks, in milliseconds; 0 while stopped.
    int paceIntervalMs() const { return timers_[kPaceTimer].intervalMs; }
    bool stopwatchRunning() const { return timers_[kStopwatchTimer].intervalMs > 0; }

    // DrillView
    std::string countText() const override;
    std::string intervalText() const override;
    void setProgressVisible(bool visible) override;
    void setProgressCaption(const std::string& caption) override;
    void setFlashVisible(bool visible) override;
    void setFlashCaption(const std::string& caption) override;
    void setSeparatorsVisible(bool visible) override;
    void showSheet(const std::vector<std::string>& lines) override;
    void hideSheet() override;
    void setStopwatchReading(const std::string& reading) override;
    void setPaceInterval(int milliseconds) override;
    void setStopwatchRunning(bool running) override;
    void focusStopButton() override;
    void announce(const std::string& text, Announcing how) override;
    void rejectCount() override;

  private:
    // A timer on absolute deadlines: tick n of a start is due at start + n x interval.
    struct Timer {
        TickSchedule schedule;
        MissedTicks missed;
        int intervalMs = 0;
        unsigned starts = 0;  // which start the ticks being handed on belong to
    };
    static double scaleFor(int areaWidth, int areaHeight, double density);
    void setWindowSize();
    void placeControls();
    void setCaption(const Control& label, const std::string& caption, const std::string& spoken);
    void setTicking(int timer, int intervalMs);
    void wakeForNextDue(int timer);
    void tick(int timer);
    void typeBoxToggled();

    ControlSurface& surface_;
    const ControlSurface::Toolkit toolkit_;
    Drill* drill_ = nullptr;
    double scale_ = 1.0;
    std::array<Timer, 2> timers_;
};

}  // namespace zelkor::layout
