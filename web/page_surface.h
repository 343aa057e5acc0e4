#pragma once

#include "control_surface.h"

namespace zelkor::web {

// The page as the portable window's control surface: each call is one of page.h's, on
// the DOM controls page.js makes, in CSS pixels, on the page's clock.
class PageSurface final : public layout::ControlSurface {
  public:
    void makeControl(int index) override;
    void placeControl(int index, const layout::PixelRect& inFrame, const layout::PixelRect&,
                      double fontPixels, bool centredLine) override;
    void setWindowSize(int width, int height) override;
    void setFocusOrder(const std::vector<int>& indices) override;
    void setCaption(int index, const std::string& caption, const std::string& spoken) override;
    void setVisible(int index, bool visible) override;
    std::string text(int index) const override;
    bool isChecked(int index) const override;
    void focus(int index) override;
    void announce(const std::string& text, bool dropsTheRest) override;
    void showMessage(const std::string& title, const std::string& text,
                     const std::string& button) override;
    void showTurnHint(bool shown) override;
    std::int64_t nowMicroseconds() const override;
    void wakeAt(int timer, std::int64_t microseconds) override;
    void cancelWake(int timer) override;
};

}  // namespace zelkor::web
