#pragma once

#include <string_view>

#include "drill.h"

namespace zelkor::layout {

// Hands a click on the button of that design name (出题, 式题, 答案 or 停止) to the drill's
// handler for it. Returns false, doing nothing, where no button has that name.
bool pressDesignedButton(Drill& drill, std::string_view designName);

}  // namespace zelkor::layout
