#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "announcer.h"
#include "control_table.h"
#include "drill.h"
#include "number_box.h"
#include "pixels.h"
#include "window_layout.h"

namespace zelkor {

// The drill's one window: every control at its designed place, and the skin call made
// before it is first shown. It holds no rules of its own: it shows what the drill tells
// it to (DrillView), and attach() hands the controls' events to the drill.
class DrillWindow final : public QWidget, public DrillView {
  public:
    // Calls the skin library's SkinH_Attach; nothing when there is no skin library.
    using SkinCall = std::function<std::optional<std::int32_t>()>;

    explicit DrillWindow(SkinCall skinCall = defaultSkinCall(), QWidget* parent = nullptr);
    ~DrillWindow() override;

    // Hands the controls' events and the timers' ticks to drill from now on. Call once;
    // drill must outlive the window.
    void attach(Drill& drill);

    const QTimer& paceTimer() const { return paceTimer_; }
    const QTimer& stopwatchTimer() const { return stopwatchTimer_; }

    static SkinCall defaultSkinCall();

    // The factor the layout is shrunk by to fit the screen's work area; 1 as designed.
    double layoutScale() const { return scale_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

    // DrillView
    std::string countText() const override;
    std::string intervalText() const override;
    void setProgressVisible(bool visible) override;
    void setProgressCaption(const std::string& caption) override;
    void setFlashVisible(bool visible) override;
    void setFlashCaption(const std::string& caption) override;
    void setSeparatorsVisible(bool visible) override;
    void showSheet(const std::vector<std::string>& lines) override;
    void hideSheet() override;
    void setStopwatchReading(const std::string& reading) override;
    void setPaceInterval(int milliseconds) override;
    void setStopwatchRunning(bool running) override;
    void focusStopButton() override;
    void announce(const std::string& text, Announcing how) override;
    void rejectCount() override;

  private:
    // A control's designed place at 96 dpi and its font, kept for rescaling.
    struct Placed {
        QWidget* widget;
        QRect designed;
        std::optional<layout::Font> font;
    };
    static QSize designSize();
    void place(QWidget* widget, QRect designed, std::optional<layout::Font> font);
    void applyScale(const Placed& placed) const;
    void watchScreen(QScreen* screen);
    void fitToScreen();
    void attachSkinOrOwnLook();
    void buildControls();
    static QWidget* createControl(const layout::DesignedControl& design, QWidget* parent);
    template <class Widget>
    Widget* child(const layout::Control& control) const {
        return findChild<Widget*>(QString::fromUtf8(control.objectName));
    }
    void setFocusOrder();
    void typeBoxToggled();

    SkinCall skinCall_;
    Announcer* announcer_ = nullptr;
    QLabel* flashLabel_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* stopwatchLabel_ = nullptr;
    std::array<QLabel*, layout::kSheetLabelCount> sheetLabels_{};
    std::array<QFrame*, layout::kSeparatorCount> sheetSeparators_{};
    std::array<QCheckBox*, layout::kTypeBoxCount> typeBoxes_{};
    NumberBox* countBox_ = nullptr;
    NumberBox* intervalBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* sheetButton_ = nullptr;
    QPushButton* answersButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QTimer paceTimer_;
    QTimer stopwatchTimer_;
    Drill* drill_ = nullptr;
    std::vector<Placed> placed_;
    double scale_ = 1.0;
    bool screenWatched_ = false;
    bool frameGuessed_ = false;
    QMetaObject::Connection screenConnection_;
};

}  // namespace zelkor
