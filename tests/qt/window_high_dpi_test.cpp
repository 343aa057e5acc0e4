#include <QFontMetricsF>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

#include "window_fixture.h"

// Run at several scale factors (QT_SCALE_FACTOR 1, 1.5, 2) by the test registration.
namespace zelkor::testing {
namespace {

class DrillWindowHighDpi : public DrillWindowTest {
  protected:
    double scale() const { return window->devicePixelRatioF(); }
    QRect inWindow(QWidget* widget) const {
        return {widget->mapTo(window.get(), QPoint(0, 0)), widget->size()};
    }
};

TEST_F(DrillWindowHighDpi, ControlsLandAtTheirDesignedPlacesInDevicePixels) {
    const double expected = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                : 1.0;
    EXPECT_DOUBLE_EQ(scale(), expected);
    EXPECT_EQ(window->size(), QSize(1016, 702)) << "logical size is the designed one";
    EXPECT_EQ(inWindow(button(layout::kStopButton)), QRect(8 + 560, 608 + 30, 49, 41));

    // On the rendered image, in device pixels, the column separators stand where the
    // design puts them, scaled: 3840, 7560 and 11280 twips from the client's left edge
    // (256, 504 and 752 pixels at 96 dpi), two pixels wide, at every scale.
    click(button(layout::kAnswersButton));
    const QImage image = window->grab().toImage();
    ASSERT_EQ(image.width(), std::lround(1016 * expected));
    const int y = static_cast<int>(560 * expected);  // a row of the sheet below the flash
    const auto dark = [&](int x) { return QColor(image.pixel(x, y)).lightness() < 80; };
    for (int i = 0; i < layout::kSeparatorCount; ++i) {
        SCOPED_TRACE("separator " + std::to_string(i));
        const int twips = layout::kDisplayFrame.place.left + layout::sheetSeparator(i).x;
        const int x = static_cast<int>(twips / 15.0 * expected);
        EXPECT_TRUE(dark(x - 1) && dark(x)) << "line at device x " << x;
        EXPECT_FALSE(dark(x - static_cast<int>(8 * expected)) ||
                     dark(x + static_cast<int>(8 * expected)))
            << "nothing dark beside it";
    }
}

// No caption is cut off: each text fits inside its control at this scale's metrics.
TEST_F(DrillWindowHighDpi, NoCaptionIsClipped) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        // The ink of the text, placed where the label draws its line, stays inside.
        const QFontMetricsF metrics(label->font(), label);
        const double lineTop = (label->alignment() & Qt::AlignVCenter)
                                   ? (label->height() - metrics.height()) / 2
                                   : 0.0;
        const QRectF ink =
            metrics.tightBoundingRect(label->text()).translated(0, lineTop + metrics.ascent());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_GE(ink.top(), 0) << label->objectName().toStdString();
        EXPECT_LE(ink.bottom(), label->height()) << label->objectName().toStdString();
    }
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->objectName().toStdString();
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        const QFontMetricsF metrics(button->font(), button);
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
            << button->objectName().toStdString();
    }
    for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
        const QFontMetricsF metrics(frame->font(), frame);
        EXPECT_LE(metrics.horizontalAdvance(frame->title()), frame->width())
            << frame->objectName().toStdString();
    }
}

// The widest problems and answers of every type fit a sheet label and the flash label.
TEST_F(DrillWindowHighDpi, WidestProblemsFitTheSheetAndTheFlashLabel) {
    const char* widest[] = {"99－10=89", "98－79=19", "99×9=891", "79+19=98",
                            "81÷9=9",    "18－9=9",   "9＋9=18",  "88－11=77"};
    const QFontMetricsF sheetMetrics(sheet(0)->font(), sheet(0));
    const QFontMetricsF flashMetrics(label(layout::kFlashLabel)->font(),
                                     label(layout::kFlashLabel));
    for (const char* text : widest) {
        EXPECT_LE(sheetMetrics.horizontalAdvance(QString::fromUtf8(text)), sheet(0)->width())
            << text;
        EXPECT_LE(flashMetrics.horizontalAdvance(QString::fromUtf8(text)),
                  label(layout::kFlashLabel)->width())
            << text;
    }
}

}  // namespace
}  // namespace zelkor::testing
