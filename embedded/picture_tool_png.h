// PNG pictures as the codec's pixels: four bytes each, blue, green, red and 0, rows from the
// top. Alpha is not kept.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct Picture {
    uint32_t Width = 0;
    uint32_t Height = 0;
    std::vector<uint8_t> Pixels; // Width * Height * 4 bytes
};

// Reads a PNG file's bytes into picture; on failure sets error to what is wrong with them.
bool ReadPng(const std::vector<uint8_t>& file, Picture& picture, std::string& error);

// Writes picture as an 8-bit RGB PNG into file; on failure sets error.
bool WritePng(const Picture& picture, std::vector<uint8_t>& file, std::string& error);
