// The clock's drift: slow, always inside its range, and all the way across it.
#include "clock_drift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct DriftCase {
    int RangeX, RangeY, Step;
};

class ClockDriftTest : public testing::TestWithParam<DriftCase> {};

TEST_P(ClockDriftTest, StaysInsideAndCrossesTheWholeRange) {
    const DriftCase& c = GetParam();
    Drift drift;
    StartDrift(drift, c.RangeX, c.RangeY, c.Step);
    EXPECT_EQ(drift.X, c.RangeX / 2);
    EXPECT_EQ(drift.Y, c.RangeY / 2);
    int lowX = drift.X, highX = drift.X, lowY = drift.Y, highY = drift.Y;
    // Enough ticks to cross either range a few times.
    int ticks = 4 * (c.RangeX + c.RangeY) / c.Step + 10;
    for (int tick = 0; tick < ticks; ++tick) {
        int x = drift.X, y = drift.Y;
        AdvanceDrift(drift, c.RangeX, c.RangeY);
        ASSERT_GE(drift.X, 0) << "tick " << tick;
        ASSERT_LE(drift.X, c.RangeX) << "tick " << tick;
        ASSERT_GE(drift.Y, 0) << "tick " << tick;
        ASSERT_LE(drift.Y, c.RangeY) << "tick " << tick;
        ASSERT_LE(std::abs(drift.X - x), c.Step) << "tick " << tick;
        ASSERT_LE(std::abs(drift.Y - y), c.Step) << "tick " << tick;
        lowX = std::min(lowX, drift.X);
        highX = std::max(highX, drift.X);
        lowY = std::min(lowY, drift.Y);
        highY = std::max(highY, drift.Y);
    }
    // Within a step of both edges on both axes: nothing stays lit in one place.
    EXPECT_LT(lowX, c.Step);
    EXPECT_GT(highX, c.RangeX - c.Step);
    EXPECT_LT(lowY, c.Step);
    EXPECT_GT(highY, c.RangeY - c.Step);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ClockDriftTest,
                         testing::Values(DriftCase{400, 624, 1}, DriftCase{35, 85, 1},
                                         DriftCase{1459, 1440, 5}, DriftCase{7, 3, 2},
                                         DriftCase{1, 1, 1}, DriftCase{0, 0, 1},
                                         DriftCase{3, 2, 50}));

TEST(ClockDrift, ComesBackIntoARangeThatShrank) {
    Drift drift;
    StartDrift(drift, 1000, 800, 2);
    AdvanceDrift(drift, 100, 50);
    EXPECT_LE(drift.X, 100);
    EXPECT_LE(drift.Y, 50);
    AdvanceDrift(drift, -5, -1);
    EXPECT_EQ(drift.X, 0);
    EXPECT_EQ(drift.Y, 0);
}

TEST(ClockDrift, StepIsSlowButNeverStill) {
    for (int thickness : {0, 1, 3, 11, 16, 61, 200}) {
        int step = DriftStepFor(thickness);
        EXPECT_GE(step, 1) << thickness;
        EXPECT_LE(step, std::max(1, thickness / 10)) << thickness;
    }
}

} // namespace
