// The .ico / .cur layout: every header field, the palette, and each pixel read back from the
// colour bits and the AND mask.
#include "icon_file.h"

#include <gtest/gtest.h>

namespace {

uint32_t Read(const std::vector<uint8_t>& bytes, size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= uint32_t(bytes.at(offset + i)) << (8 * i);
    return value;
}

// A picture that uses every colour in every position, some of it transparent.
PixelArt PatternArt() {
    PixelArt art = {};
    for (int y = 0; y < ArtSize; ++y)
        for (int x = 0; x < ArtSize; ++x)
            art.Pixels[y][x] = (x * 7 + y * 3) % 5 == 0 ? TransparentPixel
                                                        : static_cast<uint8_t>((x + 3 * y) % 16);
    art.HasHotSpot = true;
    art.HotSpotX = 17;
    art.HotSpotY = 9;
    return art;
}

struct Field {
    const char* Name;
    size_t Offset, Size;
    uint32_t Icon, Cursor; // expected value in each kind of file
};

TEST(IconFileTest, WritesEveryHeaderField) {
    const Field fields[] = {
        {"reserved", 0, 2, 0, 0},
        {"type", 2, 2, 1, 2},
        {"image count", 4, 2, 1, 1},
        {"entry width", 6, 1, 32, 32},
        {"entry height", 7, 1, 32, 32},
        {"entry colour count", 8, 1, 16, 16},
        {"entry reserved", 9, 1, 0, 0},
        {"planes / hot spot x", 10, 2, 1, 17},
        {"bits per pixel / hot spot y", 12, 2, 4, 9},
        {"image size", 14, 4, 744, 744},
        {"image offset", 18, 4, 22, 22},
        {"header size", 22, 4, 40, 40},
        {"bitmap width", 26, 4, 32, 32},
        {"bitmap height (colour and mask)", 30, 4, 64, 64},
        {"bitmap planes", 34, 2, 1, 1},
        {"bitmap bits per pixel", 36, 2, 4, 4},
        {"compression", 38, 4, 0, 0},
        {"bitmap image size", 42, 4, 640, 640},
        {"horizontal resolution", 46, 4, 0, 0},
        {"vertical resolution", 50, 4, 0, 0},
        {"colours used", 54, 4, 0, 0},
        {"colours important", 58, 4, 0, 0},
    };
    const std::vector<uint8_t> icon = BuildIconFile(PatternArt(), IconKind::Icon);
    const std::vector<uint8_t> cursor = BuildIconFile(PatternArt(), IconKind::Cursor);
    ASSERT_EQ(icon.size(), 766u);
    ASSERT_EQ(cursor.size(), 766u);
    for (const Field& field : fields) {
        EXPECT_EQ(Read(icon, field.Offset, field.Size), field.Icon) << "icon: " << field.Name;
        EXPECT_EQ(Read(cursor, field.Offset, field.Size), field.Cursor) << "cursor: " << field.Name;
    }
}

TEST(IconFileTest, WritesTheStandardPaletteAsBlueGreenRedZero) {
    const std::vector<uint8_t> file = BuildIconFile(PatternArt(), IconKind::Icon);
    const uint8_t expected[16][3] = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    for (int i = 0; i < 16; ++i) {
        const size_t at = 62 + 4 * size_t(i);
        EXPECT_EQ(file[at + 0], expected[i][2]) << "blue of entry " << i;
        EXPECT_EQ(file[at + 1], expected[i][1]) << "green of entry " << i;
        EXPECT_EQ(file[at + 2], expected[i][0]) << "red of entry " << i;
        EXPECT_EQ(file[at + 3], 0) << "fourth byte of entry " << i;
    }
}

// Reads every pixel back as a reader of the format would: rows from the bottom, the left pixel
// in the high nibble, the AND mask's leftmost pixel in the top bit.
TEST(IconFileTest, ColourBitsAndMaskGiveBackEveryPixel) {
    const PixelArt art = PatternArt();
    for (IconKind kind : {IconKind::Icon, IconKind::Cursor}) {
        const std::vector<uint8_t> file = BuildIconFile(art, kind);
        for (int y = 0; y < ArtSize; ++y) {
            const size_t colourRow = 126 + size_t(ArtSize - 1 - y) * 16;
            const size_t maskRow = 638 + size_t(ArtSize - 1 - y) * 4;
            for (int x = 0; x < ArtSize; ++x) {
                const uint8_t pair = file[colourRow + size_t(x) / 2];
                const int colour = x % 2 ? pair & 0x0F : pair >> 4;
                const bool masked = (file[maskRow + size_t(x) / 8] >> (7 - x % 8)) & 1;
                const uint8_t expected = art.Pixels[y][x];
                if (expected == TransparentPixel) {
                    ASSERT_TRUE(masked) << "transparent pixel " << x << ", " << y;
                    ASSERT_EQ(colour, 0) << "transparent pixel " << x << ", " << y;
                } else {
                    ASSERT_FALSE(masked) << "pixel " << x << ", " << y;
                    ASSERT_EQ(colour, expected) << "pixel " << x << ", " << y;
                }
            }
        }
    }
}

TEST(IconFileTest, PutsTheCornerPixelsAtTheEndsOfTheBitmaps) {
    PixelArt art = {};
    for (auto& row : art.Pixels)
        for (uint8_t& pixel : row)
            pixel = 0;
    art.Pixels[0][0] = 9;                                    // top left
    art.Pixels[ArtSize - 1][ArtSize - 1] = TransparentPixel; // bottom right
    const std::vector<uint8_t> file = BuildIconFile(art, IconKind::Icon);
    EXPECT_EQ(file[IconMaskOffset - IconColourRowSize], 0x90) << "top row is stored last";
    EXPECT_EQ(file[IconMaskOffset + IconMaskRowSize - 1], 0x01) << "bottom row's mask first";
    EXPECT_EQ(file[IconFileSize - IconMaskRowSize], 0x00);
}

} // namespace
