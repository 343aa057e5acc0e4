#pragma once

#include <windows.h>

#include <string>

namespace zelkor::win32 {

// The calls of newer Windows the window uses, looked up when first needed so that the
// program starts on Windows 7 SP1, each with the fallback older Windows takes:
//
//   GetDpiForWindow, GetDpiForSystem, AdjustWindowRectExForDpi,
//   GetSystemMetricsForDpi, EnableNonClientDpiScaling    Windows 10 1607 (user32)
//   GetDpiForMonitor                     Windows 8.1 (shcore)
//   SetDefaultDllDirectories            Windows 8, or 7 with KB2533623 (kernel32)
//
// and those of DLLs that are not among Windows' known DLLs (uxtheme, winmm, shcore,
// uiautomationcore), which are loaded by full path from Windows' own folder.
//   UiaRaiseNotificationEvent           Windows 10 1709 (uiautomationcore)

// The system's density: GetDpiForSystem, or the screen's LOGPIXELSX.
int systemDpi();
// A monitor's density: GetDpiForMonitor (8.1), or the system's.
int monitorDpi(HMONITOR monitor);
// The density of window's monitor: GetDpiForWindow, or its monitor's (monitorDpi).
int windowDpi(HWND window);
// The frame's rectangle around a client rectangle at dpi: AdjustWindowRectExForDpi, or
// AdjustWindowRectEx, which frames at the system's density.
void frameForClient(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// A system metric (SM_CXSMICON, ...) at dpi: GetSystemMetricsForDpi, or the metric at
// the system's density scaled to dpi.
int systemMetricAtDpi(int index, int dpi);
// Where only per-monitor awareness version 1 is honoured (10 1607 to 1703), has Windows
// scale window's title bar with its monitor too; nothing elsewhere. Call it while
// handling WM_NCCREATE.
void scaleNonClientArea(HWND window);
// Windows' own folder (System32, which a 32-bit program on 64-bit Windows is shown
// SysWOW64 as), or an empty text where Windows does not say.
std::wstring systemFolder();
// A DLL of Windows' own folder, loaded by its full path, or nullptr. Every system DLL
// the program does not import from Windows' known DLLs comes through here: loaded by
// name, it would be looked for in the program's folder first, where a planted copy
// beside a portable zelkor.exe would win.
HMODULE loadSystemLibrary(const wchar_t* library);

// How DLLs loaded by name are searched for after restrictDllSearch.
enum class DllSearch {
    SystemFolderOnly,      // SetDefaultDllDirectories (8, or 7 with KB2533623)
    WithoutCurrentFolder,  // SetDllDirectoryW(L""): the rest of the default order
    Unchanged,
};
// AsWindowsHas uses what this Windows has; WithoutDefaultDllDirectories takes the way
// of a Windows 7 without KB2533623, for tests on a system that has the call.
enum class DllSearchCalls { AsWindowsHas, WithoutDefaultDllDirectories };
// Restricts the search for DLLs loaded by name as far as this Windows can.
DllSearch restrictDllSearch(DllSearchCalls calls = DllSearchCalls::AsWindowsHas);

// Draws control without the visual style (uxtheme's SetWindowTheme), as classic
// Windows draws it; nothing where uxtheme is missing.
void drawWithoutVisualStyle(HWND control);
// Asks for the system timer at 1 ms (winmm's timeBeginPeriod), or gives that back.
void requestTimerResolution(bool oneMillisecond);

// Says text through UI Automation's notification from source's element, under this
// program's one activity: queued behind the program's earlier notifications, or, where
// dropsTheRest, in place of those still unsaid. Sends nothing where no UI Automation
// client listens. Returns false where this Windows has no notifications (before 10
// 1709) or the notification fails, so that the caller can say it another way.
bool raiseUiaNotification(HWND source, const std::wstring& text, bool dropsTheRest);

}  // namespace zelkor::win32
