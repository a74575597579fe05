// Reading the pixel-art legend and pictures.
#include "pixel_art.h"

#include <stdio.h>
#include <stdlib.h>

const PaletteColour StandardPalette[PaletteSize] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

namespace {

constexpr char CommentMark = ';';
const char TransparentWord[] = "transparent";
const char HotSpotWord[] = "hotspot";

std::string Size() {
    return std::to_string(ArtSize) + " x " + std::to_string(ArtSize);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits text into lines; each keeps its content without the line end, trailing blanks or a
// carriage return.
struct Line {
    std::string Text;
    int Number;
};

bool NextLine(const std::string& text, size_t& offset, Line& line) {
    if (offset >= text.size())
        return false;
    size_t end = text.find('\n', offset);
    if (end == std::string::npos)
        end = text.size();
    size_t last = end;
    while (last > offset && (IsBlank(text[last - 1]) || text[last - 1] == '\r'))
        --last;
    line.Text.assign(text, offset, last - offset);
    ++line.Number;
    offset = end + 1;
    return true;
}

bool Fail(ArtProblem& problem, int line, const std::string& message) {
    problem.Line = line;
    problem.Message = message;
    return false;
}

// A character as a message shows it: 'x', or its code when it would not print.
std::string Shown(char c) {
    char text[16];
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte > ' ' && byte < 0x7F)
        snprintf(text, sizeof text, "'%c'", c);
    else
        snprintf(text, sizeof text, "byte 0x%02X", byte);
    return text;
}

// Splits a line into blank-separated words.
size_t Words(const std::string& text, std::string* words, size_t capacity) {
    size_t count = 0, i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        if (i > start) {
            if (count < capacity)
                words[count] = text.substr(start, i - start);
            ++count;
        }
    }
    return count;
}

// A whole decimal number in [0, limit); false for anything else.
bool ReadNumber(const std::string& word, int limit, int& value) {
    if (word.empty() || word.size() > 4)
        return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value < limit;
}

bool ReadHotSpot(const Line& line, PixelArt& art, ArtProblem& problem) {
    std::string words[3];
    if (Words(line.Text, words, 3) != 3)
        return Fail(problem, line.Number, "a hot spot needs a column and a row: hotspot <x> <y>");
    if (!ReadNumber(words[1], ArtSize, art.HotSpotX) ||
        !ReadNumber(words[2], ArtSize, art.HotSpotY))
        return Fail(problem, line.Number,
                    "the hot spot '" + words[1] + " " + words[2] + "' is not inside the " + Size() +
                        " picture");
    art.HasHotSpot = true;
    art.HotSpotLine = line.Number;
    return true;
}

bool IsHotSpotLine(const std::string& text) {
    const size_t length = sizeof HotSpotWord - 1;
    return text.compare(0, length, HotSpotWord) == 0 &&
           (text.size() == length || IsBlank(text[length]));
}

} // namespace

bool ParseArtLegend(const std::string& text, ArtLegend& legend, ArtProblem& problem) {
    for (int i = 0; i < 256; ++i) {
        legend.Pixel[i] = UnknownCharacter;
        legend.DefinedOn[i] = 0;
    }
    size_t offset = 0;
    Line line = {"", 0};
    while (NextLine(text, offset, line)) {
        if (line.Text.empty() || line.Text[0] == CommentMark)
            continue;
        std::string words[2];
        if (Words(line.Text, words, 2) < 2 || IsBlank(line.Text[0]))
            return Fail(
                problem, line.Number,
                "expected a character, blanks and a palette entry (0 to 15 or transparent)");
        if (words[0].size() != 1)
            return Fail(problem, line.Number, "'" + words[0] + "' is not a single character");
        const unsigned char c = static_cast<unsigned char>(words[0][0]);
        if (c < ' ' || c >= 0x7F)
            return Fail(problem, line.Number, Shown(words[0][0]) + " is not a printable character");
        if (legend.Pixel[c] != UnknownCharacter)
            return Fail(problem, line.Number,
                        Shown(words[0][0]) + " is already defined on line " +
                            std::to_string(legend.DefinedOn[c]));
        int entry = 0;
        if (words[1] == TransparentWord)
            legend.Pixel[c] = TransparentPixel;
        else if (ReadNumber(words[1], PaletteSize, entry))
            legend.Pixel[c] = static_cast<int16_t>(entry);
        else
            return Fail(problem, line.Number,
                        "palette entry '" + words[1] + "' is neither 0 to 15 nor transparent");
        legend.DefinedOn[c] = line.Number;
    }
    return true;
}

bool ParsePixelArt(const std::string& text, const ArtLegend& legend, PixelArt& art,
                   ArtProblem& problem) {
    art.HasHotSpot = false;
    art.HotSpotX = art.HotSpotY = art.HotSpotLine = 0;
    int rows = 0;
    size_t offset = 0;
    Line line = {"", 0};
    while (NextLine(text, offset, line)) {
        if (line.Text.empty() || line.Text[0] == CommentMark)
            continue;
        if (IsHotSpotLine(line.Text)) {
            if (art.HasHotSpot)
                return Fail(problem, line.Number,
                            "a second hot spot; the first is on line " +
                                std::to_string(art.HotSpotLine));
            if (rows > 0)
                return Fail(problem, line.Number, "the hot spot must come before the picture");
            if (!ReadHotSpot(line, art, problem))
                return false;
            continue;
        }
        if (rows == ArtSize)
            return Fail(problem, line.Number,
                        "row " + std::to_string(ArtSize + 1) + ": the picture is only " + Size() +
                            " pixels");
        if (line.Text.size() != ArtSize)
            return Fail(problem, line.Number,
                        "row " + std::to_string(rows + 1) + " is " +
                            std::to_string(line.Text.size()) + " pixels wide; expected " +
                            std::to_string(ArtSize));
        for (int x = 0; x < ArtSize; ++x) {
            const int16_t pixel = legend.Pixel[static_cast<unsigned char>(line.Text[x])];
            if (pixel == UnknownCharacter)
                return Fail(problem, line.Number,
                            "unknown character " + Shown(line.Text[x]) + " in column " +
                                std::to_string(x + 1));
            art.Pixels[rows][x] = static_cast<uint8_t>(pixel);
        }
        ++rows;
    }
    if (rows < ArtSize)
        return Fail(problem, line.Number,
                    "the picture has " + std::to_string(rows) + " rows; expected " +
                        std::to_string(ArtSize));
    return true;
}
