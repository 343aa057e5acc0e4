#include "twips.h"

namespace zelkor {
namespace {

QRect toQRect(layout::PixelRect rect) { return {rect.left, rect.top, rect.width, rect.height}; }

}  // namespace

QRect toQtRect(layout::TwipRect place) { return toQRect(layout::toPixels(place)); }

QRect toQtRect(layout::LineControl line, int widthPixels) {
    return toQRect(layout::toPixels(line, widthPixels));
}

}  // namespace zelkor
