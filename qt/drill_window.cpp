#include "drill_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <limits>

#include "application_setup.h"
#include "control_table.h"
#include "number_box.h"
#include "song_font.h"

namespace zelkor {
namespace {

constexpr int kMessageBoxMinimumWidth = 260;
QColor toQColor(layout::Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }
const QColor kBlack = toQColor(layout::kBlack);

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

const layout::DesignedControl& designOf(int index) {
    return layout::controlTable()[static_cast<std::size_t>(index)];
}

}  // namespace

DrillWindow::DrillWindow(SkinCall skinCall, QWidget* parent)
    : QWidget(parent), skinCall_(std::move(skinCall)) {
    setObjectName(layout::kWindow.objectName);
    setWindowTitle(QString::fromUtf8(layout::kTitle));
    setWindowIcon(programIcon());
    // The layout is fixed: nothing would move or grow with the window, so the title bar
    // offers no maximise button (a Qt-drawn one on Wayland would toggle to no effect).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The message box, a window of its own, takes the same palette.
    setAttribute(Qt::WA_WindowPropagation);
    setPalette(designPalette());
    announcer_ = new Announcer(this);
    clock_.start();
    for (int timer = 0; timer < static_cast<int>(wakeTimers_.size()); ++timer) {
        QTimer& wake = wakeTimers_[static_cast<std::size_t>(timer)];
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        connect(&wake, &QTimer::timeout, this, [this, timer] { portable_->timerWoke(timer); });
    }
    // A late stopwatch tick is not made up for: the stopwatch counts the ticks it gets.
    portable_ = std::make_unique<layout::PortableWindow>(*this, MissedTicks::Skip);
    // The focus ring shows from the start, not only after the first Tab: a pupil who
    // presses the space bar can see which button it will press.
    setAttribute(Qt::WA_KeyboardFocusChange);
    if (!skinCall_()) applyOwnLook();
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

QWidget* DrillWindow::createControl(int index) {
    const layout::DesignedControl& design = designOf(index);
    QWidget* parent = design.frame.empty() ? this : controls_[layout::controlIndex(design.frame)];
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
            connect(button, &QPushButton::clicked, this,
                    [this, index] { portable_->clicked(index); });
            return button;
        }
        case layout::ControlKind::TypeBox: {
            auto* box = new QCheckBox(caption, parent);
            // toggled fires after every change of the tick, by mouse, keyboard or program.
            connect(box, &QCheckBox::toggled, this, [this, index] { portable_->clicked(index); });
            return box;
        }
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

// Each control of the table as its kind's widget, stacked under the controls of a higher
// layer already made in its frame, so that the table's stacking holds where controls
// overlap (the flash labels over the sheet).
void DrillWindow::makeControl(int index) {
    const layout::DesignedControl& design = designOf(index);
    QWidget* widget = createControl(index);
    widget->setObjectName(QString::fromStdString(design.name));
    if (design.textColour) setTextColour(widget, toQColor(*design.textColour));
    if (design.background) setBackground(widget, toQColor(*design.background));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->parentWidget() == widget->parentWidget() &&
            designOf(static_cast<int>(i)).layer > design.layer) {
            widget->stackUnder(controls_[i]);
            break;
        }
    }
    if (!design.visibleAtStart) widget->hide();
    controls_.push_back(widget);
}

layout::ControlSurface::Toolkit DrillWindow::toolkit() const { return {Nesting::InFrames, false}; }

int DrillWindow::lineHeight(double fontPixels, bool bold) const {
    return QFontMetrics(songFont(fontPixels * 72.0 / 96.0, bold)).height();
}

void DrillWindow::placeControl(int index, const layout::PixelRect& place, double fontPixels,
                               bool centredLine) {
    QWidget* widget = controls_[static_cast<std::size_t>(index)];
    widget->setGeometry(place.left, place.top, place.width, place.height);
    const layout::DesignedControl& design = designOf(index);
    if (design.kind == layout::ControlKind::Separator) return;
    widget->setFont(songFont(fontPixels * 72.0 / 96.0, design.font.bold));
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setAlignment(Qt::AlignHCenter | (centredLine ? Qt::AlignVCenter : Qt::AlignTop));
}

void DrillWindow::setWindowSize(int width, int height) { setFixedSize(width, height); }

void DrillWindow::setFocusOrder(const std::vector<int>& indices) {
    for (std::size_t i = 1; i < indices.size(); ++i)
        setTabOrder(controls_[indices[i - 1]], controls_[indices[i]]);
}

void DrillWindow::setCaption(int index, const std::string& caption, const std::string& spoken) {
    auto* label = static_cast<QLabel*>(controls_[static_cast<std::size_t>(index)]);
    label->setText(QString::fromStdString(caption));
    label->setAccessibleName(QString::fromStdString(spoken));
}

void DrillWindow::setVisible(int index, bool visible) {
    controls_[static_cast<std::size_t>(index)]->setVisible(visible);
}

std::string DrillWindow::text(int index) const {
    return static_cast<QLineEdit*>(controls_[static_cast<std::size_t>(index)])
        ->text()
        .toStdString();
}

bool DrillWindow::isChecked(int index) const {
    return static_cast<QCheckBox*>(controls_[static_cast<std::size_t>(index)])->isChecked();
}

void DrillWindow::focus(int index) {
    controls_[static_cast<std::size_t>(index)]->setFocus(Qt::OtherFocusReason);
}

void DrillWindow::announce(const std::string& text, Announcing how) {
    announcer_->say(QString::fromStdString(text), how);
}

void DrillWindow::showMessage(const std::string& title, const std::string& text,
                              const std::string& button) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, this);
    box.setObjectName("message");
    box.button(QMessageBox::Ok)->setText(QString::fromStdString(button));
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

std::int64_t DrillWindow::nowMicroseconds() const { return clock_.nsecsElapsed() / 1000; }

// Qt's precise timers keep to the millisecond: the wake-up comes at the deadline's
// millisecond or after it, never before.
void DrillWindow::wakeAt(int timer, std::int64_t microseconds) {
    const std::int64_t left = microseconds - nowMicroseconds();
    const double ms = std::ceil(static_cast<double>(std::max<std::int64_t>(left, 0)) / 1000.0);
    wakeTimers_[static_cast<std::size_t>(timer)].start(
        static_cast<int>(std::min(ms, static_cast<double>(std::numeric_limits<int>::max()))));
}

void DrillWindow::cancelWake(int timer) { wakeTimers_[static_cast<std::size_t>(timer)].stop(); }

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

// The area the window may take is the screen's work area (the screen less its panels)
// less the window's frame, which keeps its size whatever the layout does.
void DrillWindow::fitToScreen() {
    const QScreen* screen = windowHandle() != nullptr ? windowHandle()->screen() : nullptr;
    if (screen == nullptr) return;
    QMargins frame = windowHandle()->frameMargins();
    // Before a window manager has framed the window its frame is unknown: allow for a
    // title bar, and look again once the frame is known (moveEvent).
    frameGuessed_ = frame.isNull();
    if (frameGuessed_) frame = QMargins(0, style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    const QRect area = screen->availableGeometry();
    const double before = portable_->layoutScale();
    portable_->fitTo(area.width() - frame.left() - frame.right(),
                     area.height() - frame.top() - frame.bottom());
    // A window's position is its frame's.
    const double scale = portable_->layoutScale();
    if (scale != before && scale < 1.0) move(area.topLeft());
}

}  // namespace zelkor
