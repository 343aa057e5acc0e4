#include "drill_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <map>
#include <string_view>

#include "announcements.h"
#include "application_setup.h"
#include "skin.h"
#include "song_font.h"

namespace zelkor {
namespace {

constexpr int kMessageBoxMinimumWidth = 260;
QColor toQColor(layout::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }
const QColor kBlack = toQColor(layout::kBlack);
const QColor kLightBlue = toQColor(layout::kLightBlue);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The window is designed light: black text, light-blue flash labels. A desktop with a
// dark scheme would give it dark backgrounds under that black text, so the window
// keeps a light palette of its own whatever the desktop's scheme.
QPalette designPalette() {
    QPalette palette(QColor(239, 239, 239));  // Fusion's light window grey
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    palette.setColor(QPalette::Text, kBlack);
    palette.setColor(QPalette::WindowText, kBlack);
    palette.setColor(QPalette::ButtonText, kBlack);
    palette.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, kBlack);
    return palette;
}

// The design's 32 x 32, 256-colour icon first, then larger renderings of the same
// picture for task switchers and high-density screens.
QIcon programIcon() {
    QIcon icon(QStringLiteral(":/zelkor/org.zelkor.Zelkor-32.png"));
    for (int size : {48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/zelkor/org.zelkor.Zelkor-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

// A label with text is read aloud as spoken (its operators as words); an empty one
// would otherwise borrow its frame's caption, so it gets a name that says what it is.
void setCaption(QLabel* label, const std::string& caption, const std::string& spoken,
                const QString& nameWhenEmpty) {
    label->setText(QString::fromStdString(caption));
    label->setAccessibleName(caption.empty() ? nameWhenEmpty : QString::fromStdString(spoken));
}

QString spokenNameOf(const layout::Control& control) {
    return QString::fromStdString(layout::designedControl(control.objectName).spokenName);
}

QString sheetLabelName(int i) { return QString::fromStdString(layout::sheetLabelSpokenName(i)); }

// A timer ticks every milliseconds while that is positive; 0 stops it. Starting a
// timer counts its next tick afresh from now.
void setTicking(QTimer& timer, int milliseconds) {
    if (milliseconds > 0) {
        timer.start(milliseconds);
    } else {
        timer.stop();
        timer.setInterval(0);
    }
}

}  // namespace

DrillWindow::SkinCall DrillWindow::defaultSkinCall() {
    return [] { return attachSkin(); };
}

DrillWindow::DrillWindow(SkinCall skinCall, QWidget* parent)
    : QWidget(parent), skinCall_(std::move(skinCall)) {
    setObjectName(layout::kWindow.objectName);
    setWindowTitle(QString::fromUtf8(layout::kTitle));
    setWindowIcon(programIcon());
    // The layout is fixed: nothing would move or grow with the window, so the title bar
    // offers no maximise button (a Qt-drawn one on Wayland would toggle to no effect).
    setFixedSize(designSize());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The message box, a window of its own, takes the same palette.
    setAttribute(Qt::WA_WindowPropagation);
    setPalette(designPalette());

    buildControls();
    setStopwatchReading(kStopwatchZero);  // and its name, said as a time
    announcer_ = new Announcer(this);
    // Qt's precise timers schedule each tick from when the previous one was due, so
    // delays in handling a tick never add up over a run or on the stopwatch.
    paceTimer_.setTimerType(Qt::PreciseTimer);
    paceTimer_.setObjectName(layout::kPaceTimerName);
    stopwatchTimer_.setTimerType(Qt::PreciseTimer);
    stopwatchTimer_.setObjectName(layout::kStopwatchTimerName);

    setFocusOrder();
    answersButton_->setFocus(Qt::OtherFocusReason);
    // The focus ring shows from the start, not only after the first Tab: a pupil who
    // presses the space bar can see which button it will press.
    setAttribute(Qt::WA_KeyboardFocusChange);
    attachSkinOrOwnLook();
}

DrillWindow::~DrillWindow() {
    // The timers call into the drill; silence them before it goes.
    paceTimer_.stop();
    stopwatchTimer_.stop();
}

void DrillWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The layout is fixed, so a maximised or full-screen window would only frame the same
    // controls in empty space. A title bar that offers maximising regardless (Qt's own
    // on Wayland) gets the window straight back, and its button keeps its meaning.
    if (event->type() == QEvent::WindowStateChange &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    }
}

QSize DrillWindow::designSize() {
    const layout::PixelRect client = layout::toPixels(layout::kWindow.place);
    return {client.width, client.height};
}

void DrillWindow::place(QWidget* widget, QRect designed, std::optional<layout::Font> font) {
    placed_.push_back({widget, designed, font});
    applyScale(placed_.back());
}

// A control at the window's scale: place and size each scaled and rounded, the font's
// point size scaled. Labels draw from the top, as designed; where the font's line is
// taller than the label (the stopwatch: 36 pt in 41 pixels) the Ming face's larger
// ascent would push the digits' feet out of it, so the line is centred instead.
void DrillWindow::applyScale(const Placed& placed) const {
    const QRect& d = placed.designed;
    placed.widget->setGeometry(layout::scaleBy(d.x(), scale_), layout::scaleBy(d.y(), scale_),
                               layout::scaleBy(d.width(), scale_),
                               layout::scaleBy(d.height(), scale_));
    if (!placed.font) return;
    const QFont font = songFont(placed.font->points * scale_, placed.font->bold);
    placed.widget->setFont(font);
    if (auto* label = qobject_cast<QLabel*>(placed.widget)) {
        const bool tall =
            layout::centresLineVertically(QFontMetrics(font).height(), label->height());
        label->setAlignment(Qt::AlignHCenter | (tall ? Qt::AlignVCenter : Qt::AlignTop));
    }
}

void DrillWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (screenWatched_ || windowHandle() == nullptr) return;
    screenWatched_ = true;
    connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* screen) {
        watchScreen(screen);
        fitToScreen();
    });
    watchScreen(windowHandle()->screen());
    fitToScreen();
}

void DrillWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager that frames the window moves it into its frame.
    if (frameGuessed_ && !windowHandle()->frameMargins().isNull()) fitToScreen();
}

void DrillWindow::watchScreen(QScreen* screen) {
    disconnect(screenConnection_);
    if (screen != nullptr) {
        screenConnection_ =
            connect(screen, &QScreen::availableGeometryChanged, this, [this] { fitToScreen(); });
    }
}

// Where the designed window does not fit the screen's work area (the screen less its
// panels), the whole layout shrinks until it does; where it fits, it stays as designed.
void DrillWindow::fitToScreen() {
    const QScreen* screen = windowHandle() != nullptr ? windowHandle()->screen() : nullptr;
    if (screen == nullptr) return;
    QMargins frame = windowHandle()->frameMargins();
    // Before a window manager has framed the window its frame is unknown: allow for a
    // title bar, and look again once the frame is known (moveEvent).
    frameGuessed_ = frame.isNull();
    if (frameGuessed_) frame = QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QRect area = screen->availableGeometry();
    const QSize design = designSize();
    // The frame keeps its size whatever the layout does: the client area alone shrinks.
    const double scale = layout::fitFactor(design.width(), design.height(),
                                           area.width() - frame.left() - frame.right(),
                                           area.height() - frame.top() - frame.bottom());
    if (scale == scale_) return;
    scale_ = scale;
    for (const Placed& placed : placed_) applyScale(placed);
    setFixedSize(layout::scaleBy(design.width(), scale_), layout::scaleBy(design.height(), scale_));
    // A window's position is its frame's.
    if (scale_ < 1.0) move(area.topLeft());
}

void DrillWindow::attachSkinOrOwnLook() {
    if (!skinCall_()) applyOwnLook();
}

