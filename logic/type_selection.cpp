#include "type_selection.h"

namespace zelkor {

void rebuildTypeSelection(TypeSelection& selection,
                          const std::array<bool, kProblemTypeCount>& ticked) {
    std::int16_t count = 0;
    for (std::int16_t type = 0; type < kProblemTypeCount; ++type) {
        if (ticked[type]) selection.typeList[count++] = type;
    }
    selection.typeCount = count;
}

}  // namespace zelkor
