// When pointer movement ends the full-screen saver.
#include "pointer_watch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Position {
    int X, Y;
};

struct WatchCase {
    const char* Name;
    std::vector<Position> Reports;
    int EndsAt; // index of the first report that ends the saver, -1 for none
};

class PointerWatchTest : public testing::TestWithParam<WatchCase> {};

TEST_P(PointerWatchTest, EndsOnlyOnARealMove) {
    const WatchCase& c = GetParam();
    PointerWatch watch = {};
    int endedAt = -1;
    for (size_t i = 0; i < c.Reports.size() && endedAt < 0; ++i)
        if (PointerMovedAway(watch, c.Reports[i].X, c.Reports[i].Y))
            endedAt = static_cast<int>(i);
    EXPECT_EQ(endedAt, c.EndsAt) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, PointerWatchTest,
    testing::Values(
        WatchCase{"the start position, reported again and again",
                  {{500, 400}, {500, 400}, {500, 400}},
                  -1},
        WatchCase{"a first report far from anything", {{-30000, 30000}}, -1},
        WatchCase{"jitter of a pixel or two",
                  {{500, 400}, {501, 400}, {499, 402}, {502, 398}, {500, 400}},
                  -1},
        WatchCase{"exactly the tolerance away",
                  {{500, 400}, {500 + PointerTolerance, 400}, {500, 400 - PointerTolerance}},
                  -1},
        WatchCase{"just past the tolerance", {{500, 400}, {500 + PointerTolerance, 401}}, 1},
        WatchCase{"a deliberate move", {{500, 400}, {500, 400}, {550, 400}}, 2},
        WatchCase{"small steps that add up", {{10, 10}, {12, 10}, {14, 10}, {16, 10}}, 3},
        WatchCase{"left of and above the window's origin", {{-2, -3}, {-1, -3}, {-20, -3}}, 2},
        WatchCase{"across the whole coordinate range", {{-32768, -32768}, {32767, 32767}}, 1}));

} // namespace
