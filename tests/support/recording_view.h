#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "drill.h"

namespace zelkor::testing {

// The window as the drill leaves it: what a user would see at this moment, starting
// from the window at program start. Timers tick only when a test says so.
class RecordingView final : public DrillView {
  public:
    struct SheetLabel {
        bool visible = false;
        std::string caption;
    };

    std::string countText() const override { return typedCount; }
    std::string intervalText() const override {
        ++intervalReads;
        return typedInterval;
    }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgressCaption(const std::string& caption) override { progressCaption = caption; }
    void setFlashVisible(bool visible) override { flashVisible = visible; }
    void setFlashCaption(const std::string& caption) override { flashCaption = caption; }
    void setSeparatorsVisible(bool visible) override { separatorsVisible = visible; }
    void showSheet(const std::vector<std::string>& lines) override {
        hideSheet();
        for (std::size_t i = 0; i < lines.size(); ++i) sheet.at(i) = {true, lines[i]};
    }
    void hideSheet() override {
        for (SheetLabel& label : sheet) label.visible = false;
    }
    void setStopwatchReading(const std::string& reading) override { stopwatchReading = reading; }
    void setPaceInterval(int milliseconds) override {
        paceIntervalMs = milliseconds;
        paceHistory.push_back(milliseconds);
    }
    void setStopwatchRunning(bool running) override { stopwatchRunning = running; }
    void focusStopButton() override { stopButtonHasFocus = true; }
    void announce(const std::string& text, Announcing how) override {
        announcements.push_back(text);
        if (how == Announcing::InsteadOfTheRest) freshStarts.push_back(announcements.size() - 1);
    }
    void rejectCount() override {
        ++rejections;
        // The message box's nested event loop: whatever ticks come while it is open.
        if (whileRejecting) whileRejecting();
    }

    std::string typedCount = "5";  // the boxes as the user left them
    std::string typedInterval = "0.01";
    mutable int intervalReads = 0;

    bool progressVisible = true;
    std::string progressCaption;
    bool flashVisible = true;
    std::string flashCaption;
    bool separatorsVisible = false;
    std::array<SheetLabel, kSheetSize> sheet{};
    std::string stopwatchReading = kStopwatchZero;
    int paceIntervalMs = 0;
    std::vector<int> paceHistory;  // every interval the pace was given, in order
    bool stopwatchRunning = false;
    bool stopButtonHasFocus = false;
    int rejections = 0;
    std::vector<std::string> announcements;  // everything said to a screen reader, in order
    std::vector<std::size_t> freshStarts;    // indexes of those that drop the rest unsaid
    std::function<void()> whileRejecting;
};

}  // namespace zelkor::testing
