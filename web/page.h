#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control_table.h"

// The page's side of the browser front end (page.js): each call does one thing to the
// document. Controls are named by their index in layout::controlTable(); text is UTF-8.
namespace zelkor::web::page {

// Makes control index of the table, inside the frame of index frameIndex (-1: in the
// window), with its caption, colours, stacking layer, spoken name and visibility; the
// place comes with place().
void createControl(int index, const layout::DesignedControl& control, int frameIndex);
// Places a control in CSS pixels with its font size; centred says whether its text line
// is centred vertically instead of drawn from the top.
void place(int index, const layout::PixelRect& place, double fontPixels, bool centred);
// The window's size; the page centres it in the viewport.
void setWindowSize(int width, int height);
// Shows or hides the hint to turn the device (layout::kTurnHint), which stands before the
// window in reading order, in the space above it.
void showTurnHint(bool shown);
// The Tab key's walk, by index; after the last it comes back to the first.
void setFocusOrder(const std::vector<int>& indices);

// A label's caption, and what screen readers say of it.
void setCaption(int index, const std::string& caption, const std::string& spoken);
void setVisible(int index, bool visible);
std::string text(int index);
bool isChecked(int index);
void focus(int index);

// A new announcement for screen readers: polite, queued after those before it, or,
// where it drops the rest, assertive in place of those still queued.
void announce(const std::string& text, bool dropsTheRest);
// The modal message box; returns at once, the box still open.
void showMessage(const std::string& title, const std::string& text, const std::string& button);

// The page's monotonic clock (performance.now()), in microseconds.
std::int64_t nowMicroseconds();
// Calls back timerWoke(timer) at about microseconds from now, replacing the timer's
// earlier wake-up; 0 as soon as the page can.
void wakeAfter(int timer, std::int64_t microseconds);
void cancelWake(int timer);

}  // namespace zelkor::web::page
