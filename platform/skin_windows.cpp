#include <windows.h>

#include <string>

#include "skin.h"
#include "wide_text.h"

namespace zelkor {
std::optional<std::int32_t> attachSkin(const std::string& library) {
    HMODULE module =
        LoadLibraryExW(toWide(library).c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
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
