// Lays a 32 x 32 pixel-art picture out as the bytes of a Windows icon (.ico) or cursor (.cur)
// file: one image, 4 bits per pixel over the standard 16-colour palette.
//
//   offset  size  field
//        0     2  reserved, 0
//        2     2  type: 1 icon, 2 cursor
//        4     2  image count, 1
//        6    16  directory entry: width 32, height 32, colour count 16, reserved 0,
//                 then for an icon planes 1 and bits per pixel 4, for a cursor the hot
//                 spot's x and y; image size 744; image offset 22
//       22    40  BITMAPINFOHEADER: size 40, width 32, height 64 (colour bits and AND mask),
//                 planes 1, 4 bits per pixel, BI_RGB, image size 640, the rest 0
//       62    64  16 palette entries, each blue, green, red, 0
//      126   512  colour bits: rows from the bottom, 16 bytes each, left pixel in the high nibble
//      638   128  AND mask: rows from the bottom, 4 bytes each, leftmost pixel in the top bit;
//                 1 where the picture is transparent (whose colour bits are 0)
//      766        end
//
// All numbers little-endian.
#pragma once

#include "pixel_art.h"

#include <stdint.h>

#include <vector>

enum class IconKind : uint16_t { Icon = 1, Cursor = 2 };

constexpr size_t IconDirectorySize = 6;
constexpr size_t IconEntrySize = 16;
constexpr size_t IconHeaderSize = 40;
constexpr size_t IconPaletteSize = 4 * PaletteSize;
constexpr size_t IconColourRowSize = ArtSize / 2;
constexpr size_t IconMaskRowSize = ArtSize / 8;
constexpr size_t IconImageOffset = IconDirectorySize + IconEntrySize;
constexpr size_t IconColourOffset = IconImageOffset + IconHeaderSize + IconPaletteSize;
constexpr size_t IconMaskOffset = IconColourOffset + IconColourRowSize * ArtSize;
constexpr size_t IconFileSize = IconMaskOffset + IconMaskRowSize * ArtSize;

// Returns the file's bytes (IconFileSize of them). A cursor takes its hot spot from art, which
// the caller has checked has one; an icon ignores it.
std::vector<uint8_t> BuildIconFile(const PixelArt& art, IconKind kind);
