#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "drill_view.h"
#include "pixels.h"

namespace zelkor::layout {

// What a front end gives the portable window: its toolkit's controls, made from the
// layout table and named by their index in controlTable(), and its platform's clock,
// wake-ups, screen-reader announcements and message box. Each call does one thing, and
// every surface does it in full; what a toolkit does its own way, or not at all, it
// declares once, in toolkit(). What is shown and said, where and when, the portable
// window decides. Text is UTF-8.
class ControlSurface {
  public:
    // How the toolkit holds its controls.
    enum class Nesting {
        // Each control stands in its frame, placed from the frame's top-left corner; the
        // surface stacks them by layer and walks the Tab key as setFocusOrder says. Made
        // in the table's order (reading order, every frame before its controls).
        InFrames,
        // Every control is a child of the window, placed from the client area's corner,
        // and the toolkit stacks each new one below those made before it and walks the
        // Tab key in the order they were made (Win32): so they are made in the focus
        // order and then top down, and setFocusOrder is never called.
        InWindow,
    };
    struct Toolkit {
        Nesting nesting;
        // Room beside the window for the hint to turn the screen (kTurnHint): a page has
        // it, a desktop window none, and showTurnHint is called only where there is.
        bool turnHintRoom;
    };

    virtual ~ControlSurface() = default;

    virtual Toolkit toolkit() const = 0;
    // Makes control index as the table describes it (kind, frame, caption, colours,
    // stacking layer, spoken name, visibility at start). Called once for each control,
    // in the order toolkit() calls for.
    virtual void makeControl(int index) = 0;
    // The height of a text line (ascent plus descent) in the control's face at
    // fontPixels, bold or not, in the surface's pixels.
    virtual int lineHeight(double fontPixels, bool bold) const = 0;
    // Places control index at place, in the surface's pixels from the corner its nesting
    // says, with its font's size in those pixels; centredLine: a label's text line is
    // centred vertically instead of drawn from the top.
    virtual void placeControl(int index, const PixelRect& place, double fontPixels,
                              bool centredLine) = 0;
    // The window's client area, in the surface's pixels.
    virtual void setWindowSize(int width, int height) = 0;
    // The Tab key's walk, by index; after the last it comes back to the first. Called
    // only where the controls nest InFrames, so a surface that nests InWindow leaves it
    // out.
    virtual void setFocusOrder(const std::vector<int>& /*indices*/) {}

    // A label's caption, and what screen readers say of it.
    virtual void setCaption(int index, const std::string& caption, const std::string& spoken) = 0;
    virtual void setVisible(int index, bool visible) = 0;
    // A number box's text; whether a type box is ticked.
    virtual std::string text(int index) const = 0;
    virtual bool isChecked(int index) const = 0;
    virtual void focus(int index) = 0;

    // A screen-reader announcement, after or instead of those still unsaid.
    virtual void announce(const std::string& text, Announcing how) = 0;
    // The modal message box: text under title, no icon, and one button captioned button
    // whatever the platform's language. Returns when it is closed, or, where the platform
    // cannot wait inside a handler, at once with the box still open.
    virtual void showMessage(const std::string& title, const std::string& text,
                             const std::string& button) = 0;
    // Shows or hides the hint to turn the screen. Called only where toolkit() has room
    // for it, so a surface without leaves it out.
    virtual void showTurnHint(bool /*shown*/) {}

    // A monotonic clock, in microseconds.
    virtual std::int64_t nowMicroseconds() const = 0;
    // One wake-up of timer (0 or 1) at about that time on the clock, or as soon as the
    // surface can where it has passed, replacing the timer's earlier one: the surface
    // then calls PortableWindow::timerWoke(timer).
    virtual void wakeAt(int timer, std::int64_t microseconds) = 0;
    virtual void cancelWake(int timer) = 0;
};

}  // namespace zelkor::layout

// The primitives every surface defines, written once: a surface class names this in its
// public part. A toolkit that nests InFrames also declares setFocusOrder, and one with
// room for the turn hint showTurnHint.
#define ZELKOR_CONTROL_SURFACE_OVERRIDES                                                           \
    Toolkit toolkit() const override;                                                              \
    void makeControl(int index) override;                                                          \
    int lineHeight(double fontPixels, bool bold) const override;                                   \
    void placeControl(int index, const ::zelkor::layout::PixelRect& place, double fontPixels,      \
                      bool centredLine) override;                                                  \
    void setWindowSize(int width, int height) override;                                            \
    void setCaption(int index, const std::string& caption, const std::string& spoken) override;    \
    void setVisible(int index, bool visible) override;                                             \
    std::string text(int index) const override;                                                    \
    bool isChecked(int index) const override;                                                      \
    void focus(int index) override;                                                                \
    void announce(const std::string& text, ::zelkor::Announcing how) override;                     \
    void showMessage(const std::string& title, const std::string& text, const std::string& button) \
        override;                                                                                  \
    std::int64_t nowMicroseconds() const override;                                                 \
    void wakeAt(int timer, std::int64_t microseconds) override;                                    \
    void cancelWake(int timer) override
