#include "application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include "song_font.h"

namespace zelkor {

bool prepareApplication(QApplication& application) {
    installSongSubstitution();
    // The interface is Chinese whatever the user's locale, so the standard buttons are too.
    auto* translator = new QTranslator(&application);
    const bool loaded =
        translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) application.installTranslator(translator);
    return loaded;
}

void applyOwnLook() {
    // Fusion is already Qt's default where no desktop theme chooses another; setting it
    // again would re-polish every widget of the window for nothing.
    if (QApplication::style()->name().compare("fusion", Qt::CaseInsensitive) == 0) return;
    if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
}

}  // namespace zelkor
