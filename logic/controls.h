#pragma once

#include <string>

namespace zelkor {

// The window's controls as the drill's handlers see them. The window implements
// them with real widgets; the tests with plain fakes. All text is UTF-8.

class Label {
  public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
    virtual void setVisible(bool visible) = 0;
};

class Button {
  public:
    virtual ~Button() = default;
    // Gives the button the keyboard focus, so the space bar presses it.
    virtual void takeFocus() = 0;
};

class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
};

class CheckBox {
  public:
    virtual ~CheckBox() = default;
    // 1 when ticked, 0 when not.
    virtual int value() const = 0;
};

class Line {
  public:
    virtual ~Line() = default;
    virtual void setVisible(bool visible) = 0;
};

// An interval timer: a positive interval makes it tick every that many milliseconds,
// counted afresh from the moment it is set; 0 stops it.
class IntervalTimer {
  public:
    virtual ~IntervalTimer() = default;
    // REQUIRES: 0 <= milliseconds.
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
};

// A modal message box with a text, a title, one OK button and no icon.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text, const std::string& title) = 0;
};

}  // namespace zelkor
