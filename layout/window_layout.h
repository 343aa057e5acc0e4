#pragma once

#include <array>
#include <string_view>

#include "drill.h"
#include "problem_type.h"

// Every control of the drill's window with its place in twips (1/1440 inch; 15 twips
// make one pixel at 96 dpi), caption and font, exactly as the window was designed, and
// its design name, which the widget carries as its objectName (Qt) or its name in the
// control table (Windows) so that the window can be compared control by control with
// its design. A control inside a frame is placed from the frame's top-left corner, a
// frame from the client area's. This table is the one place where the design's names
// and the code's meet; every front end reads it.
namespace zelkor::layout {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Every text is set in "宋体" (GB2312 character set), upright, neither underlined nor
// struck out; bold is weight 700, regular 400.
inline constexpr const char* kFontFamily = "宋体";
struct Font {
    double points;
    bool bold;
};
inline constexpr Font kFrameFont{14.25, true};
inline constexpr Font kRegularFont{14.25, false};
inline constexpr Font kButtonFont{12, true};
inline constexpr Font kProgressFont{39.75, true};
inline constexpr Font kFlashFont{80.25, true};
inline constexpr Font kSheetFont{36, true};

struct Control {
    const char* objectName;
    TwipRect place;
    const char* caption = "";  // UTF-8; a text box's initial text
    Font font = kRegularFont;
};

struct Rgb {
    int red;
    int green;
    int blue;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kLightBlue{192, 192, 255};  // behind the progress and flash labels

inline constexpr int kTwipsPerPixel = 15;

inline constexpr const char* kTitle = "ZelkorV1.2版";
// Shown beside a window that would come out much larger turned (turningWouldEnlarge):
// true of a phone held upright and of a narrow browser window alike.
inline constexpr const char* kTurnHint = "把设备横过来，或把窗口拉宽，题目会显示得更大。";
// What the page shows in place of the window where it cannot run it: with scripts
// turned off, or in a browser too old for it (or whose scripts failed).
inline constexpr const char* kScriptsOffNotice =
    "本页要运行脚本（JavaScript）才能出题。请在浏览器设置中允许本页运行脚本，或换用其他浏览器。";
inline constexpr const char* kCannotRunNotice =
    "这个浏览器无法运行本页的口算练习。请换用其他浏览器（新版的 Chrome、Edge、Firefox 或 "
    "Safari），或把设备的系统更新到较新的版本。";
inline constexpr Control kWindow{"Form1", {0, 0, 15240, 10530}};

inline constexpr Control kSettingsFrame{
    "Frame1", {120, 240, 3375, 2775}, "题数及间隔时间设置：", kFrameFont};
inline constexpr Control kTypeFrame{
    "Frame4", {3720, 240, 11415, 2775}, "出题类型选择：", kFrameFont};
inline constexpr Control kDisplayFrame{
    "Frame2", {120, 3000, 15015, 6015}, "式题显示窗口：", kFrameFont};
inline constexpr Control kStopwatchFrame{
    "Frame5", {120, 9120, 15015, 1215}, "计时器：（可用“空格键”直接停止）", kFrameFont};

// In the settings frame.
inline constexpr Control kCountLabel{"Label2", {120, 480, 1095, 495}, "题数"};
inline constexpr Control kCountBox{"Text1", {1320, 360, 975, 495}, "5"};
inline constexpr Control kCountUnitLabel{"Label3", {2280, 360, 735, 495}, "题"};
inline constexpr Control kIntervalLabel{"Label4", {120, 1320, 1095, 495}, "间隔"};
inline constexpr Control kIntervalBox{"Text2", {1320, 1200, 975, 495}, "0.01"};
inline constexpr Control kIntervalUnitLabel{"Label5", {2280, 1200, 735, 495}, "秒"};
inline constexpr Control kStartButton{"Command1", {240, 1920, 735, 615}, "出题", kButtonFont};
inline constexpr Control kSheetButton{"Command3", {1320, 1920, 735, 615}, "式题", kButtonFont};
inline constexpr Control kAnswersButton{"Command2", {2400, 1920, 735, 615}, "答案", kButtonFont};

// In the type frame: twelve boxes in three columns and four rows. Box i is type i;
// boxes 9 to 11 are placeholders. The index order and the screen order differ.
inline constexpr int kTypeBoxCount = zelkor::kTypeBoxCount;
inline constexpr std::array<const char*, kTypeBoxCount> kTypeBoxNames{
    "Check1(0)", "Check1(1)", "Check1(2)", "Check1(3)", "Check1(4)",  "Check1(5)",
    "Check1(6)", "Check1(7)", "Check1(8)", "Check1(9)", "Check1(10)", "Check1(11)"};
struct GridCell {
    int column;
    int row;
};
inline constexpr std::array<GridCell, kTypeBoxCount> kTypeBoxCells{{
    {0, 0},
    {1, 1},
    {1, 0},
    {0, 1},
    {0, 2},
    {1, 2},
    {0, 3},
    {1, 3},
    {2, 0},
    {2, 1},
    {2, 2},
    {2, 3},
}};
constexpr Control typeBox(int index) {
    constexpr std::array<int, 3> kColumnLefts{360, 4080, 7800};
    constexpr std::array<int, 4> kRowTops{360, 915, 1485, 2040};
    const GridCell cell = kTypeBoxCells[index];
    // The captions are string literals, so their data is terminated.
    return {kTypeBoxNames[index],
            {kColumnLefts[cell.column], kRowTops[cell.row], 3255, 495},
            kTypeBoxCaptions[index].data(),
            kRegularFont};
}

// In the display frame: the progress and flash labels, and the sheet.
inline constexpr Control kProgressLabel{"Label7", {3960, 720, 6345, 1455}, "", kProgressFont};
inline constexpr Control kFlashLabel{"Label1", {2400, 2400, 9945, 1695}, "", kFlashFont};

// Sheet label i, i = 0..19: four columns, five rows, filled row by row.
inline constexpr int kSheetLabelCount = zelkor::kSheetSize;
inline constexpr std::array<const char*, kSheetLabelCount> kSheetLabelNames{
    "Label6(1)",  "Label6(2)",  "Label6(3)",  "Label6(4)",  "Label6(5)",
    "Label6(6)",  "Label6(7)",  "Label6(8)",  "Label6(9)",  "Label6(10)",
    "Label6(11)", "Label6(12)", "Label6(13)", "Label6(14)", "Label6(15)",
    "Label6(16)", "Label6(17)", "Label6(18)", "Label6(19)", "Label6(20)"};
constexpr Control sheetLabel(int i) {
    return {kSheetLabelNames[i],
            {120 + 3760 * (i % 4), 480 + 1170 * (i / 4), 3435, 705},
            "",
            kSheetFont};
}

// Separator i, i = 0..2: a vertical line between sheet columns i and i + 1.
struct LineControl {
    const char* objectName;
    int x;
    int top;
    int bottom;
};
inline constexpr int kSeparatorCount = 3;
inline constexpr int kSeparatorWidthPixels = 2;
constexpr LineControl sheetSeparator(int i) {
    constexpr std::array<const char*, kSeparatorCount> kNames{"Line1(0)", "Line1(1)", "Line1(2)"};
    return {kNames[i], 3720 * (i + 1), 480, 5880};
}

// In the stopwatch frame.
inline constexpr Control kStopwatchLabel{
    "Label8", {5400, 360, 3015, 615}, kStopwatchZero, kSheetFont};
inline constexpr Control kStopButton{"Command4", {8400, 450, 735, 615}, "停止", kButtonFont};

// The Tab key's walk through the controls that take the focus, by design name; after
// the last it comes back to the first, which has the focus at start.
inline constexpr std::array<std::string_view, 18> kFocusOrder{
    "Command2",  "Text2",     "Text1",     "Command1",   "Check1(3)",  "Check1(6)",
    "Check1(4)", "Command3",  "Check1(9)", "Check1(10)", "Check1(11)", "Check1(8)",
    "Check1(0)", "Check1(2)", "Check1(7)", "Check1(1)",  "Check1(5)",  "Command4"};

}  // namespace zelkor::layout
