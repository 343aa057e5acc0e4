#pragma once

#include <QRect>

#include "pixels.h"

namespace zelkor {

// A designed place in pixels at 96 dpi (see layout::toPixels). Qt's own device-pixel
// scaling takes it from there on high-density screens.
QRect toQtRect(layout::TwipRect place);

// The rectangle a straight line of the given pixel width covers.
QRect toQtRect(layout::LineControl line, int widthPixels);

}  // namespace zelkor
