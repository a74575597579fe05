// picture_tool: turns PNG pictures into pixel streams and back, and tells what a stream is
// made of. For people preparing the setup program's wallpaper; the build runs it too.
//
//   picture_tool encode picture.png stream.rle [--expect WxH] [--colors N [--dither D]] [--stats]
//   picture_tool decode stream.rle picture.png --width W
//   picture_tool stats stream.rle
//
// Every failure names the file and what is wrong with it and exits with status 1 (2 for a
// wrong command line); an output file is either written whole or not touched.
#include "picture_tool_colors.h"
#include "picture_tool_stats.h"
#include "pixel_stream.h"
#include "png_file.h"
#include "whole_file.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
// Streams from outside are decoded only up to this size (a 16,384-pixel square).
constexpr uint64_t MaxDecodedBytes = 1u << 30;

const char* const Usage =
    "usage: picture_tool encode picture.png stream.rle [--expect WxH] [--colors N [--dither D]]"
    " [--stats]\n"
    "       picture_tool decode stream.rle picture.png --width W\n"
    "       picture_tool stats stream.rle\n";

int Fail(const std::string& file, const std::string& problem) {
    fprintf(stderr, "picture_tool: %s: %s\n", file.c_str(), problem.c_str());
    return ExitFailure;
}

int UsageError(const std::string& problem) {
    fprintf(stderr, "picture_tool: %s\n%s", problem.c_str(), Usage);
    return ExitUsage;
}

// Parses a whole positive decimal number no larger than limit.
bool ParseNumber(const std::string& text, uint32_t limit, uint32_t& number) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = uint32_t(std::stoul(text));
    return number >= 1 && number <= limit;
}

struct Options {
    std::vector<std::string> Files;
    uint32_t ExpectWidth = 0, ExpectHeight = 0; // 0: any size
    uint32_t Colors = 0;
    float Dither = 0;
    uint32_t Width = 0;
    bool Stats = false;
};

bool ParseOptions(int argc, char** argv, Options& options, std::string& problem) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--stats") {
            options.Stats = true;
        } else if (arg == "--expect" && hasValue) {
            const std::string size = argv[++i];
            const size_t x = size.find('x');
            if (x == std::string::npos ||
                !ParseNumber(size.substr(0, x), 1u << 14, options.ExpectWidth) ||
                !ParseNumber(size.substr(x + 1), 1u << 14, options.ExpectHeight)) {
                problem = "--expect takes a picture size as WIDTHxHEIGHT, such as 366x275";
                return false;
            }
        } else if (arg == "--colors" && hasValue) {
            if (!ParseNumber(argv[++i], 256, options.Colors) || options.Colors < 2) {
                problem = "--colors takes a number of colours from 2 to 256";
                return false;
            }
        } else if (arg == "--dither" && hasValue) {
            char* end = nullptr;
            options.Dither = strtof(argv[++i], &end);
            if (*end != 0 || !(options.Dither >= 0 && options.Dither <= 1)) {
                problem = "--dither takes a level from 0 (none) to 1 (full)";
                return false;
            }
        } else if (arg == "--width" && hasValue) {
            if (!ParseNumber(argv[++i], 1u << 14, options.Width)) {
                problem = "--width takes a number of pixels from 1 to 16384";
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option or missing value: " + arg;
            return false;
        } else {
            options.Files.push_back(arg);
        }
    }
    return true;
}

// Reads and checks a stream file: whole runs, its end mark as its last four bytes.
bool ReadStream(const std::string& path, std::vector<uint8_t>& stream, StreamStatistics& statistics,
                int& exitCode) {
    std::string error;
    if (!ReadWholeFile(path, stream, error)) {
        exitCode = Fail(path, error);
        return false;
    }
    const PixelStreamDecodeResult read =
        ReadStreamStatistics(stream.data(), stream.size(), statistics);
    if (read.Status != PixelStreamComplete) {
        exitCode = Fail(path, std::string("not a pixel stream: ") +
                                  DescribePixelStreamStatus(read.Status) + " (at byte " +
                                  WithSeparators(read.Offset) + ")");
        return false;
    }
    return true;
}

