#include "drill_window.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "accessible_name.h"
#include "contrast.h"
#include "message_box.h"
#include "resource_ids.h"
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
layout::Rgb toRgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
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

// The window's outer size for a client area, with the frame Windows draws at dpi.
SIZE frameSize(int dpi, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    frameForClient(frame, kWindowStyle, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT workAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

// The client area the window may take at dpi on a monitor of that work area (the screen
// less its taskbar): the work area less the frame Windows draws at dpi.
SIZE clientAreaIn(const RECT& workArea, int dpi) {
    const SIZE frame = frameSize(dpi, 0, 0);
    return {workArea.right - workArea.left - frame.cx, workArea.bottom - workArea.top - frame.cy};
}

// The frame's size the window takes at dpi on monitor, fitted as the portable window
// fits it.
SIZE fittedFrame(HMONITOR monitor, int dpi) {
    const SIZE area = clientAreaIn(workAreaOf(monitor), dpi);
    const layout::PixelRect client = layout::PortableWindow::fittedWindow(
        area.cx, area.cy, dpi / static_cast<double>(kDesignDpi));
    return frameSize(dpi, client.width, client.height);
}

const layout::DesignedControl& designOf(int index) {
    return layout::controlTable()[static_cast<std::size_t>(index)];
}

}  // namespace

DrillWindow::DrillWindow(SkinCall skinCall, Announcer::Notify notify)
    : skinCall_(std::move(skinCall)), lightBlue_(CreateSolidBrush(toColorRef(layout::kLightBlue))) {
    createWindow();
    dpi_ = windowDpi(window_);
    controls_.resize(layout::controlTable().size());
    timers_[layout::PortableWindow::kPaceTimer] =
        std::make_unique<PreciseTimer>(window_, kPaceTickMessage);
    timers_[layout::PortableWindow::kStopwatchTimer] =
        std::make_unique<PreciseTimer>(window_, kStopwatchTickMessage);
    announcer_ = std::make_unique<Announcer>(window_, notify);
    // A late stopwatch tick is not made up for: the stopwatch counts the ticks it gets.
    portable_ = std::make_unique<layout::PortableWindow>(*this, MissedTicks::Skip);
    followColourScheme();
    // On a monitor of another density or size than the primary one the window is fitted
    // to it.
    fitToMonitor(dpi_, MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
    // Focus rectangles show from the start, not only once the keyboard has been used.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // The skin call comes before the window is first shown; it returns nothing when
    // there is no skin, and the window keeps Windows' own look.
    skinCall_();
}

DrillWindow::~DrillWindow() {
    // The wake-ups post to the window; end them before it goes.
    portable_.reset();
    for (auto& timer : timers_) timer.reset();
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
    // the monitor the user started it on (where the pointer is), at the size it is
    // fitted to there.
    POINT pointer{};
    GetCursorPos(&pointer);
    const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
    const RECT workArea = workAreaOf(monitor);
    const SIZE size = fittedFrame(monitor, monitorDpi(monitor));
    window_ = CreateWindowExW(0, kWindowClass, toWide(layout::kTitle).c_str(), kWindowStyle,
                              workArea.left, workArea.top, size.cx, size.cy, nullptr, nullptr,
                              instance, this);
}

// Windows stacks each new child below its elder siblings, so the controls, made in the
// focus order and then top down, give the Tab key the focus order and overlapping labels
// the designed stacking.
void DrillWindow::makeControl(int index) {
    const layout::DesignedControl& design = designOf(index);
    const WindowClassStyle kind = classAndStyle(design.kind);
    const DWORD visible = design.visibleAtStart ? WS_VISIBLE : 0;
    const DWORD exStyle = design.kind == ControlKind::NumberBox ? WS_EX_CLIENTEDGE : 0;
    HWND handle =
        CreateWindowExW(exStyle, kind.className, toWide(design.caption).c_str(),
                        WS_CHILD | WS_CLIPSIBLINGS | visible | kind.style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                        GetModuleHandleW(nullptr), nullptr);
    controls_[static_cast<std::size_t>(index)] = handle;
    switch (design.kind) {
        case ControlKind::NumberBox:
            // Digits as typed whatever input method is active: a Chinese one would turn
            // "." into "。" and stop a run at its first problem.
            ImmAssociateContextEx(handle, nullptr, 0);
            SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // no length limit
            break;
        case ControlKind::Frame:
            // Frame captions are black as designed; the visual style would colour them
            // from its theme.
            drawWithoutVisualStyle(handle);
            break;
        default:
            break;
    }
    // The number boxes and separators for good, the empty labels until they show a
    // text of their own.
    if (!design.spokenName.empty()) setAccessibleName(handle, toWide(design.spokenName));
}

layout::ControlSurface::Toolkit DrillWindow::toolkit() const { return {Nesting::InWindow, false}; }

// The face's own line height, which Windows knows.
int DrillWindow::lineHeight(double fontPixels, bool bold) const {
    HDC dc = GetDC(window_);
    const HGDIOBJ previous =
        SelectObject(dc, fontFor(static_cast<int>(std::lround(fontPixels)), bold));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    return metrics.tmHeight;
}

// Every control is a child of the window itself (a group box holds none).
void DrillWindow::placeControl(int index, const layout::PixelRect& place, double fontPixels,
                               bool centredLine) {
    const HWND handle = controls_[static_cast<std::size_t>(index)];
    SetWindowPos(handle, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const layout::DesignedControl& design = designOf(index);
    const HFONT font = fontFor(static_cast<int>(std::lround(fontPixels)), design.font.bold);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (design.kind != ControlKind::Label) return;
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE,
                      centredLine ? style | SS_CENTERIMAGE : style & ~LONG_PTR{SS_CENTERIMAGE});
}

HFONT DrillWindow::fontFor(int height, bool bold) const {
    const auto key = std::make_pair(height, bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT made =
        CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                    GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, toWide(layout::kFontFamily).c_str());
    fonts_.emplace(key, made);
    return made;
}

// The frame for the client area at the window's density, where it stands.
void DrillWindow::setWindowSize(int width, int height) {
    const SIZE size = frameSize(dpi_, width, height);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window at dpi on monitor: its icons, and the layout fitted to the work area, the
// frame sized for it.
void DrillWindow::fitToMonitor(int dpi, HMONITOR monitor) {
    dpi_ = dpi;
    loadIcons();
    const SIZE area = clientAreaIn(workAreaOf(monitor), dpi);
    portable_->fitTo(area.cx, area.cy, dpi / static_cast<double>(kDesignDpi));
    InvalidateRect(window_, nullptr, TRUE);
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
    highContrast_ = flagged || layout::contrastRatio(toRgb(GetSysColor(COLOR_BTNFACE)),
                                                     layout::kBlack) < layout::kReadableContrast;
    for (HWND control : controls_) SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    InvalidateRect(window_, nullptr, TRUE);
}

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
        const int index = indexOf(focused);
        if (index >= 0 && designOf(index).kind == ControlKind::Button) {
            SendMessageW(focused, BM_CLICK, 0, 0);
            return true;
        }
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

int DrillWindow::indexOf(HWND control) const {
    const auto found = std::find(controls_.begin(), controls_.end(), control);
    return found == controls_.end() || control == nullptr
               ? -1
               : static_cast<int>(found - controls_.begin());
}

HWND DrillWindow::control(std::string_view designName) const {
    const int index = layout::controlIndex(designName);
    return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
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
            if (HIWORD(wParam) == BN_CLICKED && portable_)
                portable_->clicked(LOWORD(wParam) - kFirstControlId);
            return 0;
        case kPaceTickMessage:
        case kStopwatchTickMessage: {
            const int timer = message == kPaceTickMessage ? layout::PortableWindow::kPaceTimer
                                                          : layout::PortableWindow::kStopwatchTimer;
            if (timers_[timer] && timers_[timer]->takeWake(wParam) && portable_)
                portable_->timerWoke(timer);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            followColourScheme();
            break;
        case WM_DPICHANGED: {
            // At the place Windows suggests, on the monitor it is moving to.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            fitToMonitor(HIWORD(wParam), MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST));
            return 0;
        }
        case kGetDpiScaledSizeMessage:
            // The size the window ends with at the new density, so that a move between
            // monitors does not bounce.
            *reinterpret_cast<SIZE*>(lParam) = fittedFrame(
                MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), static_cast<int>(wParam));
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
            // The destructor lets the wake-ups go before it destroys the window.
            for (auto& timer : timers_) {
                if (timer) timer->cancel();
            }
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
    const int index = indexOf(control);
    if (index >= 0 && designOf(index).background) {
        // The one background the table gives is the flash labels' light blue.
        SetBkColor(dc, toColorRef(*designOf(index).background));
        return reinterpret_cast<LRESULT>(lightBlue_);
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The text first, then the spoken name, whose change setAccessibleName raises last.
void DrillWindow::setCaption(int index, const std::string& caption, const std::string& spoken) {
    const HWND label = controls_[static_cast<std::size_t>(index)];
    SetWindowTextW(label, toWide(caption).c_str());
    setAccessibleName(label, toWide(spoken));
}

void DrillWindow::setVisible(int index, bool visible) {
    ShowWindow(controls_[static_cast<std::size_t>(index)], visible ? SW_SHOWNA : SW_HIDE);
}

std::string DrillWindow::text(int index) const {
    const HWND box = controls_[static_cast<std::size_t>(index)];
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

bool DrillWindow::isChecked(int index) const {
    return SendMessageW(controls_[static_cast<std::size_t>(index)], BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
}

void DrillWindow::focus(int index) { SetFocus(controls_[static_cast<std::size_t>(index)]); }

void DrillWindow::announce(const std::string& text, Announcing how) {
    announcer_->say(toWide(text), how);
}

void DrillWindow::showMessage(const std::string& title, const std::string& text,
                              const std::string& button) {
    showMessageBox(window_, toWide(title), toWide(text), toWide(button));
}

std::int64_t DrillWindow::nowMicroseconds() const { return PreciseTimer::nowMicroseconds(); }

void DrillWindow::wakeAt(int timer, std::int64_t microseconds) {
    timers_[static_cast<std::size_t>(timer)]->wakeAt(microseconds);
}

void DrillWindow::cancelWake(int timer) { timers_[static_cast<std::size_t>(timer)]->cancel(); }

}  // namespace zelkor::win32
