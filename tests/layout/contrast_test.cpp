#include "contrast.h"

#include <gtest/gtest.h>

namespace zelkor::testing {
namespace {

struct Pair {
    layout::Rgb a;
    layout::Rgb b;
    double ratio;  // to two places
};

// The extremes either way round; #767676, the lightest grey that reads on white, and
// #777777, the darkest that does not; the designed black on Windows' button face, on
// the flash labels' light blue and on a dark colour set's face, where the window falls
// back on the theme's colours.
constexpr Pair kPairs[] = {
    {{0, 0, 0}, {255, 255, 255}, 21.00},      {{255, 255, 255}, {0, 0, 0}, 21.00},
    {{119, 119, 119}, {119, 119, 119}, 1.00}, {{118, 118, 118}, {255, 255, 255}, 4.54},
    {{119, 119, 119}, {255, 255, 255}, 4.48}, {{0, 0, 0}, {240, 240, 240}, 18.43},
    {{0, 0, 0}, {192, 192, 255}, 12.23},      {{0, 0, 0}, {85, 85, 85}, 2.82},
};

TEST(Contrast, RatiosAsTheGuidelinesDefineThem) {
    for (const Pair& pair : kPairs) {
        SCOPED_TRACE(::testing::Message()
                     << pair.a.red << "," << pair.a.green << "," << pair.a.blue << " on "
                     << pair.b.red << "," << pair.b.green << "," << pair.b.blue);
        EXPECT_NEAR(layout::contrastRatio(pair.a, pair.b), pair.ratio, 0.005);
    }
}

}  // namespace
}  // namespace zelkor::testing
