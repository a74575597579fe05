// The main loop's key handling.
#include "key_handling.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyHandling, UpAndDownWrapAround) {
    const struct {
        uint16_t key, before, after;
    } cases[] = {
        {VirtualKeyUp, 1, 3},   {VirtualKeyUp, 2, 1},   {VirtualKeyUp, 3, 2},
        {VirtualKeyDown, 1, 2}, {VirtualKeyDown, 2, 3}, {VirtualKeyDown, 3, 1},
    };
    for (const auto& c : cases) {
        uint16_t selected = c.before;
        EXPECT_EQ(HandleKey(c.key, selected, 3), KeyOutcome::Nothing);
        EXPECT_EQ(selected, c.after) << "key " << c.key << " from " << c.before;
    }
}

TEST(KeyHandling, EnterActivatesAndEscapeExitsWhateverIsSelected) {
    for (uint16_t selected = 1; selected <= 3; ++selected) {
        uint16_t s = selected;
        EXPECT_EQ(HandleKey(VirtualKeyReturn, s, 3), KeyOutcome::ActivateButton);
        EXPECT_EQ(s, selected);
        EXPECT_EQ(HandleKey(VirtualKeyEscape, s, 3), KeyOutcome::Exit);
        EXPECT_EQ(s, selected);
    }
}

TEST(KeyHandling, OtherKeysChangeNothing) {
    // Left, right, space, A, F1, Tab, Home, Select.
    for (int key : {37, 39, 32, 65, 112, 9, 36, 41}) {
        uint16_t selected = 2;
        EXPECT_EQ(HandleKey(static_cast<uint16_t>(key), selected, 3), KeyOutcome::Nothing)
            << "key " << key;
        EXPECT_EQ(selected, 2) << "key " << key;
    }
}

} // namespace
