// Pacing and stopwatch accuracy, measured on the real window and its event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <string>

#include "clock_random_source.h"
#include "drill.h"
#include "drill_window.h"
#include "figures.h"
#include "window_layout.h"

namespace zelkor::bench {
namespace {

// Notes the moment a widget is hidden: the end tick of a run hides the progress label.
class HideWatcher final : public QObject {
  public:
    explicit HideWatcher(QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) hiddenAtNs = clock_.nsecsElapsed();
        return QObject::eventFilter(watched, event);
    }
    qint64 hiddenAtNs = -1;

  private:
    QElapsedTimer& clock_;
};

// Handles events until done holds; after five minutes gives up, saying what it waited
// for, so that the bench never hangs.
void waitUntil(const std::function<bool()>& done, const char* what) {
    QElapsedTimer waited;
    waited.start();
    QTimer wake;  // wakes the wait below now and then, so that the bound is looked at
    wake.start(100);
    while (!done()) {
        if (waited.elapsed() > 300'000)
            throw std::runtime_error(std::string("waited 5 min for ") + what);
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// The program as main composes it, without the skin call.
struct DrillProgram {
    DrillProgram() { window.attach(drill); }
    DrillWindow window{[] { return std::optional<std::int32_t>(0); }};
    ClockRandomSource random;
    Drill drill{window.view(), random};
};

// Milliseconds from the click on 出题 to the end tick of a 20-problem run at 0.01 s.
double runDurationMs() {
    DrillProgram program;
    DrillWindow& window = program.window;
    window.show();
    window.findChild<QLineEdit*>(layout::kCountBox.objectName)->setText("20");
    window.findChild<QLineEdit*>(layout::kIntervalBox.objectName)->setText("0.01");
    QElapsedTimer clock;
    HideWatcher watcher(clock);
    window.findChild<QLabel*>(layout::kProgressLabel.objectName)->installEventFilter(&watcher);
    QApplication::processEvents();
    clock.start();
    window.findChild<QPushButton*>(layout::kStartButton.objectName)->click();
    waitUntil([&] { return watcher.hiddenAtNs >= 0; }, "the end tick of the run");
    return watcher.hiddenAtNs / 1e6;
}

// How far the stopwatch display is behind the wall clock once it reads `seconds`.
double stopwatchLagMs(int seconds) {
    DrillProgram program;
    DrillWindow& window = program.window;
    window.show();
    QApplication::processEvents();
    const double target = seconds * 1000.0;
    QElapsedTimer clock;
    qint64 reachedAtNs = -1;
    // A 1 ms poll finds the tick that reaches the target within a millisecond.
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (reachedAtNs < 0 && program.drill.state().elapsedMs >= target)
            reachedAtNs = clock.nsecsElapsed();
    });
    clock.start();
    window.findChild<QPushButton*>(layout::kSheetButton.objectName)->click();
    poll.start(1);
    waitUntil([&] { return reachedAtNs >= 0; }, "the stopwatch to reach its reading");
    return reachedAtNs / 1e6 - target;
}

}  // namespace

std::vector<Figure> windowFigures(const Options& options) {
    std::vector<double> runs;
    for (int i = 0; i < (options.quick ? 2 : 7); ++i) runs.push_back(runDurationMs());
    const Spread run = spreadOf(runs);
    const double ideal = 1 + 20 * 10;
    const int seconds = options.quick ? 5 : 60;
    const double lag = stopwatchLagMs(seconds);
    return {
        {"20-problem run at 0.01 s, ms (median of " + std::to_string(runs.size()) + ", min-max)",
         fixed(run.median, 1) + " (" + fixed(run.min, 1) + "-" + fixed(run.max, 1) + ")",
         "ideal " + fixed(ideal, 0) + " +/- 5 %",
         verdict(std::abs(run.median - ideal) <= 0.05 * ideal)},
        {"stopwatch behind the wall clock after " + std::to_string(seconds) + " s, ms",
         fixed(lag, 1), "<= 100 after 60 s", verdict(lag <= 100.0 * seconds / 60)},
    };
}

}  // namespace zelkor::bench
