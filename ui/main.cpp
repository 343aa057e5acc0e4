#include <QApplication>

#include "application_setup.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    zelkor::useUtf8CharacterType();
    QApplication application(argc, argv);
    zelkor::prepareApplication(application);
    zelkor::Form1 form;
    form.show();
    return QApplication::exec();
}
