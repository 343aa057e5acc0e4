#pragma once

#include <string>
#include <string_view>

namespace zelkor {

// What the drill says to a screen reader, in words a Mandarin speech synthesizer reads
// right. Synthesizers drop or misread the operator glyphs ("＋", "÷" go unsaid, "="
// comes out as English), so every operator and the equals sign is said as its word;
// the window still shows the glyphs.

// The operator words, by the glyph they stand for.
inline constexpr std::string_view kPlusWord = "加";
inline constexpr std::string_view kMinusWord = "减";
inline constexpr std::string_view kTimesWord = "乘";
inline constexpr std::string_view kDivideWord = "除以";
inline constexpr std::string_view kEqualsWord = "等于";

// The progress label's caption for the problem at place (from 1): "第3道".
std::string progressCaption(int place);

// A problem or answer line as shown ("18÷6=", "9＋3=12") in words: "18除以6等于",
// "9加3等于12". Any other text comes back with only its glyphs replaced.
std::string spokenLine(std::string_view shownLine);

// One problem of a run or of the sheet, announced with its place: "第1道，9加3等于",
// and "第1道，9加3等于12" for an answer line.
std::string problemAnnouncement(int place, std::string_view shownLine);

// A stopwatch reading as shown ("m:s:t") said as a time: "8点9秒" under a minute,
// "1分8点9秒" from one minute on. A text not of that form comes back as it is.
std::string spokenReading(std::string_view reading);

}  // namespace zelkor
