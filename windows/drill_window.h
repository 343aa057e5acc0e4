#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "announcer.h"
#include "control_table.h"
#include "drill.h"
#include "precise_timer.h"
#include "system_calls.h"

namespace zelkor::win32 {

// The drill's one window on Windows, built from plain Win32 controls: every control at
// its designed place, scaled to the monitor's density, and the skin call made before
// it is first shown. Like the Qt window it holds no rules of its own: it shows what the
// drill tells it to (DrillView), and attach() hands the controls' events to the drill.
// Everything runs on the thread that made the window.
class DrillWindow final : public DrillView {
  public:
    // Calls the skin library's SkinH_Attach; nothing when there is no skin library.
    using SkinCall = std::function<std::optional<std::int32_t>()>;
    static SkinCall defaultSkinCall();

    // notify says announcements as notifications where Windows has them; nullptr for
    // live regions alone, as on Windows 7 to 8.1.
    explicit DrillWindow(SkinCall skinCall = defaultSkinCall(),
                         Announcer::Notify notify = raiseUiaNotification);
    ~DrillWindow() override;
    DrillWindow(const DrillWindow&) = delete;
    DrillWindow& operator=(const DrillWindow&) = delete;

    // Hands the controls' events and the timers' ticks to drill from now on. Call once;
    // drill must outlive the window.
    void attach(Drill& drill);
    void show(int showCommand = SW_SHOWNORMAL);
    // Ends the thread's message loop (PostQuitMessage) when the user closes the window.
    void quitWhenClosed() { quitWhenClosed_ = true; }
    // For the message loop: Tab, Shift+Tab and the arrow keys move the focus among the
    // controls, as in a dialog, and Enter presses the focused button. Returns whether
    // message was used so.
    bool handleDialogKey(MSG& message);

    HWND handle() const { return window_; }
    // A control by its design name (nullptr if there is none), and its control ID.
    HWND control(std::string_view designName) const;
    int controlId(std::string_view designName) const;
    int dpi() const { return dpi_; }
    // Pixels per 96-dpi pixel: dpi / 96, or less where the window had to shrink to fit
    // its monitor's work area.
    double layoutScale() const { return scale_; }
    // The frame's size the window takes at dpi on its monitor (WM_GETDPISCALEDSIZE's
    // answer).
    SIZE fittedFrameSize(int dpi) const;
    const PreciseTimer& paceTimer() const { return *paceTimer_; }
    const PreciseTimer& stopwatchTimer() const { return *stopwatchTimer_; }
    const Announcer& announcer() const { return *announcer_; }

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
    struct Child {
        const layout::DesignedControl* design;
        HWND handle;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createWindow();
    void createControls();
    void nameControlsForScreenReaders();
    void setFontOf(const Child& child, BOOL redraw);
    void applyDpi(int dpi, const RECT* suggested);
    void loadIcons();
    void fitFrame(const RECT* suggested);

    HFONT fontFor(layout::Font font);
    void onCommand(int id);
    void typeBoxClicked();
    LRESULT colourStatic(HDC dc, HWND control);
    void followColourScheme();
    void setCaption(std::string_view designName, const std::string& caption,
                    const std::string& spoken, const std::wstring& nameWhenEmpty);
    void show(std::string_view designName, bool visible);

    SkinCall skinCall_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    double scale_ = 1.0;
    std::vector<Child> children_;  // control ID = kFirstControlId + index
    std::map<std::pair<double, bool>, HFONT> fonts_;
    HBRUSH lightBlue_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    Announcer::Notify notify_;
    std::unique_ptr<Announcer> announcer_;
    std::unique_ptr<PreciseTimer> paceTimer_;
    std::unique_ptr<PreciseTimer> stopwatchTimer_;
    Drill* drill_ = nullptr;
    bool quitWhenClosed_ = false;
    bool highContrast_ = false;
    HICON smallIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
};

}  // namespace zelkor::win32
