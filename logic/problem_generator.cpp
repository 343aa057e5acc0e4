#include "problem_generator.h"

#include <cmath>

namespace zelkor {
namespace {

constexpr DrawRange kOneToNine{9, 1};
constexpr DrawRange kTenTo99{90, 10};
constexpr DrawRange kTenTo89{80, 10};
constexpr DrawRange kTwoToNine{8, 2};

constexpr int units(int x) { return x % 10; }

bool isProblemType(ProblemType type) { return type >= 0 && type < kProblemTypeCount; }

// Each type's acceptance test on the drawn pair (every comparison strict).
bool passesTest(ProblemType type, int a, int b) {
    const int s = a + b;
    const bool carries = units(a) + units(b) > 9;
    switch (type) {
        case 1:
            return carries && s < 100;
        case 2:
            return a - b > 1;
        case 3:
            return units(a) + b > 9 && s < 20;
        case 4:
            return !carries && s < 100;
        case 5:
            return carries && s < 100;
        case 8:
            return a != 1 && b != 1;
        default:
            return true;  // 0, 6, 7 take their first attempt
    }
}

// The subtraction types 3, 4, 5 and the division type 8 are built backwards: the
// drawn numbers are the subtrahend and the difference (or divisor and quotient), and
// the first shown number is their sum (or product). That keeps every shown number
// positive and every operation exact.
ShownProblem shownProblem(ProblemType type, int a, int b) {
    switch (type) {
        case 0:
            return {a, kFullwidthPlus, b, a + b};
        case 1:
            return {a, kAsciiPlus, b, a + b};
        case 2:
            return {a, kFullwidthMinus, b, a - b};
        case 3:
            return {a + b, kFullwidthMinus, b, a};
        case 4:
        case 5:
            return {a + b, kFullwidthMinus, a, b};
        case 8:
            return {a * b, kDivide, b, a};
        default:
            return {a, kTimes, b, a * b};  // 6, 7
    }
}

}  // namespace

int drawInRange(RandomSource& random, DrawRange range) {
    // In double: the largest float below 1 times the width stays below the width.
    const double f = random.nextFraction();
    return static_cast<int>(std::floor(f * range.width + range.base));
}

TypeRanges rangesOf(ProblemType type) {
    switch (type) {
        case 1:
            return {kTenTo99, kTenTo99};
        case 4:
        case 5:
            return {kTenTo89, kTenTo89};
        case 7:
            return {kTenTo99, kTwoToNine};
        default:
            return {kOneToNine, kOneToNine};
    }
}

std::optional<ShownProblem> acceptPair(ProblemType type, int a, int b) {
    if (!isProblemType(type) || !passesTest(type, a, b)) return std::nullopt;
    return shownProblem(type, a, b);
}

std::string problemLineOf(const ShownProblem& problem) {
    std::string line = std::to_string(problem.first);
    line += problem.glyph;
    line += std::to_string(problem.second);
    line += kEquals;
    return line;
}

std::string answerLineOf(const ShownProblem& problem) {
    return problemLineOf(problem) + std::to_string(problem.answer);
}

ShownProblem drawProblem(ProblemType type, RandomSource& random) {
    if (!isProblemType(type)) type = 0;
    const TypeRanges ranges = rangesOf(type);
    for (;;) {
        random.reseedFromClock();
        const int a = drawInRange(random, ranges.a);
        const int b = drawInRange(random, ranges.b);
        if (auto problem = acceptPair(type, a, b)) return *problem;
    }
}

}  // namespace zelkor
