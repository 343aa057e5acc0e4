#pragma once

#include <QFont>

namespace zelkor {

// Every text of the window is set in "宋体". Linux has no font of that name, so the
// name is mapped to a Song/Ming face of the same style (AR PL UMing); the window keeps
// asking for "宋体".
inline constexpr const char* kSongFamily = "宋体";

// Maps kSongFamily to the installed Song/Ming face. Call once, before any widget.
void installSongSubstitution();

// kSongFamily at the given point size, bold (weight 700) or regular (400).
QFont songFont(double points, bool bold);

}  // namespace zelkor
