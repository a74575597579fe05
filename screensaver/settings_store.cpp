// Reading and writing the settings' registry values.
#include "settings_store.h"

#include <windows.h>

namespace {

constexpr char SettingsKey[] = "Software\\Flarvex\\Clock";

} // namespace

SaverSettings LoadSettings() {
    StoredValue values[SettingCount] = {};
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        for (int i = 0; i < SettingCount; ++i) {
            DWORD type = 0, data = 0, size = sizeof data;
            // A longer value does not fit: ERROR_MORE_DATA, and it counts as missing.
            if (RegQueryValueExA(key, SettingNames[i], nullptr, &type,
                                 reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS)
                values[i] = {true, type, size, data};
        }
        RegCloseKey(key);
    }
    return SettingsFromStored(values);
}

bool SaveSettings(const SaverSettings& settings) {
    uint32_t values[SettingCount];
    StoredFromSettings(settings, values);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool saved = true;
    for (int i = 0; i < SettingCount; ++i) {
        DWORD data = values[i];
        saved =
            RegSetValueExA(key, SettingNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                           sizeof data) == ERROR_SUCCESS &&
            saved;
    }
    RegCloseKey(key);
    return saved;
}
