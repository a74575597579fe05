// Reading the pixel-art legend and pictures, and the checked-in art itself.
#include "file_bytes.h"
#include "pixel_art.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string ArtFolder = ART_DIR;

// A picture of `rows` rows, each `width` characters of `fill`.
std::string Rows(int rows, int width = ArtSize, char fill = '.') {
    std::string text;
    for (int i = 0; i < rows; ++i)
        text += std::string(static_cast<size_t>(width), fill) + "\n";
    return text;
}

ArtLegend CheckedInLegend() {
    ArtLegend legend;
    ArtProblem problem;
    EXPECT_TRUE(ParseArtLegend(ReadFileBytes(ArtFolder + "/palette.txt"), legend, problem))
        << "palette.txt:" << problem.Line << ": " << problem.Message;
    return legend;
}

TEST(PixelArtTest, TheCheckedInLegendNamesEveryPaletteEntryOnceAndTransparent) {
    const ArtLegend legend = CheckedInLegend();
    int uses[PaletteSize] = {};
    int transparent = 0;
    for (int c = 0; c < 256; ++c) {
        if (legend.Pixel[c] == TransparentPixel)
            ++transparent;
        else if (legend.Pixel[c] != UnknownCharacter)
            ++uses[legend.Pixel[c]];
    }
    for (int entry = 0; entry < PaletteSize; ++entry)
        EXPECT_EQ(uses[entry], 1) << "palette entry " << entry;
    EXPECT_EQ(transparent, 1);
    EXPECT_EQ(legend.Pixel['.'], TransparentPixel);
    EXPECT_EQ(legend.Pixel['#'], 0);
    EXPECT_EQ(legend.Pixel['W'], 15);
}

TEST(PixelArtTest, ReadsAPictureWithCommentsHotSpotAndLooseLineEnds) {
    const ArtLegend legend = CheckedInLegend();
    std::string text = "; a comment\n\nhotspot  3 30\r\n";
    for (int y = 0; y < ArtSize; ++y) {
        std::string row(ArtSize, '.');
        row[static_cast<size_t>(y)] = 'W'; // a diagonal
        row[0] = y % 2 ? 'r' : '#';
        text += row + (y % 3 == 0 ? "  \r\n" : "\n");
        if (y == 10)
            text += "; comments may sit between rows\n";
    }
    text.pop_back(); // no line end after the last row
    PixelArt art;
    ArtProblem problem;
    ASSERT_TRUE(ParsePixelArt(text, legend, art, problem))
        << problem.Line << ": " << problem.Message;
    EXPECT_TRUE(art.HasHotSpot);
    EXPECT_EQ(art.HotSpotX, 3);
    EXPECT_EQ(art.HotSpotY, 30);
    EXPECT_EQ(art.HotSpotLine, 3);
    for (int y = 0; y < ArtSize; ++y) {
        for (int x = 0; x < ArtSize; ++x) {
            const int expected = x == 0 ? (y % 2 ? 1 : 0) : (x == y ? 15 : TransparentPixel);
            ASSERT_EQ(art.Pixels[y][x], expected) << "pixel " << x << ", " << y;
        }
    }
}

struct BadText {
    const char* Case;
    std::string Text;
    int Line;
    const char* Message; // a part of the message
};

TEST(PixelArtTest, RejectsABadLegendNamingTheLine) {
    const BadText cases[] = {
        {"no entry", "; legend\n# 0\nr\n", 3, "expected a character, blanks and a palette entry"},
        {"leading blank", " # 0\n", 1, "expected a character"},
        {"two characters", "ab 3\n", 1, "'ab' is not a single character"},
        {"defined twice", "# 0\nx 8\n# 1\n", 3, "'#' is already defined on line 1"},
        {"entry too large", "# 16\n", 1, "palette entry '16' is neither 0 to 15 nor transparent"},
        {"entry not a number", "# -1\n", 1, "palette entry '-1'"},
        {"misspelt transparent", ". transparant\n", 1, "palette entry 'transparant'"},
        {"unprintable", "\x01 3\n", 1, "byte 0x01 is not a printable character"},
    };
    for (const BadText& bad : cases) {
        ArtLegend legend;
        ArtProblem problem;
        EXPECT_FALSE(ParseArtLegend(bad.Text, legend, problem)) << bad.Case;
        EXPECT_EQ(problem.Line, bad.Line) << bad.Case;
        EXPECT_NE(problem.Message.find(bad.Message), std::string::npos)
            << bad.Case << ": " << problem.Message;
    }
}

