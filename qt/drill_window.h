#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "announcer.h"
#include "control_surface.h"
#include "drill.h"
#include "portable_window.h"
#include "skin.h"

namespace zelkor {

// The drill's one window on Linux: the portable window (layout::PortableWindow) over
// plain Qt widgets. This class is its control surface: it makes each control of the
// layout table as the kind's widget, places, captions, shows and reads them by index,
// and gives the portable window Qt's clock, timers, message box and screen-reader
// notifications; and it keeps what only a Qt window has: its icon, title bar and light
// palette, the skin call before it is first shown, and the fit to the screen it is on.
class DrillWindow final : public QWidget, public layout::ControlSurface {
  public:
    explicit DrillWindow(SkinCall skinCall = defaultSkinCall(), QWidget* parent = nullptr);

    // What the drill draws on; attach() hands it the controls' events and the timers'
    // ticks from now on (PortableWindow::attach: the drill goes first).
    DrillView& view() { return *portable_; }
    void attach(Drill& drill) { portable_->attach(drill); }

    // What the window shows and how it ticks, read-only: for tests and the bench.
    const layout::PortableWindow& portable() const { return *portable_; }

    ZELKOR_CONTROL_SURFACE_OVERRIDES;
    void setFocusOrder(const std::vector<int>& indices) override;

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    QWidget* createControl(int index);
    void watchScreen(QScreen* screen);
    void fitToScreen();

    SkinCall skinCall_;
    Announcer* announcer_ = nullptr;
    std::vector<QWidget*> controls_;  // by table index
    std::array<QTimer, 2> wakeTimers_;
    QElapsedTimer clock_;
    // Gone first: its destructor cancels the wake-ups, on the timers above.
    std::unique_ptr<layout::PortableWindow> portable_;
    bool screenWatched_ = false;
    bool frameGuessed_ = false;
    QMetaObject::Connection screenConnection_;
};

}  // namespace zelkor
