// The saver's windows: the clock, kept up to date, on every monitor or inside a preview
// window. Win32.
#pragma once
#include "saver_settings.h"

#include <windows.h>

// Shows the clock as settings say in a window on every monitor, each clock centred on its
// own monitor and sized for it, until the user presses a key or a pointer button, moves the
// pointer more than a few pixels, or switches to another program. Returns the exit code: 0,
// or 1 when no window could be made.
int RunFullScreenSaver(HINSTANCE instance, const SaverSettings& settings);

// Draws the clock as settings say, scaled to fit, in a child window filling parent's client
// area until parent goes away. Returns the exit code: 0, or 1 when parent is null or the
// desktop (which never goes away) or no child window could be made in it.
int RunSaverPreview(HINSTANCE instance, HWND parent, const SaverSettings& settings);
