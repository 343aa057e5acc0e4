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
};

class ButtonWidget final : public QPushButton, public Button {
  public:
    ButtonWidget(const QString& caption, QWidget* parent);
    void takeFocus() override { setFocus(Qt::OtherFocusReason); }
};

// Accepts any text of any length; the input method is off so that digits can be
// typed straight away while a Chinese input method is active.
class TextBoxWidget final : public QLineEdit, public TextBox {
  public:
    TextBoxWidget(const QString& text, QWidget* parent);
    std::string text() const override;
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
