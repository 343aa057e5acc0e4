#include "number_reading.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "pace.h"
#include "rounding.h"
#include "test_names.h"

namespace zelkor {
namespace {

struct ReadCase {
    std::string text;
    double expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << testing::nameForText(c.text) << " reads " << c.expected;
}

class ReadLeadingNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadLeadingNumber, ReadsTheLeadingNumericPart) {
    const ReadCase& c = GetParam();
    const double value = readLeadingNumber(c.text);
    EXPECT_DOUBLE_EQ(value, c.expected) << "text: '" << c.text << "'";
    EXPECT_FALSE(std::signbit(value) && value == 0.0) << "negative zero for '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadLeadingNumber,
    ::testing::Values(
        ReadCase{"5", 5}, ReadCase{"0.01", 0.01}, ReadCase{"20.3", 20.3}, ReadCase{"5abc", 5},
        ReadCase{"", 0}, ReadCase{"abc", 0}, ReadCase{"1 2", 12}, ReadCase{"2e1", 20},
        ReadCase{" \t\n7", 7}, ReadCase{"1\t2\n3", 123}, ReadCase{"1 e 2", 100}, ReadCase{"-1", -1},
        ReadCase{"+3", 3}, ReadCase{"- 1", -1}, ReadCase{"--1", 0}, ReadCase{".5", 0.5},
        ReadCase{"5.", 5}, ReadCase{".", 0}, ReadCase{"-", 0}, ReadCase{"1.2.3", 1.2},
        ReadCase{"2e", 2}, ReadCase{"2e+", 2}, ReadCase{"2e-1", 0.2}, ReadCase{"2E2", 200},
        ReadCase{"0,5", 0}, ReadCase{"1,5", 1}, ReadCase{"1\r2", 1}, ReadCase{"-0", 0},
        ReadCase{"-0.0e5", 0}, ReadCase{"0e999999", 0}, ReadCase{"007", 7},
        ReadCase{"0.000123", 0.000123}, ReadCase{"19.5", 19.5}, ReadCase{"nan", 0},
        ReadCase{"inf", 0}, ReadCase{"\xEF\xBC\x95", 0} /* fullwidth 5 */,
        ReadCase{"1e400", DBL_MAX}, ReadCase{"-1e400", -DBL_MAX}, ReadCase{"1e-400", 0},
        ReadCase{"1e99999999999999999999", DBL_MAX}, ReadCase{"1e-99999999999999999999", 0},
        ReadCase{"4.9e-324", 4.9e-324}, ReadCase{"1.7976931348623157e308", DBL_MAX}),
    [](const auto& info) { return testing::nameForText(info.param.text); });

TEST(ReadLeadingNumberLongText, MegabyteOfDigitsSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(readLeadingNumber(std::string(1 << 20, '9')), DBL_MAX);
    EXPECT_EQ(readLeadingNumber("0." + std::string(1 << 20, '0') + "1"), 0.0);
    EXPECT_DOUBLE_EQ(readLeadingNumber("1." + std::string(1 << 20, '0')), 1.0);
    EXPECT_DOUBLE_EQ(readLeadingNumber(std::string(1 << 20, ' ') + "3"), 3.0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{2.5, 2},
                                               {3.5, 4},
                                               {0.5, 0},
                                               {1.5, 2},
                                               {-2.5, -2},
                                               {-3.5, -4},
                                               {2.4999, 2},
                                               {2.5001, 3},
                                               {19.5, 20},
                                               {20.5, 20},
                                               {7.0, 7},
                                               {-0.4, 0},
                                               {4503599627370495.5, 4503599627370496.0},
                                               {1e300, 1e300}};
    for (const auto& [x, expected] : cases) EXPECT_EQ(roundHalfEven(x), expected) << x;
    EXPECT_TRUE(std::isinf(roundHalfEven(INFINITY)));
}

struct PaceCase {
    std::string text;
    int expectedMs;
};

void PrintTo(const PaceCase& c, std::ostream* out) {
    *out << testing::nameForText(c.text) << " gives " << c.expectedMs << " ms";
}

class PaceInterval : public ::testing::TestWithParam<PaceCase> {};

TEST_P(PaceInterval, SecondsBecomeWholeMilliseconds) {
    EXPECT_EQ(paceIntervalMs(GetParam().text), GetParam().expectedMs)
        << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PaceInterval,
    ::testing::Values(PaceCase{"0.01", 10}, PaceCase{"1", 1000}, PaceCase{"2.5", 2500},
                      PaceCase{"0.0005", 0}, PaceCase{"0.0015", 2}, PaceCase{"0.0025", 2},
                      PaceCase{"0.0035", 4}, PaceCase{"0.001", 1}, PaceCase{"0", 0},
                      PaceCase{"", 0}, PaceCase{"abc", 0}, PaceCase{"0,5", 0},
                      // Out of the timer's range: stopped below 1 ms, held at the top.
                      PaceCase{"-1", 0}, PaceCase{"-0.0015", 0}, PaceCase{"-1e400", 0},
                      PaceCase{"1e12", kLongestTimerIntervalMs},
                      PaceCase{"1e400", kLongestTimerIntervalMs},
                      PaceCase{"2147483.647", 2147483647}, PaceCase{"2147483.646", 2147483646},
                      PaceCase{"2147483.6475", kLongestTimerIntervalMs}),
    [](const auto& info) { return testing::nameForText(info.param.text); });

}  // namespace
}  // namespace zelkor
