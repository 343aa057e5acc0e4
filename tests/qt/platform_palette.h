#pragma once

#include <QApplication>
#include <QPalette>

namespace zelkor::testing {

// The application palette as the platform theme gave it, recorded by the test main
// before the program set anything up.
QPalette& platformPalette();

// A desktop with a dark colour scheme, as Qt's platform themes hand it to
// applications, for as long as the object lives.
class DarkDesktopPalette {
  public:
    DarkDesktopPalette() : saved_(QApplication::palette()) {
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::Text, Qt::white);
        dark.setColor(QPalette::Button, QColor(53, 53, 53));
        dark.setColor(QPalette::ButtonText, Qt::white);
        QApplication::setPalette(dark);
    }
    ~DarkDesktopPalette() { QApplication::setPalette(saved_); }
    DarkDesktopPalette(const DarkDesktopPalette&) = delete;
    DarkDesktopPalette& operator=(const DarkDesktopPalette&) = delete;

  private:
    QPalette saved_;
};

}  // namespace zelkor::testing
