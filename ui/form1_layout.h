#pragma once

#include <array>

// Places of the main window's controls in twips (1/1440 inch; 15 twips make one
// pixel at 96 dpi), exactly as the window was designed. A control inside a frame is
// placed from the frame's top-left corner, a frame from the client area's.
namespace zelkor::design {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

inline constexpr TwipRect kClientArea{0, 0, 15240, 10530};

inline constexpr TwipRect kFrame1{120, 240, 3375, 2775};
inline constexpr TwipRect kFrame4{3720, 240, 11415, 2775};
inline constexpr TwipRect kFrame2{120, 3000, 15015, 6015};
inline constexpr TwipRect kFrame5{120, 9120, 15015, 1215};

// Inside Frame1.
inline constexpr TwipRect kLabel2{120, 480, 1095, 495};
inline constexpr TwipRect kText1{1320, 360, 975, 495};
inline constexpr TwipRect kLabel3{2280, 360, 735, 495};
inline constexpr TwipRect kLabel4{120, 1320, 1095, 495};
inline constexpr TwipRect kText2{1320, 1200, 975, 495};
inline constexpr TwipRect kLabel5{2280, 1200, 735, 495};
inline constexpr TwipRect kCommand1{240, 1920, 735, 615};
inline constexpr TwipRect kCommand3{1320, 1920, 735, 615};
inline constexpr TwipRect kCommand2{2400, 1920, 735, 615};

// Inside Frame4: Check1(index) stands at the column and row its type was given.
inline constexpr std::array<int, 3> kCheckColumnLefts{360, 4080, 7800};
inline constexpr std::array<int, 4> kCheckRowTops{360, 915, 1485, 2040};
inline constexpr int kCheckWidth = 3255;
inline constexpr int kCheckHeight = 495;
struct GridCell {
    int column;
    int row;
};
inline constexpr std::array<GridCell, 12> kCheck1Cells{{
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
constexpr TwipRect check1Place(int index) {
    const GridCell cell = kCheck1Cells[index];
    return {kCheckColumnLefts[cell.column], kCheckRowTops[cell.row], kCheckWidth, kCheckHeight};
}

// Inside Frame2.
inline constexpr TwipRect kLabel7{3960, 720, 6345, 1455};
inline constexpr TwipRect kLabel1{2400, 2400, 9945, 1695};

// Label6(k), k = 1..20: four columns, five rows, filled row by row.
constexpr TwipRect label6Place(int k) {
    const int column = (k - 1) % 4;
    const int row = (k - 1) / 4;
    return {120 + 3760 * column, 480 + 1170 * row, 3435, 705};
}

// Line1(i), i = 0..2: vertical separators between the sheet's columns.
struct TwipLine {
    int x;
    int top;
    int bottom;
};
constexpr TwipLine line1Place(int i) { return {3720 * (i + 1), 480, 5880}; }
inline constexpr int kLine1WidthPixels = 2;

// Inside Frame5.
inline constexpr TwipRect kLabel8{5400, 360, 3015, 615};
inline constexpr TwipRect kCommand4{8400, 450, 735, 615};

}  // namespace zelkor::design
