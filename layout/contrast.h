#pragma once

#include <algorithm>
#include <cmath>

#include "window_layout.h"

namespace zelkor::layout {

// Text reads where it stands out from its background by this contrast ratio or more.
inline constexpr double kReadableContrast = 4.5;

// A colour's relative luminance and two colours' contrast ratio, as the web's
// accessibility guidelines define them: 1 for a colour against itself, 21 for black on
// white.
inline double relativeLuminance(Rgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

inline double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace zelkor::layout
