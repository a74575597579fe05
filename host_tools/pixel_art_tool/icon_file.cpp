// Writes the .ico / .cur layout drawn out in icon_file.h.
#include "icon_file.h"

namespace {

constexpr uint8_t IconColourCount = PaletteSize;
constexpr uint16_t IconPlanes = 1;
constexpr uint16_t IconBitsPerPixel = 4;
constexpr int32_t IconBitmapHeight = 2 * ArtSize; // colour bits above, AND mask below
constexpr uint32_t BiRgb = 0;

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

} // namespace

std::vector<uint8_t> BuildIconFile(const PixelArt& art, IconKind kind) {
    std::vector<uint8_t> out;
    out.reserve(IconFileSize);
    const bool cursor = kind == IconKind::Cursor;

    Put16(out, 0);
    Put16(out, static_cast<uint16_t>(kind));
    Put16(out, 1);

    out.push_back(ArtSize);
    out.push_back(ArtSize);
    out.push_back(IconColourCount);
    out.push_back(0);
    Put16(out, cursor ? static_cast<uint16_t>(art.HotSpotX) : IconPlanes);
    Put16(out, cursor ? static_cast<uint16_t>(art.HotSpotY) : IconBitsPerPixel);
    Put32(out, static_cast<uint32_t>(IconFileSize - IconImageOffset));
    Put32(out, static_cast<uint32_t>(IconImageOffset));

    Put32(out, IconHeaderSize);
    Put32(out, ArtSize);
    Put32(out, static_cast<uint32_t>(IconBitmapHeight));
    Put16(out, IconPlanes);
    Put16(out, IconBitsPerPixel);
    Put32(out, BiRgb);
    Put32(out, static_cast<uint32_t>(IconFileSize - IconColourOffset));
    for (int i = 0; i < 4; ++i) // resolution and colour counts: not used
        Put32(out, 0);

    for (const PaletteColour& colour : StandardPalette) {
        out.push_back(colour.Blue);
        out.push_back(colour.Green);
        out.push_back(colour.Red);
        out.push_back(0);
    }

    // Bitmaps are stored bottom row first. A transparent pixel has colour 0 and mask 1, so
    // drawing leaves the screen under it unchanged.
    for (int y = ArtSize - 1; y >= 0; --y) {
        for (int x = 0; x < ArtSize; x += 2) {
            uint8_t left = art.Pixels[y][x], right = art.Pixels[y][x + 1];
            left = left == TransparentPixel ? 0 : left;
            right = right == TransparentPixel ? 0 : right;
            out.push_back(static_cast<uint8_t>(left << 4 | right));
        }
    }
    for (int y = ArtSize - 1; y >= 0; --y) {
        for (int x = 0; x < ArtSize; x += 8) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (art.Pixels[y][x + bit] == TransparentPixel)
                    bits |= static_cast<uint8_t>(0x80 >> bit);
            out.push_back(bits);
        }
    }
    return out;
}
