#pragma once

#include <array>
#include <string_view>

namespace zelkor {

// The index of a problem type, 0 to 8. It is also the index of the type's box in the
// window's check-box array, whose captions name the types.
using ProblemType = int;

inline constexpr int kProblemTypeCount = 9;

// Captions of all twelve type boxes; boxes 9 to 11 are placeholders with no type.
inline constexpr int kTypeBoxCount = 12;
inline constexpr std::array<std::string_view, kTypeBoxCount> kTypeBoxCaptions = {
    "一位数加一位数",        // 0
    "两位数加两位数",        // 1
    "10以内的减法",          // 2
    "20以内退位减法",        // 3
    "两位减两位（不退位）",  // 4
    "两位减两位（退位）",    // 5
    "表内乘法",              // 6
    "两位数乘一位数",        // 7
    "表内除法",              // 8
    "（暂未设置）",          // 9
    "（暂未设置）",          // 10
    "（暂未设置）",          // 11
};

// Operator glyphs. The two plus signs are different characters on purpose: type 0
// writes the fullwidth one, type 1 the ASCII one.
inline constexpr std::string_view kFullwidthPlus = "\uFF0B";  // ＋
inline constexpr std::string_view kAsciiPlus = "+";
inline constexpr std::string_view kFullwidthMinus = "\uFF0D";  // －
inline constexpr std::string_view kTimes = "\u00D7";           // ×
inline constexpr std::string_view kDivide = "\u00F7";          // ÷
inline constexpr std::string_view kEquals = "=";

}  // namespace zelkor
