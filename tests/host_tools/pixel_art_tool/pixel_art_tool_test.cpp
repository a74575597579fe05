// The pixel_art_tool command: what it writes, and how it stops on bad input without leaving
// anything behind.
#include "file_bytes.h"
#include "icon_file.h"
#include "program_run.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Tool = PIXEL_ART_TOOL;
const std::string CheckedInLegend = std::string(ART_DIR) + "/palette.txt";

std::string Picture(const std::string& header, int rows = ArtSize, int width = ArtSize) {
    std::string text = header;
    for (int i = 0; i < rows; ++i)
        text += std::string(static_cast<size_t>(width), i % 2 ? '#' : 'W') + "\n";
    return text;
}

TEST(PixelArtToolTest, WritesWhatTheLayoutGivesAndReplacesAnOldFile) {
    ScratchFolder folder;
    const std::string text = Picture("hotspot 5 6\n");
    folder.Write("art.txt", text);
    folder.Write("out.cur", "an older file");

    const ProgramRun run = RunProgram(
        {Tool, "cursor", CheckedInLegend, folder.Path("art.txt"), folder.Path("out.cur")});
    ASSERT_EQ(run.ExitStatus, 0) << run.Messages();
    EXPECT_EQ(run.Messages(), "");

    PixelArt art = {};
    for (int y = 0; y < ArtSize; ++y)
        for (int x = 0; x < ArtSize; ++x)
            art.Pixels[y][x] = y % 2 ? 0 : 15;
    art.HasHotSpot = true;
    art.HotSpotX = 5;
    art.HotSpotY = 6;
    const std::vector<uint8_t> expected = BuildIconFile(art, IconKind::Cursor);
    EXPECT_EQ(ReadFileBytes(folder.Path("out.cur")), std::string(expected.begin(), expected.end()));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"art.txt", "out.cur"}));
}

struct BadRun {
    const char* Case;
    const char* Kind;
    const char* Legend; // text of legend.txt, or nullptr for the checked-in legend
    const char* Art;    // text of art.txt, or nullptr for no such file
    int Status;
    std::string Message; // "FILE" stands for the file's path
    const char* File;    // the file the message names
};

std::string Named(std::string message, const std::string& path) {
    const size_t at = message.find("FILE");
    return at == std::string::npos ? message : message.replace(at, 4, path);
}

// Each bad input stops the tool with status 1 and a message naming the file, the line and the
// problem; the output is not made and no temporary file is left.
TEST(PixelArtToolTest, StopsOnBadInputNamingFileAndLine) {
    const std::string cursor = Picture("hotspot 1 4\n");
    const std::string narrow = Picture("; c\n", 3) + std::string(30, 'W') + "\n";
    const std::string shortArt = Picture("", 30);
    const std::string stray = Picture("", 7) + "WW?" + std::string(29, 'W') + "\n";
    const std::string plain = Picture("");
    const BadRun cases[] = {
        {"missing picture", "icon", nullptr, nullptr, 1,
         "pixel_art_tool: FILE: cannot open it: No such file or directory", "art.txt"},
        {"missing legend", "icon", "", cursor.c_str(), 1,
         "pixel_art_tool: FILE: cannot open it: No such file or directory", "missing.txt"},
        {"bad legend", "icon", "; legend\n. transparent\nW 15\nW 0\n", cursor.c_str(), 1,
         "pixel_art_tool: FILE:4: 'W' is already defined on line 3", "legend.txt"},
        {"narrow row", "icon", nullptr, narrow.c_str(), 1,
         "pixel_art_tool: FILE:5: row 4 is 30 pixels wide; expected 32", "art.txt"},
        {"too few rows", "icon", nullptr, shortArt.c_str(), 1,
         "pixel_art_tool: FILE:30: the picture has 30 rows; expected 32", "art.txt"},
        {"unknown character", "icon", nullptr, stray.c_str(), 1,
         "pixel_art_tool: FILE:8: unknown character '?' in column 3", "art.txt"},
        {"cursor without hot spot", "cursor", nullptr, plain.c_str(), 1,
         "pixel_art_tool: FILE: a cursor needs a hot spot", "art.txt"},
        {"icon with hot spot", "icon", nullptr, cursor.c_str(), 1,
         "pixel_art_tool: FILE:1: an icon has no hot spot", "art.txt"},
        {"unknown kind", "bitmap", nullptr, cursor.c_str(), 2,
         "usage: pixel_art_tool icon|cursor <legend.txt> <picture.txt> <output>", "art.txt"},
    };
    for (const BadRun& bad : cases) {
        ScratchFolder folder;
        std::string legend = CheckedInLegend;
        if (bad.Legend && *bad.Legend) {
            legend = folder.Path("legend.txt");
            folder.Write("legend.txt", bad.Legend);
        } else if (bad.Legend) {
            legend = folder.Path("missing.txt");
        }
        if (bad.Art)
            folder.Write("art.txt", bad.Art);
        const std::vector<std::string> before = folder.Names();

        const ProgramRun run =
            RunProgram({Tool, bad.Kind, legend, folder.Path("art.txt"), folder.Path("out.ico")});
        EXPECT_EQ(run.ExitStatus, bad.Status) << bad.Case << ": " << run.Messages();
        EXPECT_NE(run.Messages().find(Named(bad.Message, folder.Path(bad.File))), std::string::npos)
            << bad.Case << ": " << run.Messages();
        EXPECT_EQ(folder.Names(), before) << bad.Case << ": nothing may be left behind";
    }
}

TEST(PixelArtToolTest, AnUnwritableOutputLeavesNothingAndSaysWhy) {
    ScratchFolder folder;
    folder.Write("art.txt", Picture(""));
    const std::string output = folder.Path("no such folder/out.ico");
    const ProgramRun run =
        RunProgram({Tool, "icon", CheckedInLegend, folder.Path("art.txt"), output});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Messages().find("pixel_art_tool: " + output + ": cannot create a temporary file"),
              std::string::npos)
        << run.Messages();
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"art.txt"}));
}

} // namespace
