#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "announcer.h"
#include "control_surface.h"
#include "drill.h"
#include "portable_window.h"
#include "precise_timer.h"
#include "skin.h"
#include "system_calls.h"

namespace zelkor::win32 {

// The drill's one window on Windows: the portable window (layout::PortableWindow) over
// plain Win32 controls. This class is its control surface: it makes each control of the
// layout table as its kind's window class, places, captions, shows and reads them by
// index, and gives the portable window the performance counter, precise wake-ups, the
// count message and the announcements (UI Automation notifications or live regions);
// and it keeps what only a Win32 window has: its class, icons and frame, the monitor's
// density and work area, the dialog keys, the designed or high-contrast colours, and
// the skin call before it is first shown. Everything runs on the thread that made it.
class DrillWindow final : public layout::ControlSurface {
  public:
    // notify says announcements as notifications where Windows has them; nullptr for
    // live regions alone, as on Windows 7 to 8.1.
    explicit DrillWindow(SkinCall skinCall = defaultSkinCall(),
                         Announcer::Notify notify = raiseUiaNotification);
    ~DrillWindow() override;
    DrillWindow(const DrillWindow&) = delete;
    DrillWindow& operator=(const DrillWindow&) = delete;

    // What the drill draws on; attach() hands it the controls' events and the timers'
    // ticks from now on (PortableWindow::attach: the drill goes first).
    DrillView& view() { return *portable_; }
    void attach(Drill& drill) { portable_->attach(drill); }
    void show(int showCommand = SW_SHOWNORMAL);
    // Ends the thread's message loop (PostQuitMessage) when the user closes the window.
    void quitWhenClosed() { quitWhenClosed_ = true; }
    // For the message loop: Tab, Shift+Tab and the arrow keys move the focus among the
    // controls, as in a dialog, and Enter presses the focused button. Returns whether
    // message was used so.
    bool handleDialogKey(MSG& message);

    HWND handle() const { return window_; }
    // A control by its design name, nullptr if there is none.
    HWND control(std::string_view designName) const;
    int dpi() const { return dpi_; }
    // What the window shows and how it ticks, read-only: for tests and the bench.
    const layout::PortableWindow& portable() const { return *portable_; }
    const PreciseTimer& wakeTimer(int timer) const { return *timers_[timer]; }
    const Announcer& announcer() const { return *announcer_; }

    // ControlSurface
    ZELKOR_CONTROL_SURFACE_OVERRIDES;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createWindow();
    void fitToMonitor(int dpi, HMONITOR monitor);
    void loadIcons();
    HFONT fontFor(int height, bool bold) const;
    LRESULT colourStatic(HDC dc, HWND control);
    void followColourScheme();
    int indexOf(HWND control) const;

    SkinCall skinCall_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::vector<HWND> controls_;       // by table index; control ID = kFirstControlId + index
    mutable std::map<std::pair<int, bool>, HFONT> fonts_;  // made as first asked for
    HBRUSH lightBlue_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    std::unique_ptr<Announcer> announcer_;
    std::array<std::unique_ptr<PreciseTimer>, 2> timers_;
    std::unique_ptr<layout::PortableWindow> portable_;
    bool quitWhenClosed_ = false;
    bool highContrast_ = false;
    HICON smallIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
};

}  // namespace zelkor::win32
