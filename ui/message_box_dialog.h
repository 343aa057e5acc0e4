#pragma once

#include <QWidget>

#include "controls.h"

namespace zelkor {

// Shows the message as a window-modal QMessageBox with no icon and one OK button,
// whose caption comes from Qt's own Chinese translation; waits until it is closed.
class MessageBoxDialog final : public MessageBox {
  public:
    explicit MessageBoxDialog(QWidget* owner) : owner_(owner) {}
    void show(const std::string& text, const std::string& title) override;

  private:
    QWidget* owner_;
};

}  // namespace zelkor
