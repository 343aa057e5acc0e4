#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zelkor {

// The skin library's file name as the loader looks it up.
#ifdef _WIN32
inline constexpr const char* kSkinLibraryName = "SkinH_VB6.dll";
#else
inline constexpr const char* kSkinLibraryName = "libSkinH_VB6.so";
#endif

// Loads the skin library named library, calls its SkinH_Attach() once and returns what
// it returned. Returns nothing when the library or the function cannot be found; the
// caller then gives the window a look of its own. The library stays loaded for the
// life of the program, since a skin may keep hooks into the window.
//
// On Linux library is a file name searched the usual way, or a path. On Windows a bare
// file name is looked up in the program's own folder only, never in the current folder
// or along PATH, so that a DLL planted beside a user's files cannot take the program
// over; a full path loads that file.
std::optional<std::int32_t> attachSkin(const std::string& library = kSkinLibraryName);

// What a window calls once before it is first shown: attachSkin(), or a test's stand-in.
using SkinCall = std::function<std::optional<std::int32_t>()>;
inline SkinCall defaultSkinCall() {
    return [] { return attachSkin(); };
}

}  // namespace zelkor
