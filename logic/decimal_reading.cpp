#include "decimal_reading.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <concepts>
#include <cstdlib>
#include <string>

namespace zelkor {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t digitsFrom(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// How long the plain decimal number at the start of text is; 0 where there is none.
std::size_t decimalLength(std::string_view text) {
    std::size_t i = digitsFrom(text, 0);
    bool sawDigit = i > 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = digitsFrom(text, i + 1);
        sawDigit = sawDigit || fraction > i + 1;
        i = fraction;
    }
    if (!sawDigit) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t end = digitsFrom(text, exponent);
        if (end > exponent) i = end;  // an "e" without digits is not part of the number
    }
    return i;
}

// Some standard libraries (emscripten's libc++) declare from_chars for integers only.
template <class Number>
concept HasFloatingFromChars = requires(const char* p, Number& value) {
    { std::from_chars(p, p, value) } -> std::same_as<std::from_chars_result>;
};

}  // namespace

// strtod is exact where the C library is (musl, glibc), but reads the locale's decimal
// point, hexadecimal and inf: it is given only the plain number, spelt for the locale.
DecimalReading readDecimalWithStrtod(std::string_view text) {
    const std::size_t length = decimalLength(text);
    if (length == 0) return {};
    std::string number(text.substr(0, length));
    const char* point = std::localeconv()->decimal_point;
    if (point != nullptr && point[0] != '\0' && point[1] == '\0') {
        for (char& c : number) {
            if (c == '.') c = point[0];
        }
    }
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    // A subnormal result is a number, though the C library may flag it.
    return {value, length, errno == ERANGE && (value == 0.0 || std::isinf(value))};
}

namespace {

template <class Number>
DecimalReading read(std::string_view text) {
    if constexpr (HasFloatingFromChars<Number>) {
        Number value{};
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error == std::errc::invalid_argument) return {};
        return {value, static_cast<std::size_t>(end - text.data()),
                error == std::errc::result_out_of_range};
    } else {
        return readDecimalWithStrtod(text);
    }
}

}  // namespace

DecimalReading readDecimal(std::string_view text) {
    // from_chars would also read a "-" in front, inf and nan.
    if (decimalLength(text) == 0) return {};
    return read<double>(text);
}

}  // namespace zelkor
