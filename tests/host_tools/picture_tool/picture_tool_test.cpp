// picture_tool from the outside: pictures through streams and back, colour reduction, and
// every kind of bad input refused with the file's name, the problem and status 1, leaving no
// output file behind.
#include "file_bytes.h"
#include "pixel_stream.h"
#include "png_file.h"
#include "program_run.h"
#include "scratch_folder.h"
#include "whole_file.h"

#include <gtest/gtest.h>

#include <png.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

namespace {

ProgramRun RunPictureTool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {FLARVEX_PICTURE_TOOL};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunProgram(command);
}

// A small picture with long runs, a row-crossing run and some noise.
Picture SamplePicture(uint32_t width, uint32_t height) {
    Picture picture;
    picture.Width = width;
    picture.Height = height;
    uint32_t state = 12345;
    for (uint32_t i = 0; i < width * height; ++i) {
        state = state * 1103515245 + 12345;
        const bool noise = i % 97 > 80;
        const uint8_t shade = noise ? uint8_t(state >> 24) : uint8_t(i / 50 * 40);
        picture.Pixels.insert(picture.Pixels.end(), {shade, uint8_t(shade / 2), 200, 0});
    }
    return picture;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string error;
    ASSERT_TRUE(WriteWholeFile(path, bytes, error)) << error;
}

void WritePicture(const std::string& path, const Picture& picture) {
    std::vector<uint8_t> file;
    std::string error;
    ASSERT_TRUE(WritePng(picture, file, error)) << error;
    WriteFile(path, file);
}

Picture ReadPicture(const std::string& path) {
    Picture picture;
    std::string error;
    EXPECT_TRUE(ReadPng(ReadFileVector(path), picture, error)) << path << ": " << error;
    return picture;
}

TEST(PictureTool, PictureGoesThroughAStreamAndBack) {
    ScratchFolder folder;
    const Picture picture = SamplePicture(37, 11);
    WritePicture(folder.Path("in.png"), picture);

    ProgramRun run = RunPictureTool(
        {"encode", folder.Path("in.png"), folder.Path("out.rle"), "--expect", "37x11", "--stats"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    EXPECT_NE(run.Output.find("407 pixels"), std::string::npos) << run.Output;
    const std::vector<uint8_t> stream = ReadFileVector(folder.Path("out.rle"));
    std::vector<uint8_t> pixels(picture.Pixels.size());
    ASSERT_EQ(DecodePixelStream(stream.data(), pixels.data()), pixels.size());
    EXPECT_EQ(pixels, picture.Pixels);

    run = RunPictureTool(
        {"decode", folder.Path("out.rle"), folder.Path("back.png"), "--width", "37"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    const Picture back = ReadPicture(folder.Path("back.png"));
    EXPECT_EQ(back.Width, 37u);
    EXPECT_EQ(back.Height, 11u);
    EXPECT_EQ(back.Pixels, picture.Pixels);

    run = RunPictureTool({"encode", folder.Path("back.png"), folder.Path("again.rle")});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    EXPECT_EQ(ReadFileVector(folder.Path("again.rle")), stream);
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"again.rle", "back.png", "in.png", "out.rle"}));
}

TEST(PictureTool, ReducesColoursOfAPhotograph) {
    ScratchFolder folder;
    Picture photo;
    photo.Width = photo.Height = 64;
    for (uint32_t y = 0; y < 64; ++y) {
        for (uint32_t x = 0; x < 64; ++x)
            photo.Pixels.insert(photo.Pixels.end(),
                                {uint8_t(x * 4), uint8_t(y * 4), uint8_t((x * y) % 251), 0});
    }
    WritePicture(folder.Path("photo.png"), photo);
    ASSERT_EQ(
        RunPictureTool({"encode", folder.Path("photo.png"), folder.Path("full.rle")}).ExitStatus,
        0);
    const ProgramRun run = RunPictureTool(
        {"encode", folder.Path("photo.png"), folder.Path("few.rle"), "--colors", "13"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;

    const std::vector<uint8_t> stream = ReadFileVector(folder.Path("few.rle"));
    std::vector<uint8_t> pixels(photo.Pixels.size());
    ASSERT_EQ(DecodePixelStream(stream.data(), pixels.data()), pixels.size());
    std::set<uint32_t> colours;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        uint32_t pixel;
        memcpy(&pixel, &pixels[i], 4);
        colours.insert(pixel);
        EXPECT_EQ(pixels[i + 3], 0);
    }
    EXPECT_LE(colours.size(), 13u);
    EXPECT_GE(colours.size(), 8u) << "the picture lost more colours than asked";
    EXPECT_LT(stream.size(), ReadFileVector(folder.Path("full.rle")).size());
}

TEST(PictureTool, AlphaIsNotKept) {
    ScratchFolder folder;
    const uint8_t rgba[] = {10, 20, 30, 0, 10, 20, 30, 128, 40, 50, 60, 255};
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = 3;
    image.height = 1;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(
        png_image_write_to_file(&image, folder.Path("alpha.png").c_str(), 0, rgba, 0, nullptr));
    ASSERT_EQ(
        RunPictureTool({"encode", folder.Path("alpha.png"), folder.Path("alpha.rle")}).ExitStatus,
        0);
    const std::vector<uint8_t> stream = ReadFileVector(folder.Path("alpha.rle"));
    std::vector<uint8_t> pixels(12);
    ASSERT_EQ(DecodePixelStream(stream.data(), pixels.data()), 12u);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{30, 20, 10, 0, 30, 20, 10, 0, 60, 50, 40, 0}));
}

// Bad input: what is in the folder, the command, and what the message must say.
struct BadInput {
    const char* What;
    std::vector<std::string> Arguments; // "@name" is the file name in the scratch folder
    int ExitStatus;
    std::vector<std::string> Message; // "@name" likewise
};

