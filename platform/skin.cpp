#include "skin.h"

#include <dlfcn.h>

namespace zelkor {

std::optional<std::int32_t> attachSkin(const std::string& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return std::nullopt;
    using AttachFunction = std::int32_t (*)();
    auto attach = reinterpret_cast<AttachFunction>(dlsym(handle, "SkinH_Attach"));
    if (attach == nullptr) {
        dlclose(handle);
        return std::nullopt;
    }
    return attach();
}

}  // namespace zelkor
