#include "button_actions.h"

#include "window_layout.h"

namespace zelkor::layout {

bool pressDesignedButton(Drill& drill, std::string_view designName) {
    if (designName == kStartButton.objectName) {
        drill.onStartClicked();
    } else if (designName == kSheetButton.objectName) {
        drill.onSheetClicked();
    } else if (designName == kAnswersButton.objectName) {
        drill.onAnswersClicked();
    } else if (designName == kStopButton.objectName) {
        drill.onStopClicked();
    } else {
        return false;
    }
    return true;
}

}  // namespace zelkor::layout
