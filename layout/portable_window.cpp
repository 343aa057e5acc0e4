#include "portable_window.h"

#include "announcements.h"

namespace zelkor::layout {
namespace {

// A font's size in designed pixels (96 to the inch) from its size in points.
double designedPixels(const Font& font) { return font.points * 96.0 / 72.0; }

int indexOf(const Control& control) { return controlIndex(control.objectName); }

}  // namespace

PortableWindow::PortableWindow(ControlSurface& surface, MissedTicks stopwatchMissed)
    : surface_(surface), toolkit_(surface.toolkit()) {
    // The pace skips the ticks it missed: a run never races to catch up.
    timers_[kPaceTimer].missed = MissedTicks::Skip;
    timers_[kStopwatchTimer].missed = stopwatchMissed;
    if (toolkit_.nesting == ControlSurface::Nesting::InWindow) {
        for (const DesignedControl* control : focusThenTopDownOrder())
            surface_.makeControl(controlIndex(control->name));
    } else {
        for (std::size_t i = 0; i < controlTable().size(); ++i)
            surface_.makeControl(static_cast<int>(i));
    }
    setStopwatchReading(kStopwatchZero);  // and what it says, as a time
    setWindowSize();
    placeControls();
    std::vector<int> focusOrder;
    for (std::string_view name : kFocusOrder) focusOrder.push_back(controlIndex(name));
    if (toolkit_.nesting == ControlSurface::Nesting::InFrames) surface_.setFocusOrder(focusOrder);
    surface_.focus(focusOrder.front());
}

PortableWindow::~PortableWindow() {
    // The wake-ups call into the drill; silence them before it goes.
    surface_.cancelWake(kPaceTimer);
    surface_.cancelWake(kStopwatchTimer);
}

void PortableWindow::attach(Drill& drill) { drill_ = &drill; }

// Where the designed window does not fit the area, the whole layout, fonts included,
// shrinks until it does; where it fits, it stays as designed. Where turning the screen
// (or widening a browser window) would show it much larger, the surface says so.
void PortableWindow::fitTo(int areaWidth, int areaHeight, double density) {
    if (toolkit_.turnHintRoom) {
        const PixelRect client = scaleBy(toPixels(kWindow.place), density);
        surface_.showTurnHint(
            turningWouldEnlarge(client.width, client.height, areaWidth, areaHeight));
    }
    const double scale = scaleFor(areaWidth, areaHeight, density);
    const bool rescaled = scale != scale_;
    scale_ = scale;
    setWindowSize();
    if (rescaled) placeControls();
}

// The window at the density, shrunk where it would not fit the area whole.
double PortableWindow::scaleFor(int areaWidth, int areaHeight, double density) {
    const PixelRect client = scaleBy(toPixels(kWindow.place), density);
    return density * fitFactor(client.width, client.height, areaWidth, areaHeight);
}

PixelRect PortableWindow::fittedWindow(int areaWidth, int areaHeight, double density) {
    return scaleBy(toPixels(kWindow.place), scaleFor(areaWidth, areaHeight, density));
}

void PortableWindow::setWindowSize() {
    const PixelRect client = scaleBy(toPixels(kWindow.place), scale_);
    surface_.setWindowSize(client.width, client.height);
}

// Each control at the scale, from the corner the surface places it from. A label whose
// text line is taller than the label (the stopwatch: 36 pt in 41 pixels) has its line
// centred, so that the glyphs' feet stay inside; the others draw from the top.
void PortableWindow::placeControls() {
    const auto& table = controlTable();
    const bool inFrame = toolkit_.nesting == ControlSurface::Nesting::InFrames;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const DesignedControl& control = table[i];
        const PixelRect place = scaleBy(inFrame ? control.inFrame : control.inWindow, scale_);
        const double font = designedPixels(control.font) * scale_;
        const bool centred = control.kind == ControlKind::Label &&
                             surface_.lineHeight(font, control.font.bold) > place.height;
        surface_.placeControl(static_cast<int>(i), place, font, centred);
    }
}

void PortableWindow::clicked(int index) {
    const auto& table = controlTable();
    if (drill_ == nullptr || index < 0 || index >= static_cast<int>(table.size())) return;
    switch (table[static_cast<std::size_t>(index)].action) {
        case Action::Start:
            drill_->onStartClicked();
            break;
        case Action::Sheet:
            drill_->onSheetClicked();
            break;
        case Action::Answers:
            drill_->onAnswersClicked();
            break;
        case Action::Stop:
            drill_->onStopClicked();
            break;
        case Action::TickType:
            typeBoxToggled();
            break;
        case Action::None:
            break;
    }
}

