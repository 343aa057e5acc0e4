#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "controls.h"

// The window's controls: each is a plain Qt widget that also answers to the drill's
// control interface. They hold no rules; they only translate text (UTF-8 <-> QString)
// and visibility.
namespace zelkor {

class LabelWidget final : public QLabel, public Label {
  public:
    explicit LabelWidget(QWidget* parent);
    void setCaption(const std::string& caption) override;
    std::string caption() const override;
    void setVisible(bool visible) override { QLabel::setVisible(visible); }

    // What a screen reader calls the label while it is empty. A label with text is
    // read as its text; an empty one would otherwise borrow its frame's caption.
    void setNameWhenEmpty(const QString& name);

  private:
    void updateAccessibleName();

    QString nameWhenEmpty_;
};

class ButtonWidget final : public QPushButton, public Button {
  public:
    ButtonWidget(const QString& caption, QWidget* parent);
    void takeFocus() override { setFocus(Qt::OtherFocusReason); }
};

// Accepts any text of any length, keystrokes as typed: the box tells the platform it
// takes no input method, so a Chinese input method with pinyin active neither turns
// "." into "。" nor opens its candidate list, and Wayland raises no on-screen keyboard.
class TextBoxWidget final : public QLineEdit, public TextBox {
  public:
    TextBoxWidget(const QString& text, QWidget* parent);
    std::string text() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
};

class CheckBoxWidget final : public QCheckBox, public CheckBox {
  public:
    CheckBoxWidget(const QString& caption, QWidget* parent);
    int value() const override { return isChecked() ? 1 : 0; }
};

// A straight vertical line filling its rectangle, in the text colour.
class LineWidget final : public QWidget, public Line {
  public:
    explicit LineWidget(QWidget* parent);
    void setVisible(bool visible) override { QWidget::setVisible(visible); }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zelkor
