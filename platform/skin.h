#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelkor {

// The skin library's file name as the dynamic loader looks it up.
inline constexpr const char* kSkinLibraryName = "libSkinH_VB6.so";

// Loads the skin library named library (a file name searched the usual way, or a
// path), calls its SkinH_Attach() once and returns what it returned. Returns nothing
// when the library or the function cannot be found; the caller then gives the window
// a look of its own. The library stays loaded for the life of the program, since a
// skin may keep hooks into the window.
std::optional<std::int32_t> attachSkin(const std::string& library = kSkinLibraryName);

}  // namespace zelkor
