#include <QFontMetricsF>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>

#include "form1_fixture.h"

// Run at several scale factors (QT_SCALE_FACTOR 1, 1.5, 2) by the test registration.
namespace zelkor::testing {
namespace {

class Form1HighDpi : public Form1Test {
  protected:
    double scale() const { return form->devicePixelRatioF(); }
    QRect inWindow(QWidget* widget) const {
        return {widget->mapTo(form.get(), QPoint(0, 0)), widget->size()};
    }
};

TEST_F(Form1HighDpi, WindowScalesAsAWholeByTheScaleFactor) {
    const double expected = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                : 1.0;
    EXPECT_DOUBLE_EQ(scale(), expected);
    EXPECT_EQ(form->size(), QSize(1016, 702)) << "logical size is the designed one";
    // In device pixels every control lands at scale times its designed place.
    const QRect command4 = inWindow(button("Command4"));
    EXPECT_EQ(command4, QRect(8 + 560, 608 + 30, 49, 41));
    if (expected == 2.0) {
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            const QRect r = inWindow(widget);
            const QRectF device(r.x() * scale(), r.y() * scale(), r.width() * scale(),
                                r.height() * scale());
            EXPECT_EQ(device.toRect(), QRect(r.x() * 2, r.y() * 2, r.width() * 2, r.height() * 2))
                << widget->objectName().toStdString();
        }
    }
}

// No caption is cut off: each text fits inside its control at this scale's metrics.
TEST_F(Form1HighDpi, NoCaptionIsClipped) {
    for (QLabel* label : form->findChildren<QLabel*>()) {
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
    for (QCheckBox* box : form->findChildren<QCheckBox*>()) {
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->objectName().toStdString();
    }
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        const QFontMetricsF metrics(button->font(), button);
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
            << button->objectName().toStdString();
    }
    for (QGroupBox* frame : form->findChildren<QGroupBox*>()) {
        const QFontMetricsF metrics(frame->font(), frame);
        EXPECT_LE(metrics.horizontalAdvance(frame->title()), frame->width())
            << frame->objectName().toStdString();
    }
}

// The widest problems and answers of every type fit a sheet label and the flash label.
TEST_F(Form1HighDpi, WidestProblemsFitTheSheetAndTheFlashLabel) {
    const char* widest[] = {"99－10=89", "98－79=19", "99×9=891", "79+19=98",
                            "81÷9=9",    "18－9=9",   "9＋9=18",  "88－11=77"};
    const QFontMetricsF sheetMetrics(sheet(1)->font(), sheet(1));
    const QFontMetricsF flashMetrics(label("Label1")->font(), label("Label1"));
    for (const char* text : widest) {
        EXPECT_LE(sheetMetrics.horizontalAdvance(QString::fromUtf8(text)), sheet(1)->width())
            << text;
        EXPECT_LE(flashMetrics.horizontalAdvance(QString::fromUtf8(text)), label("Label1")->width())
            << text;
    }
}

}  // namespace
}  // namespace zelkor::testing
