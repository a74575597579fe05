// Stored values become settings: a usable value counts, anything else gives that setting's
// default and leaves the others alone.
#include "saver_settings.h"

#include <gtest/gtest.h>

namespace {

constexpr StoredValue Missing = {false, 0, 0, 0};

constexpr StoredValue Dword(uint32_t value) {
    return {true, StoredDwordType, 4, value};
}

TEST(SaverSettings, ReadFromStoredValues) {
    constexpr ClockStyle Clockwork = ClockStyle::Clockwork, Digital = ClockStyle::Digital;
    // Each unusable value below would read as something other than its default if it counted;
    // the usable ones beside it still count.
    const struct {
        const char* Name;
        StoredValue Values[SettingCount];
        SaverSettings Expected;
    } cases[] = {
        {"nothing stored", {Missing, Missing, Missing}, {Clockwork, true, true}},
        {"style out of range", {Dword(2), Dword(0), Dword(0)}, {Clockwork, false, false}},
        {"switches out of range", {Dword(1), Dword(2), Dword(0xFFFFFFFF)}, {Digital, true, true}},
        {"binary and big-endian",
         {{true, 3, 4, 1}, {true, 5, 4, 0}, Dword(0)},
         {Clockwork, true, false}},
        {"too short, empty, too long",
         {{true, StoredDwordType, 2, 1},
          {true, StoredDwordType, 0, 0},
          {true, StoredDwordType, 8, 0}},
         {Clockwork, true, true}},
    };
    for (const auto& c : cases) {
        SaverSettings settings = SettingsFromStored(c.Values);
        EXPECT_EQ(settings.Style, c.Expected.Style) << c.Name;
        EXPECT_EQ(settings.SecondHand, c.Expected.SecondHand) << c.Name;
        EXPECT_EQ(settings.Hours24, c.Expected.Hours24) << c.Name;
    }
}

} // namespace
