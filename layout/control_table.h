#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pixels.h"
#include "window_layout.h"

namespace zelkor::layout {

// The kinds of control the window is made of; each front end maps a kind to one widget.
enum class ControlKind {
    Frame,      // a captioned group box holding other controls
    Label,      // caption text, centred horizontally
    NumberBox,  // a single-line text box whose text the drill reads as a number
    Button,     // a push button
    TypeBox,    // a check box choosing a problem type
    Separator,  // a straight vertical line of kSeparatorWidthPixels
};

// What a click on a control does: a button's handler of the drill, or, for a type box,
// the drill told which types are ticked now.
enum class Action { None, Start, Sheet, Answers, Stop, TickType };

// One control of the window as designed, with everything a front end needs to make it.
// Places are in pixels at 96 dpi (15 twips a pixel, edges rounded); the portable window
// scales them by the density and fit factor.
struct DesignedControl {
    std::string name;  // the design name (Form1's Command1, Label6(3), ...)
    ControlKind kind;
    std::string frame;    // the design name of the frame it stands in; empty for a frame
    PixelRect inFrame;    // from its frame's top-left corner; a frame's from the client area's
    PixelRect inWindow;   // from the client area's top-left corner
    std::string caption;  // UTF-8; a text box's initial text; empty for a separator
    Font font;
    std::optional<Rgb> textColour;  // none: the platform's default for its kind
    std::optional<Rgb> background;  // none: the platform's default for its kind
    bool visibleAtStart;
    // Where it stacks: a control of a higher layer is drawn over one of a lower layer
    // that it overlaps; controls of one layer never overlap. Frames lie at the bottom
    // (kFrameLayer); labels and separators above them (kLabelLayer); on top (kUpperLayer)
    // the controls that take input, over the unit labels they touch, and the flash and
    // progress labels, over the sheet and its separators.
    int layer;
    // What a screen reader calls the control where it has no text of its own: a label
    // while its caption is empty, a number box and a separator always. Empty where the
    // control's caption is its name.
    std::string spokenName;
    Action action = Action::None;
};

inline constexpr int kFrameLayer = 0;
inline constexpr int kLabelLayer = 1;
inline constexpr int kUpperLayer = 2;

// Every control of the window in the design's reading order: the four frames, then the
// controls of each frame as the design lists them (the sheet labels in their order 1 to
// 20). A screen reader that walks the window meets them in this order.
const std::vector<DesignedControl>& controlTable();

// The table in the order a toolkit that nests its controls InWindow makes them, since
// it stacks each new one below those before it and walks the Tab key in that order: the
// controls that take the focus in the focus order (kFocusOrder), then the rest by layer
// from the top, in reading order within a layer.
std::vector<const DesignedControl*> focusThenTopDownOrder();

// The kind's name as the page and the layout dump spell it: "frame", "label",
// "numberBox", "button", "typeBox", "separator".
const char* kindName(ControlKind kind);

// The index in controlTable() of the control of that design name, or -1 where there is
// none.
int controlIndex(std::string_view designName);

// What a screen reader calls sheet label index (0..19) while it is empty: "第k题".
std::string sheetLabelSpokenName(int index);

}  // namespace zelkor::layout
