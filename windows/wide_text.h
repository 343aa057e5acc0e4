#pragma once

#include <string>
#include <string_view>

namespace zelkor {

// The drill's texts are UTF-8; Windows' wide-character API takes UTF-16.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

}  // namespace zelkor
