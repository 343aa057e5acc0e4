#pragma once

#include <QGroupBox>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "clock_random_source.h"
#include "control_widgets.h"
#include "drill_form.h"
#include "form1_layout.h"
#include "message_box_dialog.h"
#include "precise_timer.h"

namespace zelkor {

// The drill's one window. It builds every control at its designed place, wires the
// controls' events to the drill's handlers and runs Form_Load before it is first shown.
// Controls carry their design names as object names ("Command1", "Label6(3)",
// "Check1(8)", "Line1(0)").
class Form1 final : public QWidget {
  public:
    // Calls the skin library's SkinH_Attach; nothing when there is no skin library.
    using SkinCall = std::function<std::optional<std::int32_t>()>;

    explicit Form1(SkinCall skinCall = defaultSkinCall(), QWidget* parent = nullptr);
    ~Form1() override;

    const FormState& state() const { return drill_->state(); }
    const PreciseTimer& timer1() const { return *timer1_; }
    const PreciseTimer& timer2() const { return *timer2_; }

    static SkinCall defaultSkinCall();

  private:
    void Form_Load();

    void buildSettingsFrame();
    void buildTypeFrame();
    void buildDisplayFrame();
    void buildStopwatchFrame();
    void setFocusOrder();
    void connectEvents();

    QGroupBox* createFrame(const char* caption, design::TwipRect place, bool blackCaption);
    LabelWidget* createLabel(QWidget* frame, const QString& name, const char* caption,
                             design::TwipRect place, const QFont& font);
    ButtonWidget* createButton(QWidget* frame, const char* name, const char* caption,
                               design::TwipRect place);
    TextBoxWidget* createTextBox(QWidget* frame, const char* name, const char* text,
                                 const char* accessibleName, design::TwipRect place);
    FormControls controls();

    SkinCall skinCall_;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame4_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame5_ = nullptr;
    LabelWidget* label1_ = nullptr;
    LabelWidget* label7_ = nullptr;
    LabelWidget* label8_ = nullptr;
    std::array<LabelWidget*, kSheetLabelCount> label6_{};
    std::array<LineWidget*, 3> line1_{};
    std::array<CheckBoxWidget*, kTypeBoxCount> check1_{};
    TextBoxWidget* text1_ = nullptr;
    TextBoxWidget* text2_ = nullptr;
    ButtonWidget* command1_ = nullptr;
    ButtonWidget* command2_ = nullptr;
    ButtonWidget* command3_ = nullptr;
    ButtonWidget* command4_ = nullptr;
    std::unique_ptr<PreciseTimer> timer1_;
    std::unique_ptr<PreciseTimer> timer2_;
    std::unique_ptr<MessageBoxDialog> messageBox_;
    ClockRandomSource random_;
    std::unique_ptr<DrillForm> drill_;
};

}  // namespace zelkor
