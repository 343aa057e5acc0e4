#include "problem_generator.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "problem_check.h"
#include "scripted_random.h"

namespace zelkor {
namespace {

using testing::fractionFor;
using testing::ruleViolation;
using testing::ScriptedRandom;

struct Span {
    int low;
    int high;
};

// What each type yields over every pair it can draw.
struct TypeYield {
    int accepted;
    int drawn;
    Span first;
    Span second;
    Span answer;
};

const TypeYield kYield[kProblemTypeCount] = {
    {81, 81, {1, 9}, {1, 9}, {2, 18}},          {1260, 8100, {11, 79}, {11, 79}, {30, 98}},
    {28, 81, {3, 9}, {1, 7}, {2, 8}},           {45, 81, {10, 18}, {1, 9}, {1, 9}},
    {1980, 6400, {20, 99}, {10, 89}, {10, 89}}, {1260, 6400, {30, 98}, {11, 79}, {11, 79}},
    {81, 81, {1, 9}, {1, 9}, {1, 81}},          {720, 720, {10, 99}, {2, 9}, {20, 891}},
    {64, 81, {4, 81}, {2, 9}, {2, 9}},
};

// A pair each type accepts, to end the attempt loop after a rejected pair.
const std::pair<int, int> kAcceptedPair[kProblemTypeCount] = {
    {7, 5}, {38, 27}, {9, 4}, {7, 6}, {23, 45}, {27, 35}, {6, 7}, {34, 6}, {6, 4}};

void widen(Span& span, int x) {
    span.low = std::min(span.low, x);
    span.high = std::max(span.high, x);
}

// Feeds every pair (a, b) of the type's ranges through the real attempt loop: a
// pair was accepted exactly when the first attempt ended the loop.
TEST(ProblemGenerator, EveryDrawnPairIsAcceptedOrRejectedAsTheTypeRequires) {
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        SCOPED_TRACE("type " + std::to_string(type));
        const TypeRanges ranges = rangesOf(type);
        const TypeYield& want = kYield[type];
        const float acceptedA =
            fractionFor(kAcceptedPair[type].first, ranges.a.width, ranges.a.base);
        const float acceptedB =
            fractionFor(kAcceptedPair[type].second, ranges.b.width, ranges.b.base);
        int drawn = 0;
        int accepted = 0;
        Span first{1000, 0}, second{1000, 0}, answer{1000, 0};
        for (int a = ranges.a.base; a < ranges.a.base + ranges.a.width; ++a) {
            for (int b = ranges.b.base; b < ranges.b.base + ranges.b.width; ++b) {
                ++drawn;
                // A rejected pair is followed by one the type accepts.
                ScriptedRandom random({fractionFor(a, ranges.a.width, ranges.a.base),
                                       fractionFor(b, ranges.b.width, ranges.b.base), acceptedA,
                                       acceptedB});
                const ShownProblem shown = drawProblem(type, random);
                if (random.draws != 2) continue;
                ++accepted;
                ASSERT_EQ(ruleViolation(type, answerLineOf(shown)), "") << answerLineOf(shown);
                widen(first, shown.first);
                widen(second, shown.second);
                widen(answer, shown.answer);
            }
        }
        EXPECT_EQ(drawn, want.drawn);
        EXPECT_EQ(accepted, want.accepted);
        EXPECT_EQ(first.low, want.first.low);
        EXPECT_EQ(first.high, want.first.high);
        EXPECT_EQ(second.low, want.second.low);
        EXPECT_EQ(second.high, want.second.high);
        EXPECT_EQ(answer.low, want.answer.low);
        EXPECT_EQ(answer.high, want.answer.high);
    }
}

TEST(ProblemGenerator, FractionsAtBothEndsGiveTheRangeEnds) {
    const float largestBelowOne = std::nextafter(1.0f, 0.0f);
    const DrawRange ranges[] = {{9, 1}, {90, 10}, {80, 10}, {8, 2}};
    for (const DrawRange range : ranges) {
        ScriptedRandom random({0.0f, largestBelowOne});
        EXPECT_EQ(drawInRange(random, range), range.base);
        EXPECT_EQ(drawInRange(random, range), range.base + range.width - 1)
            << "width " << range.width << ": the product must not be rounded to float first";
    }
}

struct LineExample {
    ProblemType type;
    int a;
    int b;
    const char* problemLine;
    const char* answerLine;
};

TEST(ProblemGenerator, BuildsTheLinesWithTheTypesOwnGlyphs) {
    const LineExample examples[] = {
        {0, 7, 5, "7＋5=", "7＋5=12"},       {1, 38, 27, "38+27=", "38+27=65"},
        {2, 9, 4, "9－4=", "9－4=5"},        {3, 7, 6, "13－6=", "13－6=7"},
        {4, 23, 45, "68－23=", "68－23=45"}, {5, 27, 35, "62－27=", "62－27=35"},
        {6, 6, 7, "6×7=", "6×7=42"},         {7, 34, 6, "34×6=", "34×6=204"},
        {8, 6, 4, "24÷4=", "24÷4=6"},        {0, 1, 1, "1＋1=", "1＋1=2"},
        {7, 99, 9, "99×9=", "99×9=891"},     {3, 1, 9, "10－9=", "10－9=1"},
    };
    for (const LineExample& e : examples) {
        const auto shown = acceptPair(e.type, e.a, e.b);
        ASSERT_TRUE(shown) << e.problemLine;
        EXPECT_EQ(problemLineOf(*shown), e.problemLine);
        EXPECT_EQ(answerLineOf(*shown), e.answerLine);
    }
    // The two plus signs and the minus are distinct characters, byte for byte.
    EXPECT_EQ(problemLineOf(*acceptPair(0, 7, 5)),
              "7\xEF\xBC\x8B"
              "5=");
    EXPECT_EQ(problemLineOf(*acceptPair(1, 38, 27)),
              "38\x2B"
              "27=");
    EXPECT_EQ(problemLineOf(*acceptPair(2, 9, 4)),
              "9\xEF\xBC\x8D"
              "4=");
}

TEST(ProblemGenerator, RejectsThePairsThatBreakATypesRule) {
    const std::pair<ProblemType, std::pair<int, int>> rejected[] = {
        {1, {23, 45}},                            // no carry
        {1, {51, 49}},                            // sum reaches 100
        {2, {5, 4}},   {2, {4, 4}}, {2, {3, 9}},  // difference 1, 0, negative
        {3, {7, 2}},                              // 9 - 2 does not borrow
        {4, {27, 35}},                            // 62 - 27 borrows
        {5, {23, 45}},                            // 68 - 23 does not borrow
        {4, {50, 50}},                            // sum reaches 100
        {8, {1, 5}},   {8, {5, 1}},               // quotient or divisor 1
    };
    for (const auto& [type, pair] : rejected) {
        EXPECT_FALSE(acceptPair(type, pair.first, pair.second))
            << "type " << type << " accepted " << pair.first << ", " << pair.second;
    }
}

TEST(ProblemGenerator, TypeOutsideTheNineMakesATypeZeroProblem) {
    for (ProblemType type : {-1, 9, 1000}) {
        ScriptedRandom random({fractionFor(7, 9, 1), fractionFor(5, 9, 1)});
        EXPECT_EQ(answerLineOf(drawProblem(type, random)), "7＋5=12") << type;
        EXPECT_FALSE(acceptPair(type, 7, 5)) << type;
    }
}

TEST(ProblemGenerator, ASourceThatNeverGivesAnAcceptedPairFailsInsteadOfHanging) {
    // Type 1 needs a carry; 23 + 45 has none, however often it is drawn.
    std::vector<float> neverCarries;
    for (int i = 0; i < 50; ++i) {
        neverCarries.push_back(fractionFor(23, 90, 10));
        neverCarries.push_back(fractionFor(45, 90, 10));
    }
    ScriptedRandom random(neverCarries);
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(drawProblem(1, random), std::out_of_range), "ran out");
    EXPECT_EQ(random.draws, neverCarries.size() + 1);
}

TEST(ProblemGenerator, ReseedsBeforeEveryAttemptAndDrawsTwicePerAttempt) {
    // Type 1: (23, 45) has no carry, (38, 27) does.
    ScriptedRandom random({fractionFor(23, 90, 10), fractionFor(45, 90, 10),
                           fractionFor(38, 90, 10), fractionFor(27, 90, 10)});
    EXPECT_EQ(answerLineOf(drawProblem(1, random)), "38+27=65");
    EXPECT_EQ(random.trace, "RDDRDD");
}

}  // namespace
}  // namespace zelkor
