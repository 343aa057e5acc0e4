#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <cmath>
#include <vector>

#include "contrast.h"
#include "platform_palette.h"
#include "window_fixture.h"

// Every text of the window, and the sheet's column lines, must stay readable whatever
// colour scheme the desktop runs: at least 4.5 : 1 against the background it is drawn
// on, measured on the rendered pixels at the four moments of a run. Offscreen the
// desktop's dark scheme is a dark application palette; under Xvfb with the GTK theme
// (tests/smoke/dark_desktop.sh) it is the real Adwaita:dark.
namespace zelkor::testing {
namespace {

double contrast(QRgb a, QRgb b) {
    return layout::contrastRatio({qRed(a), qGreen(a), qBlue(a)}, {qRed(b), qGreen(b), qBlue(b)});
}

// The area's background is its commonest colour; the ink is the pixel that stands out
// from it most, the core of a stroke (anti-aliased edges only ever stand out less).
double inkContrast(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        best = std::max(best, contrast(background, it.key()));
    }
    return best;
}

class DrillWindowContrast : public DrillWindowTest {
  protected:
    void SetUp() override {
        // Offscreen there is no desktop: stand in for its dark scheme. On a real
        // desktop the platform's palette must already be dark, or the test proves nothing.
        if (QGuiApplication::platformName() == "offscreen") {
            dark_ = std::make_unique<DarkDesktopPalette>();
        } else {
            ASSERT_LT(platformPalette().color(QPalette::Window).lightness(), 100)
                << "the desktop's colour scheme is not dark";
        }
        openWindow();
    }
    void TearDown() override {
        DrillWindowTest::TearDown();
        dark_.reset();
    }

    QImage capture() const {
        QImage image = QGuiApplication::platformName() == "offscreen"
                           ? window->grab().toImage()
                           : window->screen()->grabWindow(window->winId()).toImage();
        return image.convertToFormat(QImage::Format_RGB32);
    }

    bool isSeparator(const QWidget* widget) const {
        for (int i = 0; i < layout::kSeparatorCount; ++i) {
            if (widget == separator(i)) return true;
        }
        return false;
    }

    // Where each visible text (and line) is drawn, in window coordinates.
    std::vector<std::pair<QString, QRect>> textAreas() const {
        std::vector<std::pair<QString, QRect>> areas;
        const auto place = [this](QWidget* w, QRect r) {
            return QRect(w->mapTo(window.get(), r.topLeft()), r.size());
        };
        for (auto* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(window.get())) continue;
            const QString name = widget->objectName();
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                if (!label->text().isEmpty()) areas.emplace_back(name, place(label, label->rect()));
            } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
                const QFontMetrics metrics(frame->font());
                const QRect title(0, 0, metrics.horizontalAdvance(frame->title()) + 24,
                                  metrics.height() + 2);
                areas.emplace_back(name + " caption", place(frame, title));
            } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                QStyleOptionButton option;
                option.initFrom(box);
                option.text = box->text();
                const QRect text =
                    box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
                areas.emplace_back(name, place(box, text));
            } else if (qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget)) {
                areas.emplace_back(name, place(widget, widget->rect().adjusted(4, 4, -4, -4)));
            } else if (isSeparator(widget)) {
                areas.emplace_back(name, place(widget, widget->rect().adjusted(-4, 0, 4, 0)));
            }
        }
        return areas;
    }

    void expectReadable(const char* moment) const {
        SCOPED_TRACE(moment);
        // The events the change posted, then the window drawn at once, before the capture.
        QCoreApplication::sendPostedEvents();
        window->repaint();
        const QImage image = capture();
        const qreal scale = image.devicePixelRatio();
        const auto areas = textAreas();
        ASSERT_FALSE(areas.empty());
        for (const auto& [name, area] : areas) {
            const QRect pixels(
                QPoint(std::lround(area.left() * scale), std::lround(area.top() * scale)),
                QPoint(std::lround((area.right() + 1) * scale) - 1,
                       std::lround((area.bottom() + 1) * scale) - 1));
            EXPECT_GE(inkContrast(image, pixels), layout::kReadableContrast) << name.toStdString();
        }
    }

    std::unique_ptr<DarkDesktopPalette> dark_;
};

TEST_F(DrillWindowContrast, EveryTextStaysReadableOnADarkDesktop) {
    expectReadable("at start");

    type(textBox(layout::kCountBox), "4");
    type(textBox(layout::kIntervalBox), "30");  // problem 1 stays up while it is measured
    click(button(layout::kStartButton));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !label(layout::kFlashLabel)->text().isEmpty(); }, 2000));
    expectReadable("while a problem flashes");

    type(textBox(layout::kIntervalBox), "0.01");
    click(button(layout::kStartButton));
    ASSERT_TRUE(waitForRunEnd());
    click(button(layout::kSheetButton));
    expectReadable("the sheet");
    click(button(layout::kAnswersButton));
    expectReadable("the answers");
}

}  // namespace
}  // namespace zelkor::testing
