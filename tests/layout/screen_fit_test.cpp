// How the designed window meets the screen it is shown on: the scale it is fitted at,
// and whether turning the screen would show it so much larger that the page says so.
#include <gtest/gtest.h>

#include "pixels.h"
#include "window_layout.h"

namespace zelkor::testing {
namespace {

struct Screen {
    int width;
    int height;
    double scale;  // the fitted scale, to three places
    bool hint;     // whether turning is suggested
};

// Common phones and tablets upright and turned, desktop windows, and the edges of the
// rule: a square or a short wide area, which turning makes no larger.
constexpr Screen kScreens[] = {
    {360, 640, 0.354, true},    {640, 360, 0.513, false},  {390, 844, 0.384, true},
    {844, 390, 0.556, false},   {412, 915, 0.406, true},   {915, 412, 0.587, false},
    {768, 1024, 0.756, false},  {1024, 768, 1.0, false},   {1280, 800, 1.0, false},
    {1920, 1080, 1.0, false},   {480, 900, 0.472, true},   {300, 300, 0.295, false},
    {1016, 300, 0.427, false},  {508, 2000, 0.5, false},   {507, 2000, 0.499, true},
};

TEST(ScreenFit, TheWindowShrinksToFitAndTurningIsSuggestedWhereItWouldShowMuchLarger) {
    const layout::PixelRect window = layout::toPixels(layout::kWindow.place);
    ASSERT_EQ(window.width, 1016);
    ASSERT_EQ(window.height, 702);
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height));
        EXPECT_NEAR(layout::fitFactor(window.width, window.height, screen.width, screen.height),
                    screen.scale, 0.0005);
        EXPECT_EQ(layout::turningWouldEnlarge(window.width, window.height, screen.width,
                                              screen.height),
                  screen.hint);
    }
}

}  // namespace
}  // namespace zelkor::testing
