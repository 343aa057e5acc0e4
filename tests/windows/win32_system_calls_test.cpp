// Where the program's system DLLs come from, how the search for DLLs loaded by name is
// narrowed on a Windows 7 without KB2533623, and the name change screen readers are
// told of after a control's spoken name is set.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <string>

#include "accessible_name.h"
#include "system_calls.h"

namespace zelkor::win32 {
namespace {

namespace fs = std::filesystem;

std::wstring lowered(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring moduleFile(HMODULE module) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

// Every DLL the program loads at run time instead of importing it.
TEST(SystemCalls, EachSystemLibraryComesFromWindowsOwnFolder) {
    const std::wstring folder = lowered(systemFolder());
    ASSERT_FALSE(folder.empty());
    for (const wchar_t* library :
         {L"shcore.dll", L"uxtheme.dll", L"winmm.dll", L"uiautomationcore.dll"}) {
        const HMODULE module = loadSystemLibrary(library);
        ASSERT_NE(module, nullptr) << fs::path(library).string();
        EXPECT_EQ(lowered(moduleFile(module)), folder + L"\\" + library);
    }
    EXPECT_EQ(loadSystemLibrary(L"zelkor-no-such-library.dll"), nullptr);
}

// A DLL planted in the current folder (a Downloads folder the pupil unzipped the
// program into, say) is found by name until the search is narrowed the way a Windows 7
// without SetDefaultDllDirectories allows; then it is not.
TEST(SystemCalls, WithoutDefaultDllDirectoriesTheCurrentFolderIsNoLongerSearched) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const fs::path planted = fs::temp_directory_path() / "zelkor-planted-dll";
    fs::create_directories(planted);
    // Two copies: a library once loaded is found again by its name alone.
    for (const char* name : {"zelkor_planted_1.dll", "zelkor_planted_2.dll"}) {
        fs::copy_file(fs::path(program).parent_path() / "planted_source.dll", planted / name,
                      fs::copy_options::overwrite_existing);
    }
    const fs::path before = fs::current_path();
    fs::current_path(planted);

    HMODULE found = LoadLibraryW(L"zelkor_planted_1.dll");
    EXPECT_NE(found, nullptr) << "the test must first see the current folder searched";
    if (found != nullptr) FreeLibrary(found);
    EXPECT_EQ(restrictDllSearch(DllSearchCalls::WithoutDefaultDllDirectories),
              DllSearch::WithoutCurrentFolder);
    found = LoadLibraryW(L"zelkor_planted_2.dll");
    if (underWine()) {
        // Wine's loader puts the current folder back whenever the DLL directory is an
        // empty text (seen on Wine 8 and 10), where Windows takes it out.
        std::printf("Wine searched the current folder despite the empty DLL directory: %s\n",
                    found != nullptr ? "yes" : "no");
    } else {
        EXPECT_EQ(found, nullptr) << "a DLL in the current folder was loaded";
    }
    if (found != nullptr) FreeLibrary(found);
    // A system DLL by name still loads, from Windows' own folder.
    EXPECT_NE(LoadLibraryW(L"version.dll"), nullptr);

    SetDllDirectoryW(nullptr);  // the default search again, for the other tests
    fs::current_path(before);
}

// The name changes each control raised, counted by a hook as a screen reader's.
int nameChanges = 0;
HWND watched = nullptr;

void CALLBACK onNameChange(HWINEVENTHOOK, DWORD event, HWND control, LONG object, LONG, DWORD,
                           DWORD) {
    if (event == EVENT_OBJECT_NAMECHANGE && control == watched && object == OBJID_CLIENT)
        ++nameChanges;
}

void pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

// A screen reader that reads the name when told of a change must find the new words:
// the change is raised after the name is set (and after the text, which callers set
// first), for a name given and for one handed back to the text.
TEST(SystemCalls, TheNameChangeIsRaisedAfterTheSpokenNameIsSet) {
    watched = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(watched, nullptr);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE,
                                         nullptr, onNameChange, GetCurrentProcessId(), 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const wchar_t* name : {L"第1道，9加3等于", L""}) {
        nameChanges = 0;
        setAccessibleName(watched, name);
        pump(50);  // the hook's events come through the message queue
        EXPECT_EQ(nameChanges, 1) << (*name ? "a name given" : "the name handed back");
    }
    UnhookWinEvent(hook);
    DestroyWindow(watched);
    watched = nullptr;
}

}  // namespace
}  // namespace zelkor::win32
