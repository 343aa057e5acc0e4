// The window on a laptop's screen: where the designed window at the screen's scale does
// not fit the work area, the whole layout, fonts included, shrinks uniformly until it
// does; where it fits, every place stays as designed. ctest runs this on screens of
// 1920 x 1080 and 1366 x 768 less a 40-pixel panel, at the usual scale factors, saying
// in ZELKOR_FIT_EXPECT whether the design fits there ("design") or not ("shrink").
#include <QScreen>
#include <QWindow>

#include "control_table.h"
#include "window_fixture.h"

namespace zelkor::testing {
namespace {

class DrillWindowFit : public DrillWindowTest {};

int scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

TEST_F(DrillWindowFit, ShrinksUniformlyOnlyWhereTheDesignDoesNotFit) {
    const QByteArray expect = qgetenv("ZELKOR_FIT_EXPECT");
    if (expect.isEmpty()) GTEST_SKIP() << "run by ctest on a laptop-sized screen";
    const QRect area = window->screen()->availableGeometry();
    const QMargins frame = window->windowHandle()->frameMargins();
    const QRect outer = window->geometry().marginsAdded(frame);
    std::printf("work area %dx%d (logical), window %dx%d, layout scale %.4f\n", area.width(),
                area.height(), window->width(), window->height(), window->portable().layoutScale());
    EXPECT_TRUE(area.contains(outer))
        << "the whole window, frame included, is on the screen: " << outer.x() << "," << outer.y()
        << " " << outer.width() << "x" << outer.height() << " frame top " << frame.top();

    const double scale = window->portable().layoutScale();
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    if (expect == "design") {
        EXPECT_EQ(scale, 1.0);
        EXPECT_EQ(window->size(), QSize(client.width, client.height));
    } else {
        EXPECT_LT(scale, 1.0);
        const bool fillsHeight = outer.height() >= area.height() - 2;
        const bool fillsWidth = outer.width() >= area.width() - 2;
        EXPECT_TRUE(fillsHeight || fillsWidth) << "shrunk no further than needed";
        EXPECT_EQ(window->size(), QSize(scaled(client.width, scale), scaled(client.height, scale)));
    }
    for (const layout::DesignedControl& c : layout::controlTable()) {
        SCOPED_TRACE(c.name);
        QWidget* widget = find<QWidget>(c.name.c_str());
        const layout::PixelRect d = c.inFrame;
        EXPECT_EQ(widget->geometry(), QRect(scaled(d.left, scale), scaled(d.top, scale),
                                            scaled(d.width, scale), scaled(d.height, scale)));
        if (c.kind != layout::ControlKind::Separator) {
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), c.font.points * scale);
        }
    }
}

}  // namespace
}  // namespace zelkor::testing
