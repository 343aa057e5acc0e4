#pragma once

#include <array>
#include <cstdint>

#include "problem_type.h"

namespace zelkor {

// The ticked problem types: the first typeCount entries of typeList, ascending.
struct TypeSelection {
    std::array<std::int16_t, kProblemTypeCount> typeList{};
    std::int16_t typeCount = 0;
};

// Rebuilds selection from the ticks of the type boxes 0 to 8. Entries from the new
// typeCount on keep whatever the latest rebuild that wrote them left there, so entry
// 0 always holds the lowest type ticked at the latest rebuild that found one.
void rebuildTypeSelection(TypeSelection& selection,
                          const std::array<bool, kProblemTypeCount>& ticked);

}  // namespace zelkor
