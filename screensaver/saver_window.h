// The saver's window: the clock, redrawn every second, over the whole screen or inside a
// preview window. Win32.
#pragma once
#include <windows.h>

// Covers every monitor with the clock until the user presses a key or a pointer button,
// moves the pointer more than a few pixels, or switches to another program. Returns the exit
// code: 0, or 1 when the window could not be made.
int RunFullScreenSaver(HINSTANCE instance);

// Draws the clock, scaled to fit, in a child window filling parent's client area until
// parent goes away. Returns the exit code: 0, or 1 when parent is null or no child window
// could be made in it.
int RunSaverPreview(HINSTANCE instance, HWND parent);
