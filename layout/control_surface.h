#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixels.h"

namespace zelkor::layout {

// What a front end gives the portable window: its toolkit's controls, made from the
// layout table and named by their index in controlTable(), and its platform's clock,
// wake-ups, screen-reader announcements and message box. Each call does one thing; all
// the window's policy (what is shown and said, where, and when) is PortableWindow's.
// Text is UTF-8.
class ControlSurface {
  public:
    // The order the surface's toolkit wants the controls made in: the table's (reading
    // order, every frame before its controls), or the focus order and then top down, for
    // a toolkit that stacks each new control below the others and walks the Tab key in
    // the order they were made.
    enum class Order { Reading, FocusThenTopDown };

    virtual ~ControlSurface() = default;

    virtual Order creationOrder() const { return Order::Reading; }
    // Makes control index as the table describes it (kind, frame, caption, colours,
    // stacking layer, spoken name, visibility at start). Called once for each control,
    // in the creation order.
    virtual void makeControl(int index) = 0;
    // Places control index, in the surface's pixels: inFrame from its frame's top-left
    // corner, inWindow from the client area's (each scaled and rounded on its own), with
    // its font's size in those pixels; centredLine: its text line is centred vertically
    // instead of drawn from the top.
    virtual void placeControl(int index, const PixelRect& inFrame, const PixelRect& inWindow,
                              double fontPixels, bool centredLine) = 0;
    // The window's client area, in the surface's pixels.
    virtual void setWindowSize(int width, int height) = 0;
    // The Tab key's walk, by index; after the last it comes back to the first.
    virtual void setFocusOrder(const std::vector<int>& indices) = 0;

    // A label's caption, and what screen readers say of it.
    virtual void setCaption(int index, const std::string& caption, const std::string& spoken) = 0;
    virtual void setVisible(int index, bool visible) = 0;
    // A number box's text; whether a type box is ticked.
    virtual std::string text(int index) const = 0;
    virtual bool isChecked(int index) const = 0;
    virtual void focus(int index) = 0;

    // A screen-reader announcement: queued after those before it, or, where it drops the
    // rest, in place of those still unsaid where the platform can drop them.
    virtual void announce(const std::string& text, bool dropsTheRest) = 0;
    // The modal message box with one button and no icon: returns when it is closed, or,
    // where the platform cannot wait inside a handler, at once with the box still open.
    virtual void showMessage(const std::string& title, const std::string& text,
                             const std::string& button) = 0;
    // Shows or hides the hint to turn the screen (kTurnHint), where the surface has room
    // for it beside the window; a desktop window has none, and ignores it.
    virtual void showTurnHint(bool shown) = 0;

    // A monotonic clock, in microseconds.
    virtual std::int64_t nowMicroseconds() const = 0;
    // One wake-up of timer (0 or 1) at about that time on the clock, or as soon as the
    // surface can where it has passed, replacing the timer's earlier one: the surface
    // then calls PortableWindow::timerWoke(timer).
    virtual void wakeAt(int timer, std::int64_t microseconds) = 0;
    virtual void cancelWake(int timer) = 0;
};

}  // namespace zelkor::layout

// The primitives as each front end's surface declares them, written once: a surface
// class names this in its public part and defines every one of them.
#define ZELKOR_CONTROL_SURFACE_OVERRIDES                                                      \
    void makeControl(int index) override;                                                    \
    void placeControl(int index, const ::zelkor::layout::PixelRect& inFrame,                 \
                      const ::zelkor::layout::PixelRect& inWindow, double fontPixels,         \
                      bool centredLine) override;                                            \
    void setWindowSize(int width, int height) override;                                      \
    void setFocusOrder(const std::vector<int>& indices) override;                            \
    void setCaption(int index, const std::string& caption, const std::string& spoken)        \
        override;                                                                            \
    void setVisible(int index, bool visible) override;                                       \
    std::string text(int index) const override;                                              \
    bool isChecked(int index) const override;                                                \
    void focus(int index) override;                                                          \
    void announce(const std::string& text, bool dropsTheRest) override;                      \
    void showMessage(const std::string& title, const std::string& text,                      \
                     const std::string& button) override;                                    \
    void showTurnHint(bool shown) override;                                                  \
    std::int64_t nowMicroseconds() const override;                                           \
    void wakeAt(int timer, std::int64_t microseconds) override;                              \
    void cancelWake(int timer) override
