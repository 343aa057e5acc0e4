#pragma once

#include <string>
#include <vector>

#include "drill_view.h"
#include "random_source.h"
#include "type_selection.h"

namespace zelkor {

inline constexpr int kMaxProblemCount = 20;
inline constexpr int kSheetSize = 20;  // sheet labels: four columns, five rows
static_assert(kSheetSize >= kMaxProblemCount, "the sheet has a label for every problem");
inline constexpr int kRunStartIntervalMs = 1;
inline constexpr int kStopwatchTickMs = 100;
inline constexpr const char* kCountRejectedText = "出题的数量最多20题！";
inline constexpr const char* kCountRejectedTitle = "请注意";
inline constexpr const char* kCountRejectedButton = "确定";  // its one button, OK
inline constexpr const char* kStopwatchZero = "0:0:0";

// What the drill remembers, all zero or empty at start.
struct DrillState {
    TypeSelection types;
    ProblemType currentType = 0;  // the type of the problem being made
    int problemTotal = 0;         // problems of the latest accepted run, 1..20; 0 before
    int nextProblem = 0;          // index of the next problem to make, 0..problemTotal
    // problemTotal entries each: problem i without and with its answer, empty until made.
    std::vector<std::string> problemLines;
    std::vector<std::string> answerLines;
    double elapsedMs = 0.0;  // the stopwatch, raised by exactly kStopwatchTickMs per tick
    bool stopwatchRunning = false;
    std::string stopwatchReading = kStopwatchZero;  // as displayed
};

// The drill: a run of problems flashed one per pace tick, the sheet with and without
// answers, and the stopwatch. Each flashed problem is announced with its place in the
// run, the sheet's problems (or answers) when it is laid out, and the stopwatch's
// reading when the user stops it, all in words (announcements.h). A new run, sheet or
// answer sheet ends what is still to be said of the one before.
//
// The handlers run on the UI thread, one at a time, and act on the window only through
// its DrillView. One exception to "one at a time": a refused count's message box
// (DrillView::rejectCount) is modal and, on the desktop, runs a nested event loop, in
// which the timers keep ticking; onStartClicked has then done everything it does for a
// refused count and does nothing after the box closes, so the ticks meet the drill as
// the refusal left it and a run in progress goes on to its end. A browser cannot wait
// inside a handler, and its rejectCount returns while the message is still open: the
// same holds there, as nothing follows the call.
class Drill {
  public:
    // view and random must outlive the drill.
    Drill(DrillView& view, RandomSource& random);

    // A type box was ticked or unticked; ticked holds the boxes of types 0..8.
    void onTypeBoxesChanged(const TypeTicks& ticked);
    // "出题": reads the count box, checks the count and starts a run.
    void onStartClicked();
    // One pace tick: makes the next problem, or ends the run. The pace is read from the
    // interval box (seconds) while the first problem is made, and only then.
    void onPaceTick();
    // "式题": the sheet without answers; starts the stopwatch from zero.
    void onSheetClicked();
    // "答案": the sheet with answers; stops the stopwatch.
    void onAnswersClicked();
    // "停止" (or the space bar on it): stops the stopwatch.
    void onStopClicked();
    // One stopwatch tick.
    void onStopwatchTick();

    const DrillState& state() const { return state_; }

  private:
    void startRun(int count);
    void endRun();
    std::string makeProblem();
    bool stopStopwatch();  // true when it was running
    void announceReading(Announcing how);
    void announceSheet(const std::vector<std::string>& lines, Announcing first);
    void showStopwatchReading(const std::string& reading);
    void layOutSheet(const std::vector<std::string>& lines);

    DrillView& view_;
    RandomSource& random_;
    DrillState state_;
};

}  // namespace zelkor
