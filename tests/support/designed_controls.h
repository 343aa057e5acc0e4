#pragma once

#include <cmath>
#include <string_view>
#include <vector>

#include "window_layout.h"

// The window's design as the window tests read it: every control of the layout table
// with the frame it stands in, and the arithmetic that turns twips into pixels, done
// here in floating point on its own rather than with the code under test.
namespace zelkor::testing {

struct PlacedControl {
    layout::Control control;
    layout::Control frame;  // layout::kWindow for a frame
};

inline std::vector<PlacedControl> designedControls() {
    using namespace layout;
    std::vector<PlacedControl> all = {
        {kSettingsFrame, kWindow},         {kTypeFrame, kWindow},
        {kDisplayFrame, kWindow},          {kStopwatchFrame, kWindow},
        {kCountLabel, kSettingsFrame},     {kCountBox, kSettingsFrame},
        {kCountUnitLabel, kSettingsFrame}, {kIntervalLabel, kSettingsFrame},
        {kIntervalBox, kSettingsFrame},    {kIntervalUnitLabel, kSettingsFrame},
        {kStartButton, kSettingsFrame},    {kSheetButton, kSettingsFrame},
        {kAnswersButton, kSettingsFrame},  {kProgressLabel, kDisplayFrame},
        {kFlashLabel, kDisplayFrame},      {kStopwatchLabel, kStopwatchFrame},
        {kStopButton, kStopwatchFrame},
    };
    for (int i = 0; i < layout::kTypeBoxCount; ++i) all.push_back({typeBox(i), kTypeFrame});
    for (int i = 0; i < layout::kSheetLabelCount; ++i)
        all.push_back({sheetLabel(i), kDisplayFrame});
    return all;
}

inline bool isSheetLabel(const layout::Control& control) {
    return std::string_view(control.objectName).substr(0, 7) == "Label6(";
}

struct Pixels {
    int left, top, width, height;
    friend bool operator==(const Pixels&, const Pixels&) = default;
};

// 15 twips a pixel at 96 dpi, the edges rounded.
inline int pixelsAt96(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

inline Pixels pixelsAt96(const layout::TwipRect& r) {
    return {pixelsAt96(r.left), pixelsAt96(r.top),
            pixelsAt96(r.left + r.width) - pixelsAt96(r.left),
            pixelsAt96(r.top + r.height) - pixelsAt96(r.top)};
}

// A 2-pixel line covers the pixel column left of its x and the one at it, top to bottom.
inline Pixels pixelsAt96(const layout::LineControl& line) {
    return {pixelsAt96(line.x) - 1, pixelsAt96(line.top), 2,
            pixelsAt96(line.bottom) - pixelsAt96(line.top) + 1};
}

// A place at 96 dpi at another density: position and size each scaled and rounded.
inline int atDpi(int pixels, int dpi) { return static_cast<int>(std::lround(pixels * dpi / 96.0)); }
inline Pixels atDpi(const Pixels& p, int dpi) {
    return {atDpi(p.left, dpi), atDpi(p.top, dpi), atDpi(p.width, dpi), atDpi(p.height, dpi)};
}

// A font's height in pixels at 96 dpi.
inline int fontPixelsAt96(const layout::Font& font) {
    return static_cast<int>(std::lround(font.points * 96 / 72));
}

}  // namespace zelkor::testing
