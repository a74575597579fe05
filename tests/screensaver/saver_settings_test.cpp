// Stored values become settings: a usable value counts, anything else gives that setting's
// default and leaves the others alone.
#include "saver_settings.h"

#include <gtest/gtest.h>

namespace {

constexpr StoredValue Missing = {false, 0, 0, 0};

constexpr StoredValue Dword(uint32_t value) {
    return {true, StoredDwordType, 4, value};
}

struct SettingsCase {
    const char* Name;
    StoredValue Style, SecondHand, Hours24;
    SaverSettings Expected;
};

class SaverSettingsTest : public testing::TestWithParam<SettingsCase> {};

TEST_P(SaverSettingsTest, ReadFromStoredValues) {
    const SettingsCase& c = GetParam();
    const StoredValue values[SettingCount] = {c.Style, c.SecondHand, c.Hours24};
    SaverSettings settings = SettingsFromStored(values);
    EXPECT_EQ(settings.Style, c.Expected.Style) << c.Name;
    EXPECT_EQ(settings.SecondHand, c.Expected.SecondHand) << c.Name;
    EXPECT_EQ(settings.Hours24, c.Expected.Hours24) << c.Name;
}

constexpr ClockStyle Clockwork = ClockStyle::Clockwork, Digital = ClockStyle::Digital;

INSTANTIATE_TEST_SUITE_P(
    Values, SaverSettingsTest,
    testing::Values(
        SettingsCase{"nothing stored", Missing, Missing, Missing, {Clockwork, true, true}},
        SettingsCase{"all set", Dword(1), Dword(0), Dword(0), {Digital, false, false}},
        SettingsCase{
            "all at their defaults", Dword(0), Dword(1), Dword(1), {Clockwork, true, true}},
        SettingsCase{"style out of range", Dword(2), Dword(0), Dword(0), {Clockwork, false, false}},
        SettingsCase{
            "switches out of range", Dword(1), Dword(2), Dword(0xFFFFFFFF), {Digital, true, true}},
        SettingsCase{"a string where a number belongs",
                     {true, 1, 2, '1'},
                     Dword(0),
                     Dword(0),
                     {Clockwork, false, false}},
        SettingsCase{"big-endian numbers",
                     {true, 5, 4, 0},
                     {true, 5, 4, 0},
                     {true, 5, 4, 0},
                     {Clockwork, true, true}},
        SettingsCase{"too short and too long",
                     {true, StoredDwordType, 2, 1},
                     {true, StoredDwordType, 8, 0},
                     {true, 3, 4, 0},
                     {Clockwork, true, true}},
        SettingsCase{"found but empty",
                     {true, StoredDwordType, 0, 0},
                     Dword(0),
                     Missing,
                     {Clockwork, false, true}}));

} // namespace
