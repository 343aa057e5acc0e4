#include "system_calls.h"

#include <oleauto.h>

namespace zelkor::win32 {
namespace {

constexpr int kDefaultDpi = 96;

// A function of a DLL in Windows' own folder, or nullptr where this Windows lacks it.
template <class Function>
Function lookUp(const wchar_t* library, const char* name) {
    HMODULE module = loadSystemLibrary(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
using TimePeriodFunction = UINT(WINAPI*)(UINT);
// The element provider is an IRawElementProviderSimple; only its IUnknown is used here.
using UiaHostProviderFromHwndFunction = HRESULT(WINAPI*)(HWND, IUnknown**);
using UiaRaiseNotificationEventFunction = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
using UiaClientsAreListeningFunction = BOOL(WINAPI*)();
// NotificationKind_Other, and NotificationProcessing_All and _ImportantMostRecent, as
// Microsoft documents them; MinGW's headers lack them.
constexpr int kNotificationKindOther = 4;
constexpr int kProcessAll = 2;
constexpr int kProcessImportantMostRecent = 1;
constexpr const wchar_t* kNotificationActivity = L"Zelkor.Drill";
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

int systemDpi() {
    static const auto getDpiForSystem =
        lookUp<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem != nullptr) return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int monitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        lookUp<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0) {
        return static_cast<int>(x);
    }
    return systemDpi();
}

int windowDpi(HWND window) {
    static const auto getDpiForWindow =
        lookUp<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr) return static_cast<int>(getDpiForWindow(window));
    return monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void frameForClient(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        lookUp<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
}

int systemMetricAtDpi(int index, int dpi) {
    static const auto forDpi =
        lookUp<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

void scaleNonClientArea(HWND window) {
    static const auto enable =
        lookUp<EnableNonClientDpiScalingFunction>(L"user32.dll", "EnableNonClientDpiScaling");
    // Under per-monitor version 2 Windows scales the title bar by itself and refuses
    // the call, harmlessly.
    if (enable != nullptr) enable(window);
}

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

HMODULE loadSystemLibrary(const wchar_t* library) {
    const std::wstring folder = systemFolder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + L"\\" + library;
    // Loaded by its full path, the library's own imports are looked for in its folder
    // first, as Windows' own are.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

DllSearch restrictDllSearch(DllSearchCalls calls) {
    if (calls == DllSearchCalls::AsWindowsHas) {
        const auto setDefault =
            lookUp<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories");
        if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE)
            return DllSearch::SystemFolderOnly;
    }
    // Windows 7 without KB2533623: the program's folder still comes first, but an empty
    // DLL directory takes the current folder out.
    return SetDllDirectoryW(L"") != FALSE ? DllSearch::WithoutCurrentFolder : DllSearch::Unchanged;
}

void drawWithoutVisualStyle(HWND control) {
    static const auto setWindowTheme =
        lookUp<SetWindowThemeFunction>(L"uxtheme.dll", "SetWindowTheme");
    if (setWindowTheme != nullptr) setWindowTheme(control, L"", L"");
}

void requestTimerResolution(bool oneMillisecond) {
    static const auto begin = lookUp<TimePeriodFunction>(L"winmm.dll", "timeBeginPeriod");
    static const auto end = lookUp<TimePeriodFunction>(L"winmm.dll", "timeEndPeriod");
    if (begin == nullptr || end == nullptr) return;
    if (oneMillisecond) {
        begin(1);
    } else {
        end(1);
    }
}

bool raiseUiaNotification(HWND source, const std::wstring& text, bool dropsTheRest) {
    static const auto raise = lookUp<UiaRaiseNotificationEventFunction>(
        L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
    static const auto hostProvider =
        lookUp<UiaHostProviderFromHwndFunction>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static const auto listening =
        lookUp<UiaClientsAreListeningFunction>(L"uiautomationcore.dll", "UiaClientsAreListening");
    if (raise == nullptr || hostProvider == nullptr) return false;
    if (listening != nullptr && !listening()) return true;  // nobody to tell
    IUnknown* provider = nullptr;
    if (FAILED(hostProvider(source, &provider)) || provider == nullptr) return false;
    BSTR said = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    BSTR activity = SysAllocString(kNotificationActivity);
    // Notifications of one activity that are processed "important, most recent" drop
    // those of the activity still queued; "all" queues each behind the others.
    const HRESULT result =
        said != nullptr && activity != nullptr
            ? raise(provider, kNotificationKindOther,
                    dropsTheRest ? kProcessImportantMostRecent : kProcessAll, said, activity)
            : E_OUTOFMEMORY;
    SysFreeString(activity);
    SysFreeString(said);
    provider->Release();
    return SUCCEEDED(result);
}

}  // namespace zelkor::win32
