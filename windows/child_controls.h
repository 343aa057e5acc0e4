#pragma once

#include <string_view>
#include <vector>

#include "pixels.h"
#include "window_layout.h"

namespace zelkor::win32 {

// The kinds of Windows control that make up the window.
enum class ControlKind {
    Frame,      // BUTTON, BS_GROUPBOX
    Label,      // STATIC, centred
    NumberBox,  // single-line EDIT
    Button,     // BUTTON, BS_PUSHBUTTON
    TypeBox,    // BUTTON, BS_AUTOCHECKBOX
    Separator,  // STATIC, a black rectangle as wide as the line
};

// One child control of the window, read from the layout table. Win32 has no nesting of
// group boxes: every control is a child of the window, placed in client-area pixels at
// 96 dpi (a frame's place plus the place inside it, each rounded as designed).
struct ChildControl {
    std::string_view name;  // the design name
    ControlKind kind;
    layout::PixelRect place;
    const char* caption;
    layout::Font font;
    bool visibleAtStart;
};

// Every child control, in the order of the window's z-order from the top: the controls
// that take the focus in the designed focus order (the order the Tab key walks), then
// the flash and progress labels above the sheet they may overlap, the sheet, the
// separators, the other labels, and the frames at the bottom behind everything.
std::vector<ChildControl> childControls();

}  // namespace zelkor::win32
