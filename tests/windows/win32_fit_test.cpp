// The Win32 window on a laptop's screen: where the designed window at the monitor's
// density does not fit its work area, the whole layout, fonts included, shrinks
// uniformly until it does; where it fits, every place stays as designed. ctest runs
// this on screens of 1920 x 1080 and 1366 x 768 less a 40-pixel taskbar at the usual
// densities, saying in ZELKOR_FIT_EXPECT whether the design fits ("design"), or not
// ("shrink"), or that it depends on the frame's size ("frame").
#include <cmath>
#include <cstdio>
#include <string>

#include "control_table.h"
#include "win32_fixture.h"  // windows.h first

namespace zelkor::testing {
namespace {

class Win32Fit : public Win32WindowTest {};

int scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

TEST_F(Win32Fit, ShrinksUniformlyOnlyWhereTheDesignDoesNotFit) {
    const char* expect = std::getenv("ZELKOR_FIT_EXPECT");
    if (expect == nullptr) GTEST_SKIP() << "run by ctest on a laptop-sized screen";
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window->handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    const double scale = window->portable().layoutScale();
    std::printf("work area %ldx%ld at %d dpi, window %ldx%ld, layout scale %.4f\n",
                area.right - area.left, area.bottom - area.top, window->dpi(),
                outer.right - outer.left, outer.bottom - outer.top, scale);
    EXPECT_TRUE(outer.left >= area.left && outer.top >= area.top && outer.right <= area.right &&
                outer.bottom <= area.bottom)
        << "the whole window, frame included, is in the work area";

    const double designed = window->dpi() / 96.0;
    // "frame": the design fits exactly where its client area and the frame Windows
    // draws at this density fit the work area (a 96-dpi design on a 768-pixel screen
    // fits with Wine 8's thin caption and not with Wine 10's or Windows' own).
    std::string expected = expect;
    if (expected == "frame") {
        const layout::PixelRect client =
            layout::scaleBy(layout::toPixels(layout::kWindow.place), designed);
        RECT framed{0, 0, client.width, client.height};
        AdjustWindowRectExForDpi(&framed,
                                 static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE)),
                                 FALSE, 0, static_cast<UINT>(window->dpi()));
        const bool fits = framed.right - framed.left <= area.right - area.left &&
                          framed.bottom - framed.top <= area.bottom - area.top;
        expected = fits ? "design" : "shrink";
    }
    if (expected == "design") {
        EXPECT_DOUBLE_EQ(scale, designed);
    } else {
        EXPECT_LT(scale, designed);
        const bool fillsHeight = outer.bottom - outer.top >= area.bottom - area.top - 2;
        const bool fillsWidth = outer.right - outer.left >= area.right - area.left - 2;
        EXPECT_TRUE(fillsHeight || fillsWidth) << "shrunk no further than needed";
    }
    RECT client{};
    GetClientRect(window->handle(), &client);
    const layout::PixelRect design = layout::toPixels(layout::kWindow.place);
    EXPECT_EQ(client.right, scaled(design.width, scale));
    EXPECT_EQ(client.bottom, scaled(design.height, scale));
    const layout::PixelRect flash =
        layout::controlTable()[layout::controlIndex(layout::kFlashLabel.objectName)].inWindow;
    RECT r{};
    GetWindowRect(control(layout::kFlashLabel), &r);
    MapWindowPoints(HWND_DESKTOP, window->handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, scaled(flash.left, scale));
    EXPECT_EQ(r.right - r.left, scaled(flash.width, scale));
    LOGFONTW font{};
    GetObjectW(
        reinterpret_cast<HFONT>(SendMessageW(control(layout::kFlashLabel), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_EQ(-font.lfHeight, static_cast<int>(std::lround(layout::kFlashFont.points * 96 / 72 * scale)));
}

}  // namespace
}  // namespace zelkor::testing
