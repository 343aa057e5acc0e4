#pragma once

#include "window_layout.h"

namespace zelkor::layout {

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to pixels at 96 dpi, rounding half up. The edges are rounded, not the size, so
// neighbours stay aligned and like controls keep one width.
constexpr int twipsToPixels(int twips) {
    return (twips * 2 + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

constexpr PixelRect toPixels(TwipRect place) {
    const int left = twipsToPixels(place.left);
    const int top = twipsToPixels(place.top);
    return {left, top, twipsToPixels(place.left + place.width) - left,
            twipsToPixels(place.top + place.height) - top};
}

// The rectangle a straight line of the given pixel width covers, at 96 dpi.
constexpr PixelRect toPixels(LineControl line, int widthPixels) {
    const int x = twipsToPixels(line.x);
    const int top = twipsToPixels(line.top);
    return {x - widthPixels / 2, top, widthPixels, twipsToPixels(line.bottom) - top + 1};
}

// A 96-dpi length at dpi dots per inch, rounded half up, as a toolkit scales its
// logical pixels: position and size each, so a scaled rectangle keeps its designed size.
constexpr int scaleToDpi(int pixels, int dpi) { return (pixels * dpi * 2 + 96) / (2 * 96); }

constexpr PixelRect scaleToDpi(PixelRect rect, int dpi) {
    return {scaleToDpi(rect.left, dpi), scaleToDpi(rect.top, dpi), scaleToDpi(rect.width, dpi),
            scaleToDpi(rect.height, dpi)};
}

}  // namespace zelkor::layout
