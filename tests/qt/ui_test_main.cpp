#include <gtest/gtest.h>

#include <QApplication>

#include "application_setup.h"
#include "platform_palette.h"

namespace zelkor::testing {
QPalette& platformPalette() {
    static QPalette palette;
    return palette;
}
}  // namespace zelkor::testing

// Window tests run on Qt's offscreen platform unless told otherwise, so that listing
// and running them needs no display; on a screen the designed window fits on.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LARGE_SCREEN_CONFIG);
    }
    zelkor::useUtf8CharacterType();
    QApplication application(argc, argv);
    zelkor::testing::platformPalette() = QApplication::palette();
    zelkor::prepareApplication(application);
    return RUN_ALL_TESTS();
}
