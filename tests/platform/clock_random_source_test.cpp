#include "clock_random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "problem_check.h"
#include "problem_generator.h"

namespace zelkor {
namespace {

TEST(ClockRandomSource, FractionsStayInTheUnitIntervalAndSpreadEvenly) {
    ClockRandomSource random;
    std::array<int, 10> buckets{};
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const float f = random.nextFraction();
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
        ++buckets[static_cast<int>(f * 10)];
    }
    for (int count : buckets) EXPECT_NEAR(count, kDraws / 10, kDraws / 100);
}

TEST(ClockRandomSource, ReseedsWithinOneClockReadingDoNotRepeatEarlierDraws) {
    ClockRandomSource random(12345, [] { return std::uint64_t{777}; });  // a frozen clock
    std::set<std::pair<float, float>> attempts;
    for (int i = 0; i < 1000; ++i) {
        random.reseedFromClock();
        const float a = random.nextFraction();
        const float b = random.nextFraction();
        attempts.insert({a, b});
    }
    EXPECT_EQ(attempts.size(), 1000u);
}

TEST(ClockRandomSource, ReseedMixesTheClockIntoTheStateInsteadOfReplacingIt) {
    const auto clock = [] { return std::uint64_t{5}; };
    ClockRandomSource first(1, clock);
    ClockRandomSource second(2, clock);
    first.reseedFromClock();
    second.reseedFromClock();
    EXPECT_NE(first.nextFraction(), second.nextFraction());
}

// Many problems of every type with the real source: each obeys its type's rules, and
// every number the type can show turns up.
TEST(ClockRandomSource, EveryTypeShowsAllItsNumbersAndOnlyLegalProblems) {
    ClockRandomSource random;
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        SCOPED_TRACE("type " + std::to_string(type));
        std::set<int> firsts, seconds, answers;
        std::set<int> allowedFirsts, allowedSeconds, allowedAnswers;
        const TypeRanges r = rangesOf(type);
        for (int a = r.a.base; a < r.a.base + r.a.width; ++a) {
            for (int b = r.b.base; b < r.b.base + r.b.width; ++b) {
                if (const auto shown = acceptPair(type, a, b)) {
                    allowedFirsts.insert(shown->first);
                    allowedSeconds.insert(shown->second);
                    allowedAnswers.insert(shown->answer);
                }
            }
        }
        for (int i = 0; i < 60000; ++i) {
            const ShownProblem shown = drawProblem(type, random);
            ASSERT_EQ(testing::ruleViolation(type, answerLineOf(shown)), "");
            firsts.insert(shown.first);
            seconds.insert(shown.second);
            answers.insert(shown.answer);
        }
        EXPECT_EQ(firsts, allowedFirsts);
        EXPECT_EQ(seconds, allowedSeconds);
        EXPECT_EQ(answers, allowedAnswers);
    }
}

}  // namespace
}  // namespace zelkor
