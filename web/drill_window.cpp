#include "drill_window.h"

#include "announcements.h"
#include "button_actions.h"
#include "page.h"
#include "pixels.h"

namespace zelkor::web {
namespace {

using layout::controlTable;

// A font's size in CSS pixels (96 a CSS inch) from its size in points.
double fontPixels(const layout::Font& font) { return font.points * 96.0 / 72.0; }

int indexOf(const layout::Control& control) { return controlIndex(control.objectName); }

}  // namespace

int controlIndex(std::string_view designName) {
    const auto& table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name == designName) return static_cast<int>(i);
    }
    return -1;
}

// The pace skips the ticks a busy or hidden page missed, as the desktop builds do; the
// stopwatch counts every tick that came due, so that its reading is right when a pupil
// comes back to a page that was hidden or frozen meanwhile.
DrillWindow::DrillWindow()
    : paceTimer_(kPaceTimer, MissedTicks::Skip,
                 [this] {
                     if (drill_ != nullptr) drill_->onPaceTick();
                 }),
      stopwatchTimer_(kStopwatchTimer, MissedTicks::CatchUp, [this] {
          if (drill_ != nullptr) drill_->onStopwatchTick();
      }) {
    createControls();
    setStopwatchReading(kStopwatchZero);  // and what it says, as a time
    applyScale();
    std::vector<int> focusOrder;
    for (std::string_view name : layout::kFocusOrder) focusOrder.push_back(controlIndex(name));
    page::setFocusOrder(focusOrder);
    page::focus(focusOrder.front());
}

// In reading order, which is also the order a screen reader walks the page; frames come
// first, so each control's frame exists when it is made. The layers stack them.
void DrillWindow::createControls() {
    const auto& table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const layout::DesignedControl& control = table[i];
        const int frame = control.frame.empty() ? -1 : controlIndex(control.frame);
        page::createControl(static_cast<int>(i), control, frame);
    }
}

void DrillWindow::applyScale() {
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    page::setWindowSize(layout::scaleBy(client.width, scale_),
                        layout::scaleBy(client.height, scale_));
    const auto& table = controlTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const layout::DesignedControl& control = table[i];
        const layout::PixelRect place = layout::scaleBy(control.inFrame, scale_);
        const double font = fontPixels(control.font) * scale_;
        // The page sets each line one font size high.
        const bool centred =
            control.kind == layout::ControlKind::Label &&
            layout::centresLineVertically(static_cast<int>(font + 0.5), place.height);
        page::place(static_cast<int>(i), place, font, centred);
    }
}

// Where the designed window does not fit the viewport, the whole layout shrinks until it
// does; where it fits, it stays as designed. Where turning the device (or widening the
// browser window) would show it much larger, the page says so beside it.
void DrillWindow::fitViewport(int width, int height) {
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    page::showTurnHint(layout::turningWouldEnlarge(client.width, client.height, width, height));
    const double scale = layout::fitFactor(client.width, client.height, width, height);
    if (scale == scale_) return;
    scale_ = scale;
    applyScale();
}

void DrillWindow::attach(Drill& drill) { drill_ = &drill; }

void DrillWindow::clicked(int index) {
    const auto& table = controlTable();
    if (drill_ == nullptr || index < 0 || index >= static_cast<int>(table.size())) return;
    const layout::DesignedControl& control = table[static_cast<std::size_t>(index)];
    if (control.kind == layout::ControlKind::TypeBox) {
        typeBoxClicked();
    } else {
        layout::pressDesignedButton(*drill_, control.name);
    }
}

void DrillWindow::typeBoxClicked() {
    TypeTicks ticked{};
    for (int type = 0; type < kProblemTypeCount; ++type)
        ticked[type] = page::isChecked(indexOf(layout::typeBox(type)));
    drill_->onTypeBoxesChanged(ticked);
}

void DrillWindow::timerWoke(int timer) {
    if (timer == kPaceTimer) paceTimer_.wake();
    if (timer == kStopwatchTimer) stopwatchTimer_.wake();
}

// A page that comes back from hidden or frozen gets its stopwatch's missed ticks at
// once, not at the next (throttled) wake-up.
void DrillWindow::pageWoke() {
    if (stopwatchTimer_.isActive()) stopwatchTimer_.wake();
}

// A label with text is read aloud as spoken (its operators as words); an empty one by
// its spoken name.
void DrillWindow::setCaption(const layout::Control& label, const std::string& caption,
                             const std::string& spoken) {
    const int index = indexOf(label);
    page::setCaption(index, caption,
                     caption.empty() ? controlTable()[static_cast<std::size_t>(index)].spokenName
                                     : spoken);
}

std::string DrillWindow::countText() const { return page::text(indexOf(layout::kCountBox)); }

std::string DrillWindow::intervalText() const { return page::text(indexOf(layout::kIntervalBox)); }

void DrillWindow::setProgressVisible(bool visible) {
    page::setVisible(indexOf(layout::kProgressLabel), visible);
}

void DrillWindow::setProgressCaption(const std::string& caption) {
    setCaption(layout::kProgressLabel, caption, caption);
}

void DrillWindow::setFlashVisible(bool visible) {
    page::setVisible(indexOf(layout::kFlashLabel), visible);
}

void DrillWindow::setFlashCaption(const std::string& caption) {
    setCaption(layout::kFlashLabel, caption, spokenLine(caption));
}

void DrillWindow::setSeparatorsVisible(bool visible) {
    for (int i = 0; i < layout::kSeparatorCount; ++i)
        page::setVisible(controlIndex(layout::sheetSeparator(i).objectName), visible);
}

void DrillWindow::showSheet(const std::vector<std::string>& lines) {
    hideSheet();
    for (std::size_t i = 0; i < lines.size() && i < layout::kSheetLabelCount; ++i) {
        const layout::Control label = layout::sheetLabel(static_cast<int>(i));
        setCaption(label, lines[i], problemAnnouncement(static_cast<int>(i) + 1, lines[i]));
        page::setVisible(indexOf(label), true);
    }
}

void DrillWindow::hideSheet() {
    for (int i = 0; i < layout::kSheetLabelCount; ++i)
        page::setVisible(indexOf(layout::sheetLabel(i)), false);
}

void DrillWindow::setStopwatchReading(const std::string& reading) {
    setCaption(layout::kStopwatchLabel, reading, spokenReading(reading));
}

void DrillWindow::setPaceInterval(int milliseconds) {
    if (milliseconds > 0) {
        paceTimer_.start(milliseconds);
    } else {
        paceTimer_.stop();
    }
}

void DrillWindow::setStopwatchRunning(bool running) {
    if (running) {
        stopwatchTimer_.start(kStopwatchTickMs);
    } else {
        stopwatchTimer_.stop();
    }
}

void DrillWindow::focusStopButton() { page::focus(indexOf(layout::kStopButton)); }

void DrillWindow::announce(const std::string& text, Announcing how) {
    page::announce(text, how == Announcing::InsteadOfTheRest);
}

void DrillWindow::rejectCount() {
    page::showMessage(kCountRejectedTitle, kCountRejectedText, kCountRejectedButton);
}

}  // namespace zelkor::web
