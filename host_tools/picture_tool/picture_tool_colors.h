// Colour reduction for photographs: a picture with thousands of colours makes a stream of
// nearly 4 bytes a pixel, one with a dozen colours a fraction of that.
#pragma once
#include "picture.h"

#include <string>

// Reduces picture to at most colors colours (2 to 256) with libimagequant, dithering by
// dither (0 none, 1 full; dithering looks better but breaks up runs). On failure sets error.
bool ReduceColors(Picture& picture, int colors, float dither, std::string& error);
