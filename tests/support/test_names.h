#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelkor::testing {

// A typed text as a test name: letters and digits as they are, the rest spelt out
// ("0.01" -> "0dot01", " 1 2" -> "sp1sp2", "" -> "empty"), so that parameterised rows
// have names that stay the same from build to build and can be picked with ctest -R.
inline std::string nameForText(std::string_view text) {
    if (text.empty()) return "empty";
    if (text.size() > 40) return "long" + std::to_string(text.size());
    std::string name;
    for (unsigned char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            name += static_cast<char>(c);
            continue;
        }
        switch (c) {
            case '.':
                name += "dot";
                break;
            case ' ':
                name += "sp";
                break;
            case '-':
                name += "minus";
                break;
            case '+':
                name += "plus";
                break;
            case ',':
                name += "comma";
                break;
            case '\t':
                name += "tab";
                break;
            case '\n':
                name += "lf";
                break;
            case '\r':
                name += "cr";
                break;
            default: {
                char hex[4];
                std::snprintf(hex, sizeof hex, "x%02X", c);
                name += hex;
            }
        }
    }
    return name;
}

}  // namespace zelkor::testing
