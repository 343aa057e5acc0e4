#include "problem_check.h"

#include <cctype>

namespace zelkor::testing {
namespace {

std::optional<int> readNumber(const std::string& text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) ++pos;
    if (pos == start || pos - start > 4) return std::nullopt;
    if (text[start] == '0') return std::nullopt;
    return std::stoi(text.substr(start, pos - start));
}

bool within(int x, int low, int high) { return low <= x && x <= high; }
int units(int x) { return x % 10; }

std::string expectGlyph(int type, const std::string& glyph) {
    static const char* kGlyphs[] = {"\uFF0B", "+",      "\uFF0D", "\uFF0D", "\uFF0D",
                                    "\uFF0D", "\u00D7", "\u00D7", "\u00F7"};
    return glyph == kGlyphs[type] ? "" : "wrong operator glyph";
}

std::string checkArithmetic(int type, const ParsedProblem& p) {
    const int a = p.first;
    const int b = p.second;
    const int r = p.answer;
    switch (type) {
        case 0:
            if (!within(a, 1, 9) || !within(b, 1, 9)) return "operand not one digit";
            return r == a + b ? "" : "wrong sum";
        case 1:
            if (!within(a, 10, 99) || !within(b, 10, 99)) return "operand not two digits";
            if (units(a) + units(b) < 10) return "no carry in the units";
            if (r >= 100) return "sum reaches 100";
            return r == a + b ? "" : "wrong sum";
        case 2:
            if (!within(a, 1, 9) || !within(b, 1, 9)) return "operand not one digit";
            if (r != a - b) return "wrong difference";
            return r >= 2 ? "" : "difference below 2";
        case 3:
            if (!within(a, 10, 18) || !within(b, 1, 9))
                return "outside 20 with one-digit subtrahend";
            if (units(a) >= b) return "no borrowing";
            return r == a - b ? "" : "wrong difference";
        case 4:
        case 5:
            if (a >= 100 || !within(b, 10, 89) || !within(r, 10, 89)) return "outside two digits";
            if (r != a - b) return "wrong difference";
            if (type == 4 && units(a) < units(b)) return "borrows";
            if (type == 5 && units(a) >= units(b)) return "does not borrow";
            return "";
        case 6:
            if (!within(a, 1, 9) || !within(b, 1, 9)) return "factor outside the times table";
            return r == a * b ? "" : "wrong product";
        case 7:
            if (!within(a, 10, 99) || !within(b, 2, 9)) return "not two digits times 2..9";
            return r == a * b ? "" : "wrong product";
        case 8:
            if (!within(b, 2, 9) || !within(r, 2, 9)) return "divisor or quotient outside 2..9";
            return a == b * r ? "" : "division not exact";
        default:
            return "no such type";
    }
}

}  // namespace

std::optional<ParsedProblem> parseAnswerLine(const std::string& line) {
    ParsedProblem parsed;
    std::size_t pos = 0;
    const auto first = readNumber(line, pos);
    if (!first) return std::nullopt;
    const std::size_t glyphStart = pos;
    while (pos < line.size() && !std::isdigit(static_cast<unsigned char>(line[pos]))) ++pos;
    parsed.glyph = line.substr(glyphStart, pos - glyphStart);
    const auto second = readNumber(line, pos);
    if (!second || pos >= line.size() || line[pos] != '=') return std::nullopt;
    ++pos;
    const auto answer = readNumber(line, pos);
    if (!answer || pos != line.size()) return std::nullopt;
    parsed.first = *first;
    parsed.second = *second;
    parsed.answer = *answer;
    return parsed;
}

std::string ruleViolation(int type, const std::string& answerLine) {
    const auto parsed = parseAnswerLine(answerLine);
    if (!parsed) return "malformed line '" + answerLine + "'";
    if (auto wrong = expectGlyph(type, parsed->glyph); !wrong.empty()) return wrong;
    return checkArithmetic(type, *parsed);
}

}  // namespace zelkor::testing
