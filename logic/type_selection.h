#pragma once

#include <array>

#include "problem_type.h"

namespace zelkor {

// Which of the type boxes 0..8 are ticked; the placeholder boxes have no type.
using TypeTicks = std::array<bool, kProblemTypeCount>;

// The ticked problem types: the first typeCount entries of typeList, ascending.
struct TypeSelection {
    std::array<ProblemType, kProblemTypeCount> typeList{};
    int typeCount = 0;
};

// Rebuilds selection from the ticks. Entries from the new typeCount on keep whatever
// the latest rebuild that wrote them left there, so entry 0 always holds the lowest
// type ticked at the latest rebuild that found one (a run with no type ticked makes
// problems of that type).
void rebuildTypeSelection(TypeSelection& selection, const TypeTicks& ticked);

}  // namespace zelkor
