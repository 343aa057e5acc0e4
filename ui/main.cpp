#include <QApplication>

#include "application_setup.h"
#include "form1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zelkor::prepareApplication(application);
    zelkor::Form1 form;
    form.show();
    return QApplication::exec();
}
