#include <windows.h>

#include <string>

#include "skin.h"

namespace zelkor {
namespace {

std::wstring fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::optional<std::int32_t> attachSkin(const std::string& library) {
    HMODULE module = LoadLibraryExW(fromUtf8(library).c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
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
