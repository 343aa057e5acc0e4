#include "announcements.h"

#include <array>
#include <utility>

#include "problem_type.h"

namespace zelkor {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kWords = {{
    {kFullwidthPlus, kPlusWord},
    {kAsciiPlus, kPlusWord},
    {kFullwidthMinus, kMinusWord},
    {kTimes, kTimesWord},
    {kDivide, kDivideWord},
    {kEquals, kEqualsWord},
}};

bool isDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::string progressCaption(int place) { return "第" + std::to_string(place) + "道"; }

std::string spokenLine(std::string_view shownLine) {
    std::string spoken;
    while (!shownLine.empty()) {
        std::string_view word;
        std::size_t taken = 1;
        for (const auto& [glyph, said] : kWords) {
            if (shownLine.substr(0, glyph.size()) == glyph) {
                word = said;
                taken = glyph.size();
                break;
            }
        }
        spoken += word.empty() ? shownLine.substr(0, 1) : word;
        shownLine.remove_prefix(taken);
    }
    return spoken;
}

std::string problemAnnouncement(int place, std::string_view shownLine) {
    return progressCaption(place) + "，" + spokenLine(shownLine);
}

std::string spokenReading(std::string_view reading) {
    const std::size_t first = reading.find(':');
    const std::size_t second = reading.find(':', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) {
        return std::string(reading);
    }
    const std::string_view minutes = reading.substr(0, first);
    const std::string_view seconds = reading.substr(first + 1, second - first - 1);
    const std::string_view tenths = reading.substr(second + 1);
    if (!isDigits(minutes) || !isDigits(seconds) || !isDigits(tenths)) {
        return std::string(reading);
    }
    std::string spoken;
    // The decimal point as the word 点: Debian 12's Mandarin voice drops a written point
    // ("3.1秒" is heard as 三一秒), and 13's drops it after 分.
    if (minutes != "0") spoken = std::string(minutes) + "分";
    return spoken + std::string(seconds) + "点" + std::string(tenths) + "秒";
}

}  // namespace zelkor
