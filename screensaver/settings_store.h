// The settings as the user's registry keeps them, under
// HKEY_CURRENT_USER\Software\Flarvex\Clock. Win32.
#pragma once
#include "saver_settings.h"

// The stored settings; defaults for whatever is missing or unusable (never fails).
SaverSettings LoadSettings();

// Stores settings; false when the key or a value could not be written.
bool SaveSettings(const SaverSettings& settings);
