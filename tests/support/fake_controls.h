#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls.h"
#include "drill_form.h"

namespace zelkor::testing {

// Every fake writes what is done to it into one shared journal, so tests can check
// the order of a handler's steps ("Label7.show", "Timer1=1", "Label6(3)='7＋5='").
using Journal = std::vector<std::string>;

class FakeLabel final : public Label {
  public:
    FakeLabel(std::string name, Journal& journal, bool visible)
        : visible(visible), name_(std::move(name)), journal_(journal) {}
    void setCaption(const std::string& text) override {
        captionText = text;
        journal_.push_back(name_ + "='" + text + "'");
    }
    std::string caption() const override { return captionText; }
    void setVisible(bool show) override {
        visible = show;
        journal_.push_back(name_ + (show ? ".show" : ".hide"));
    }
    std::string captionText;
    bool visible;

  private:
    std::string name_;
    Journal& journal_;
};

class FakeLine final : public Line {
  public:
    FakeLine(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
    void setVisible(bool show) override {
        visible = show;
        journal_.push_back(name_ + (show ? ".show" : ".hide"));
    }
    bool visible = false;

  private:
    std::string name_;
    Journal& journal_;
};

class FakeButton final : public Button {
  public:
    FakeButton(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
    void takeFocus() override {
        hasFocus = true;
        journal_.push_back(name_ + ".focus");
    }
    bool hasFocus = false;

  private:
    std::string name_;
    Journal& journal_;
};

class FakeTextBox final : public TextBox {
  public:
    explicit FakeTextBox(std::string initial) : content(std::move(initial)) {}
    std::string text() const override { return content; }
    std::string content;
};

class FakeCheckBox final : public CheckBox {
  public:
    int value() const override { return ticked ? 1 : 0; }
    bool ticked = false;
};

class FakeTimer final : public IntervalTimer {
  public:
    FakeTimer(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
    void setInterval(int ms) override {
        intervalMs = ms;
        history.push_back(ms);
        journal_.push_back(name_ + "=" + std::to_string(ms));
    }
    int interval() const override { return intervalMs; }
    int intervalMs = 0;
    std::vector<int> history;

  private:
    std::string name_;
    Journal& journal_;
};

struct ShownMessage {
    std::string text;
    std::string title;
};

class FakeMessageBox final : public MessageBox {
  public:
    explicit FakeMessageBox(Journal& journal) : journal_(journal) {}
    void show(const std::string& text, const std::string& title) override {
        shown.push_back({text, title});
        journal_.push_back("MessageBox");
    }
    std::vector<ShownMessage> shown;

  private:
    Journal& journal_;
};

// The whole window's controls as fakes, in their state at program start.
struct FakeWindow {
    Journal journal;
    FakeLabel label1{"Label1", journal, true};
    FakeLabel label7{"Label7", journal, true};
    FakeLabel label8{"Label8", journal, true};
    std::array<std::unique_ptr<FakeLabel>, 20> label6;
    std::array<std::unique_ptr<FakeLine>, 3> line1;
    std::array<FakeCheckBox, 12> check1;
    FakeTextBox text1{"5"};
    FakeTextBox text2{"0.01"};
    FakeButton command4{"Command4", journal};
    FakeTimer timer1{"Timer1", journal};
    FakeTimer timer2{"Timer2", journal};
    FakeMessageBox messageBox{journal};

    FakeWindow() {
        label8.captionText = "0:0:0";
        for (int k = 1; k <= 20; ++k) {
            label6[k - 1] =
                std::make_unique<FakeLabel>("Label6(" + std::to_string(k) + ")", journal, false);
        }
        for (int i = 0; i < 3; ++i) {
            line1[i] = std::make_unique<FakeLine>("Line1(" + std::to_string(i) + ")", journal);
        }
    }

    FakeLabel& sheet(int k) { return *label6[k - 1]; }

    FormControls controls() {
        FormControls c{label1, label7, label8,   {},     {},     {},
                       text1,  text2,  command4, timer1, timer2, messageBox};
        for (int k = 0; k < 20; ++k) c.label6Members[k] = label6[k].get();
        for (int i = 0; i < 3; ++i) c.line1[i] = line1[i].get();
        for (int i = 0; i < 12; ++i) c.check1[i] = &check1[i];
        return c;
    }
};

}  // namespace zelkor::testing
