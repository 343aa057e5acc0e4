#include "problem_generator.h"

#include <array>
#include <utility>

namespace zelkor {
namespace {

constexpr DrawRange kOneToNine{9, 1};
constexpr DrawRange kTenTo99{90, 10};
constexpr DrawRange kTenTo89{80, 10};
constexpr DrawRange kTwoToNine{8, 2};

constexpr int units(int x) { return x % 10; }

// Each type's acceptance test on the drawn pair (every comparison strict).
constexpr bool passesTest(ProblemType type, int a, int b) {
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
constexpr ShownProblem shownProblem(ProblemType type, int a, int b) {
    switch (type) {
        case 0:
            return {a, kFullwidthPlus, b, a + b};
        case 1:
            return {a, kAsciiPlus, b, a + b};
        case 2:
            return {a, kFullwidthMinus, b, a - b};
        case 3:
        case 4:
        case 5:
            return {a + b, kFullwidthMinus, type == 3 ? b : a, type == 3 ? a : b};
        case 8:
            return {a * b, kDivide, b, a};
        default:
            return {a, kTimes, b, a * b};  // 6, 7
    }
}

constexpr TypeRanges rangesFor(ProblemType type) {
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

// The types whose test looks at units digits pay two divisions per attempt; a table of
// every drawable pair, built by the compiler from passesTest, answers with one load.
constexpr bool testsUnitsDigits(ProblemType type) {
    return type == 1 || type == 3 || type == 4 || type == 5;
}

template <ProblemType Type>
constexpr auto kPassTable = [] {
    constexpr TypeRanges r = rangesFor(Type);
    std::array<bool, r.a.width * r.b.width> passes{};
    for (int a = 0; a < r.a.width; ++a) {
        for (int b = 0; b < r.b.width; ++b) {
            passes[a * r.b.width + b] = passesTest(Type, a + r.a.base, b + r.b.base);
        }
    }
    return passes;
}();

template <ProblemType Type>
bool passesFast(int a, int b) {
    if constexpr (testsUnitsDigits(Type)) {
        constexpr TypeRanges r = rangesFor(Type);
        return kPassTable<Type>[(a - r.a.base) * r.b.width + (b - r.b.base)];
    } else {
        return passesTest(Type, a, b);
    }
}

template <ProblemType Type>
ShownProblem drawUntilAccepted(RandomSource& random) {
    constexpr TypeRanges ranges = rangesFor(Type);
    for (;;) {
        random.reseedFromClock();
        const int a = drawInRange(random, ranges.a);
        const int b = drawInRange(random, ranges.b);
        if (passesFast<Type>(a, b)) return shownProblem(Type, a, b);
    }
}

template <std::size_t... Types>
constexpr auto drawersFor(std::index_sequence<Types...>) {
    return std::array<ShownProblem (*)(RandomSource&), sizeof...(Types)>{
        &drawUntilAccepted<static_cast<ProblemType>(Types)>...};
}

// One attempt loop per type, chosen once per problem.
constexpr auto kDrawers = drawersFor(std::make_index_sequence<kProblemTypeCount>{});

}  // namespace

int drawInRange(RandomSource& random, DrawRange range) {
    const double f = random.nextFraction();
    // f * width + base is never negative, so truncation is the floor, without a libm call.
    return static_cast<int>(f * range.width + range.base);
}

TypeRanges rangesOf(ProblemType type) { return rangesFor(type); }

std::optional<ShownProblem> acceptPair(ProblemType type, int a, int b) {
    if (type < 0 || type >= kProblemTypeCount || !passesTest(type, a, b)) return std::nullopt;
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
    const bool known = type >= 0 && type < kProblemTypeCount;
    return kDrawers[known ? type : kProblemTypeCount - 1](random);
}

}  // namespace zelkor
