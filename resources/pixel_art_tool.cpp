// Build tool: turns a pixel-art text into a Windows .ico or .cur file.
//
//   pixel_art_tool icon|cursor <legend.txt> <picture.txt> <output>
//
// A cursor's hot spot comes from the picture's "hotspot" line. Problems are reported as
// "file:line: problem" with exit status 1 (2 for a wrong command line); the output is written
// to a temporary file beside it and renamed into place, so it is either whole or untouched.
#include "icon_file.h"
#include "pixel_art.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

constexpr int ExitProblem = 1;
constexpr int ExitUsage = 2;
constexpr mode_t OutputMode = 0644;

[[noreturn]] void Stop(const std::string& file, int line, const std::string& problem) {
    if (line > 0)
        fprintf(stderr, "pixel_art_tool: %s:%d: %s\n", file.c_str(), line, problem.c_str());
    else
        fprintf(stderr, "pixel_art_tool: %s: %s\n", file.c_str(), problem.c_str());
    exit(ExitProblem);
}

std::string ReadWholeFile(const std::string& path) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        Stop(path, 0, std::string("cannot open: ") + strerror(errno));
    std::string text;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed)
        Stop(path, 0, "cannot read");
    return text;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".XXXXXX";
    const int descriptor = mkstemp(&temporary[0]);
    if (descriptor < 0)
        Stop(path, 0, std::string("cannot create a temporary file beside it: ") + strerror(errno));
    fchmod(descriptor, OutputMode); // mkstemp makes it private; the output is an ordinary file
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count <= 0)
            break;
        written += static_cast<size_t>(count);
    }
    const int error = written == bytes.size() ? 0 : errno;
    if (close(descriptor) != 0 || error != 0 || rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = strerror(error ? error : errno);
        unlink(temporary.c_str());
        Stop(path, 0, "cannot write: " + reason);
    }
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
    if (!ParseArtLegend(ReadWholeFile(legendPath), legend, problem))
        Stop(legendPath, problem.Line, problem.Message);

    PixelArt art;
    if (!ParsePixelArt(ReadWholeFile(picturePath), legend, art, problem))
        Stop(picturePath, problem.Line, problem.Message);
    if (kind == IconKind::Cursor && !art.HasHotSpot)
        Stop(picturePath, 0, "a cursor needs a hot spot: add a line 'hotspot <x> <y>'");
    if (kind == IconKind::Icon && art.HasHotSpot)
        Stop(picturePath, art.HotSpotLine, "an icon has no hot spot; is this a cursor?");

    WriteWholeFile(outputPath, BuildIconFile(art, kind));
    return 0;
}
