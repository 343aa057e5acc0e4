#pragma once

#include <QRect>

#include "window_layout.h"

namespace zelkor {

// Converts a designed place to pixels at 96 dpi. The edges are rounded, not the size,
// so neighbours stay aligned and like controls keep one width. Qt's own device-pixel
// scaling takes it from there on high-density screens.
QRect toPixels(layout::TwipRect place);

// The rectangle a straight line of the given pixel width covers.
QRect toPixels(layout::LineControl line, int widthPixels);

}  // namespace zelkor
