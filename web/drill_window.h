#pragma once

#include <string_view>

#include "control_table.h"
#include "drill.h"
#include "precise_timer.h"

namespace zelkor::web {

// The drill's one window in a browser page, built from plain DOM controls: every
// control of the layout table at its designed place in CSS pixels, scaled down as a
// whole where the viewport is smaller than the window. Like the desktop windows it
// holds no rules of its own: it shows what the drill tells it to (DrillView), and
// attach() hands the controls' events to the drill. The page's events come in through
// the functions main exports.
class DrillWindow final : public DrillView {
  public:
    DrillWindow();
    DrillWindow(const DrillWindow&) = delete;
    DrillWindow& operator=(const DrillWindow&) = delete;

    // Hands the controls' events and the timers' ticks to drill from now on. Call once;
    // drill must outlive the window.
    void attach(Drill& drill);

    // The page's events: a click on control index of the table (a button pressed or a
    // type box toggled, by mouse, touch or keyboard); a timer's wake-up; the page shown
    // again after it was hidden or frozen; the viewport's size in CSS pixels.
    void clicked(int index);
    void timerWoke(int timer);
    void pageWoke();
    void fitViewport(int width, int height);

    double layoutScale() const { return scale_; }

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

    static constexpr int kPaceTimer = 0;
    static constexpr int kStopwatchTimer = 1;

  private:
    void createControls();
    void applyScale();
    void typeBoxClicked();
    void setCaption(const layout::Control& label, const std::string& caption,
                    const std::string& spoken);

    PreciseTimer paceTimer_;
    PreciseTimer stopwatchTimer_;
    Drill* drill_ = nullptr;
    double scale_ = 1.0;
};

// The index in layout::controlTable() of the control of that design name.
// REQUIRES: the name is in the table.
int controlIndex(std::string_view designName);

}  // namespace zelkor::web
