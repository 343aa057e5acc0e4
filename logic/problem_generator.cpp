#include "problem_generator.h"

#include <cmath>

namespace zelkor {
namespace {

constexpr DrawRange kOneToNine{9, 1};
constexpr DrawRange kTenTo99{90, 10};
constexpr DrawRange kTenTo89{80, 10};
constexpr DrawRange kTwoToNine{8, 2};

constexpr int units(int x) { return x % 10; }

// The subtraction types 3, 4, 5 and the division type 8 are built backwards: the
// drawn numbers are the subtrahend and the difference (or divisor and quotient), and
// the first shown number is their sum (or product). That keeps every shown number
// positive and every operation exact.
}  // namespace

std::optional<ShownProblem> acceptPair(ProblemType type, int a, int b) {
    const int s = a + b;
    const int d = a - b;
    const int p = a * b;
    const bool carries = units(a) + units(b) > 9;
    switch (type) {
        case 0: return ShownProblem{a, kFullwidthPlus, b, s};
        case 1:
            if (carries && s < 100) return ShownProblem{a, kAsciiPlus, b, s};
            break;
        case 2:
            if (d > 1) return ShownProblem{a, kFullwidthMinus, b, d};
            break;
        case 3:
            if (units(a) + b > 9 && s < 20) return ShownProblem{s, kFullwidthMinus, b, a};
            break;
        case 4:
            if (!carries && s < 100) return ShownProblem{s, kFullwidthMinus, a, b};
            break;
        case 5:
            if (carries && s < 100) return ShownProblem{s, kFullwidthMinus, a, b};
            break;
        case 6:
        case 7: return ShownProblem{a, kTimes, b, p};
        case 8:
            if (a != 1 && b != 1) return ShownProblem{p, kDivide, b, a};
            break;
        default: break;
    }
    return std::nullopt;
}

int drawInRange(RandomSource& random, DrawRange range) {
    const double f = random.nextFraction();
    return static_cast<int>(std::floor(f * range.width + range.base));
}

TypeRanges rangesOf(ProblemType type) {
    switch (type) {
        case 1: return {kTenTo99, kTenTo99};
        case 4:
        case 5: return {kTenTo89, kTenTo89};
        case 7: return {kTenTo99, kTwoToNine};
        default: return {kOneToNine, kOneToNine};
    }
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
    const TypeRanges ranges = rangesOf(type);
    for (;;) {
        random.reseedFromClock();
        const int a = drawInRange(random, ranges.a);
        const int b = drawInRange(random, ranges.b);
        if (auto shown = acceptPair(type, a, b)) return *shown;
    }
}

}  // namespace zelkor
