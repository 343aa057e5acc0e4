// A smaller storm on the real window: mouse clicks, the space bar, pasted texts and
// real timer ticks go through Qt and the widget adapters, with the same invariants as
// the storm on the handlers. Each sequence starts from a fresh window. Seeded:
// ZELKOR_STORM_SEED=<seed> replays one sequence's events (its ticks follow the clock).
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <random>

#include "form1_fixture.h"
#include "problem_check.h"
#include "stopwatch_display.h"

namespace zelkor::testing {
namespace {

const QStringList kTexts = {
    "",   " ",     "5",      "20",  "21",  "1",  "0",   "0.01", "0.002", "19.5",         "-0",
    "-1", "1e400", "1e-400", "nan", "inf", "５", "0,5", "3abc", " 1 2",  "\u0001\u007f", "1e12"};

class Form1EventStorm : public Form1Test {
  protected:
    void SetUp() override {
        Form1Test::SetUp();
        // Rejected counts open the modal message box; answer it as a user would.
        closer_.setInterval(0);
        QObject::connect(&closer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        closer_.start();
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QString step() {
        static const char* kButtons[] = {"Command1", "Command2", "Command3", "Command4"};
        switch (pick(6)) {
            case 0: {
                const char* name = kButtons[pick(4)];
                click(button(name));
                if (name == std::string("Command2") || name == std::string("Command3"))
                    snapshot(name);
                if (name == std::string("Command1") && form->state().problemNo == 1)
                    sheetShown_ = false;
                return name;
            }
            case 1: {
                const int box = pick(12);
                click(check(box));
                return QStringLiteral("Check1(%1)").arg(box);
            }
            case 2: {
                QLineEdit* box = textBox(pick(2) ? "Text1" : "Text2");
                box->setText(kTexts[pick(kTexts.size())]);
                return box->objectName() + " pasted";
            }
            case 3: {
                QWidget* focused = QApplication::focusWidget();
                if (focused == nullptr) return "no focus";
                const bool sheetButton =
                    focused == button("Command2") || focused == button("Command3");
                const bool startButton = focused == button("Command1");
                QTest::keyClick(focused, Qt::Key_Space);
                if (sheetButton) snapshot(focused->objectName().toLatin1().constData());
                if (startButton && form->state().problemNo == 1) sheetShown_ = false;
                return "space on " + focused->objectName();
            }
            default:
                QTest::qWait(pick(6));
                return "wait";
        }
    }

    void snapshot(const char* sheetButton) {
        const auto& source = sheetButton == std::string("Command3") ? form->state().problemLines
                                                                    : form->state().answerLines;
        sheet_.assign(source.begin() + (source.empty() ? 0 : 1), source.end());
        sheetShown_ = true;
    }

    std::string broken() {
        const FormState& s = form->state();
        if (s.problemNo > s.problemTotal + 1) return "problemNo passed problemTotal + 1";
        for (int k = 1; k <= 20; ++k) {
            const bool shown = sheetShown_ && k <= static_cast<int>(sheet_.size());
            if (sheet(k)->isVisible() != shown)
                return "Label6(" + std::to_string(k) + ") visibility";
            if (shown && sheet(k)->text().toStdString() != sheet_[k - 1]) return "Label6 caption";
        }
        for (int k = 1; k < static_cast<int>(s.answerLines.size()); ++k) {
            const std::string& answer = s.answerLines[k];
            if (answer.empty()) continue;
            if (answer.rfind(s.problemLines[k], 0) != 0) return "answer does not extend problem";
            bool legal = false;
            for (int type = 0; type < 9 && !legal; ++type)
                legal = ruleViolation(type, answer).empty();
            if (!legal) return "illegal problem " + answer;
        }
        if (form->timer2().isTicking() && s.elapsedMs > 0 &&
            label("Label8")->text().toStdString() != stopwatchCaption(s.elapsedMs))
            return "stopwatch display";
        int count = 0;
        for (int i = 0; i < 9; ++i) {
            if (!check(i)->isChecked()) continue;
            if (count >= s.types.typeCount || s.types.typeList[count] != i) return "typeList";
            ++count;
        }
        return count == s.types.typeCount ? "" : "typeCount";
    }

    std::mt19937_64 random_;
    QTimer closer_;
    std::vector<std::string> sheet_;
    bool sheetShown_ = false;

  public:
    void reseed(unsigned long long seed) { random_.seed(seed); }
};

TEST_F(Form1EventStorm, InvariantsHoldThroughRandomClicksKeysTextsAndTicks) {
    constexpr int kSequences = 300;
    constexpr int kEvents = 25;
    unsigned long long first = 1, last = kSequences;
    if (const char* replay = std::getenv("ZELKOR_STORM_SEED")) first = last = std::stoull(replay);
    for (unsigned long long seed = first; seed <= last; ++seed) {
        reseed(seed);
        openForm();
        sheet_.clear();
        sheetShown_ = false;
        for (int i = 0; i < kEvents; ++i) {
            const QString event = step();
            const std::string problem = broken();
            ASSERT_EQ(problem, "")
                << "sequence " << seed << ", event " << i << " (" << event.toStdString() << ")";
        }
    }
    std::printf("window storm: %llu sequences, %llu events\n", last - first + 1,
                (last - first + 1) * kEvents);
}

}  // namespace
}  // namespace zelkor::testing
