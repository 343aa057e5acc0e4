#pragma once

#include <optional>
#include <string>

namespace zelkor::testing {

// An answer line taken apart: "first glyph second = answer".
struct ParsedProblem {
    int first = 0;
    std::string glyph;
    int second = 0;
    int answer = 0;
};

// Parses "38+27=65"; nothing if the line is not of that shape (blanks, missing "=",
// leading zeros, empty numbers all fail).
std::optional<ParsedProblem> parseAnswerLine(const std::string& answerLine);

// Checks an answer line against the rules of its type, written out afresh from the
// arithmetic a teacher would check (carrying, borrowing, ranges, exactness) rather
// than from the generator's code. Returns what is wrong, or "" when all is right.
std::string ruleViolation(int type, const std::string& answerLine);

}  // namespace zelkor::testing
