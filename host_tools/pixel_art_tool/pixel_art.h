// Pixel art kept as text: a legend that maps characters to the 16-colour Windows palette, and
// 32 x 32 pictures written one character per pixel, read into plain pixel grids.
#pragma once

#include <stdint.h>

#include <string>

constexpr int ArtSize = 32; // every picture is ArtSize x ArtSize pixels
constexpr int PaletteSize = 16;
constexpr uint8_t TransparentPixel = 0xFF; // a pixel value outside the palette

struct PaletteColour {
    uint8_t Red, Green, Blue;
};

// The standard 16-colour Windows palette, in entry order.
extern const PaletteColour StandardPalette[PaletteSize];

// Character -> pixel value: 0..15 for a palette entry, TransparentPixel, or UnknownCharacter.
constexpr int16_t UnknownCharacter = -1;
struct ArtLegend {
    int16_t Pixel[256];
    int DefinedOn[256]; // the legend's line that defined each character, for messages
};

struct PixelArt {
    uint8_t Pixels[ArtSize][ArtSize]; // [row from the top][column from the left]
    bool HasHotSpot;
    int HotSpotX, HotSpotY; // column and row of the hot spot, counting from 0
    int HotSpotLine;        // the line that gave it
};

// What is wrong with a text and where: Line counts from 1; 0 means the text as a whole.
struct ArtProblem {
    int Line;
    std::string Message;
};

// Reads a legend. Lines are blank, comments (first character ';') or
//   <character> <blanks> <entry> [anything, e.g. the colour's name]
// where entry is a palette index 0..15 or the word "transparent". A character is one
// printable, non-blank byte other than ';', defined once. Returns false and fills problem at
// the first bad line; legend is then incomplete.
bool ParseArtLegend(const std::string& text, ArtLegend& legend, ArtProblem& problem);

// Reads a picture. Lines are blank, comments (first character ';'), at most one
//   hotspot <column> <row>
// before the first row, and exactly ArtSize rows of ArtSize characters from the legend
// (trailing blanks and a carriage return are ignored). Returns false and fills problem at the
// first bad line; art is then incomplete.
bool ParsePixelArt(const std::string& text, const ArtLegend& legend, PixelArt& art,
                   ArtProblem& problem);
