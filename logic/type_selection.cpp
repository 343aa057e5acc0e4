#include "type_selection.h"

namespace zelkor {

void rebuildTypeSelection(TypeSelection& selection, const TypeTicks& ticked) {
    int count = 0;
    for (ProblemType type = 0; type < kProblemTypeCount; ++type) {
        if (ticked[type]) selection.typeList[count++] = type;
    }
    selection.typeCount = count;
}

}  // namespace zelkor
