// The Win32 window against its design: places at the screen's density, captions, fonts,
// glyphs, colours, focus order and the number boxes' input context.
// clang-format off
#include <windows.h>  // before the other Windows headers, which build on it
#include <imm.h>
// clang-format on

#include <cmath>
#include <vector>

#include "control_table.h"
#include "win32_fixture.h"  // windows.h first

namespace zelkor::testing {
namespace {

using layout::Control;
using layout::DesignedControl;
using layout::PixelRect;

// Where a control of the table must stand in the client area at dpi: Win32 has no
// nesting of group boxes, so every control is placed from the client area's corner.
PixelRect expectedPlace(const DesignedControl& c, int dpi) {
    return layout::scaleBy(c.inWindow, dpi / 96.0);
}

PixelRect clientPlace(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int fontPixels(const layout::Font& font, int dpi) {
    return static_cast<int>(std::lround(font.points * dpi / 72.0));
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// Characters of text that the font has no glyph for.
int missingGlyphs(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    int missing = 0;
    for (WORD glyph : glyphs) missing += glyph == 0xFFFF ? 1 : 0;
    return missing;
}

class Win32Layout : public Win32WindowTest {};

TEST_F(Win32Layout, RunsAtTheDensityItWasStartedAt) { EXPECT_EQ(window->dpi(), expectedDpi()); }

TEST_F(Win32Layout, WindowHasItsTitleClientSizeIconAndNoSizingFrame) {
    const int dpi = window->dpi();
    EXPECT_EQ(textOf(window->handle()), layout::kTitle);
    RECT client{};
    GetClientRect(window->handle(), &client);
    const PixelRect designed = layout::scaleBy(layout::toPixels(layout::kWindow.place), dpi / 96.0);
    EXPECT_EQ(client.right, designed.width);
    EXPECT_EQ(client.bottom, designed.height);
    const LONG_PTR style = GetWindowLongPtrW(window->handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the layout is fixed";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_NE(GetClassLongPtrW(window->handle(), GCLP_HICON), 0);
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(
        reinterpret_cast<HICON>(GetClassLongPtrW(window->handle(), GCLP_HICONSM)), &icon));
    BITMAP bitmap{};
    GetObjectW(icon.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON)) << "a small icon of its own size";
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
}

// Every control of the table as its window: at its place, with its caption, font and
// visibility at start.
TEST_F(Win32Layout, EveryControlIsTheTablesAtItsPlaceWithItsCaptionAndFont) {
    const int dpi = window->dpi();
    for (const DesignedControl& c : layout::controlTable()) {
        SCOPED_TRACE(c.name);
        HWND hwnd = control(c.name);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(clientPlace(hwnd), expectedPlace(c, dpi));
        EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, c.visibleAtStart);
        if (c.kind == layout::ControlKind::Separator) continue;
        EXPECT_EQ(textOf(hwnd), c.caption);
        const LOGFONTW font = fontOf(hwnd);
        EXPECT_EQ(toUtf8(font.lfFaceName), layout::kFontFamily);
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
        EXPECT_EQ(font.lfWeight, c.font.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
        EXPECT_EQ(-font.lfHeight, fontPixels(c.font, dpi));
    }
}

TEST_F(Win32Layout, EveryCaptionHasItsGlyphsInTheSongFace) {
    for (const DesignedControl& c : layout::controlTable()) {
        EXPECT_EQ(missingGlyphs(control(c.name), toWide(c.caption)), 0) << c.name;
    }
    // The texts the drill writes later, in the labels that show them.
    EXPECT_EQ(missingGlyphs(control(layout::kFlashLabel), L"7＋5=12 38+27=65 14－8= 6×7= 56÷8="),
              0);
    EXPECT_EQ(missingGlyphs(control(layout::kProgressLabel), L"第1道第20道"), 0);
    EXPECT_EQ(missingGlyphs(control(layout::kCountLabel), toWide(kCountRejectedText)), 0);
    EXPECT_EQ(missingGlyphs(control(layout::kCountLabel), toWide(kCountRejectedTitle)), 0);
}

TEST_F(Win32Layout, FlashLabelsAreLightBlueAndTheOtherTextsBlack) {
    for (const Control& label :
         {layout::kFlashLabel, layout::kProgressLabel, layout::kStopwatchLabel,
          layout::kSettingsFrame, layout::kDisplayFrame}) {
        HWND hwnd = control(label);
        HDC dc = GetDC(hwnd);
        SendMessageW(window->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd));
        const bool flash =
            hwnd == control(layout::kFlashLabel) || hwnd == control(layout::kProgressLabel);
        const layout::Rgb blue = layout::kLightBlue;
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0)) << label.objectName;
        if (flash) {
            EXPECT_EQ(GetBkColor(dc), RGB(blue.red, blue.green, blue.blue)) << label.objectName;
        }
        ReleaseDC(hwnd, dc);
    }
}

TEST_F(Win32Layout, SkinIsCalledOnceBeforeTheWindowIsShown) {
    EXPECT_EQ(skinCalls, 1);
    EXPECT_FALSE(skinCalledWhileVisible);
}

TEST_F(Win32Layout, FocusStartsOnTheFirstOfTheFocusOrderAndTabWalksIt) {
    const auto& order = layout::kFocusOrder;
    EXPECT_EQ(GetFocus(), control(order.front()));
    for (std::size_t i = 1; i <= order.size(); ++i) {
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ASSERT_TRUE(window->handleDialogKey(tab));
        EXPECT_EQ(GetFocus(), control(order[i % order.size()])) << "step " << i;
    }
}

TEST_F(Win32Layout, NumberBoxesHaveNoInputContextAndTakeAnyTextOfAnyLength) {
    for (const Control& box : {layout::kCountBox, layout::kIntervalBox}) {
        SCOPED_TRACE(box.objectName);
        HIMC context = ImmGetContext(control(box));
        EXPECT_EQ(context, nullptr) << "an input method would turn . into 。";
        if (context != nullptr) ImmReleaseContext(control(box), context);
        // Past an edit box's default limit of 30,000 characters (Wine's edit box grows
        // slow far beyond that).
        const std::string longText(33000, '7');
        setText(box, longText);
        EXPECT_EQ(textOf(box).size(), longText.size());
        setText(box, "a1 .x");
        EXPECT_EQ(textOf(box), "a1 .x") << "no filtering";
    }
}

TEST_F(Win32Layout, ANewDensityRescalesEveryPlaceAndFont) {
    const int dpi = window->dpi() == 144 ? 192 : 144;
    RECT suggested{10, 20, 10 + 1600, 20 + 1200};
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    for (const DesignedControl& c : layout::controlTable()) {
        EXPECT_EQ(clientPlace(control(c.name)), expectedPlace(c, dpi)) << c.name;
    }
    EXPECT_EQ(-fontOf(control(layout::kFlashLabel)).lfHeight, fontPixels(layout::kFlashFont, dpi));
    RECT frame{};
    GetWindowRect(window->handle(), &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
}

}  // namespace
}  // namespace zelkor::testing
