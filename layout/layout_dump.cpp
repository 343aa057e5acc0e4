// Prints the window's design as JSON, for the page's build (its title, the character
// set of its font) and for the browser tests, which read every expected place, caption,
// font and name from it rather than from the page. Runs under node at build time.
#include <cstdio>
#include <set>
#include <string>

#include "announcements.h"
#include "control_table.h"
#include "drill.h"
#include "problem_generator.h"
#include "stopwatch_display.h"

namespace {

using zelkor::layout::DesignedControl;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string rect(const zelkor::layout::PixelRect& r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.width) + "," + std::to_string(r.height) + "]";
}

std::string colour(const std::optional<zelkor::layout::Rgb>& rgb) {
    if (!rgb) return "null";
    return "[" + std::to_string(rgb->red) + "," + std::to_string(rgb->green) + "," +
           std::to_string(rgb->blue) + "]";
}

std::string controlJson(const DesignedControl& c) {
    return "{\"name\":" + quoted(c.name) + ",\"kind\":\"" + zelkor::layout::kindName(c.kind) +
           "\",\"frame\":" + quoted(c.frame) + ",\"inFrame\":" + rect(c.inFrame) +
           ",\"inWindow\":" + rect(c.inWindow) + ",\"caption\":" + quoted(c.caption) +
           ",\"points\":" + std::to_string(c.font.points) +
           ",\"bold\":" + (c.font.bold ? "true" : "false") +
           ",\"textColour\":" + colour(c.textColour) + ",\"background\":" + colour(c.background) +
           ",\"visibleAtStart\":" + (c.visibleAtStart ? "true" : "false") +
           ",\"layer\":" + std::to_string(c.layer) + ",\"spokenName\":" + quoted(c.spokenName) +
           "}";
}

// Each type's operator, from the first pair its rules accept.
std::string operatorGlyphs() {
    std::string glyphs;
    for (int type = 0; type < zelkor::kProblemTypeCount; ++type) {
        const zelkor::TypeRanges ranges = zelkor::rangesOf(type);
        for (int a = ranges.a.base; a < ranges.a.base + ranges.a.width; ++a) {
            const auto problem = zelkor::acceptPair(type, a, ranges.b.base + ranges.b.width - 1);
            if (problem) {
                glyphs += zelkor::problemLineOf(*problem) + zelkor::answerLineOf(*problem);
                break;
            }
        }
    }
    return glyphs;
}

// Every character the window can show: captions and initial texts, the title, the
// message, the progress caption, the stopwatch, the problems, and what a keyboard types
// into the number boxes (printable ASCII).
std::string shownCharacters() {
    std::string text = zelkor::layout::kTitle;
    text += zelkor::layout::kTurnHint;
    text += zelkor::layout::kScriptsOffNotice;
    text += zelkor::layout::kCannotRunNotice;
    for (char c = ' '; c <= '~'; ++c) text += c;
    for (const DesignedControl& c : zelkor::layout::controlTable()) text += c.caption;
    text += zelkor::kCountRejectedTitle;
    text += zelkor::kCountRejectedText;
    text += zelkor::kCountRejectedButton;
    text += "第0123456789道";
    text += zelkor::stopwatchCaption(754300);
    return text + operatorGlyphs();
}

// The words the drill says for each glyph, and what goes around a problem announced
// with its place ("第" and "道，" about the 1), for the tests of what is announced.
std::string spokenJson() {
    std::string json = "{\"words\":{";
    bool first = true;
    for (std::string_view glyph : {zelkor::kFullwidthPlus, zelkor::kAsciiPlus,
                                   zelkor::kFullwidthMinus, zelkor::kTimes, zelkor::kDivide,
                                   zelkor::kEquals}) {
        json += (first ? "" : ",") + quoted(std::string(glyph)) + ":" +
                quoted(zelkor::spokenLine(glyph));
        first = false;
    }
    const std::string placed = zelkor::problemAnnouncement(1, "");
    const std::size_t one = placed.find('1');
    return json + "},\"place\":[" + quoted(placed.substr(0, one)) + "," +
           quoted(placed.substr(one + 1)) + "]}";
}

}  // namespace

int main() {
    using namespace zelkor;
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    std::string json = "{\"title\":" + quoted(layout::kTitle) +
                       ",\"turnHint\":" + quoted(layout::kTurnHint) +
                       ",\"scriptsOff\":" + quoted(layout::kScriptsOffNotice) +
                       ",\"cannotRun\":" + quoted(layout::kCannotRunNotice) + ",\"window\":[" +
                       std::to_string(client.width) + "," + std::to_string(client.height) +
                       "],\"fontFamily\":" + quoted(layout::kFontFamily) + ",\"controls\":[";
    bool first = true;
    for (const DesignedControl& c : layout::controlTable()) {
        json += (first ? "" : ",") + controlJson(c);
        first = false;
    }
    json += "],\"focusOrder\":[";
    first = true;
    for (std::string_view name : layout::kFocusOrder) {
        json += (first ? "" : ",") + quoted(std::string(name));
        first = false;
    }
    json += "],\"message\":{\"title\":" + quoted(kCountRejectedTitle) +
            ",\"text\":" + quoted(kCountRejectedText) +
            ",\"button\":" + quoted(kCountRejectedButton) +
            "},\"stopwatchZero\":" + quoted(kStopwatchZero) +
            ",\"characters\":" + quoted(shownCharacters()) + ",\"spoken\":" + spokenJson() +
            "}\n";
    std::fputs(json.c_str(), stdout);
    return 0;
}
