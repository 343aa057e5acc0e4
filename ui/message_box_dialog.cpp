#include "message_box_dialog.h"

#include <QMessageBox>

namespace zelkor {

void MessageBoxDialog::show(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, owner_);
    box.setObjectName("countRejectedMessage");
    box.exec();
}

}  // namespace zelkor
