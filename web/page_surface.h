#pragma once

#include "control_surface.h"

namespace zelkor::web {

// The page as the portable window's control surface: each call is one of page.js's, on
// the DOM controls it makes, in CSS pixels, on the page's clock (performance.now()).
class PageSurface final : public layout::ControlSurface {
  public:
    ZELKOR_CONTROL_SURFACE_OVERRIDES;
    void setFocusOrder(const std::vector<int>& indices) override;
    void showTurnHint(bool shown) override;
};

}  // namespace zelkor::web
