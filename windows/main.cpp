// clang-format off
#include <windows.h>  // before the other Windows headers, which build on it
#include <commctrl.h>
// clang-format on

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"
#include "system_calls.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    // DLLs loaded by name come from Windows' own folder only where Windows can say so
    // (8, or 7 with KB2533623); the skin library is loaded by its full path in the
    // program's folder (attachSkin). A file planted in the current folder is never
    // loaded.
    zelkor::win32::loadDllsFromSystemFolderOnly();
    // The visual style of Windows' own controls (Common Controls 6, named in the manifest).
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    zelkor::win32::DrillWindow window;
    zelkor::ClockRandomSource random;
    zelkor::Drill drill(window, random);
    window.attach(drill);
    window.quitWhenClosed();
    window.show(showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.handleDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
