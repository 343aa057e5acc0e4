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

// How far the whole layout, fonts included, shrinks so that a client area of
// width x height fits an area of areaWidth x areaHeight (a screen's work area less the
// window's frame): 1 where it fits as designed, never more.
constexpr double fitFactor(int width, int height, int areaWidth, int areaHeight) {
    double factor = 1.0;
    if (width > areaWidth && width > 0) factor = static_cast<double>(areaWidth) / width;
    if (height > areaHeight && height > 0) {
        const double byHeight = static_cast<double>(areaHeight) / height;
        if (byHeight < factor) factor = byHeight;
    }
    return factor > 0 ? factor : 1.0;
}

// Whether a window of width x height, fitted to an area of areaWidth x areaHeight, would
// come out much larger with the area turned a quarter round: its fitted scale is below
// one half, and the turned area's is at least 4/3 of it (a phone held upright, or a
// narrow browser window). Where so, the area may show a hint to turn the device.
constexpr bool turningWouldEnlarge(int width, int height, int areaWidth, int areaHeight) {
    const double fitted = fitFactor(width, height, areaWidth, areaHeight);
    const double turned = fitFactor(width, height, areaHeight, areaWidth);
    return fitted < 0.5 && turned * 3 >= fitted * 4;
}

// A length scaled by factor, rounded half up.
constexpr int scaleBy(int pixels, double factor) { return static_cast<int>(pixels * factor + 0.5); }

// A 96-dpi place at a scale: position and size each scaled and rounded.
constexpr PixelRect scaleBy(PixelRect place, double factor) {
    return {scaleBy(place.left, factor), scaleBy(place.top, factor), scaleBy(place.width, factor),
            scaleBy(place.height, factor)};
}

}  // namespace zelkor::layout
