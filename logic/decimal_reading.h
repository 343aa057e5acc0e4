#pragma once

#include <cstddef>
#include <string_view>

namespace zelkor {

// The longest prefix of text that is a plain decimal number (digits, an optional "."
// and digits, an optional exponent "e" or "E", a sign and digits; no sign in front, no
// blanks, no hexadecimal, no inf or nan), read to the nearest double as
// std::from_chars reads it, whatever the locale.
struct DecimalReading {
    double value = 0.0;       // unspecified where outOfRange
    std::size_t length = 0;   // 0 where text does not begin with such a number
    bool outOfRange = false;  // beyond a double's range, either way
};
DecimalReading readDecimal(std::string_view text);

// The same through the C library's strtod: what readDecimal uses where the standard
// library has no std::from_chars for double.
DecimalReading readDecimalWithStrtod(std::string_view text);

}  // namespace zelkor
