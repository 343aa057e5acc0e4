#pragma once

// Resource IDs of the program, shared by the resource script and the code.
#define ZELKOR_PROGRAM_ICON 1

#ifdef __cplusplus
namespace zelkor::win32 {
inline constexpr int kProgramIconId = ZELKOR_PROGRAM_ICON;
}
#endif
