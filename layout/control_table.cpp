#include "control_table.h"

#include <algorithm>

namespace zelkor::layout {
namespace {

const std::string kProgressSpokenName = "出题进度";
const std::string kFlashSpokenName = "当前题目";

std::string separatorSpokenName(int i) {
    return "第" + std::to_string(i + 1) + "列与第" + std::to_string(i + 2) + "列之间的分隔线";
}

PixelRect inside(const Control& frame, PixelRect place) {
    const PixelRect origin = toPixels(frame.place);
    return {origin.left + place.left, origin.top + place.top, place.width, place.height};
}

DesignedControl frameOf(const Control& frame, std::optional<Rgb> captionColour) {
    const PixelRect place = toPixels(frame.place);
    return {frame.objectName, ControlKind::Frame, "", place, place,       frame.caption,
            frame.font,       captionColour,      {}, true,  kFrameLayer, ""};
}

DesignedControl in(const Control& frame, const Control& control, ControlKind kind) {
    const PixelRect place = toPixels(control.place);
    const bool takesInput = kind == ControlKind::NumberBox || kind == ControlKind::Button ||
                            kind == ControlKind::TypeBox;
    return {control.objectName,
            kind,
            frame.objectName,
            place,
            inside(frame, place),
            control.caption,
            control.font,
            {},
            {},
            true,
            takesInput ? kUpperLayer : kLabelLayer,
            ""};
}

DesignedControl button(const Control& frame, const Control& control, Action action) {
    DesignedControl pressed = in(frame, control, ControlKind::Button);
    pressed.action = action;
    return pressed;
}

DesignedControl label(const Control& frame, const Control& control) {
    return in(frame, control, ControlKind::Label);
}

DesignedControl numberBox(const Control& frame, const Control& control, const Control& named) {
    DesignedControl box = in(frame, control, ControlKind::NumberBox);
    box.spokenName = named.caption;
    return box;
}

DesignedControl flashLabel(const Control& control, const std::string& spokenName) {
    DesignedControl flash = label(kDisplayFrame, control);
    flash.background = kLightBlue;
    flash.layer = kUpperLayer;
    flash.spokenName = spokenName;
    return flash;
}

DesignedControl sheetLabelOf(int i) {
    DesignedControl sheet = label(kDisplayFrame, sheetLabel(i));
    sheet.textColour = kBlack;
    sheet.visibleAtStart = false;
    sheet.spokenName = sheetLabelSpokenName(i);
    return sheet;
}

DesignedControl separatorOf(int i) {
    const LineControl line = sheetSeparator(i);
    const PixelRect place = toPixels(line, kSeparatorWidthPixels);
    DesignedControl separator{line.objectName,
                              ControlKind::Separator,
                              kDisplayFrame.objectName,
                              place,
                              inside(kDisplayFrame, place),
                              "",
                              kRegularFont,
                              {},
                              {},
                              false,
                              kLabelLayer,
                              separatorSpokenName(i)};
    return separator;
}

std::vector<DesignedControl> readingOrder() {
    DesignedControl stopwatch = label(kStopwatchFrame, kStopwatchLabel);
    stopwatch.textColour = kBlack;
    std::vector<DesignedControl> all{
        frameOf(kSettingsFrame, kBlack),
        frameOf(kTypeFrame, std::nullopt),
        frameOf(kDisplayFrame, kBlack),
        frameOf(kStopwatchFrame, std::nullopt),
        label(kSettingsFrame, kCountLabel),
        numberBox(kSettingsFrame, kCountBox, kCountLabel),
        label(kSettingsFrame, kCountUnitLabel),
        label(kSettingsFrame, kIntervalLabel),
        numberBox(kSettingsFrame, kIntervalBox, kIntervalLabel),
        label(kSettingsFrame, kIntervalUnitLabel),
        button(kSettingsFrame, kStartButton, Action::Start),
        button(kSettingsFrame, kSheetButton, Action::Sheet),
        button(kSettingsFrame, kAnswersButton, Action::Answers),
    };
    for (int i = 0; i < kTypeBoxCount; ++i) {
        all.push_back(in(kTypeFrame, typeBox(i), ControlKind::TypeBox));
        all.back().action = Action::TickType;
    }
    all.push_back(flashLabel(kProgressLabel, kProgressSpokenName));
    all.push_back(flashLabel(kFlashLabel, kFlashSpokenName));
    for (int i = 0; i < kSheetLabelCount; ++i) all.push_back(sheetLabelOf(i));
    for (int i = 0; i < kSeparatorCount; ++i) all.push_back(separatorOf(i));
    all.push_back(stopwatch);
    all.push_back(button(kStopwatchFrame, kStopButton, Action::Stop));
    return all;
}

std::vector<const DesignedControl*> pointers() {
    std::vector<const DesignedControl*> all;
    for (const DesignedControl& control : controlTable()) all.push_back(&control);
    return all;
}

// The control's place in the focus order, or the order's length where it takes no focus.
int focusRank(const DesignedControl& control) {
    return static_cast<int>(std::find(kFocusOrder.begin(), kFocusOrder.end(), control.name) -
                            kFocusOrder.begin());
}

}  // namespace

std::string sheetLabelSpokenName(int index) { return "第" + std::to_string(index + 1) + "题"; }

const std::vector<DesignedControl>& controlTable() {
    static const std::vector<DesignedControl> table = readingOrder();
    return table;
}

std::vector<const DesignedControl*> focusThenTopDownOrder() {
    std::vector<const DesignedControl*> all = pointers();
    std::stable_sort(all.begin(), all.end(), [](const auto* a, const auto* b) {
        const int rankA = focusRank(*a);
        const int rankB = focusRank(*b);
        if (rankA != rankB) return rankA < rankB;
        return a->layer > b->layer;
    });
    return all;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Label:
            return "label";
        case ControlKind::NumberBox:
            return "numberBox";
        case ControlKind::Button:
            return "button";
        case ControlKind::TypeBox:
            return "typeBox";
        case ControlKind::Separator:
            return "separator";
    }
    return "label";
}

int controlIndex(std::string_view designName) {
    const auto& table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name == designName) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace zelkor::layout
