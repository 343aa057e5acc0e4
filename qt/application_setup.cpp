#include "application_setup.h"

#include <langinfo.h>

#include <QAccessible>
#include <QApplication>
#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>
#include <QTranslator>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "announcer.h"
#include "number_box_accessible.h"
#include "song_font.h"

namespace zelkor {

void useUtf8CharacterType() {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "UTF-8") == 0) return;
    // Qt switches its own text handling to UTF-8 later, but too late for Xlib, which
    // would then store the title's UTF-8 bytes as a Latin-1 STRING. Setting the
    // variable too keeps the choice for everything Qt initialises from the environment.
    if (std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr) setenv("LC_CTYPE", "C.UTF-8", 1);
}

void prepareApplication(QApplication& application) {
    installSongSubstitution();
    // Screen readers read the number boxes through an interface that cannot hang.
    QAccessible::installFactory(&NumberBoxAccessible::factory);
    QAccessible::installFactory(&Announcer::factory);
    // Ties the window to its desktop entry: the X11 class (WM_CLASS "zelkor", matched by
    // the entry's StartupWMClass) and the Wayland app_id (the entry's file name).
    QCoreApplication::setApplicationName(kApplicationName);
    QGuiApplication::setDesktopFileName(kDesktopFileName);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The window is drawn in its designed light colours; ask the platform for the light
    // scheme too, so that the decorations and dialogs Qt draws match it.
    QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    // The interface is Chinese whatever the user's locale, so what Qt says is too.
    auto* translator = new QTranslator(&application);
    if (translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(translator);
}

void applyOwnLook() {
    // Fusion is already Qt's default where no desktop theme chooses another; setting it
    // again would re-polish every widget of the window for nothing.
    if (QApplication::style()->name().compare("fusion", Qt::CaseInsensitive) == 0) return;
    if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
}

}  // namespace zelkor
