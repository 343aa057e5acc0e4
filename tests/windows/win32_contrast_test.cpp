// The window's texts on screen in a high-contrast theme: every text's colour differs
// from its background, measured on the pixels the window draws, the light-blue labels'
// too; and in an ordinary theme the designed colours stay.
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "control_table.h"
#include "win32_fixture.h"  // windows.h first

namespace zelkor::testing {
namespace {

struct Colour {
    int red, green, blue;
    friend bool operator==(const Colour&, const Colour&) = default;
};

int distance(Colour a, Colour b) {
    return std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue);
}

// The control's pixels as drawn: its background is its commonest colour, its ink the
// pixel farthest from that.
struct Drawn {
    Colour background;
    Colour ink;
};

Drawn drawnIn(HWND window, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, windowDc, place.left, place.top, SRCCOPY);
    std::map<std::uint32_t, int> counts;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) ++counts[pixels[i] & 0xFFFFFF];
    auto colourOf = [](std::uint32_t p) {
        return Colour{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                      static_cast<int>(p & 0xFF)};
    };
    std::uint32_t commonest = 0;
    for (const auto& [pixel, count] : counts)
        if (count > counts[commonest]) commonest = pixel;
    Drawn drawn{colourOf(commonest), colourOf(commonest)};
    for (const auto& [pixel, count] : counts)
        if (distance(colourOf(pixel), drawn.background) > distance(drawn.ink, drawn.background))
            drawn.ink = colourOf(pixel);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return drawn;
}

constexpr std::array<int, 4> kThemeElements{COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW,
                                            COLOR_WINDOWTEXT};

// High Contrast Black's pair: white text on black.
class Win32HighContrast : public Win32WindowTest {
  protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) saved_[i] = GetSysColor(kThemeElements[i]);
        Win32WindowTest::SetUp();
    }
    void TearDown() override {
        setHighContrast(false);
        SetSysColors(4, kThemeElements.data(), saved_.data());
        Win32WindowTest::TearDown();
    }
    void setHighContrast(bool on) {
        const std::array<COLORREF, 4> black{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0),
                                            RGB(255, 255, 255)};
        HIGHCONTRASTW contrast{sizeof contrast, on ? DWORD{HCF_HIGHCONTRASTON} : 0, nullptr};
        SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE);
        if (on) SetSysColors(4, kThemeElements.data(), black.data());
        SendMessageW(window->handle(), WM_SYSCOLORCHANGE, 0, 0);
        SendMessageW(window->handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    }
    // Every control that draws text through the window's colours, with text in it.
    std::vector<const layout::DesignedControl*> texts() {
        window->view().setFlashCaption("8＋5=");
        window->view().setProgressCaption("第1道");
        window->view().showSheet({"12－7=", "6×7="});
        std::vector<const layout::DesignedControl*> all;
        for (const layout::DesignedControl& c : layout::controlTable()) {
            const bool drawsText = c.kind == layout::ControlKind::Label ||
                                   c.kind == layout::ControlKind::Frame ||
                                   c.kind == layout::ControlKind::TypeBox;
            if (drawsText && IsWindowVisible(control(c.name)) && !textOf(control(c.name)).empty())
                all.push_back(&c);
        }
        RedrawWindow(window->handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpFor(100);
        return all;
    }
    std::array<COLORREF, 4> saved_{};
};

// Windows switches the theme's flag and colours together; Wine keeps the flag off, so
// there the colours alone must do.
TEST_F(Win32HighContrast, EveryTextStaysVisibleOnTheThemesBackground) {
    setHighContrast(true);
    const auto shown = texts();
    // Four frames, twelve type boxes, four unit labels, the stopwatch, both flash labels
    // and the two sheet labels shown.
    ASSERT_EQ(shown.size(), 25U);
    for (const layout::DesignedControl* c : shown) {
        const Drawn drawn = drawnIn(window->handle(), control(c->name));
        EXPECT_EQ(drawn.background, (Colour{0, 0, 0})) << c->name;
        EXPECT_GE(distance(drawn.ink, drawn.background), 600)
            << c->name << ": its text does not show on its background";
    }
}

TEST_F(Win32HighContrast, AnOrdinaryThemeKeepsTheDesignedColours) {
    const auto shown = texts();
    for (const layout::DesignedControl* c : shown) {
        const Drawn drawn = drawnIn(window->handle(), control(c->name));
        if (c->background) {
            EXPECT_EQ(drawn.background,
                      (Colour{c->background->red, c->background->green, c->background->blue}))
                << c->name;
        }
        EXPECT_LE(distance(drawn.ink, Colour{0, 0, 0}), 60) << c->name << ": black text";
    }
}

}  // namespace
}  // namespace zelkor::testing