int Encode(const Options& options) {
    if (options.Files.size() != 2 || options.Width != 0)
        return UsageError("encode takes a PNG picture and a stream file");
    const std::string& input = options.Files[0];
    const std::string& output = options.Files[1];
    std::string error;
    Picture picture;
    if (!ReadPngFile(input, picture, error))
        return Fail(input, error);
    if (options.ExpectWidth != 0 &&
        (picture.Width != options.ExpectWidth || picture.Height != options.ExpectHeight))
        return Fail(input, "the picture is " + std::to_string(picture.Width) + " x " +
                               std::to_string(picture.Height) + " pixels, not " +
                               std::to_string(options.ExpectWidth) + " x " +
                               std::to_string(options.ExpectHeight));
    if (options.Colors != 0 && !ReduceColors(picture, int(options.Colors), options.Dither, error))
        return Fail(input, error);

    const uint32_t size = uint32_t(picture.Pixels.size());
    std::vector<uint8_t> stream(size + 8 + size / 65536);
    stream.resize(EncodePixelStream(picture.Pixels.data(), stream.data(), size));
    // The stream must give back the picture before it goes anywhere.
    std::vector<uint8_t> check(size);
    const PixelStreamDecodeResult decoded =
        DecodePixelStreamBounded(stream.data(), uint32_t(stream.size()), check.data(), size);
    if (decoded.Status != PixelStreamComplete || decoded.ByteCount != size ||
        check != picture.Pixels)
        return Fail(input, "the encoded stream does not decode back to the picture");
    if (!WriteWholeFile(output, stream, error))
        return Fail(output, error);
    if (options.Stats) {
        StreamStatistics statistics;
        ReadStreamStatistics(stream.data(), stream.size(), statistics);
        printf("%s: %u x %u pixels\n%s", output.c_str(), picture.Width, picture.Height,
               FormatStreamStatistics(statistics).c_str());
    }
    return 0;
}

int Decode(const Options& options) {
    if (options.Files.size() != 2 || options.Width == 0 || options.Colors != 0 ||
        options.ExpectWidth != 0)
        return UsageError("decode takes a stream file, a PNG picture and --width");
    const std::string& input = options.Files[0];
    const std::string& output = options.Files[1];
    std::vector<uint8_t> stream;
    StreamStatistics statistics;
    int exitCode = 0;
    if (!ReadStream(input, stream, statistics, exitCode))
        return exitCode;
    const uint64_t pixels = statistics.DecodedPixels();
    if (pixels * PixelSize > MaxDecodedBytes)
        return Fail(input, "decodes to " + WithSeparators(pixels) + " pixels, too many to take");
    if (pixels == 0 || pixels % options.Width != 0)
        return Fail(input, "decodes to " + WithSeparators(pixels) +
                               " pixels, not a whole number of rows of " +
                               WithSeparators(options.Width));
    Picture picture;
    picture.Width = options.Width;
    picture.Height = uint32_t(pixels / options.Width);
    picture.Pixels.resize(size_t(pixels) * PixelSize);
    const PixelStreamDecodeResult decoded =
        DecodePixelStreamBounded(stream.data(), uint32_t(stream.size()), picture.Pixels.data(),
                                 uint32_t(picture.Pixels.size()));
    if (decoded.Status != PixelStreamComplete)
        return Fail(input, std::string("not a pixel stream: ") +
                               DescribePixelStreamStatus(decoded.Status));
    for (size_t i = 3; i < picture.Pixels.size(); i += 4) {
        if (picture.Pixels[i] != 0) {
            fprintf(stderr,
                    "picture_tool: %s: note: pixels with a non-zero fourth byte; "
                    "the PNG picture does not keep it\n",
                    input.c_str());
            break;
        }
    }
    std::string error;
    if (!WritePngFile(output, picture, error))
        return Fail(output, error);
    return 0;
}

int Stats(const Options& options) {
    if (options.Files.size() != 1 || options.Width != 0 || options.Colors != 0 ||
        options.ExpectWidth != 0)
        return UsageError("stats takes one stream file");
    std::vector<uint8_t> stream;
    StreamStatistics statistics;
    int exitCode = 0;
    if (!ReadStream(options.Files[0], stream, statistics, exitCode))
        return exitCode;
    printf("%s\n%s", options.Files[0].c_str(), FormatStreamStatistics(statistics).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("no command given");
    Options options;
    std::string problem;
    if (!ParseOptions(argc, argv, options, problem))
        return UsageError(problem);
    const std::string command = argv[1];
    if (command == "encode")
        return Encode(options);
    if (command == "decode")
        return Decode(options);
    if (command == "stats")
        return Stats(options);
    return UsageError("unknown command: " + command);
}
