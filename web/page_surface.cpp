#include "page_surface.h"

#include "control_table.h"
#include "page.h"

namespace zelkor::web {

void PageSurface::makeControl(int index) {
    const layout::DesignedControl& control =
        layout::controlTable()[static_cast<std::size_t>(index)];
    const int frame = control.frame.empty() ? -1 : layout::controlIndex(control.frame);
    page::createControl(index, control, frame);
}

// Each control stands in its frame's element.
void PageSurface::placeControl(int index, const layout::PixelRect& inFrame,
                               const layout::PixelRect&, double fontPixels, bool centredLine) {
    page::place(index, inFrame, fontPixels, centredLine);
}

void PageSurface::setWindowSize(int width, int height) { page::setWindowSize(width, height); }

void PageSurface::setFocusOrder(const std::vector<int>& indices) { page::setFocusOrder(indices); }

void PageSurface::setCaption(int index, const std::string& caption, const std::string& spoken) {
    page::setCaption(index, caption, spoken);
}

void PageSurface::setVisible(int index, bool visible) { page::setVisible(index, visible); }

std::string PageSurface::text(int index) const { return page::text(index); }

bool PageSurface::isChecked(int index) const { return page::isChecked(index); }

void PageSurface::focus(int index) { page::focus(index); }

void PageSurface::announce(const std::string& text, bool dropsTheRest) {
    page::announce(text, dropsTheRest);
}

void PageSurface::showMessage(const std::string& title, const std::string& text,
                              const std::string& button) {
    page::showMessage(title, text, button);
}

void PageSurface::showTurnHint(bool shown) { page::showTurnHint(shown); }

std::int64_t PageSurface::nowMicroseconds() const { return page::nowMicroseconds(); }

void PageSurface::wakeAt(int timer, std::int64_t microseconds) {
    const std::int64_t left = microseconds - page::nowMicroseconds();
    page::wakeAfter(timer, left > 0 ? left : 0);
}

void PageSurface::cancelWake(int timer) { page::cancelWake(timer); }

}  // namespace zelkor::web