// The files every case starts from.
void MakeInputs(const ScratchFolder& folder) {
    WritePicture(folder.Path("small.png"), SamplePicture(37, 11));
    ASSERT_EQ(
        RunPictureTool({"encode", folder.Path("small.png"), folder.Path("good.rle")}).ExitStatus,
        0);
    const std::vector<uint8_t> good = ReadFileVector(folder.Path("good.rle"));
    WriteFile(folder.Path("truncated.rle"), std::vector<uint8_t>(good.begin(), good.end() - 3));
    std::vector<uint8_t> trailing = good;
    trailing.push_back(0);
    WriteFile(folder.Path("trailing.rle"), trailing);
    std::vector<uint8_t> badEnd = good;
    badEnd.back() = 1;
    WriteFile(folder.Path("bad-end.rle"), badEnd);
    const std::vector<uint8_t> png = ReadFileVector(folder.Path("small.png"));
    WriteFile(folder.Path("damaged.png"),
              std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2));
    const std::string text = "not a picture at all\n";
    WriteFile(folder.Path("text.png"), std::vector<uint8_t>(text.begin(), text.end()));
    WriteFile(folder.Path("out.png"), {'o', 'l', 'd'});
}

class PictureToolBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(PictureToolBadInput, IsRefusedAndLeavesNoOutput) {
    ScratchFolder folder;
    MakeInputs(folder);
    const std::vector<std::string> before = folder.Names();
    auto resolve = [&](std::string text) {
        for (size_t at; (at = text.find('@')) != std::string::npos;) {
            size_t end = text.find_first_of(" :", at);
            end = end == std::string::npos ? text.size() : end;
            text.replace(at, end - at, folder.Path(text.substr(at + 1, end - at - 1)));
        }
        return text;
    };
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().Arguments)
        arguments.push_back(resolve(argument));

    const ProgramRun run = RunPictureTool(arguments);
    EXPECT_EQ(run.ExitStatus, GetParam().ExitStatus) << run.Errors;
    for (const std::string& part : GetParam().Message)
        EXPECT_NE(run.Errors.find(resolve(part)), std::string::npos)
            << "no \"" << resolve(part) << "\" in: " << run.Errors;
    EXPECT_EQ(run.Output, "");
    EXPECT_EQ(folder.Names(), before) << "a file was added or removed";
    EXPECT_EQ(ReadFileVector(folder.Path("out.png")), (std::vector<uint8_t>{'o', 'l', 'd'}))
        << "the existing output file was changed";
}

INSTANTIATE_TEST_SUITE_P(
    PictureTool, PictureToolBadInput,
    testing::Values(
        BadInput{"MissingPicture",
                 {"encode", "@missing.png", "@out.rle"},
                 1,
                 {"@missing.png: cannot open it: No such file or directory"}},
        BadInput{
            "FolderForAPicture", {"encode", "/tmp", "@out.rle"}, 1, {"/tmp: not a regular file"}},
        BadInput{
            "NotAPng", {"encode", "@text.png", "@out.rle"}, 1, {"@text.png: not a PNG picture"}},
        BadInput{"DamagedPng",
                 {"encode", "@damaged.png", "@out.rle"},
                 1,
                 {"@damaged.png: a damaged PNG picture"}},
        BadInput{"WrongSize",
                 {"encode", "@small.png", "@out.rle", "--expect", "366x275"},
                 1,
                 {"@small.png: the picture is 37 x 11 pixels, not 366 x 275"}},
        BadInput{"OutputFolderMissing",
                 {"encode", "@small.png", "@nowhere/out.rle"},
                 1,
                 {"@nowhere/out.rle: cannot create a temporary file beside it"}},
        BadInput{"TruncatedStream",
                 {"decode", "@truncated.rle", "@out.png", "--width", "37"},
                 1,
                 {"@truncated.rle: not a pixel stream: the stream ends inside a run or before its "
                  "end mark (at byte"}},
        BadInput{"TrailingBytes",
                 {"decode", "@trailing.rle", "@out.png", "--width", "37"},
                 1,
                 {"@trailing.rle: not a pixel stream: bytes follow the end mark"}},
        BadInput{"BadEndMark",
                 {"stats", "@bad-end.rle"},
                 1,
                 {"@bad-end.rle: not a pixel stream: the end mark is not four zero bytes"}},
        BadInput{"MissingStream", {"stats", "@missing.rle"}, 1, {"@missing.rle: cannot open it"}},
        BadInput{"WidthNotAWholeRow",
                 {"decode", "@good.rle", "@out.png", "--width", "10"},
                 1,
                 {"@good.rle: decodes to 407 pixels, not a whole number of rows of 10"}},
        BadInput{"PngIsNotAStream",
                 {"decode", "@small.png", "@out.png", "--width", "37"},
                 1,
                 {"@small.png: not a pixel stream"}},
        BadInput{"NoCommand", {}, 2, {"usage: picture_tool encode"}},
        BadInput{"UnknownCommand", {"shrink", "@small.png"}, 2, {"unknown command: shrink"}},
        BadInput{"DecodeWithoutWidth",
                 {"decode", "@good.rle", "@out.png"},
                 2,
                 {"decode takes a stream file, a PNG picture and --width"}},
        BadInput{"TooFewColours",
                 {"encode", "@small.png", "@out.rle", "--colors", "1"},
                 2,
                 {"--colors takes a number of colours from 2 to 256"}},
        BadInput{"BadExpect",
                 {"encode", "@small.png", "@out.rle", "--expect", "366"},
                 2,
                 {"--expect takes a picture size"}}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.What); });

} // namespace
