#include "tick_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelkor {
namespace {

struct Delivery {
    std::int64_t at;  // when the platform delivers the wake-up
    int ticks;        // how many ticks it must hand on
    std::int64_t nextDue;
};

struct Case {
    const char* name;
    MissedTicks missed;
    std::vector<Delivery> deliveries;  // after start(0, 10)
};

// Deadlines keep to the grid start + n x interval while ticks come within an interval of
// it; later, skipped ticks start the grid afresh from the late one, caught-up ticks keep it.
TEST(TickSchedule, DeliversTicksOnAbsoluteDeadlines) {
    const std::vector<Case> cases{
        {"punctual", MissedTicks::Skip, {{10, 1, 20}, {20, 1, 30}, {30, 1, 40}}},
        {"early wake-ups deliver nothing", MissedTicks::Skip, {{9, 0, 10}, {10, 1, 20}}},
        {"a little late keeps the grid", MissedTicks::Skip, {{13, 1, 20}, {21, 1, 30}}},
        {"very late is not made up for", MissedTicks::Skip, {{45, 1, 55}, {55, 1, 65}}},
        {"late by exactly one interval", MissedTicks::Skip, {{20, 1, 30}, {30, 1, 40}}},
        {"catch-up counts every tick due", MissedTicks::CatchUp, {{45, 4, 50}, {50, 1, 60}}},
        {"catch-up after a frozen page", MissedTicks::CatchUp, {{100009, 10000, 100010}}},
        {"catch-up on time", MissedTicks::CatchUp, {{10, 1, 20}, {19, 0, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickSchedule schedule;
        schedule.start(0, 10);
        for (const Delivery& d : c.deliveries) {
            EXPECT_EQ(schedule.takeDue(d.at, c.missed), d.ticks) << "at " << d.at;
            EXPECT_EQ(schedule.nextDue(), d.nextDue) << "at " << d.at;
        }
    }
}

TEST(TickSchedule, StoppedOrRestartedScheduleForgetsTheOldDeadlines) {
    TickSchedule schedule;
    EXPECT_FALSE(schedule.running());
    EXPECT_EQ(schedule.takeDue(1000, MissedTicks::CatchUp), 0) << "never started";
    schedule.start(0, 100);
    schedule.stop();
    EXPECT_EQ(schedule.takeDue(1000, MissedTicks::CatchUp), 0) << "stopped";
    schedule.start(1000, 100);
    EXPECT_EQ(schedule.takeDue(1099, MissedTicks::CatchUp), 0) << "counted afresh from 1000";
    EXPECT_EQ(schedule.takeDue(1100, MissedTicks::CatchUp), 1);
}

}  // namespace
}  // namespace zelkor
