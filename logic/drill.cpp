#include "drill.h"

#include <cmath>

#include "announcements.h"
#include "number_reading.h"
#include "pace.h"
#include "problem_generator.h"
#include "rounding.h"
#include "stopwatch_display.h"

namespace zelkor {

Drill::Drill(DrillView& view, RandomSource& random) : view_(view), random_(random) {}

void Drill::onTypeBoxesChanged(const TypeTicks& ticked) {
    rebuildTypeSelection(state_.types, ticked);
}

void Drill::onStartClicked() {
    // Whether or not the count is accepted, the stopwatch stops and clears and the
    // sheet's lines go; only an accepted count clears the sheet itself.
    view_.setProgressVisible(true);
    view_.focusStopButton();
    stopStopwatch();  // silently: a new run is no stop the user asked to hear
    showStopwatchReading(kStopwatchZero);
    view_.setSeparatorsVisible(false);

    // Both limits are checked on the number as typed, before rounding: 20.3 and 0.9
    // are refused although they would round into range.
    const double count = readLeadingNumber(view_.countText());
    if (count > kMaxProblemCount || count < 1) {
        view_.rejectCount();
        return;
    }
    startRun(static_cast<int>(roundHalfEven(count)));
}

void Drill::startRun(int count) {
    view_.hideSheet();
    view_.setFlashVisible(true);
    state_.problemTotal = count;
    view_.setPaceInterval(kRunStartIntervalMs);
    state_.answerLines.assign(count, std::string());
    state_.problemLines.assign(count, std::string());
    state_.nextProblem = 0;
}

void Drill::onPaceTick() {
    // Every tick draws a type, the end tick too, so that each tick reseeds and draws
    // alike.
    random_.reseedFromClock();
    const double r = random_.nextFraction();
    const auto i = static_cast<int>(std::floor(r * state_.types.typeCount));
    state_.currentType = state_.types.typeList[i];

    if (state_.problemTotal == 0) return;  // no run yet: the pace never ticks then
    if (state_.nextProblem == state_.problemTotal) {
        endRun();
        return;
    }
    // A run's first problem ends what is still to be said of anything before it.
    const int place = state_.nextProblem + 1;
    view_.setProgressCaption(progressCaption(place));
    view_.announce(problemAnnouncement(place, makeProblem()),
                   place == 1 ? Announcing::InsteadOfTheRest : Announcing::AfterTheRest);
}

void Drill::endRun() {
    view_.setProgressVisible(false);
    view_.setPaceInterval(0);
    view_.setFlashCaption("");
    view_.setFlashVisible(false);
}

std::string Drill::makeProblem() {
    const int index = state_.nextProblem;
    const ShownProblem problem = drawProblem(state_.currentType, random_);
    const std::string problemLine = problemLineOf(problem);
    view_.setFlashCaption(problemLine);
    state_.answerLines[index] = answerLineOf(problem);
    state_.problemLines[index] = problemLine;

    // The whole run's pace is fixed while its first problem is made; a change of the
    // interval box during a run takes effect with the next run.
    if (index == 0) view_.setPaceInterval(paceIntervalMs(view_.intervalText()));
    ++state_.nextProblem;
    return problemLine;
}

void Drill::onSheetClicked() {
    view_.setStopwatchRunning(true);
    state_.stopwatchRunning = true;
    state_.elapsedMs = 0.0;
    layOutSheet(state_.problemLines);
    announceSheet(state_.problemLines, Announcing::InsteadOfTheRest);
}

void Drill::onAnswersClicked() {
    const bool stopped = stopStopwatch();
    layOutSheet(state_.answerLines);
    if (stopped) announceReading(Announcing::InsteadOfTheRest);
    announceSheet(state_.answerLines,
                  stopped ? Announcing::AfterTheRest : Announcing::InsteadOfTheRest);
}

// The sheet is read out line by line, as a pupil who sees it would read it; the lines
// of problems not yet made (式题 during a run) are empty and left out.
void Drill::announceSheet(const std::vector<std::string>& lines, Announcing first) {
    Announcing how = first;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        view_.announce(problemAnnouncement(static_cast<int>(i) + 1, lines[i]), how);
        how = Announcing::AfterTheRest;
    }
}

void Drill::layOutSheet(const std::vector<std::string>& lines) {
    view_.focusStopButton();
    view_.setSeparatorsVisible(true);
    view_.showSheet(lines);
}

void Drill::onStopwatchTick() {
    // The stopwatch counts ticks, not clock time: a late tick never makes it skip.
    state_.elapsedMs += kStopwatchTickMs;
    showStopwatchReading(stopwatchCaption(state_.elapsedMs));
}

void Drill::onStopClicked() {
    if (stopStopwatch()) announceReading(Announcing::AfterTheRest);
}

bool Drill::stopStopwatch() {
    view_.setStopwatchRunning(false);
    const bool wasRunning = state_.stopwatchRunning;
    state_.stopwatchRunning = false;
    return wasRunning;
}

void Drill::showStopwatchReading(const std::string& reading) {
    state_.stopwatchReading = reading;
    view_.setStopwatchReading(reading);
}

// Said only when a click is what stopped the stopwatch: a second 停止 has nothing new
// to tell. What is said is what the display shows, which 式题 leaves as it was until
// the first tick, said as a time.
void Drill::announceReading(Announcing how) {
    view_.announce(spokenReading(state_.stopwatchReading), how);
}

}  // namespace zelkor
