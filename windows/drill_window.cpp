#include "drill_window.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "accessible_name.h"
#include "announcements.h"
#include "button_actions.h"
#include "count_message.h"
#include "resource_ids.h"
#include "skin.h"
#include "system_calls.h"
#include "wide_text.h"

namespace zelkor::win32 {
namespace {

constexpr const wchar_t* kWindowClass = L"ZelkorDrillWindow";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which Enter and Esc send
constexpr UINT kPaceTickMessage = WM_APP + 1;
constexpr UINT kStopwatchTickMessage = WM_APP + 2;
// Not WS_CLIPCHILDREN: group boxes leave their inside to the window's background.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kDesignDpi = 96;
// WM_GETDPISCALEDSIZE (Windows 10 1703), which older mingw-w64 headers lack.
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

COLORREF toColorRef(layout::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// WCAG's contrast of a colour against black: (L + 0.05) / 0.05, L its relative luminance.
constexpr double kReadableContrast = 4.5;
double contrastWithBlack(COLORREF colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(GetRValue(colour)) +
                             0.7152 * linear(GetGValue(colour)) +
                             0.0722 * linear(GetBValue(colour));
    return (luminance + 0.05) / 0.05;
}

// A font's character height in pixels at 96 dpi, from its size in points.
int designFontPixels(layout::Font font) {
    return static_cast<int>(std::lround(font.points * kDesignDpi / 72.0));
}

struct WindowClassStyle {
    const wchar_t* className;
    DWORD style;
};

using layout::ControlKind;

WindowClassStyle classAndStyle(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case ControlKind::Label:
            return {L"STATIC", SS_CENTER | SS_NOPREFIX};
        case ControlKind::NumberBox:
            return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
        case ControlKind::TypeBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
        case ControlKind::Separator:
            return {L"STATIC", SS_BLACKRECT};
    }
    return {L"STATIC", 0};
}

// What a screen reader calls the control while it shows no text of its own.
std::wstring spokenNameOf(std::string_view designName) {
    return toWide(layout::designedControl(designName).spokenName);
}

using layout::scaleBy;

// The window's outer size for the designed client area at scale, with the frame Windows
// draws at dpi.
SIZE frameSize(int dpi, double scale) {
    const layout::PixelRect client = scaleBy(layout::toPixels(layout::kWindow.place), scale);
    RECT frame{0, 0, client.width, client.height};
    frameForClient(frame, kWindowStyle, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The layout's scale at dpi on a monitor with the given work area (the screen less its
// taskbar): dpi / 96, shrunk where the window would not fit the work area whole.
double scaleFor(int dpi, const RECT& workArea) {
    const double atDpi = dpi / 96.0;
    const layout::PixelRect client = scaleBy(layout::toPixels(layout::kWindow.place), atDpi);
    const SIZE outer = frameSize(dpi, atDpi);
    const int frameWidth = outer.cx - client.width;
    const int frameHeight = outer.cy - client.height;
    return atDpi * layout::fitFactor(client.width, client.height,
                                     workArea.right - workArea.left - frameWidth,
                                     workArea.bottom - workArea.top - frameHeight);
}

RECT workAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

std::string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return toUtf8(text);
}

}  // namespace

DrillWindow::SkinCall DrillWindow::defaultSkinCall() {
    return [] { return attachSkin(); };
}

DrillWindow::DrillWindow(SkinCall skinCall, Announcer::Notify notify)
    : skinCall_(std::move(skinCall)),
      lightBlue_(CreateSolidBrush(toColorRef(layout::kLightBlue))),
      notify_(notify) {
    createWindow();
    dpi_ = windowDpi(window_);
    loadIcons();
    // On a monitor of another density or size than the primary one the frame is
    // resized to it.
    const double scale =
        scaleFor(dpi_, workAreaOf(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST)));
    if (scale != scale_) {
        scale_ = scale;
        fitFrame(nullptr);
    }
    paceTimer_ = std::make_unique<PreciseTimer>(window_, kPaceTickMessage);
    stopwatchTimer_ = std::make_unique<PreciseTimer>(window_, kStopwatchTickMessage);
    createControls();
    setStopwatchReading(kStopwatchZero);  // and its name, said as a time
    announcer_ = std::make_unique<Announcer>(window_, notify_);
    // Focus rectangles show from the start, not only once the keyboard has been used.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(control(layout::kFocusOrder.front()));
    // The skin call comes before the window is first shown; it returns nothing when
    // there is no skin, and the window keeps Windows' own look.
    skinCall_();
}

DrillWindow::~DrillWindow() {
    // The timers post to the window; stop them before it goes.
    paceTimer_.reset();
    stopwatchTimer_.reset();
    if (window_ != nullptr) DestroyWindow(window_);
    for (auto& [key, font] : fonts_) DeleteObject(font);
    DeleteObject(lightBlue_);
    if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
    if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
}

void DrillWindow::createWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DrillWindow::windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The colour index plus one: the current button face at every erase, whatever the
    // theme has become since the class was registered.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    // At the system's density; loadIcons gives the window its own at its monitor's.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&windowClass);  // fails harmlessly when a second window registers again

