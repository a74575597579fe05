// What the user can set: the style of the clock, the second hand and 24-hour digits; and how
// the stored values become settings, whatever the store holds. Portable.
//
// The values are DWORDs named "Style" (0 the clockwork face, 1 the digital clock),
// "SecondHand" and "Hours24" (0 off, 1 on). A value that is missing, of another type or size,
// or out of range counts as its default, on its own: the others still count.
#pragma once
#include <stdint.h>

enum class ClockStyle : uint32_t { Clockwork = 0, Digital = 1 };

struct SaverSettings {
    ClockStyle Style;
    bool SecondHand; // on the clockwork face
    bool Hours24;    // on the digital clock; 1 to 12 otherwise
};

constexpr SaverSettings DefaultSettings = {ClockStyle::Clockwork, true, true};

enum SettingIndex { StyleSetting, SecondHandSetting, Hours24Setting, SettingCount };

// The values' names, in SettingIndex order.
constexpr const char* SettingNames[SettingCount] = {"Style", "SecondHand", "Hours24"};

// The store's type number for a 32-bit little-endian value.
constexpr uint32_t StoredDwordType = 4;

// One value as the store gave it: whether it was there, its type, its size in bytes, and its
// first four bytes as a little-endian number (0 where there were fewer).
struct StoredValue {
    bool Found;
    uint32_t Type, Size, Data;
};

// The settings that the stored values, in SettingIndex order, stand for.
SaverSettings SettingsFromStored(const StoredValue* values);

// The DWORDs to store for settings, in SettingIndex order.
void StoredFromSettings(const SaverSettings& settings, uint32_t* values);
