#include <QApplication>

#include "application_setup.h"
#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"

int main(int argc, char* argv[]) {
    zelkor::useUtf8CharacterType();
    QApplication application(argc, argv);
    zelkor::prepareApplication(application);
    // The drill is made on the window and goes first, after the event loop.
    zelkor::DrillWindow window;
    zelkor::ClockRandomSource random;
    zelkor::Drill drill(window.view(), random);
    window.attach(drill);
    window.show();
    return QApplication::exec();
}
