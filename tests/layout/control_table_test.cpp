#include "control_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string_view>
#include <vector>
#include <string>

#include "drill_harness.h"

namespace zelkor::testing {
namespace {

using layout::ControlKind;
using layout::DesignedControl;

const DesignedControl& entry(std::string_view name) {
    return layout::controlTable().at(static_cast<std::size_t>(layout::controlIndex(name)));
}

// The design as this test reads it, to check the table against: every control with the
// frame it stands in, and the arithmetic that turns twips into pixels, done here in
// floating point on its own rather than with the code under test.
struct PlacedControl {
    layout::Control control;
    layout::Control frame;  // layout::kWindow for a frame
};

inline std::vector<PlacedControl> designedControls() {
    using namespace layout;
    std::vector<PlacedControl> all = {
        {kSettingsFrame, kWindow},         {kTypeFrame, kWindow},
        {kDisplayFrame, kWindow},          {kStopwatchFrame, kWindow},
        {kCountLabel, kSettingsFrame},     {kCountBox, kSettingsFrame},
        {kCountUnitLabel, kSettingsFrame}, {kIntervalLabel, kSettingsFrame},
        {kIntervalBox, kSettingsFrame},    {kIntervalUnitLabel, kSettingsFrame},
        {kStartButton, kSettingsFrame},    {kSheetButton, kSettingsFrame},
        {kAnswersButton, kSettingsFrame},  {kProgressLabel, kDisplayFrame},
        {kFlashLabel, kDisplayFrame},      {kStopwatchLabel, kStopwatchFrame},
        {kStopButton, kStopwatchFrame},
    };
    for (int i = 0; i < layout::kTypeBoxCount; ++i) all.push_back({typeBox(i), kTypeFrame});
    for (int i = 0; i < layout::kSheetLabelCount; ++i)
        all.push_back({sheetLabel(i), kDisplayFrame});
    return all;
}

inline bool isSheetLabel(const layout::Control& control) {
    return std::string_view(control.objectName).substr(0, 7) == "Label6(";
}

struct Pixels {
    int left, top, width, height;
    friend bool operator==(const Pixels&, const Pixels&) = default;
};

// 15 twips a pixel at 96 dpi, the edges rounded.
inline int pixelsAt96(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

inline Pixels pixelsAt96(const layout::TwipRect& r) {
    return {pixelsAt96(r.left), pixelsAt96(r.top),
            pixelsAt96(r.left + r.width) - pixelsAt96(r.left),
            pixelsAt96(r.top + r.height) - pixelsAt96(r.top)};
}

// A 2-pixel line covers the pixel column left of its x and the one at it, top to bottom.
inline Pixels pixelsAt96(const layout::LineControl& line) {
    return {pixelsAt96(line.x) - 1, pixelsAt96(line.top), 2,
            pixelsAt96(line.bottom) - pixelsAt96(line.top) + 1};
}


Pixels pixelsOf(const layout::PixelRect& r) { return {r.left, r.top, r.width, r.height}; }

bool overlap(const layout::PixelRect& a, const layout::PixelRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(ControlTable, EveryDesignedControlIsThereOnceAtItsPlaceWithItsCaptionFontAndFrame) {
    const auto designed = designedControls();
    // The design's controls and the three separators, nothing else.
    EXPECT_EQ(layout::controlTable().size(), designed.size() + layout::kSeparatorCount);
    for (const PlacedControl& p : designed) {
        SCOPED_TRACE(p.control.objectName);
        const DesignedControl& c = entry(p.control.objectName);
        const bool isFrame = p.frame.objectName == layout::kWindow.objectName;
        EXPECT_EQ(c.frame, isFrame ? "" : p.frame.objectName);
        EXPECT_EQ(pixelsOf(c.inFrame), pixelsAt96(p.control.place));
        const Pixels origin = isFrame ? Pixels{} : pixelsAt96(p.frame.place);
        const Pixels own = pixelsAt96(p.control.place);
        EXPECT_EQ(pixelsOf(c.inWindow),
                  (Pixels{origin.left + own.left, origin.top + own.top, own.width, own.height}));
        EXPECT_EQ(c.caption, p.control.caption);
        EXPECT_EQ(c.font.points, p.control.font.points);
        EXPECT_EQ(c.font.bold, p.control.font.bold);
        EXPECT_EQ(c.visibleAtStart, !isSheetLabel(p.control)) << "only the sheet starts hidden";
    }
    for (int i = 0; i < layout::kSeparatorCount; ++i) {
        const DesignedControl& line = entry(layout::sheetSeparator(i).objectName);
        EXPECT_EQ(line.kind, ControlKind::Separator);
        EXPECT_EQ(pixelsOf(line.inFrame), pixelsAt96(layout::sheetSeparator(i)));
        EXPECT_FALSE(line.visibleAtStart);
    }
}

TEST(ControlTable, ColoursAreTheDesignedOnes) {
    const std::set<std::string> black{"Frame1", "Frame2", "Label8"};
    const std::set<std::string> lightBlue{"Label7", "Label1"};
    for (const DesignedControl& c : layout::controlTable()) {
        SCOPED_TRACE(c.name);
        const bool sheet = c.name.rfind("Label6(", 0) == 0;
        EXPECT_EQ(c.textColour.has_value(), sheet || black.count(c.name) == 1);
        if (c.textColour) {
            EXPECT_EQ(c.textColour->red + c.textColour->green + c.textColour->blue, 0);
        }
        ASSERT_EQ(c.background.has_value(), lightBlue.count(c.name) == 1);
        if (c.background) {
            EXPECT_EQ(c.background->red, 192);
            EXPECT_EQ(c.background->green, 192);
            EXPECT_EQ(c.background->blue, 255);
        }
    }
}

// Where two controls of one frame overlap, the layers say which is on top; frames lie
// below everything.
TEST(ControlTable, OverlappingControlsStandOnDifferentLayers) {
    const auto& table = layout::controlTable();
    int overlaps = 0;
    for (const DesignedControl& a : table) {
        if (a.kind == ControlKind::Frame) {
            EXPECT_EQ(a.layer, layout::kFrameLayer) << a.name;
            continue;
        }
        EXPECT_GT(a.layer, layout::kFrameLayer) << a.name;
        for (const DesignedControl& b : table) {
            if (&a == &b || b.kind == ControlKind::Frame || !overlap(a.inWindow, b.inWindow))
                continue;
            ++overlaps;
            EXPECT_NE(a.layer, b.layer) << a.name << " overlaps " << b.name;
        }
    }
    EXPECT_GT(overlaps, 0) << "the flash label overlaps the sheet";
    EXPECT_GT(entry("Label1").layer, entry("Label6(5)").layer);
    // The count box's right edge runs a pixel into its unit label.
    EXPECT_GT(entry("Text1").layer, entry("Label3").layer);
}

TEST(ControlTable, FocusThenTopDownOrderWalksTheFocusOrderThenLowersLayerByLayer) {
    const auto order = layout::focusThenTopDownOrder();
    ASSERT_EQ(order.size(), layout::controlTable().size());
    for (std::size_t i = 0; i < layout::kFocusOrder.size(); ++i)
        EXPECT_EQ(order[i]->name, layout::kFocusOrder[i]);
    int layer = layout::kUpperLayer;
    for (std::size_t i = layout::kFocusOrder.size(); i < order.size(); ++i) {
        EXPECT_LE(order[i]->layer, layer) << order[i]->name;
        layer = order[i]->layer;
        const ControlKind kind = order[i]->kind;
        EXPECT_TRUE(kind != ControlKind::Button && kind != ControlKind::TypeBox &&
                    kind != ControlKind::NumberBox)
            << order[i]->name << " takes the focus but is not in the focus order";
    }
}

// A screen reader must never meet a control without a name, nor two with one name, nor
// an empty label that borrows its frame's caption.
TEST(ControlTable, EveryControlWithoutTextOfItsOwnHasADistinctSpokenName) {
    std::set<std::string> names;
    for (const DesignedControl& c : layout::controlTable()) {
        SCOPED_TRACE(c.name);
        const bool needsName = c.kind == ControlKind::NumberBox ||
                               c.kind == ControlKind::Separator ||
                               (c.kind == ControlKind::Label && c.caption.empty());
        EXPECT_EQ(!c.spokenName.empty(), needsName);
        if (!needsName) continue;
        EXPECT_TRUE(names.insert(c.spokenName).second) << c.spokenName << " twice";
        if (!c.frame.empty()) {
            EXPECT_NE(c.spokenName, entry(c.frame).caption);
        }
    }
    EXPECT_EQ(entry("Text1").spokenName, layout::kCountLabel.caption);
    EXPECT_EQ(entry("Label6(12)").spokenName, "第12题");
}

}  // namespace
}  // namespace zelkor::testing
