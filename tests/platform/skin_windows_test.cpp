#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "skin.h"

namespace zelkor {
namespace {

namespace fs = std::filesystem;

int attachCallsOf(HMODULE skin) {
    auto calls = reinterpret_cast<int (*)()>(
        reinterpret_cast<void*>(GetProcAddress(skin, "testSkinAttachCalls")));
    return calls == nullptr ? -1 : calls();
}

fs::path programFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

// The stand-in skin library lies beside this test program under the skin's own name,
// as it would beside the installed program.
TEST(Skin, LoadsTheSkinFromTheProgramsFolderAndCallsAttachOnce) {
    ASSERT_TRUE(fs::exists(programFolder() / kSkinLibraryName));
    EXPECT_EQ(GetModuleHandleW(L"SkinH_VB6.dll"), nullptr) << "loaded before the call";
    const auto result = attachSkin();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 42);
    EXPECT_EQ(attachCallsOf(GetModuleHandleW(L"SkinH_VB6.dll")), 1);
}

// A library of the asked-for name planted in the current folder, or in a folder on
// PATH, is never loaded: the program's own folder is the only place searched.
TEST(Skin, IgnoresALibraryPlantedInTheCurrentFolderOrOnPath) {
    const fs::path planted = fs::temp_directory_path() / "zelkor-planted-skin";
    fs::create_directories(planted);
    fs::copy_file(programFolder() / kSkinLibraryName, planted / "PlantedSkin.dll",
                  fs::copy_options::overwrite_existing);
    const fs::path before = fs::current_path();
    fs::current_path(planted);
    const std::wstring path = planted.wstring() + L";" + _wgetenv(L"PATH");
    SetEnvironmentVariableW(L"PATH", path.c_str());

    EXPECT_FALSE(attachSkin("PlantedSkin.dll").has_value());
    EXPECT_EQ(GetModuleHandleW(L"PlantedSkin.dll"), nullptr);
    // The same file by its full path does load: the search, not the file, refused it.
    EXPECT_TRUE(attachSkin((planted / "PlantedSkin.dll").string()).has_value());

    fs::current_path(before);
}

TEST(Skin, MissingLibraryOrFunctionIsReportedAsNoSkin) {
    EXPECT_FALSE(attachSkin("NoSuchSkinLibrary.dll").has_value());
    // A library that loads but has no SkinH_Attach.
    EXPECT_FALSE(attachSkin("C:\\windows\\system32\\version.dll").has_value());
}

}  // namespace
}  // namespace zelkor
