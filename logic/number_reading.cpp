#include "number_reading.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "decimal_reading.h"

namespace zelkor {
namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the text while skipping blanks, so the parser below never sees them.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance() {
        ++pos_;
        skipBlanks();
    }

  private:
    void skipBlanks() {
        while (!atEnd() && isSkipped(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// More significant digits than any double can tell apart; dropping the rest changes
// nothing a drill box can show.
constexpr std::size_t kKeptDigits = 800;
// Beyond these decimal exponents every double is infinite or zero.
constexpr std::int64_t kOverflowExponent = 400;
constexpr std::int64_t kUnderflowExponent = -400;
constexpr std::int64_t kExponentCap = 1'000'000'000;

// value = 0.<digits> x 10^exponent, digits without leading zeros.
struct Decimal {
    bool negative = false;
    bool sawDigit = false;
    std::string digits;
    std::int64_t exponent = 0;
};

void keepDigit(Decimal& d, char c) {
    if (d.digits.size() < kKeptDigits) d.digits.push_back(c);
}

void readMantissa(Cursor& in, Decimal& d) {
    while (isDigit(in.peek())) {
        d.sawDigit = true;
        if (!d.digits.empty() || in.peek() != '0') {
            keepDigit(d, in.peek());
            d.exponent = std::min(d.exponent + 1, kExponentCap);
        }
        in.advance();
    }
    if (in.peek() != '.') return;
    in.advance();
    while (isDigit(in.peek())) {
        d.sawDigit = true;
        if (d.digits.empty() && in.peek() == '0') {
            d.exponent = std::max(d.exponent - 1, -kExponentCap);
        } else {
            keepDigit(d, in.peek());
        }
        in.advance();
    }
}

// The exponent counts only when a digit follows the "e": "2e" and "2e+" read as 2.
void readExponent(Cursor& in, Decimal& d) {
    if (in.peek() != 'e' && in.peek() != 'E') return;
    in.advance();
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    std::int64_t value = 0;
    while (isDigit(in.peek())) {
        value = std::min(value * 10 + (in.peek() - '0'), kExponentCap);
        in.advance();
    }
    d.exponent += negative ? -value : value;
}

double toDouble(const Decimal& d) {
    constexpr double kLargest = std::numeric_limits<double>::max();
    if (d.digits.empty() || d.exponent < kUnderflowExponent) return 0.0;
    if (d.exponent > kOverflowExponent) return d.negative ? -kLargest : kLargest;
    const std::string text = "0." + d.digits + "e" + std::to_string(d.exponent);
    const DecimalReading reading = readDecimal(text);
    double value = reading.value;
    if (reading.outOfRange) value = d.exponent > 0 ? kLargest : 0.0;
    return d.negative ? -value : value;
}

}  // namespace

double readLeadingNumber(std::string_view text) {
    Cursor in(text);
    Decimal d;
    if (in.peek() == '+' || in.peek() == '-') {
        d.negative = in.peek() == '-';
        in.advance();
    }
    readMantissa(in, d);
    if (!d.sawDigit) return 0.0;
    readExponent(in, d);
    const double value = toDouble(d);
    return value == 0.0 ? 0.0 : value;  // no negative zero
}

}  // namespace zelkor
