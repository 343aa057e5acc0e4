#pragma once

#include <windows.h>

namespace zelkor::win32 {

// The calls of newer Windows the window uses, looked up when first needed so that the
// program starts on Windows 7 SP1, each with the fallback older Windows takes:
//
//   GetDpiForWindow, GetDpiForSystem, AdjustWindowRectExForDpi,
//   GetSystemMetricsForDpi, EnableNonClientDpiScaling    Windows 10 1607 (user32)
//   GetDpiForMonitor                     Windows 8.1 (shcore)
//   SetDefaultDllDirectories            Windows 8, or 7 with KB2533623 (kernel32)

// The system's density: GetDpiForSystem, or the screen's LOGPIXELSX.
int systemDpi();
// The density of window's monitor: GetDpiForWindow; on 8.1 the monitor's own
// (GetDpiForMonitor); before, the system's.
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
// Restricts the DLLs loaded by name to Windows' own folder, where Windows can; returns
// whether it did.
bool loadDllsFromSystemFolderOnly();

}  // namespace zelkor::win32
