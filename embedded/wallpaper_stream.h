// The setup window's wallpaper: one complete pixel stream (366 x 275 pixels once decoded),
// constant, in the program's read-only data. Nothing else is stored with it; its end mark ends
// it.
#pragma once
#include <stdint.h>

// The address of the stream's first byte, the start byte.
extern "C" const uint8_t WallpaperStream[];
