// The host tools' one picture type: pixels as the codec and the programs keep them.
#pragma once
#include <stdint.h>

#include <vector>

constexpr uint32_t PictureBytesPerPixel = 4;

// Four bytes a pixel, blue, green, red and 0, rows from the top without gaps.
struct Picture {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint8_t> Pixels; // Width * Height * PictureBytesPerPixel bytes
};
