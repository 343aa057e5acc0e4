#include "number_box.h"

#include <limits>

namespace zelkor {

NumberBox::NumberBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setMaxLength(std::numeric_limits<int>::max());
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant NumberBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QLineEdit answers ImEnabled from its own state and ignores WA_InputMethodEnabled;
    // the platform input contexts (fcitx, ibus, Wayland text-input) ask exactly this.
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

}  // namespace zelkor
