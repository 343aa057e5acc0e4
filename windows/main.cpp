// clang-format off
#include <windows.h>  // before the other Windows headers, which build on it
#include <commctrl.h>
// clang-format on

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"
#include "system_calls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // The program loads every system DLL it does not import by its full path, and the
    // skin library by its full path in the program's folder (attachSkin). What others
    // load by name comes from Windows' own folder only where Windows can say so (8, or
    // 7 with KB2533623), and never from the current folder.
    zelkor::win32::restrictDllSearch();
    // Held while the drill runs, for every user's session where Windows lets it be
    // global: the uninstaller (packaging/windows/zelkor.nsi) refuses while it exists,
    // since it cannot remove a running program's file.
    HANDLE running = CreateMutexW(nullptr, FALSE, L"Global\\Zelkor.Drill.Running");
    if (running == nullptr) running = CreateMutexW(nullptr, FALSE, L"Local\\Zelkor.Drill.Running");
    // The visual style of Windows' own controls (Common Controls 6, named in the manifest).
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The drill is made on the window and goes first, after the message loop.
    zelkor::win32::DrillWindow window;
    zelkor::ClockRandomSource random;
    zelkor::Drill drill(window.view(), random);
    window.attach(drill);
    window.quitWhenClosed();
    window.show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.handleDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (running != nullptr) CloseHandle(running);
    return static_cast<int>(message.wParam);
}
