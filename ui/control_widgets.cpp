#include "control_widgets.h"

#include <QPainter>
#include <limits>

namespace zelkor {

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void LabelWidget::setCaption(const std::string& caption) {
    setText(QString::fromStdString(caption));
    updateAccessibleName();
}

void LabelWidget::setNameWhenEmpty(const QString& name) {
    nameWhenEmpty_ = name;
    updateAccessibleName();
}

void LabelWidget::updateAccessibleName() {
    setAccessibleName(QLabel::text().isEmpty() ? nameWhenEmpty_ : QString());
}

std::string LabelWidget::caption() const { return QLabel::text().toStdString(); }

ButtonWidget::ButtonWidget(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Enter and Escape act only as the toolkit makes them act on the focused control.
    setAutoDefault(false);
    setDefault(false);
}

TextBoxWidget::TextBoxWidget(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
    setMaxLength(std::numeric_limits<int>::max());
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

std::string TextBoxWidget::text() const { return QLineEdit::text().toStdString(); }

QVariant TextBoxWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    // QLineEdit answers ImEnabled from its own state and ignores WA_InputMethodEnabled;
    // the platform input context (fcitx, ibus, Wayland text-input) asks exactly this.
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

CheckBoxWidget::CheckBoxWidget(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {}

LineWidget::LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::WindowText));
}

}  // namespace zelkor
