#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls.h"
#include "random_source.h"
#include "type_selection.h"

namespace zelkor {

// The controls of the main window that the handlers act on. Control arrays are held
// as the window numbers them; use the accessors for their members.
struct FormControls {
    Label& label1;                         // the flash label: the problem being made
    Label& label7;                         // the progress label: 第N道
    Label& label8;                         // the stopwatch display
    std::array<Label*, 20> label6Members;  // Label6(1..20), the sheet
    std::array<Line*, 3> line1;            // Line1(0..2), the column separators
    std::array<CheckBox*, kTypeBoxCount> check1;
    TextBox& text1;         // the problem count
    TextBox& text2;         // seconds between problems
    Button& command4;       // "停止"
    IntervalTimer& timer1;  // paces the run
    IntervalTimer& timer2;  // drives the stopwatch
    MessageBox& messageBox;

    Label& label6(int k) const { return *label6Members[k - 1]; }  // REQUIRES: 1 <= k <= 20
};

// The window-level variables, all zero or empty at start.
struct FormState {
    TypeSelection types;
    std::int16_t currentType = 0;
    std::int16_t problemTotal = 0;  // problems of the latest accepted run, 1..20
    std::int16_t problemNo = 0;     // 1-based number of the next problem to make
    // Indices 0..problemTotal; entry 0 is unused, entry k is problem k.
    std::vector<std::string> problemLines;
    std::vector<std::string> answerLines;
    double elapsedMs = 0.0;  // the stopwatch, raised by exactly 100 per tick
};

inline constexpr int kMaxProblemCount = 20;
inline constexpr int kSheetLabelCount = 20;
inline constexpr int kRunStartIntervalMs = 1;
inline constexpr int kStopwatchTickMs = 100;
inline constexpr const char* kCountRejectedText = "出题的数量最多20题！";
inline constexpr const char* kCountRejectedTitle = "请注意";
inline constexpr const char* kStopwatchZero = "0:0:0";

// The main window's handlers. Each runs to completion on the UI thread; they share
// the window-level state and act on the window only through FormControls.
class DrillForm {
  public:
    DrillForm(const FormControls& controls, RandomSource& random);

    // Any box of Check1 was clicked (index 0..11); rebuilds the type list.
    void Check1_Click(int index);
    // "出题": checks the count and starts a run of that many problems.
    void Command1_Click();
    // One tick of the run: makes the next problem, or ends the run.
    void Timer1_Timer();
    // Makes problem problemNo of type currentType, and sets the pace on problem 1.
    void makeProblem();
    // "式题": the sheet without answers; starts the stopwatch from zero.
    void Command3_Click();
    // "答案": the sheet with answers; stops the stopwatch.
    void Command2_Click();
    // One stopwatch tick.
    void Timer2_Timer();
    // "停止": stops the stopwatch.
    void Command4_Click();

    const FormState& state() const { return state_; }

  private:
    void startRun(int count);
    void endRun();
    void layOutSheet(const std::vector<std::string>& source);

    FormControls controls_;
    RandomSource& random_;
    FormState state_;
};

}  // namespace zelkor
