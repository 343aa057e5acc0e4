#include "twips.h"

#include <cmath>

namespace zelkor {
namespace {

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / layout::kTwipsPerPixel));
}

}  // namespace

QRect toPixels(layout::TwipRect place) {
    const int left = pixels(place.left);
    const int top = pixels(place.top);
    return {left, top, pixels(place.left + place.width) - left,
            pixels(place.top + place.height) - top};
}

QRect toPixels(layout::LineControl line, int widthPixels) {
    const int x = pixels(line.x);
    const int top = pixels(line.top);
    return {x - widthPixels / 2, top, widthPixels, pixels(line.bottom) - top + 1};
}

}  // namespace zelkor
