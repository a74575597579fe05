// The button table's geometry and hit test.
#include "button_panel.h"

#include <gtest/gtest.h>

namespace {

ButtonList SetupTable() {
    ButtonList table = {};
    for (int i = 1; i <= SetupButtonCount; ++i)
        PlaceButton(table.Entries[i], i);
    return table;
}

TEST(ButtonPanel, PlacesTheThreeButtons) {
    ButtonList table = SetupTable();
    const uint16_t expected[][4] = {{35, 30, 110, 60}, {35, 90, 110, 120}, {35, 150, 110, 180}};
    for (int i = 1; i <= 3; ++i) {
        const ButtonRecord& b = table.Entries[i];
        EXPECT_EQ(b.Left, expected[i - 1][0]) << "button " << i;
        EXPECT_EQ(b.Top, expected[i - 1][1]) << "button " << i;
        EXPECT_EQ(b.Right, expected[i - 1][2]) << "button " << i;
        EXPECT_EQ(b.Bottom, expected[i - 1][3]) << "button " << i;
    }
}

TEST(ButtonPanel, HitTestIncludesEveryEdgeAndNothingOutside) {
    ButtonList table = SetupTable();
    for (int i = 1; i <= 3; ++i) {
        const ButtonRecord& b = table.Entries[i];
        int midX = (b.Left + b.Right) / 2, midY = (b.Top + b.Bottom) / 2;
        const struct {
            int x, y, expected;
        } points[] = {
            {b.Left, midY, i},       {b.Right, midY, i},     {midX, b.Top, i},
            {midX, b.Bottom, i},     {b.Left, b.Top, i},     {b.Right, b.Bottom, i},
            {b.Left - 1, midY, 0},   {b.Right + 1, midY, 0}, {midX, b.Top - 1, 0},
            {midX, b.Bottom + 1, 0},
        };
        for (const auto& p : points)
            EXPECT_EQ(ButtonAt(table, 3, p.x, p.y), p.expected)
                << "button " << i << " at (" << p.x << ", " << p.y << ")";
    }
}

TEST(ButtonPanel, NegativePointsNeverMatch) {
    ButtonList table = SetupTable();
    table.Entries[1].Left = 0; // a button at the client area's corner
    table.Entries[1].Top = 0;
    EXPECT_EQ(ButtonAt(table, 3, 0, 0), 1);
    EXPECT_EQ(ButtonAt(table, 3, -1, 0), 0);
    EXPECT_EQ(ButtonAt(table, 3, 0, -1), 0);
    EXPECT_EQ(ButtonAt(table, 3, -65536 + 40, 40), 0) << "no wrap to 16 bits";
}

TEST(ButtonPanel, OnlyTheFirstCountButtonsTakePart) {
    ButtonList table = SetupTable();
    EXPECT_EQ(ButtonAt(table, 0, 40, 40), 0);
    EXPECT_EQ(ButtonAt(table, 1, 40, 100), 0);
    EXPECT_EQ(ButtonAt(table, 2, 40, 100), 2);
    table.Entries[2] = table.Entries[1]; // overlapping buttons: the first one wins
    EXPECT_EQ(ButtonAt(table, 3, 40, 40), 1);
}

} // namespace
