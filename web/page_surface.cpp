#include "page_surface.h"

#include <emscripten.h>

#include <cstdlib>

#include "control_table.h"

namespace zelkor::web {
namespace {

// Colours cross as 0xRRGGBB, -1 for the platform's default.
int packed(const std::optional<layout::Rgb>& rgb) {
    return rgb ? (rgb->red << 16) | (rgb->green << 8) | rgb->blue : -1;
}

// A string made by the page, handed over in memory the C++ side frees.
std::string adopt(char* text) {
    std::string result = text != nullptr ? text : "";
    std::free(text);
    return result;
}

// Each call is one of page.js's; controls cross by their index in the table.
// clang-format off
EM_JS(void, jsCreateControl, (int index, const char* name, const char* kind, int frame,
                              const char* caption, int bold, int text, int background,
                              int layer, const char* spokenName, int visible), {
    zelkorPage.createControl(index, UTF8ToString(name), UTF8ToString(kind), frame,
                             UTF8ToString(caption), !!bold, text, background, layer,
                             UTF8ToString(spokenName), !!visible);
});
EM_JS(void, jsPlace, (int index, int left, int top, int width, int height, double font,
                      int centred), {
    zelkorPage.place(index, left, top, width, height, font, !!centred);
});
EM_JS(void, jsSetWindowSize, (int width, int height), { zelkorPage.setWindowSize(width, height); });
EM_JS(void, jsShowTurnHint, (int shown), { zelkorPage.showTurnHint(!!shown); });
EM_JS(void, jsSetFocusOrder, (const int* indices, int count), {
    zelkorPage.setFocusOrder(Array.from(HEAP32.subarray(indices >> 2, (indices >> 2) + count)));
});
EM_JS(void, jsSetCaption, (int index, const char* caption, const char* spokenName), {
    zelkorPage.setCaption(index, UTF8ToString(caption), UTF8ToString(spokenName));
});
EM_JS(void, jsSetVisible, (int index, int visible), { zelkorPage.setVisible(index, !!visible); });
EM_JS(char*, jsText, (int index), {
    const text = zelkorPage.text(index);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(int, jsIsChecked, (int index), { return zelkorPage.isChecked(index) ? 1 : 0; });
EM_JS(void, jsFocus, (int index), { zelkorPage.focus(index); });
EM_JS(void, jsAnnounce, (const char* text, int dropsTheRest),
      { zelkorPage.announce(UTF8ToString(text), dropsTheRest !== 0); });
EM_JS(void, jsShowMessage, (const char* title, const char* text, const char* button), {
    zelkorPage.showMessage(UTF8ToString(title), UTF8ToString(text), UTF8ToString(button));
});
EM_JS(double, jsNow, (), { return performance.now(); });
EM_JS(void, jsWakeAfter, (int timer, double milliseconds), {
    zelkorPage.wakeAfter(timer, milliseconds);
});
EM_JS(void, jsCancelWake, (int timer), { zelkorPage.cancelWake(timer); });
// clang-format on

}  // namespace

// Each control stands in its frame's element, which page.js looks up by index.
void PageSurface::makeControl(int index) {
    const layout::DesignedControl& c = layout::controlTable()[static_cast<std::size_t>(index)];
    jsCreateControl(index, c.name.c_str(), layout::kindName(c.kind),
                    c.frame.empty() ? -1 : layout::controlIndex(c.frame), c.caption.c_str(),
                    c.font.bold ? 1 : 0, packed(c.textColour), packed(c.background), c.layer,
                    c.spokenName.c_str(), c.visibleAtStart ? 1 : 0);
}

layout::ControlSurface::Toolkit PageSurface::toolkit() const { return {Nesting::InFrames, true}; }

// The page sets every line one font size high (page.css), in whole pixels.
int PageSurface::lineHeight(double fontPixels, bool) const {
    return static_cast<int>(fontPixels + 0.5);
}

void PageSurface::placeControl(int index, const layout::PixelRect& place, double fontPixels,
                               bool centredLine) {
    jsPlace(index, place.left, place.top, place.width, place.height, fontPixels,
            centredLine ? 1 : 0);
}

// The page centres the window in the viewport.
void PageSurface::setWindowSize(int width, int height) { jsSetWindowSize(width, height); }

void PageSurface::setFocusOrder(const std::vector<int>& indices) {
    jsSetFocusOrder(indices.data(), static_cast<int>(indices.size()));
}

void PageSurface::setCaption(int index, const std::string& caption, const std::string& spoken) {
    jsSetCaption(index, caption.c_str(), spoken.c_str());
}

void PageSurface::setVisible(int index, bool visible) { jsSetVisible(index, visible ? 1 : 0); }

std::string PageSurface::text(int index) const { return adopt(jsText(index)); }

bool PageSurface::isChecked(int index) const { return jsIsChecked(index) != 0; }

void PageSurface::focus(int index) { jsFocus(index); }

void PageSurface::announce(const std::string& text, Announcing how) {
    jsAnnounce(text.c_str(), how == Announcing::InsteadOfTheRest ? 1 : 0);
}

// A page cannot wait inside a handler: the box is still open when this returns.
void PageSurface::showMessage(const std::string& title, const std::string& text,
                              const std::string& button) {
    jsShowMessage(title.c_str(), text.c_str(), button.c_str());
}

// The hint stands before the window in reading order, in the space above it.
void PageSurface::showTurnHint(bool shown) { jsShowTurnHint(shown ? 1 : 0); }

// performance.now(), in microseconds.
std::int64_t PageSurface::nowMicroseconds() const {
    return static_cast<std::int64_t>(jsNow() * 1000.0);
}

void PageSurface::wakeAt(int timer, std::int64_t microseconds) {
    const std::int64_t left = microseconds - nowMicroseconds();
    jsWakeAfter(timer, static_cast<double>(left > 0 ? left : 0) / 1000.0);
}

void PageSurface::cancelWake(int timer) { jsCancelWake(timer); }

}  // namespace zelkor::web
