#pragma once

#include <string_view>

namespace zelkor {

// Reads the number at the start of text the way the drill's boxes are read:
// blanks, tabs and line feeds are skipped wherever they stand ("1 2" is 12), an
// optional sign, digits with "." as the decimal point (whatever the locale) and an
// optional exponent ("2e1" is 20) are taken, and reading stops at the first other
// character ("5abc" is 5). Text that does not begin with a number reads as 0.
//
// The result is always a finite number, never NaN: a value too large for a double
// saturates to +/-DBL_MAX and one too small to represent reads as 0. Time is linear
// in the length of text.
double readLeadingNumber(std::string_view text);

}  // namespace zelkor
