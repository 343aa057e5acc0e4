#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include "window_fixture.h"

namespace zelkor::testing {
namespace {

class DrillWindowLongText : public DrillWindowTest {};

// A megabyte typed or pasted into either box is read in bounded time, and the window
// keeps answering events.
TEST_F(DrillWindowLongText, MegabyteInEitherBoxIsReadQuicklyAndTheWindowStaysResponsive) {
    const QString megabyte(1 << 20, QChar('9'));
    QElapsedTimer clock;

    clock.start();
    textBox(layout::kIntervalBox)->setText(megabyte);
    textBox(layout::kCountBox)->setText("3");
    QApplication::processEvents();
    const qint64 setMs = clock.elapsed();
    clock.restart();
    click(button(layout::kStartButton));
    ASSERT_TRUE(QTest::qWaitFor([this] { return state().nextProblem == 1; }, 5000));
    const qint64 paceMs = clock.elapsed();
    EXPECT_EQ(window->portable().paceIntervalMs(), 2147483647) << "held at the longest interval";

    textBox(layout::kCountBox)->setText(megabyte);
    QApplication::processEvents();
    bool rejected = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            rejected = true;
            box->accept();
        }
    });
    clock.restart();
    click(button(layout::kStartButton));
    const qint64 countMs = clock.elapsed();
    EXPECT_TRUE(rejected);

    clock.restart();
    QApplication::processEvents();
    const qint64 idleMs = clock.elapsed();
    std::printf("set %lld ms, pace read %lld ms, count read %lld ms, event round %lld ms\n",
                static_cast<long long>(setMs), static_cast<long long>(paceMs),
                static_cast<long long>(countMs), static_cast<long long>(idleMs));
    // Linear reading takes about 10 ms here; one that went over the text again for each
    // character would take minutes. The bound leaves room for a loaded machine and for
    // the sanitizer build, which runs several times slower.
    constexpr qint64 kBoundMs = 1000;
    EXPECT_LT(paceMs, kBoundMs);
    EXPECT_LT(countMs, kBoundMs);
    EXPECT_LT(idleMs, kBoundMs);
}

}  // namespace
}  // namespace zelkor::testing
