#pragma once

#include <string>
#include <vector>

namespace zelkor {

// How an announcement meets the earlier ones a screen reader has not yet said.
enum class Announcing {
    AfterTheRest,      // said after all of them, in order
    InsteadOfTheRest,  // they go unsaid where the platform can drop them; this one follows
};

// What the drill does to its window. The window implements it with plain widgets; the
// tests with a recording fake. All text is UTF-8. Every call leaves the window in a
// state that does not depend on the calls before it.
class DrillView {
  public:
    virtual ~DrillView() = default;

    // What the user has typed into the count and interval boxes, as it stands.
    virtual std::string countText() const = 0;
    virtual std::string intervalText() const = 0;

    // The progress label (第N道): shown or hidden, and its caption.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressCaption(const std::string& caption) = 0;

    // The flash label, where the problem being made is shown.
    virtual void setFlashVisible(bool visible) = 0;
    virtual void setFlashCaption(const std::string& caption) = 0;

    // The sheet: its column separators, and its labels. showSheet shows label i with
    // lines[i] for every i below lines.size() and hides the others.
    // REQUIRES: lines.size() <= kSheetSize.
    virtual void setSeparatorsVisible(bool visible) = 0;
    virtual void showSheet(const std::vector<std::string>& lines) = 0;
    virtual void hideSheet() = 0;

    // The stopwatch display ("m:s:t").
    virtual void setStopwatchReading(const std::string& reading) = 0;

    // The run's pace: a tick every milliseconds from now on; 0 stops the ticks.
    // REQUIRES: milliseconds >= 0.
    virtual void setPaceInterval(int milliseconds) = 0;

    // The stopwatch's tick, every kStopwatchTickMs while running; starting a running
    // stopwatch counts its next tick afresh from now.
    virtual void setStopwatchRunning(bool running) = 0;

    // Gives the stop button the keyboard focus, so that the space bar presses it.
    virtual void focusStopButton() = 0;

    // Says text to the user's screen reader, if one is running, as its own announcement
    // (a text the same as the one before is said again): for those who cannot see what
    // the window just showed. Shows nothing. Sends nothing while no screen reader runs.
    virtual void announce(const std::string& text, Announcing how) = 0;

    // Tells the user that the count is out of range: the modal message box with
    // kCountRejectedText under kCountRejectedTitle, one kCountRejectedButton and no
    // icon. Returns when the user has closed it, or, where the platform cannot wait
    // inside a handler (a browser), at once with the box still open: the caller must
    // do nothing after it.
    virtual void rejectCount() = 0;
};

}  // namespace zelkor