QWidget* DrillWindow::createControl(const layout::DesignedControl& design, QWidget* parent) {
    const QString caption = QString::fromStdString(design.caption);
    const QString spokenName = QString::fromStdString(design.spokenName);
    switch (design.kind) {
        case layout::ControlKind::Frame:
            return new QGroupBox(caption, parent);
        case layout::ControlKind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setTextFormat(Qt::PlainText);
            if (caption.isEmpty()) label->setAccessibleName(spokenName);
            return label;
        }
        case layout::ControlKind::NumberBox: {
            auto* box = new NumberBox(caption, parent);
            box->setAccessibleName(spokenName);
            return box;
        }
        case layout::ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            // No button is the window's default: Enter and keypad Enter press the button
            // that has the focus, as on Windows and most Linux desktops (an auto-default
            // button clicks on Enter while focused), and Escape does nothing.
            button->setAutoDefault(true);
            button->setDefault(false);
            return button;
        }
        case layout::ControlKind::TypeBox:
            return new QCheckBox(caption, parent);
        case layout::ControlKind::Separator: {
            // A line is a strip as wide as the line, filled with the text colour.
            auto* line = new QFrame(parent);
            setBackground(line, parent->palette().color(QPalette::WindowText));
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            line->setAccessibleName(spokenName);
            return line;
        }
    }
    return nullptr;
}

// Every control of the layout table, each made on top of those before it, so that the
// table's stacking holds where controls overlap (the flash labels over the sheet).
void DrillWindow::buildControls() {
    std::map<std::string, QWidget*> frames;
    for (const layout::DesignedControl* design : layout::bottomUpOrder()) {
        QWidget* parent = design->frame.empty() ? this : frames.at(design->frame);
        QWidget* widget = createControl(*design, parent);
        widget->setObjectName(QString::fromStdString(design->name));
        if (design->kind == layout::ControlKind::Frame) frames[design->name] = widget;
        if (design->textColour) setTextColour(widget, toQColor(*design->textColour));
        if (design->background) setBackground(widget, toQColor(*design->background));
        const layout::PixelRect& p = design->inFrame;
        const bool line = design->kind == layout::ControlKind::Separator;
        place(widget, QRect(p.left, p.top, p.width, p.height),
              line ? std::nullopt : std::optional(design->font));
        if (!design->visibleAtStart) widget->hide();
    }
    // Qt 6.8 looks children up only by classes with their own meta-object, which the
    // number box has no need of.
    countBox_ = static_cast<NumberBox*>(child<QLineEdit>(layout::kCountBox));
    intervalBox_ = static_cast<NumberBox*>(child<QLineEdit>(layout::kIntervalBox));
    startButton_ = child<QPushButton>(layout::kStartButton);
    sheetButton_ = child<QPushButton>(layout::kSheetButton);
    answersButton_ = child<QPushButton>(layout::kAnswersButton);
    stopButton_ = child<QPushButton>(layout::kStopButton);
    progressLabel_ = child<QLabel>(layout::kProgressLabel);
    flashLabel_ = child<QLabel>(layout::kFlashLabel);
    stopwatchLabel_ = child<QLabel>(layout::kStopwatchLabel);
    for (int i = 0; i < layout::kTypeBoxCount; ++i)
        typeBoxes_[i] = child<QCheckBox>(layout::typeBox(i));
    for (int i = 0; i < layout::kSheetLabelCount; ++i)
        sheetLabels_[i] = child<QLabel>(layout::sheetLabel(i));
    for (int i = 0; i < layout::kSeparatorCount; ++i) {
        sheetSeparators_[i] =
            findChild<QFrame*>(QString::fromLatin1(layout::sheetSeparator(i).objectName));
    }
}

