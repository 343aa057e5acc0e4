#pragma once

class QApplication;

namespace zelkor {

// The program's name as the desktop knows it: the X11 window class and the desktop
// entry's file name without ".desktop" (also the Wayland app_id).
inline constexpr const char* kApplicationName = "zelkor";
inline constexpr const char* kDesktopFileName = "org.zelkor.Zelkor";

// Makes the C library's character type UTF-8 when the user's locale is not (LANG unset,
// "C", "POSIX"), so that Xlib writes the Chinese title into the legacy WM_NAME as it
// writes it into _NET_WM_NAME. Call first in main, before the QApplication exists.
void useUtf8CharacterType();

// What the program sets up on the application before creating its window: its name
// and desktop entry, the Song font mapping and, where installed, Qt's own Chinese
// translation of what Qt itself says (the number boxes' context menu).
void prepareApplication(QApplication& application);

// The look the window gets when no skin library is available: Qt's Fusion style,
// the same on every desktop.
void applyOwnLook();

}  // namespace zelkor
