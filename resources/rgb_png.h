// Reading and writing 24-bit RGB PNG pictures, for the wallpaper generator and its test.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

struct RgbPicture {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Pixels; // red, green, blue per pixel; rows from the top, no gaps
};

// Reads any PNG that libpng can turn into 8-bit RGB (palette and grey pictures are expanded;
// alpha is dropped). Returns false with a reason in error when the file cannot be read or is
// not a PNG.
bool ReadRgbPng(const std::string& path, RgbPicture& picture, std::string& error);

// Writes picture as an 8-bit RGB PNG. The file is written beside path under a temporary name
// and renamed into place, so path is either the whole new picture or left as it was. Returns
// false with a reason in error.
bool WriteRgbPng(const std::string& path, const RgbPicture& picture, std::string& error);