    // The designed place: the window's frame at the top-left corner of the work area, of
    // the monitor the user started it on (where the pointer is). Made at its size for
    // the system's density, which is its monitor's on most machines.
    POINT pointer{};
    GetCursorPos(&pointer);
    const RECT workArea = workAreaOf(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY));
    const int dpi = systemDpi();
    scale_ = scaleFor(dpi, workArea);
    const SIZE size = frameSize(dpi, scale_);
    window_ = CreateWindowExW(0, kWindowClass, toWide(layout::kTitle).c_str(), kWindowStyle,
                              workArea.left, workArea.top, size.cx, size.cy, nullptr, nullptr,
                              instance, this);
}

void DrillWindow::createControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // Windows stacks each new child below its elder siblings, so creating the controls
    // in this order gives the Tab key the focus order, and labels that may overlap the
    // designed stacking. Every one is made at its place, in its font.
    for (const layout::DesignedControl* design : layout::focusThenTopDownOrder()) {
        const WindowClassStyle kind = classAndStyle(design->kind);
        const DWORD visible = design->visibleAtStart ? WS_VISIBLE : 0;
        const DWORD exStyle = design->kind == ControlKind::NumberBox ? WS_EX_CLIENTEDGE : 0;
        const int id = kFirstControlId + static_cast<int>(children_.size());
        const layout::PixelRect place = scaleBy(design->inWindow, scale_);
        HWND handle =
            CreateWindowExW(exStyle, kind.className, toWide(design->caption).c_str(),
                            WS_CHILD | WS_CLIPSIBLINGS | visible | kind.style, place.left,
                            place.top, place.width, place.height, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        children_.push_back({design, handle});
        setFontOf(children_.back(), FALSE);
    }
    for (const Child& child : children_) {
        switch (child.design->kind) {
            case ControlKind::NumberBox:
                // Digits as typed whatever input method is active: a Chinese one would
                // turn "." into "。" and stop a run at its first problem.
                ImmAssociateContextEx(child.handle, nullptr, 0);
                SendMessageW(child.handle, EM_SETLIMITTEXT, 0, 0);  // no length limit
                break;
            case ControlKind::Frame:
                // Frame captions are black as designed; the visual style would colour
                // them from its theme.
                drawWithoutVisualStyle(child.handle);
                break;
            default:
                break;
        }
    }
    nameControlsForScreenReaders();
    followColourScheme();
}

// Every control the table names for screen readers: the number boxes and separators
// for good, the empty labels until they show a text of their own (setCaption).
// Whether the theme's own colours must draw the texts, read afresh whenever the colours
// or settings change: a high-contrast theme is on, or the designed black would not read
// on the system's button face (a dark colour set without the flag). The controls are
// then drawn again, and told of the change, which Windows tells top-level windows only.
void DrillWindow::followColourScheme() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    const bool flagged =
        SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    highContrast_ = flagged || contrastWithBlack(GetSysColor(COLOR_BTNFACE)) < kReadableContrast;
    for (const Child& child : children_) SendMessageW(child.handle, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

void DrillWindow::nameControlsForScreenReaders() {
    for (const Child& child : children_) {
        if (!child.design->spokenName.empty())
            setAccessibleName(child.handle, toWide(child.design->spokenName));
    }
}

HFONT DrillWindow::fontFor(layout::Font font) {
    const auto key = std::make_pair(font.points, font.bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    const int height = layout::scaleBy(designFontPixels(font), scale_);
    HFONT made =
        CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                    GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, toWide(layout::kFontFamily).c_str());
    fonts_.emplace(key, made);
    return made;
}

// The control's font at the window's density; a label whose line is taller than the
// label itself (the stopwatch: 36 pt in 41 pixels) is centred in it so that the glyphs'
// feet stay inside, as the other labels draw from the top.
void DrillWindow::setFontOf(const Child& child, BOOL redraw) {
    const HFONT font = fontFor(child.design->font);
    SendMessageW(child.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (child.design->kind != ControlKind::Label) return;
    HDC dc = GetDC(child.handle);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(child.handle, dc);
    const LONG_PTR style = GetWindowLongPtrW(child.handle, GWL_STYLE);
    const bool tall = layout::centresLineVertically(metrics.tmHeight,
                                                    scaleBy(child.design->inWindow, scale_).height);
    SetWindowLongPtrW(child.handle, GWL_STYLE,
                      tall ? style | SS_CENTERIMAGE : style & ~LONG_PTR{SS_CENTERIMAGE});
}

// The window's icons at its density: the title bar's small one and the task switcher's
// large one, each drawn from the icon's own image of that size.
void DrillWindow::loadIcons() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (auto& [which, metric, icon] : {std::tuple{ICON_SMALL, SM_CXSMICON, &smallIcon_},
                                        std::tuple{ICON_BIG, SM_CXICON, &bigIcon_}}) {
        const int size = systemMetricAtDpi(metric, dpi_);
        const HICON loaded = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0));
        if (loaded == nullptr) continue;
        SendMessageW(window_, WM_SETICON, static_cast<WPARAM>(which),
                     reinterpret_cast<LPARAM>(loaded));
        if (*icon != nullptr) DestroyIcon(*icon);
        *icon = loaded;
    }
}

