// Turning stored values into settings and back.
#include "saver_settings.h"

namespace {

constexpr uint32_t Largest[SettingCount] = {static_cast<uint32_t>(ClockStyle::Digital), 1, 1};

// The stored number, or fallback when the value cannot be one of this setting's.
uint32_t Checked(const StoredValue& value, int index, uint32_t fallback) {
    bool usable = value.Found && value.Type == StoredDwordType && value.Size == sizeof(uint32_t) &&
                  value.Data <= Largest[index];
    return usable ? value.Data : fallback;
}

} // namespace

SaverSettings SettingsFromStored(const StoredValue* values) {
    uint32_t defaults[SettingCount];
    StoredFromSettings(DefaultSettings, defaults);
    return {static_cast<ClockStyle>(
                Checked(values[StyleSetting], StyleSetting, defaults[StyleSetting])),
            Checked(values[SecondHandSetting], SecondHandSetting, defaults[SecondHandSetting]) != 0,
            Checked(values[Hours24Setting], Hours24Setting, defaults[Hours24Setting]) != 0};
}

void StoredFromSettings(const SaverSettings& settings, uint32_t* values) {
    values[StyleSetting] = static_cast<uint32_t>(settings.Style);
    values[SecondHandSetting] = settings.SecondHand ? 1 : 0;
    values[Hours24Setting] = settings.Hours24 ? 1 : 0;
}