TEST(PixelArtTest, RejectsABadPictureNamingTheLine) {
    const std::string row = std::string(ArtSize, '.') + "\n";
    const BadText cases[] = {
        {"row too narrow", Rows(4) + Rows(1, 31) + Rows(27), 5,
         "row 5 is 31 pixels wide; expected 32"},
        {"row too wide", "; c\n" + Rows(1, 33), 2, "row 1 is 33 pixels wide; expected 32"},
        {"unknown character", Rows(2) + "......z" + std::string(25, '.') + "\n", 3,
         "unknown character 'z' in column 7"},
        {"tab", Rows(2) + "...\t" + std::string(28, '.') + "\n", 3,
         "unknown character byte 0x09 in column 4"},
        {"too many rows", Rows(33), 33, "row 33: the picture is only 32 x 32 pixels"},
        {"too few rows", Rows(31) + "; end\n", 32, "the picture has 31 rows; expected 32"},
        {"empty", "", 0, "the picture has 0 rows"},
        {"hot spot after the rows", row + "hotspot 1 1\n", 2,
         "the hot spot must come before the picture"},
        {"two hot spots", "hotspot 1 1\nhotspot 2 2\n", 2,
         "a second hot spot; the first is on line 1"},
        {"hot spot outside", "hotspot 32 0\n", 1,
         "the hot spot '32 0' is not inside the 32 x 32 picture"},
        {"hot spot negative", "hotspot 1 -1\n", 1, "is not inside"},
        {"hot spot half given", "hotspot 4\n", 1, "a hot spot needs a column and a row"},
    };
    const ArtLegend legend = CheckedInLegend();
    for (const BadText& bad : cases) {
        PixelArt art;
        ArtProblem problem;
        EXPECT_FALSE(ParsePixelArt(bad.Text, legend, art, problem)) << bad.Case;
        EXPECT_EQ(problem.Line, bad.Line) << bad.Case;
        EXPECT_NE(problem.Message.find(bad.Message), std::string::npos)
            << bad.Case << ": " << problem.Message;
    }
}

PixelArt CheckedInArt(const char* name) {
    PixelArt art;
    ArtProblem problem;
    EXPECT_TRUE(
        ParsePixelArt(ReadFileBytes(ArtFolder + "/" + name), CheckedInLegend(), art, problem))
        << name << ":" << problem.Line << ": " << problem.Message;
    return art;
}

TEST(PixelArtTest, TheIconsHaveNoHotSpotAndAnOpaqueMiddle) {
    for (const char* name : {"setup_icon.txt", "clock_icon.txt"}) {
        const PixelArt art = CheckedInArt(name);
        EXPECT_FALSE(art.HasHotSpot) << name;
        EXPECT_NE(art.Pixels[ArtSize / 2][ArtSize / 2], TransparentPixel) << name;
    }
}

// The cursor's hot spot must be the fingertip: inside the outline, with nothing of the hand
// above it or to its left, so the tip of the finger is what points.
TEST(PixelArtTest, TheHintCursorPointsWithItsFingertip) {
    const PixelArt art = CheckedInArt("hint_cursor.txt");
    ASSERT_TRUE(art.HasHotSpot);
    EXPECT_EQ(art.HotSpotX, 1);
    EXPECT_EQ(art.HotSpotY, 4);
    EXPECT_EQ(art.Pixels[4][1], 15) << "white fill at the hot spot";
    EXPECT_EQ(art.Pixels[3][1], 0) << "black outline above it";
    EXPECT_EQ(art.Pixels[4][0], 0) << "black outline left of it";
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < ArtSize; ++x)
            EXPECT_EQ(art.Pixels[y][x], TransparentPixel)
                << "above the fingertip: " << x << ", " << y;
}

} // namespace
