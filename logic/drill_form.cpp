#include "drill_form.h"

#include <cmath>

#include "number_reading.h"
#include "pace.h"
#include "problem_generator.h"
#include "rounding.h"
#include "stopwatch_display.h"

namespace zelkor {

DrillForm::DrillForm(const FormControls& controls, RandomSource& random)
    : controls_(controls), random_(random) {}

void DrillForm::Check1_Click(int /*index*/) {
    // Every click rebuilds from all the type boxes, so the list never depends on which
    // box was clicked or in what order; the placeholder boxes 9..11 are never read.
    std::array<bool, kProblemTypeCount> ticked{};
    for (int type = 0; type < kProblemTypeCount; ++type) {
        ticked[type] = controls_.check1[type]->value() == 1;
    }
    rebuildTypeSelection(state_.types, ticked);
}

void DrillForm::Command1_Click() {
    controls_.label7.setVisible(true);
    controls_.command4.takeFocus();
    controls_.timer2.setInterval(0);
    controls_.label8.setCaption(kStopwatchZero);
    for (Line* line : controls_.line1) line->setVisible(false);

    // Both limits are checked on the number as typed, before rounding: 20.3 and 0.9
    // are refused although they would round into range.
    const double count = readLeadingNumber(controls_.text1.text());
    if (count > kMaxProblemCount || count < 1) {
        controls_.messageBox.show(kCountRejectedText, kCountRejectedTitle);
        return;
    }
    startRun(static_cast<int>(roundHalfEven(count)));
}

void DrillForm::startRun(int count) {
    for (int k = 1; k <= kSheetLabelCount; ++k) controls_.label6(k).setVisible(false);
    controls_.label1.setVisible(true);
    state_.problemTotal = static_cast<std::int16_t>(count);
    controls_.timer1.setInterval(kRunStartIntervalMs);
    state_.answerLines.assign(count + 1, std::string());
    state_.problemLines.assign(count + 1, std::string());
    state_.problemNo = 1;
}

void DrillForm::Timer1_Timer() {
    random_.reseedFromClock();
    const double r = random_.nextFraction();
    const auto i = static_cast<int>(std::floor(r * state_.types.typeCount));
    state_.currentType = state_.types.typeList[i];

    if (state_.problemNo == state_.problemTotal + 1) {
        endRun();
        return;
    }
    controls_.label7.setCaption("第" + std::to_string(state_.problemNo) + "道");
    makeProblem();
}

void DrillForm::endRun() {
    controls_.label7.setVisible(false);
    controls_.timer1.setInterval(0);
    controls_.label1.setCaption("");
    controls_.label1.setVisible(false);
}

void DrillForm::makeProblem() {
    const int no = state_.problemNo;
    // The run only calls this for 1 <= problemNo <= problemTotal; a stray tick
    // outside a run must not write past the arrays.
    if (no < 1 || no >= static_cast<int>(state_.problemLines.size())) return;

    const ShownProblem problem = drawProblem(state_.currentType, random_);
    const std::string problemLine = problemLineOf(problem);
    controls_.label1.setCaption(problemLine);
    state_.answerLines[no] = answerLineOf(problem);
    state_.problemLines[no] = problemLine;

    // The whole run's pace is fixed while its first problem is made; a change of the
    // interval box during a run takes effect with the next run.
    if (no == 1) controls_.timer1.setInterval(paceIntervalMs(controls_.text2.text()));
    ++state_.problemNo;
}

void DrillForm::Command3_Click() {
    controls_.timer2.setInterval(kStopwatchTickMs);
    state_.elapsedMs = 0.0;
    layOutSheet(state_.problemLines);
}

void DrillForm::Command2_Click() {
    controls_.timer2.setInterval(0);
    layOutSheet(state_.answerLines);
}

void DrillForm::layOutSheet(const std::vector<std::string>& source) {
    controls_.command4.takeFocus();
    for (Line* line : controls_.line1) line->setVisible(true);
    for (int k = 1; k <= kSheetLabelCount; ++k) controls_.label6(k).setVisible(false);
    for (int k = 1; k <= state_.problemTotal; ++k) {
        controls_.label6(k).setCaption(source[k]);
        controls_.label6(k).setVisible(true);
    }
}

void DrillForm::Timer2_Timer() {
    // The stopwatch counts ticks, not clock time: a late tick never makes it skip.
    state_.elapsedMs += kStopwatchTickMs;
    controls_.label8.setCaption(stopwatchCaption(state_.elapsedMs));
}

void DrillForm::Command4_Click() { controls_.timer2.setInterval(0); }

}  // namespace zelkor
