// The settings dialog: the style, the second hand and 24-hour digits. Win32.
#pragma once
#include <windows.h>

// Shows the dialog, owned by owner when it is not null, with the stored settings; OK stores
// what it shows, Cancel and closing store nothing. Returns the exit code: 0, or 1 when the
// dialog could not be shown.
int RunSettingsDialog(HINSTANCE instance, HWND owner);
