#include "child_controls.h"

#include <algorithm>

namespace zelkor::win32 {
namespace {

using layout::Control;

layout::PixelRect inFrame(const Control& frame, layout::PixelRect place) {
    const layout::PixelRect origin = layout::toPixels(frame.place);
    return {origin.left + place.left, origin.top + place.top, place.width, place.height};
}

ChildControl child(const Control& frame, const Control& control, ControlKind kind,
                   bool visible = true) {
    return {control.objectName, kind,         inFrame(frame, layout::toPixels(control.place)),
            control.caption,    control.font, visible};
}

ChildControl frameControl(const Control& frame) {
    return {frame.objectName, ControlKind::Frame, layout::toPixels(frame.place),
            frame.caption,    frame.font,         true};
}

// Every control, frames first, in the order of the layout table.
std::vector<ChildControl> designOrder() {
    using namespace layout;
    std::vector<ChildControl> all{
        frameControl(kSettingsFrame),
        frameControl(kTypeFrame),
        frameControl(kDisplayFrame),
        frameControl(kStopwatchFrame),
        child(kSettingsFrame, kCountLabel, ControlKind::Label),
        child(kSettingsFrame, kCountBox, ControlKind::NumberBox),
        child(kSettingsFrame, kCountUnitLabel, ControlKind::Label),
        child(kSettingsFrame, kIntervalLabel, ControlKind::Label),
        child(kSettingsFrame, kIntervalBox, ControlKind::NumberBox),
        child(kSettingsFrame, kIntervalUnitLabel, ControlKind::Label),
        child(kSettingsFrame, kStartButton, ControlKind::Button),
        child(kSettingsFrame, kSheetButton, ControlKind::Button),
        child(kSettingsFrame, kAnswersButton, ControlKind::Button),
        child(kStopwatchFrame, kStopwatchLabel, ControlKind::Label),
        child(kStopwatchFrame, kStopButton, ControlKind::Button),
    };
    for (int i = 0; i < layout::kTypeBoxCount; ++i) {
        all.push_back(child(kTypeFrame, typeBox(i), ControlKind::TypeBox));
    }
    all.push_back(child(kDisplayFrame, kFlashLabel, ControlKind::Label));
    all.push_back(child(kDisplayFrame, kProgressLabel, ControlKind::Label));
    for (int i = 0; i < kSheetLabelCount; ++i) {
        all.push_back(child(kDisplayFrame, sheetLabel(i), ControlKind::Label, false));
    }
    for (int i = 0; i < kSeparatorCount; ++i) {
        const LineControl line = sheetSeparator(i);
        all.push_back({line.objectName, ControlKind::Separator,
                       inFrame(kDisplayFrame, toPixels(line, kSeparatorWidthPixels)), "",
                       kRegularFont, false});
    }
    return all;
}

// Where a control stands in the z-order: the focus order first, then by kind.
int stackRank(const ChildControl& control) {
    const auto& order = layout::kFocusOrder;
    const auto stop = std::find(order.begin(), order.end(), control.name);
    if (stop != order.end()) return static_cast<int>(stop - order.begin());
    const int afterFocus = static_cast<int>(order.size());
    if (control.name == layout::kFlashLabel.objectName) return afterFocus;
    if (control.name == layout::kProgressLabel.objectName) return afterFocus + 1;
    switch (control.kind) {
        case ControlKind::Label:
            return control.visibleAtStart ? afterFocus + 4 : afterFocus + 2;
        case ControlKind::Separator:
            return afterFocus + 3;
        case ControlKind::Frame:
            return afterFocus + 5;
        default:
            return afterFocus + 4;
    }
}

}  // namespace

std::vector<ChildControl> childControls() {
    std::vector<ChildControl> all = designOrder();
    std::stable_sort(all.begin(), all.end(), [](const ChildControl& a, const ChildControl& b) {
        return stackRank(a) < stackRank(b);
    });
    return all;
}

}  // namespace zelkor::win32
