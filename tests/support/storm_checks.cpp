#include "storm_checks.h"

#include <cstdlib>
#include <string>

#include "problem_check.h"

namespace zelkor::testing {

const std::vector<std::string>& hostileTexts() {
    static const std::vector<std::string> texts = {
        "",
        " ",
        "\t\n",
        "5",
        "20",
        "21",
        "1",
        "0",
        "0.01",
        "19.5",
        "2.5",
        "20.3",
        "-0",
        "-1",
        "1e400",
        "-1e400",
        "1e-400",
        "1e12",
        "nan",
        "inf",
        "\xEF\xBC\x95" /* ５ */,
        "0,5",
        "3abc",
        " 1 2",
        "0.0005",
        "0.0015",
        "\x01\x02\x7F",
        "\xFF\xFE\xC0" /* bad UTF-8 */,
        std::string(1 << 20, '9'),
        std::string("1") + std::string(100000, '0') + "e-99999",
    };
    return texts;
}

namespace {

// A tenth of a second a tick: minutes wrap after 59, tenths and seconds as counted.
std::string readingAfter(long long ticks) {
    const long long minutes = ticks / 600 % 60;
    const long long seconds = ticks / 10 % 60;
    const long long tenths = ticks % 10;
    return std::to_string(minutes) + ":" + std::to_string(seconds) + ":" + std::to_string(tenths);
}

std::string brokenSheet(const StormSnapshot& snapshot, const ExpectedSheet& expected) {
    for (int i = 0; i < kSheetSize; ++i) {
        const bool shown = expected.shown && i < static_cast<int>(expected.lines.size());
        if (snapshot.sheet[i].visible != shown) {
            return std::string("sheet label ") + std::to_string(i) + (shown ? " hidden" : " shown");
        }
        if (shown && snapshot.sheet[i].caption != expected.lines[i]) {
            return std::string("sheet label ") + std::to_string(i) + " reads " +
                   snapshot.sheet[i].caption;
        }
    }
    return "";
}

std::string brokenLines(const DrillState& s) {
    for (std::size_t i = 0; i < s.answerLines.size(); ++i) {
        const std::string& answer = s.answerLines[i];
        if (answer.empty()) continue;
        if (answer.rfind(s.problemLines[i], 0) != 0) return "answer does not extend problem";
        bool legal = false;
        for (int type = 0; type < kProblemTypeCount && !legal; ++type) {
            legal = ruleViolation(type, answer).empty();
        }
        if (!legal) return "illegal problem " + answer;
    }
    return "";
}

std::string brokenTypeList(const StormSnapshot& snapshot) {
    int count = 0;
    for (int type = 0; type < kProblemTypeCount; ++type) {
        if (!snapshot.ticked[type]) continue;
        if (count >= snapshot.state->types.typeCount ||
            snapshot.state->types.typeList[count] != type) {
            return "typeList";
        }
        ++count;
    }
    return count == snapshot.state->types.typeCount ? "" : "typeCount";
}

}  // namespace

std::string brokenRule(const StormSnapshot& snapshot, const ExpectedSheet& expected) {
    const DrillState& s = *snapshot.state;
    if (s.nextProblem < 0 || s.nextProblem > s.problemTotal) return "nextProblem out of its run";
    if (s.problemLines.size() != static_cast<std::size_t>(s.problemTotal) ||
        s.answerLines.size() != s.problemLines.size()) {
        return "sheet lines sized wrongly";
    }
    if (std::string broken = brokenSheet(snapshot, expected); !broken.empty()) return broken;
    if (std::string broken = brokenLines(s); !broken.empty()) return broken;
    if (snapshot.stopwatchRunning && snapshot.stopwatchTicks > 0 &&
        snapshot.stopwatchReading != readingAfter(snapshot.stopwatchTicks)) {
        return std::string("stopwatch shows ") + snapshot.stopwatchReading + " after " +
               std::to_string(snapshot.stopwatchTicks) + " ticks";
    }
    return brokenTypeList(snapshot);
}

int stormSequences(int byHand) {
    const char* configured = std::getenv("ZELKOR_STORM_SEQUENCES");
    const int sequences = configured != nullptr ? std::atoi(configured) : 0;
    return sequences > 0 ? sequences : byHand;
}

}  // namespace zelkor::testing
