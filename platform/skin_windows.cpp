#include <windows.h>

#include <filesystem>
#include <string>

#include "skin.h"

namespace zelkor {
namespace {

// The library in the program's own folder, by its full path: never from the current
// folder or PATH. LOAD_LIBRARY_SEARCH_APPLICATION_DIR says so where Windows knows the
// flag (8, or 7 with KB2533623); elsewhere the full path says it.
HMODULE loadFromProgramFolder(const std::wstring& library) {
    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    if (library.find_first_of(L"\\/") != std::wstring::npos)  // a full path already
        return LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return nullptr;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return LoadLibraryExW((path + library).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

std::optional<std::int32_t> attachSkin(const std::string& library) {
    HMODULE module = loadFromProgramFolder(
        std::filesystem::path(std::u8string(library.begin(), library.end())).wstring());
    if (module == nullptr) return std::nullopt;
    using AttachFunction = std::int32_t(WINAPI*)();
    auto attach = reinterpret_cast<AttachFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "SkinH_Attach")));
    if (attach == nullptr) {
        FreeLibrary(module);
        return std::nullopt;
    }
    return attach();
}

}  // namespace zelkor
