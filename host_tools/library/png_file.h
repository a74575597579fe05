// PNG pictures through libpng, read into and written from the host tools' Picture.
#pragma once
#include "picture.h"

#include <string>
#include <vector>

// Reads a PNG file's bytes into picture: any PNG that libpng reads, palette and grey
// expanded, alpha dropped (the fourth byte of every pixel is 0). Sides up to 16,384 pixels, so
// that the codec's 32-bit sizes hold the picture. On failure sets error to what is wrong.
bool ReadPng(const std::vector<uint8_t>& file, Picture& picture, std::string& error);

// Writes picture as an 8-bit RGB PNG into file, compressed as tightly as libpng can (the same
// bytes from the same pixels); the fourth byte of each pixel is not kept. On failure sets error.
bool WritePng(const Picture& picture, std::vector<uint8_t>& file, std::string& error);

// ReadPng of the file at path, and WritePng through WriteWholeFile (all or nothing). On failure
// set error (without the path).
bool ReadPngFile(const std::string& path, Picture& picture, std::string& error);
bool WritePngFile(const std::string& path, const Picture& picture, std::string& error);