// The frame's size at dpi, fitted as applyDpi will fit it, so that Windows places the
// window at the size it ends with (a move between monitors does not bounce).
SIZE DrillWindow::fittedFrameSize(int dpi) const {
    return frameSize(
        dpi, scaleFor(dpi, workAreaOf(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST))));
}

void DrillWindow::applyDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    loadIcons();
    const HMONITOR monitor = suggested != nullptr
                                 ? MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST)
                                 : MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST);
    scale_ = scaleFor(dpi, workAreaOf(monitor));
    std::map<std::pair<double, bool>, HFONT> oldFonts;
    oldFonts.swap(fonts_);
    for (const Child& child : children_) {
        const layout::PixelRect place = scaleBy(child.design->inWindow, scale_);
        SetWindowPos(child.handle, nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        setFontOf(child, TRUE);
    }
    for (auto& [key, font] : oldFonts) DeleteObject(font);
    fitFrame(suggested);
    InvalidateRect(window_, nullptr, TRUE);
}

// Sizes the frame for the client area at the layout's scale, at the suggested top-left
// corner if there is one.
void DrillWindow::fitFrame(const RECT* suggested) {
    RECT now{};
    GetWindowRect(window_, &now);
    const POINT topLeft =
        suggested != nullptr ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
    const SIZE size = frameSize(dpi_, scale_);
    SetWindowPos(window_, nullptr, topLeft.x, topLeft.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrillWindow::attach(Drill& drill) { drill_ = &drill; }

void DrillWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

bool DrillWindow::handleDialogKey(MSG& message) {
    // Enter and keypad Enter press the push button that has the focus. The dialog
    // manager would instead send the window IDOK, which no control has: so Enter on a
    // box, and Escape (IDCANCEL), press nothing.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        const HWND focused = GetFocus();
        for (const Child& child : children_) {
            if (child.handle == focused && child.design->kind == ControlKind::Button) {
                SendMessageW(focused, BM_CLICK, 0, 0);
                return true;
            }
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

HWND DrillWindow::control(std::string_view designName) const {
    for (const Child& child : children_) {
        if (child.design->name == designName) return child.handle;
    }
    return nullptr;
}

int DrillWindow::controlId(std::string_view designName) const {
    const HWND handle = control(designName);
    return handle == nullptr ? 0 : GetDlgCtrlID(handle);
}

LRESULT CALLBACK DrillWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<DrillWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        scaleNonClientArea(window);
    }
    auto* self = reinterpret_cast<DrillWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(window, message, wParam, lParam);
}

// Messages the window leaves to Windows go to the handle they came with: the one the
// window keeps is cleared by WM_NCDESTROY.
LRESULT DrillWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) onCommand(LOWORD(wParam));
            return 0;
        case kPaceTickMessage:
            if (paceTimer_ && paceTimer_->takeTick(wParam) && drill_ != nullptr)
                drill_->onPaceTick();
            return 0;
        case kStopwatchTickMessage:
            if (stopwatchTimer_ && stopwatchTimer_->takeTick(wParam) && drill_ != nullptr) {
                drill_->onStopwatchTick();
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            followColourScheme();
            break;
        case WM_DPICHANGED:
            applyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kGetDpiScaledSizeMessage:
            *reinterpret_cast<SIZE*>(lParam) = fittedFrameSize(static_cast<int>(wParam));
            return TRUE;
        case WM_ACTIVATE:
            // Windows gives the focus to the window itself on activation; give it back
            // to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                focusBeforeDeactivation_ = GetFocus();
            } else if (focusBeforeDeactivation_ != nullptr) {
                SetFocus(focusBeforeDeactivation_);
                return 0;
            }
            break;
        case WM_DESTROY:
            // The destructor lets the timers go before it destroys the window.
            if (paceTimer_) paceTimer_->stop();
            if (stopwatchTimer_) stopwatchTimer_->stop();
            if (quitWhenClosed_) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void DrillWindow::onCommand(int id) {
    const int index = id - kFirstControlId;
    if (drill_ == nullptr || index < 0 || index >= static_cast<int>(children_.size())) return;
    const Child& child = children_[static_cast<std::size_t>(index)];
    if (child.design->kind == ControlKind::TypeBox) {
        typeBoxClicked();
    } else {
        layout::pressDesignedButton(*drill_, child.design->name);
    }
}

void DrillWindow::typeBoxClicked() {
    TypeTicks ticked{};
    for (int type = 0; type < kProblemTypeCount; ++type) {
        ticked[type] = SendMessageW(control(layout::typeBox(type).objectName), BM_GETCHECK, 0, 0) ==
                       BST_CHECKED;
    }
    drill_->onTypeBoxesChanged(ticked);
}

// The designed colours, but in a high-contrast theme the theme's own pair for every
// text, the light-blue labels' too: the designed black would vanish on High Contrast
// Black's black button face.
LRESULT DrillWindow::colourStatic(HDC dc, HWND control) {
    if (highContrast_) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetTextColor(dc, toColorRef(layout::kBlack));
    for (const Child& child : children_) {
        if (child.handle != control || !child.design->background) continue;
        // The one background the table gives is the flash labels' light blue.
        SetBkColor(dc, toColorRef(*child.design->background));
        return reinterpret_cast<LRESULT>(lightBlue_);
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// A label with text is read aloud as spoken (its operators as words); an empty one gets
// a name that says what it is.
void DrillWindow::setCaption(std::string_view designName, const std::string& caption,
                             const std::string& spoken, const std::wstring& nameWhenEmpty) {
    const HWND label = control(designName);
    SetWindowTextW(label, toWide(caption).c_str());
    setAccessibleName(label, caption.empty() ? nameWhenEmpty : toWide(spoken));
}

void DrillWindow::show(std::string_view designName, bool visible) {
    ShowWindow(control(designName), visible ? SW_SHOWNA : SW_HIDE);
}

std::string DrillWindow::countText() const { return textOf(control(layout::kCountBox.objectName)); }

std::string DrillWindow::intervalText() const {
    return textOf(control(layout::kIntervalBox.objectName));
}

void DrillWindow::setProgressVisible(bool visible) {
    show(layout::kProgressLabel.objectName, visible);
}

void DrillWindow::setProgressCaption(const std::string& caption) {
    setCaption(layout::kProgressLabel.objectName, caption, caption,
               spokenNameOf(layout::kProgressLabel.objectName));
}

void DrillWindow::setFlashVisible(bool visible) { show(layout::kFlashLabel.objectName, visible); }

void DrillWindow::setFlashCaption(const std::string& caption) {
    setCaption(layout::kFlashLabel.objectName, caption, spokenLine(caption),
               spokenNameOf(layout::kFlashLabel.objectName));
}

void DrillWindow::setSeparatorsVisible(bool visible) {
    for (int i = 0; i < layout::kSeparatorCount; ++i)
        show(layout::sheetSeparator(i).objectName, visible);
}

void DrillWindow::showSheet(const std::vector<std::string>& lines) {
    hideSheet();
    const std::size_t shown = std::min<std::size_t>(lines.size(), layout::kSheetLabelCount);
    for (std::size_t i = 0; i < shown; ++i) {
        const int index = static_cast<int>(i);
        setCaption(layout::sheetLabel(index).objectName, lines[i],
                   problemAnnouncement(index + 1, lines[i]),
                   toWide(layout::sheetLabelSpokenName(index)));
        show(layout::sheetLabel(index).objectName, true);
    }
}

void DrillWindow::hideSheet() {
    for (int i = 0; i < layout::kSheetLabelCount; ++i)
        show(layout::sheetLabel(i).objectName, false);
}

void DrillWindow::setStopwatchReading(const std::string& reading) {
    const HWND display = control(layout::kStopwatchLabel.objectName);
    SetWindowTextW(display, toWide(reading).c_str());
    setAccessibleName(display, toWide(spokenReading(reading)));
}

void DrillWindow::setPaceInterval(int milliseconds) {
    if (milliseconds > 0) {
        paceTimer_->start(milliseconds);
    } else {
        paceTimer_->stop();
    }
}

void DrillWindow::setStopwatchRunning(bool running) {
    if (running) {
        stopwatchTimer_->start(kStopwatchTickMs);
    } else {
        stopwatchTimer_->stop();
    }
}

void DrillWindow::focusStopButton() { SetFocus(control(layout::kStopButton.objectName)); }

void DrillWindow::announce(const std::string& text, Announcing how) {
    announcer_->say(toWide(text), how);
}

void DrillWindow::rejectCount() { showCountRejected(window_); }

}  // namespace zelkor::win32
