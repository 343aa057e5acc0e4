#include <QAccessible>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QSet>

#include "application_setup.h"
#include "form1_fixture.h"

// How the window presents itself to the desktop: the entry it belongs to, its icons,
// the title-bar buttons it offers, and what a screen reader calls its parts.
namespace zelkor::testing {
namespace {

QString spokenName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString("<no interface>");
}

class Form1Desktop : public Form1Test {};

TEST_F(Form1Desktop, BelongsToItsDesktopEntry) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.zelkor.Zelkor");
    EXPECT_EQ(QCoreApplication::applicationName(), "zelkor");  // WM_CLASS, StartupWMClass
}

TEST_F(Form1Desktop, CarriesTheDesignedIconAndLargerOnes) {
    const QIcon icon = form->windowIcon();
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

TEST_F(Form1Desktop, TitleBarOffersOnlyWhatWorks) {
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << "the layout is fixed";
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
}

TEST_F(Form1Desktop, ScreenReaderNamesSayWhatEachPartOfTheSheetIs) {
    const QString frameCaption = find<QGroupBox>("Frame2")->title();
    QSet<QString> names;
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(spokenName(sheet(k)), QStringLiteral("第%1题").arg(k))
            << "empty sheet label " << k;
        names.insert(spokenName(sheet(k)));
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(spokenName(line(i)), frameCaption) << "Line1(" << i << ")";
        EXPECT_FALSE(spokenName(line(i)).isEmpty());
        names.insert(spokenName(line(i)));
    }
    for (const char* flash : {"Label1", "Label7"}) {
        EXPECT_NE(spokenName(label(flash)), frameCaption) << flash;
        names.insert(spokenName(label(flash)));
    }
    EXPECT_EQ(names.size(), 25) << "every part has a name of its own";
    EXPECT_FALSE(names.contains(frameCaption));
}

}  // namespace
}  // namespace zelkor::testing