void PortableWindow::typeBoxToggled() {
    TypeTicks ticked{};
    for (int type = 0; type < kProblemTypeCount; ++type)
        ticked[type] = surface_.isChecked(indexOf(typeBox(type)));
    drill_->onTypeBoxesChanged(ticked);
}

void PortableWindow::timerWoke(int timer) {
    if (timer == kPaceTimer || timer == kStopwatchTimer) tick(timer);
}

// A page that comes back from hidden or frozen gets its stopwatch's missed ticks at
// once, not at the next (throttled) wake-up.
void PortableWindow::pageWoke() {
    if (timers_[kStopwatchTimer].schedule.running()) tick(kStopwatchTimer);
}

// Hands on the ticks that came due and asks for the next wake-up. A tick may stop or
// restart its timer: the ticks still owed to the old start are then void.
void PortableWindow::tick(int timer) {
    Timer& t = timers_[timer];
    const unsigned start = t.starts;
    const int due = t.schedule.takeDue(surface_.nowMicroseconds(), t.missed);
    for (int i = 0; i < due && start == t.starts && drill_ != nullptr; ++i) {
        if (timer == kPaceTimer) {
            drill_->onPaceTick();
        } else {
            drill_->onStopwatchTick();
        }
    }
    if (start == t.starts) wakeForNextDue(timer);
}

void PortableWindow::setTicking(int timer, int intervalMs) {
    Timer& t = timers_[timer];
    t.intervalMs = intervalMs;
    ++t.starts;
    if (intervalMs > 0) {
        t.schedule.start(surface_.nowMicroseconds(), static_cast<std::int64_t>(intervalMs) * 1000);
        wakeForNextDue(timer);
    } else {
        t.schedule.stop();
        surface_.cancelWake(timer);
    }
}

void PortableWindow::wakeForNextDue(int timer) {
    const TickSchedule& schedule = timers_[timer].schedule;
    if (schedule.running()) surface_.wakeAt(timer, schedule.nextDue());
}

// A label with text is read aloud as spoken (its operators as words); an empty one by
// the name the table gives it.
void PortableWindow::setCaption(const Control& label, const std::string& caption,
                                const std::string& spoken) {
    const int index = indexOf(label);
    surface_.setCaption(
        index, caption,
        caption.empty() ? controlTable()[static_cast<std::size_t>(index)].spokenName : spoken);
}

std::string PortableWindow::countText() const { return surface_.text(indexOf(kCountBox)); }

std::string PortableWindow::intervalText() const { return surface_.text(indexOf(kIntervalBox)); }

void PortableWindow::setProgressVisible(bool visible) {
    surface_.setVisible(indexOf(kProgressLabel), visible);
}

void PortableWindow::setProgressCaption(const std::string& caption) {
    setCaption(kProgressLabel, caption, caption);
}

void PortableWindow::setFlashVisible(bool visible) {
    surface_.setVisible(indexOf(kFlashLabel), visible);
}

void PortableWindow::setFlashCaption(const std::string& caption) {
    setCaption(kFlashLabel, caption, spokenLine(caption));
}

void PortableWindow::setSeparatorsVisible(bool visible) {
    for (int i = 0; i < kSeparatorCount; ++i)
        surface_.setVisible(controlIndex(sheetSeparator(i).objectName), visible);
}

void PortableWindow::showSheet(const std::vector<std::string>& lines) {
    hideSheet();
    for (std::size_t i = 0; i < lines.size() && i < kSheetLabelCount; ++i) {
        const Control label = sheetLabel(static_cast<int>(i));
        setCaption(label, lines[i], problemAnnouncement(static_cast<int>(i) + 1, lines[i]));
        surface_.setVisible(indexOf(label), true);
    }
}

void PortableWindow::hideSheet() {
    for (int i = 0; i < kSheetLabelCount; ++i) surface_.setVisible(indexOf(sheetLabel(i)), false);
}

void PortableWindow::setStopwatchReading(const std::string& reading) {
    setCaption(kStopwatchLabel, reading, spokenReading(reading));
}

void PortableWindow::setPaceInterval(int milliseconds) { setTicking(kPaceTimer, milliseconds); }

void PortableWindow::setStopwatchRunning(bool running) {
    setTicking(kStopwatchTimer, running ? kStopwatchTickMs : 0);
}

void PortableWindow::focusStopButton() { surface_.focus(indexOf(kStopButton)); }

void PortableWindow::announce(const std::string& text, Announcing how) {
    surface_.announce(text, how);
}

void PortableWindow::rejectCount() {
    surface_.showMessage(kCountRejectedTitle, kCountRejectedText, kCountRejectedButton);
}

}  // namespace zelkor::layout
