// Build tool: turns a pixel-art text into a Windows .ico or .cur file.
//
//   pixel_art_tool icon|cursor <legend.txt> <picture.txt> <output>
//
// A cursor's hot spot comes from the picture's "hotspot" line. Problems are reported as
// "file:line: problem" with exit status 1 (2 for a wrong command line); the output is either
// written whole or not touched.
#include "icon_file.h"
#include "pixel_art.h"
#include "whole_file.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {

constexpr int ExitProblem = 1;
constexpr int ExitUsage = 2;

[[noreturn]] void Stop(const std::string& file, int line, const std::string& problem) {
    if (line > 0)
        fprintf(stderr, "pixel_art_tool: %s:%d: %s\n", file.c_str(), line, problem.c_str());
    else
        fprintf(stderr, "pixel_art_tool: %s: %s\n", file.c_str(), problem.c_str());
    exit(ExitProblem);
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error))
        Stop(path, 0, error);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

int main(int argc, char** argv) {
    const std::string kindWord = argc > 1 ? argv[1] : "";
    if (argc != 5 || (kindWord != "icon" && kindWord != "cursor")) {
        fprintf(stderr, "usage: pixel_art_tool icon|cursor <legend.txt> <picture.txt> <output>\n");
        return ExitUsage;
    }
    const IconKind kind = kindWord == "icon" ? IconKind::Icon : IconKind::Cursor;
    const std::string legendPath = argv[2], picturePath = argv[3], outputPath = argv[4];

    ArtLegend legend;
    ArtProblem problem;
    if (!ParseArtLegend(ReadText(legendPath), legend, problem))
        Stop(legendPath, problem.Line, problem.Message);

    PixelArt art;
    if (!ParsePixelArt(ReadText(picturePath), legend, art, problem))
        Stop(picturePath, problem.Line, problem.Message);
    if (kind == IconKind::Cursor && !art.HasHotSpot)
        Stop(picturePath, 0, "a cursor needs a hot spot: add a line 'hotspot <x> <y>'");
    if (kind == IconKind::Icon && art.HasHotSpot)
        Stop(picturePath, art.HotSpotLine, "an icon has no hot spot; is this a cursor?");

    std::string error;
    if (!WriteWholeFile(outputPath, BuildIconFile(art, kind), error))
        Stop(outputPath, 0, error);
    return 0;
}
