#include "message_box_dialog.h"

#include <QMessageBox>

namespace zelkor {

void MessageBoxDialog::show(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, owner_);
    box.setObjectName("countRejectedMessage");
    // A title and a close button, nothing else: Qt's own decorations on Wayland would
    // otherwise add minimise and maximise buttons and cut the title short.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    box.exec();
}

}  // namespace zelkor