void DrillWindow::attach(Drill& drill) {
    drill_ = &drill;
    // toggled fires after every change of the tick, by mouse, keyboard or program.
    for (QCheckBox* box : typeBoxes_) {
        connect(box, &QCheckBox::toggled, this, [this] { typeBoxToggled(); });
    }
    connect(startButton_, &QPushButton::clicked, this, [this] { drill_->onStartClicked(); });
    connect(sheetButton_, &QPushButton::clicked, this, [this] { drill_->onSheetClicked(); });
    connect(answersButton_, &QPushButton::clicked, this, [this] { drill_->onAnswersClicked(); });
    connect(stopButton_, &QPushButton::clicked, this, [this] { drill_->onStopClicked(); });
    connect(&paceTimer_, &QTimer::timeout, this, [this] { drill_->onPaceTick(); });
    connect(&stopwatchTimer_, &QTimer::timeout, this, [this] { drill_->onStopwatchTick(); });
}

void DrillWindow::typeBoxToggled() {
    TypeTicks ticked{};
    for (int type = 0; type < kProblemTypeCount; ++type)
        ticked[type] = typeBoxes_[type]->isChecked();
    drill_->onTypeBoxesChanged(ticked);
}

void DrillWindow::setFocusOrder() {
    QWidget* previous = nullptr;
    for (std::string_view name : layout::kFocusOrder) {
        auto* next = findChild<QWidget*>(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
}

std::string DrillWindow::countText() const { return countBox_->text().toStdString(); }

std::string DrillWindow::intervalText() const { return intervalBox_->text().toStdString(); }

void DrillWindow::setProgressVisible(bool visible) { progressLabel_->setVisible(visible); }

void DrillWindow::setProgressCaption(const std::string& caption) {
    setCaption(progressLabel_, caption, caption, spokenNameOf(layout::kProgressLabel));
}

void DrillWindow::setFlashVisible(bool visible) { flashLabel_->setVisible(visible); }

void DrillWindow::setFlashCaption(const std::string& caption) {
    setCaption(flashLabel_, caption, spokenLine(caption), spokenNameOf(layout::kFlashLabel));
}

void DrillWindow::setSeparatorsVisible(bool visible) {
    for (QFrame* line : sheetSeparators_) line->setVisible(visible);
}

void DrillWindow::showSheet(const std::vector<std::string>& lines) {
    hideSheet();
    for (std::size_t i = 0; i < lines.size() && i < sheetLabels_.size(); ++i) {
        const int place = static_cast<int>(i) + 1;
        setCaption(sheetLabels_[i], lines[i], problemAnnouncement(place, lines[i]),
                   sheetLabelName(static_cast<int>(i)));
        sheetLabels_[i]->show();
    }
}

void DrillWindow::hideSheet() {
    for (QLabel* label : sheetLabels_) label->hide();
}

void DrillWindow::setStopwatchReading(const std::string& reading) {
    stopwatchLabel_->setText(QString::fromStdString(reading));
    stopwatchLabel_->setAccessibleName(QString::fromStdString(spokenReading(reading)));
}

void DrillWindow::setPaceInterval(int milliseconds) { setTicking(paceTimer_, milliseconds); }

void DrillWindow::setStopwatchRunning(bool running) {
    setTicking(stopwatchTimer_, running ? kStopwatchTickMs : 0);
}

void DrillWindow::focusStopButton() { stopButton_->setFocus(Qt::OtherFocusReason); }

void DrillWindow::announce(const std::string& text, Announcing how) {
    announcer_->say(QString::fromStdString(text), how);
}

void DrillWindow::rejectCount() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kCountRejectedTitle),
                    QString::fromUtf8(kCountRejectedText), QMessageBox::Ok, this);
    box.setObjectName("countRejectedMessage");
    // A title and a close button, nothing else: Qt's own decorations on Wayland would
    // otherwise add minimise and maximise buttons and cut the title short.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    // Qt's own Wayland title bar (where the compositor draws none) keeps three buttons
    // whatever the flags say and clips the title to the room left of them; a box as
    // narrow as its text would show "请注:". A spacer across the box's grid widens it.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(kMessageBoxMinimumWidth, 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace zelkor
