#include <QAccessible>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QSet>

#include "application_setup.h"
#include "window_fixture.h"

// How the window presents itself to the desktop: the entry it belongs to, its icons,
// the title-bar buttons it offers, and what a screen reader calls its parts.
namespace zelkor::testing {
namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString("<no interface>");
}

class DrillWindowDesktop : public DrillWindowTest {};

TEST_F(DrillWindowDesktop, BelongsToItsDesktopEntry) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.zelkor.Zelkor");
    EXPECT_EQ(QCoreApplication::applicationName(), "zelkor");  // WM_CLASS, StartupWMClass
}

TEST_F(DrillWindowDesktop, CarriesTheDesignedIconAndLargerOnes) {
    const QIcon icon = window->windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    const QImage designed(":/zelkor/org.zelkor.Zelkor-32.png");
    EXPECT_EQ(designed.format(), QImage::Format_Indexed8) << "the 32 px icon has a palette";
    EXPECT_LE(designed.colorCount(), 256);
    const QImage shown = icon.pixmap(QSize(32, 32), 1.0).toImage();
    ASSERT_EQ(shown.size(), QSize(32, 32));
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              designed.convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << "at 32 px the window shows the designed icon, not a scaled one";
}

TEST_F(DrillWindowDesktop, TitleBarOffersOnlyWhatWorks) {
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << "the layout is fixed";
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(DrillWindowDesktop, MaximisingOrFullScreenLeavesTheFixedWindowAsItIs) {
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        window->setWindowState(state);
        QApplication::processEvents();
        EXPECT_EQ(window->windowState(), Qt::WindowNoState) << state;
        EXPECT_EQ(window->size(), QSize(1016, 702));
    }
}

TEST_F(DrillWindowDesktop, ScreenReaderNamesSayWhatEachPartOfTheSheetIs) {
    const QString frameCaption = find<QGroupBox>(layout::kDisplayFrame.objectName)->title();
    QSet<QString> names;
    for (int i = 0; i < layout::kSheetLabelCount; ++i) {
        EXPECT_EQ(spokenName(sheet(i)), QStringLiteral("第%1题").arg(i + 1)) << "empty label " << i;
        names.insert(spokenName(sheet(i)));
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(spokenName(separator(i)), frameCaption) << "separator " << i;
        EXPECT_FALSE(spokenName(separator(i)).isEmpty());
        names.insert(spokenName(separator(i)));
    }
    for (const layout::Control& flash : {layout::kFlashLabel, layout::kProgressLabel}) {
        EXPECT_NE(spokenName(label(flash)), frameCaption) << flash.objectName;
        names.insert(spokenName(label(flash)));
    }
    EXPECT_EQ(names.size(), 25) << "every part has a name of its own";
    EXPECT_FALSE(names.contains(frameCaption));
}

}  // namespace
}  // namespace zelkor::testing
