#include "page.h"

#include <emscripten.h>

#include <cstdlib>

namespace zelkor::web::page {
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

void createControl(int index, const layout::DesignedControl& control, int frameIndex) {
    jsCreateControl(index, control.name.c_str(), layout::kindName(control.kind), frameIndex,
                    control.caption.c_str(), control.font.bold ? 1 : 0, packed(control.textColour),
                    packed(control.background), control.layer, control.spokenName.c_str(),
                    control.visibleAtStart ? 1 : 0);
}

void place(int index, const layout::PixelRect& place, double fontPixels, bool centred) {
    jsPlace(index, place.left, place.top, place.width, place.height, fontPixels, centred ? 1 : 0);
}

void setWindowSize(int width, int height) { jsSetWindowSize(width, height); }

void showTurnHint(bool shown) { jsShowTurnHint(shown ? 1 : 0); }

void setFocusOrder(const std::vector<int>& indices) {
    jsSetFocusOrder(indices.data(), static_cast<int>(indices.size()));
}

void setCaption(int index, const std::string& caption, const std::string& spoken) {
    jsSetCaption(index, caption.c_str(), spoken.c_str());
}

void setVisible(int index, bool visible) { jsSetVisible(index, visible ? 1 : 0); }

std::string text(int index) { return adopt(jsText(index)); }

bool isChecked(int index) { return jsIsChecked(index) != 0; }

void focus(int index) { jsFocus(index); }

void announce(const std::string& text, bool dropsTheRest) {
    jsAnnounce(text.c_str(), dropsTheRest ? 1 : 0);
}

void showMessage(const std::string& title, const std::string& text, const std::string& button) {
    jsShowMessage(title.c_str(), text.c_str(), button.c_str());
}

std::int64_t nowMicroseconds() { return static_cast<std::int64_t>(jsNow() * 1000.0); }

void wakeAfter(int timer, std::int64_t microseconds) {
    jsWakeAfter(timer, static_cast<double>(microseconds) / 1000.0);
}

void cancelWake(int timer) { jsCancelWake(timer); }

}  // namespace zelkor::web::page
