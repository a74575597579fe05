// The wallpaper and its generator: the checked-in picture is exactly what the generator
// paints, and it is the picture the setup window needs (size, colours, calm where the
// buttons and the title are drawn, a size that packs well).
#include "file_bytes.h"
#include "png_file.h"
#include "program_run.h"
#include "scratch_folder.h"
#include "setup_look.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const std::string Generator = WALLPAPER_GENERATOR;
const std::string CheckedIn = CHECKED_IN_WALLPAPER;

Picture Load(const std::string& path) {
    Picture picture;
    std::string error;
    EXPECT_TRUE(ReadPngFile(path, picture, error)) << path << ": " << error;
    return picture;
}

// The pixel at column x, row y as 0xRRGGBB.
uint32_t PixelAt(const Picture& picture, int x, int y) {
    const uint8_t* p = &picture.Pixels[(size_t(y) * picture.Width + x) * PictureBytesPerPixel];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST(WallpaperGeneratorTest, RepaintsTheCheckedInPicturePixelForPixel) {
    ScratchFolder folder;
    const ProgramRun run = RunProgram({Generator, folder.Path("wallpaper.png")});
    ASSERT_EQ(run.ExitStatus, 0) << run.Messages();
    const Picture painted = Load(folder.Path("wallpaper.png"));
    const Picture checkedIn = Load(CheckedIn);
    ASSERT_EQ(painted.Width, checkedIn.Width);
    ASSERT_EQ(painted.Height, checkedIn.Height);
    for (int y = 0; y < int(painted.Height); ++y) {
        for (int x = 0; x < int(painted.Width); ++x) {
            const uint32_t want = PixelAt(checkedIn, x, y), got = PixelAt(painted, x, y);
            ASSERT_EQ(got, want) << std::hex << "first difference at pixel " << std::dec << x
                                 << ", " << y << std::hex << ": painted 0x" << got
                                 << ", checked in 0x" << want
                                 << "; build the update_wallpaper target after changing the "
                                    "generator";
        }
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"wallpaper.png"}));
}

TEST(WallpaperGeneratorTest, TheCheckedInPictureIsA24BitRgbPngOfTheWindowsSize) {
    const std::string bytes = ReadFileBytes(CheckedIn);
    ASSERT_GE(bytes.size(), 33u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    auto big32 = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 |
               uint32_t(uint8_t(bytes[at + 2])) << 8 | uint8_t(bytes[at + 3]);
    };
    EXPECT_EQ(big32(16), uint32_t(look::PictureWidth));
    EXPECT_EQ(big32(20), uint32_t(look::PictureHeight));
    EXPECT_EQ(int(bytes[24]), 8) << "bit depth";
    EXPECT_EQ(int(bytes[25]), 2) << "colour type: RGB";
}

TEST(WallpaperGeneratorTest, UsesAtMostThirteenWarmTonesFromDarkBrownToCream) {
    const Picture picture = Load(CheckedIn);
    std::set<uint32_t> colours;
    for (int y = 0; y < int(picture.Height); ++y)
        for (int x = 0; x < int(picture.Width); ++x)
            colours.insert(PixelAt(picture, x, y));
    EXPECT_LE(colours.size(), 13u);
    EXPECT_EQ(colours.count(0x2F0A0A), 1u) << "the near-black red-brown (47, 10, 10)";
    EXPECT_EQ(colours.count(0xFFFBD6), 1u) << "the pale cream (255, 251, 214)";
    for (uint32_t colour : colours) {
        const uint32_t red = colour >> 16, green = colour >> 8 & 0xFF, blue = colour & 0xFF;
        EXPECT_TRUE(red >= green && green >= blue) << std::hex << "0x" << colour << " is not warm";
    }
}

// Where the setup window draws its buttons and its title the picture must stay dark (light
// captions, yellow title) and calm (few changes of colour from pixel to pixel).
TEST(WallpaperGeneratorTest, KeepsTheButtonsAndTheTitleOnDarkCalmGround) {
    struct Area {
        const char* Name;
        look::Box Box;
    };
    const Area areas[] = {
        {"button 1", look::Buttons[1]},
        {"button 2", look::Buttons[2]},
        {"button 3", look::Buttons[3]},
        {"title", look::TitleBox},
    };
    const Picture picture = Load(CheckedIn);
    for (const Area& area : areas) {
        double brightness = 0.0;
        int pixels = 0, changes = 0;
        const look::Box& box = area.Box;
        for (int y = box.Top; y <= box.Bottom; ++y) {
            for (int x = box.Left; x <= box.Right; ++x) {
                const uint32_t colour = PixelAt(picture, x, y);
                brightness += ((colour >> 16) + (colour >> 8 & 0xFF) + (colour & 0xFF)) / 3.0;
                ++pixels;
                if (x > box.Left && colour != PixelAt(picture, x - 1, y))
                    ++changes;
            }
        }
        EXPECT_LT(brightness / pixels, 70.0) << area.Name << ": mean brightness";
        EXPECT_LT(changes, pixels / 20) << area.Name << ": colour changes along the rows";
    }
}

// The picture is stored as a run-length stream: runs of equal pixels cost a count and one
// pixel, other pixels four bytes each. Its size should stay of the order of the 30 to 80 KB
// that leaves room for texture where it counts and calm everywhere else.
TEST(WallpaperGeneratorTest, PacksIntoARunLengthStreamOfThirtyToEightyKilobytes) {
    const Picture picture = Load(CheckedIn);
    auto countWidth = [](size_t count) { return count < 0x80 ? 1u : (count < 0x4000 ? 2u : 4u); };
    const size_t pixels = size_t(picture.Width) * picture.Height;
    auto at = [&](size_t i) {
        return PixelAt(picture, int(i % picture.Width), int(i / picture.Width));
    };
    size_t bytes = 1 + 4, literal = 0; // start byte, end mark
    for (size_t i = 0; i < pixels;) {
        size_t run = 1;
        while (i + run < pixels && at(i + run) == at(i))
            ++run;
        if (run >= 2) {
            if (i > 0) // every fill run but a first one follows a literal run, maybe empty
                bytes += countWidth(literal) + 4 * literal;
            bytes += countWidth(run) + 4;
            literal = 0;
        } else {
            ++literal;
        }
        i += run;
    }
    if (literal > 0)
        bytes += countWidth(literal) + 4 * literal;
    EXPECT_GE(bytes, 30000u);
    EXPECT_LE(bytes, 80000u);
    printf("estimated stream: %zu bytes, %.1f %% of %zu\n", bytes, 100.0 * bytes / (4 * pixels),
           4 * pixels);
}

TEST(WallpaperGeneratorTest, AnUnwritableOutputStopsWithAMessage) {
    ScratchFolder folder;
    const std::string output = folder.Path("missing/wallpaper.png");
    const ProgramRun run = RunProgram({Generator, output});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Messages().find("wallpaper_generator: " + output + ": cannot create"),
              std::string::npos)
        << run.Messages();
    EXPECT_TRUE(folder.Names().empty());
}

} // namespace
