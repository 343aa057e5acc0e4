#include <QApplication>

#include "application_setup.h"
#include "drill_window.h"

int main(int argc, char* argv[]) {
    zelkor::useUtf8CharacterType();
    QApplication application(argc, argv);
    zelkor::prepareApplication(application);
    zelkor::DrillWindow window;
    window.show();
    return QApplication::exec();
}
