// A smaller storm on the real window: mouse clicks, the space bar, pasted texts and
// real timer ticks go through Qt and the widgets, with the same rules as the storm on
// the drill. Each sequence starts from a fresh window. Seeded: ZELKOR_STORM_SEED=<seed>
// replays one sequence's events (its ticks follow the clock).
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <random>

#include "storm_checks.h"
#include "window_fixture.h"

namespace zelkor::testing {
namespace {

// The hostile texts a window can take in a storm's stride: the megabyte ones have a
// test of their own (window_long_text_test), as QLineEdit lays such a line out slowly.
std::vector<QString> pasteableTexts() {
    std::vector<QString> texts;
    for (const std::string& text : hostileTexts()) {
        if (text.size() <= 4096) texts.push_back(QString::fromStdString(text));
    }
    return texts;
}

class DrillWindowEventStorm : public DrillWindowTest {
  protected:
    void SetUp() override {
        DrillWindowTest::SetUp();
        // Rejected counts open the modal message box; answer it as a user would.
        closer_.setInterval(0);
        QObject::connect(&closer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        closer_.start();
    }


    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Presses button as a user would (a click or the space bar) and notes what the
    // sheet must show afterwards.
    void press(QPushButton* pressed, bool bySpace) {
        if (bySpace) {
            QTest::keyClick(pressed, Qt::Key_Space);
        } else {
            click(pressed);
        }
        if (pressed == button(layout::kSheetButton)) {
            sheet_ = {true, state().problemLines};
        } else if (pressed == button(layout::kAnswersButton)) {
            sheet_ = {true, state().answerLines};
        } else if (pressed == button(layout::kStartButton) && state().nextProblem == 0) {
            sheet_.shown = false;  // an accepted start (a rejected one leaves nextProblem)
        }
    }

    QString step() {
        static const layout::Control kButtons[] = {layout::kStartButton, layout::kAnswersButton,
                                                   layout::kSheetButton, layout::kStopButton};
        switch (pick(6)) {
            case 0: {
                QPushButton* pressed = button(kButtons[pick(4)]);
                press(pressed, false);
                return "click " + pressed->objectName();
            }
            case 1: {
                const int box = pick(layout::kTypeBoxCount);
                click(typeBox(box));
                return "click type box " + QString::number(box);
            }
            case 2: {
                QLineEdit* box = textBox(pick(2) ? layout::kCountBox : layout::kIntervalBox);
                box->setText(texts_[pick(static_cast<int>(texts_.size()))]);
                return box->objectName() + " pasted";
            }
            case 3: {
                QWidget* focused = QApplication::focusWidget();
                if (focused == nullptr) return "no focus";
                if (auto* pressed = qobject_cast<QPushButton*>(focused)) {
                    press(pressed, true);
                } else {
                    QTest::keyClick(focused, Qt::Key_Space);
                }
                return "space on " + focused->objectName();
            }
            default:
                QTest::qWait(pick(6));
                return "wait";
        }
    }

    std::string broken() const {
        StormSnapshot snapshot;
        snapshot.state = &state();
        for (int type = 0; type < kProblemTypeCount; ++type) {
            snapshot.ticked[type] = typeBox(type)->isChecked();
        }
        for (int i = 0; i < kSheetSize; ++i) {
            snapshot.sheet[i] = {sheet(i)->isVisible(), sheet(i)->text().toStdString()};
        }
        snapshot.stopwatchRunning = window->portable().stopwatchRunning();
        snapshot.stopwatchReading = label(layout::kStopwatchLabel)->text().toStdString();
        return brokenRule(snapshot, sheet_);
    }

    std::mt19937_64 random_;
    QTimer closer_;
    ExpectedSheet sheet_;
    const std::vector<QString> texts_ = pasteableTexts();
};

TEST_F(DrillWindowEventStorm, InvariantsHoldThroughRandomClicksKeysTextsAndTicks) {
    constexpr int kEvents = 25;
    unsigned long long first = 1;
    unsigned long long last = stormSequences(30);
    if (const char* replay = std::getenv("ZELKOR_STORM_SEED")) first = last = std::stoull(replay);
    for (unsigned long long seed = first; seed <= last; ++seed) {
        random_.seed(seed);
        openWindow();
        sheet_ = {};
        for (int i = 0; i < kEvents; ++i) {
            const QString event = step();
            ASSERT_EQ(broken(), "")
                << "sequence " << seed << ", event " << i << " (" << event.toStdString() << ")";
        }
    }
    std::printf("window storm: %llu sequences, %llu events\n", last - first + 1,
                (last - first + 1) * kEvents);
}

}  // namespace
}  // namespace zelkor::testing
