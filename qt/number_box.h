#pragma once

#include <QLineEdit>

namespace zelkor {

// A one-line box for a number typed on the keyboard: any text of any length, and the
// keystrokes as typed. It tells the platform it takes no input method, so a Chinese
// input method with pinyin active neither turns "." into "。" nor opens its candidate
// list, and Wayland raises no on-screen keyboard over the window.
class NumberBox final : public QLineEdit {
  public:
    NumberBox(const QString& text, QWidget* parent);
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // Where the text cursor is drawn, for the screen reader's character places.
    QRect caretRect() const { return cursorRect(); }
};

}  // namespace zelkor
