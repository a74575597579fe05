// The wallpaper stream that the build made from the wallpaper picture: it decodes to exactly
// the setup window's picture, encoding that gives the stream back byte for byte, and the
// statistics tool tells its true numbers.
#include "codec_test_support.h"
#include "file_bytes.h"
#include "guarded_buffer.h"
#include "pixel_stream.h"
#include "program_run.h"
#include "setup_look.h"
#include "stream_runs.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <regex>
#include <string>
#include <vector>

namespace {

constexpr uint32_t WallpaperBytes = look::PictureWidth * look::PictureHeight * 4;

std::vector<uint8_t> WallpaperFile() {
    return ReadFileVector(FLARVEX_WALLPAPER_RLE);
}

TEST(WallpaperStream, DecodesToTheWholePicture) {
    const std::vector<uint8_t> stream = WallpaperFile();
    ASSERT_FALSE(stream.empty()) << "cannot read " << FLARVEX_WALLPAPER_RLE;
    GuardedBuffer source(stream);
    // Decoded twice over different fillings, every byte must come out the same: the decoder
    // wrote all 402,600 of them, and the buffer ends at an inaccessible page.
    GuardedBuffer first(WallpaperBytes), second(WallpaperBytes);
    memset(first.data(), 0x00, WallpaperBytes);
    memset(second.data(), 0xFF, WallpaperBytes);
    EXPECT_EQ(DecodePixelStream(source.data(), first.data()), WallpaperBytes);
    EXPECT_EQ(DecodePixelStream(source.data(), second.data()), WallpaperBytes);
    ASSERT_EQ(first.bytes(), second.bytes());

    for (uint32_t at = 3; at < WallpaperBytes; at += 4)
        ASSERT_EQ(first.data()[at], 0) << "fourth byte of pixel " << at / 4;

    const DecodedBounded bounded = DecodeBounded(stream, WallpaperBytes);
    EXPECT_EQ(bounded.Result.Status, PixelStreamComplete);
    EXPECT_EQ(bounded.Bytes, first.bytes());
}

TEST(WallpaperStream, EncodingThePictureGivesBackTheStream) {
    const std::vector<uint8_t> stream = WallpaperFile();
    ASSERT_FALSE(stream.empty()) << "cannot read " << FLARVEX_WALLPAPER_RLE;
    std::vector<uint8_t> pixels(WallpaperBytes);
    ASSERT_EQ(DecodePixelStream(stream.data(), pixels.data()), WallpaperBytes);
    std::vector<uint8_t> encoded(WallpaperBytes + 8 + WallpaperBytes / 65536);
    const uint32_t length = EncodePixelStream(pixels.data(), encoded.data(), WallpaperBytes);
    EXPECT_EQ(length, stream.size());
    encoded.resize(length);
    EXPECT_EQ(encoded, stream);
}

uint64_t Number(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ',')
            digits += c;
    }
    return std::stoull(digits);
}

// Finds pattern in text and returns its groups as numbers.
std::vector<uint64_t> Numbers(const std::string& text, const std::string& pattern) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(pattern))) {
        ADD_FAILURE() << "no line matching \"" << pattern << "\" in:\n" << text;
        return std::vector<uint64_t>(match.size() > 0 ? match.size() - 1 : 16, 0);
    }
    std::vector<uint64_t> numbers;
    for (size_t i = 1; i < match.size(); ++i)
        numbers.push_back(Number(match[i]));
    return numbers;
}

TEST(WallpaperStream, StatisticsToolTellsTheStreamsOwnNumbers) {
    const std::vector<uint8_t> stream = WallpaperFile();
    const StreamRuns runs = ReadStreamRuns(stream);
    ASSERT_EQ(runs.Error, "");

    uint64_t fills = 0, fillPixels = 0, shortest = ~0ull, longest = 0;
    uint64_t literals = 0, literalPixels = 0, empty = 0, longestLiteral = 0, codeBytes = 0;
    uint64_t fillCodes[5] = {}, literalCodes[5] = {};
    for (const StreamRun& run : runs.Runs) {
        codeBytes += run.CodeWidth;
        if (run.Fill) {
            ++fills;
            fillPixels += run.Count;
            shortest = std::min<uint64_t>(shortest, run.Count);
            longest = std::max<uint64_t>(longest, run.Count);
            ++fillCodes[run.CodeWidth];
        } else {
            ++literals;
            literalPixels += run.Count;
            empty += run.Count == 0;
            longestLiteral = std::max<uint64_t>(longestLiteral, run.Count);
            ++literalCodes[run.CodeWidth];
        }
    }

    const ProgramRun tool = RunProgram({FLARVEX_PICTURE_TOOL, "stats", FLARVEX_WALLPAPER_RLE});
    ASSERT_EQ(tool.ExitStatus, 0) << tool.Errors;
    const std::string& text = tool.Output;
    const std::string n = "([0-9,]+)";
    EXPECT_EQ(Numbers(text, "start byte " + n), std::vector<uint64_t>{runs.StartByte});
    EXPECT_EQ(Numbers(text, n + " fill runs covering " + n + " pixels?, none shorter than " + n +
                                " pixels?, the longest " + n + " pixels?"),
              (std::vector<uint64_t>{fills, fillPixels, shortest, longest}));
    EXPECT_EQ(Numbers(text, n + " literal runs covering " + n + " pixels?, " + n +
                                " of them empty, the longest " + n + " pixels?"),
              (std::vector<uint64_t>{literals, literalPixels, empty, longestLiteral}));
    EXPECT_EQ(Numbers(text, "count codes: 1-byte " + n + " literal, " + n + " fill; 2-byte " + n +
                                " literal, " + n + " fill; 4-byte " + n + " literal, " + n +
                                " fill"),
              (std::vector<uint64_t>{literalCodes[1], fillCodes[1], literalCodes[2], fillCodes[2],
                                     literalCodes[4], fillCodes[4]}));
    const bool lastIsFill = !runs.Runs.empty() && runs.Runs.back().Fill;
    EXPECT_NE(
        text.find(lastIsFill ? "the last run is a fill run" : "the last run is a literal run"),
        std::string::npos)
        << text;
    EXPECT_EQ(Numbers(text, n + " bytes: the start byte, " + n + " bytes of count codes, " + n +
                                " bytes of literal pixels, " + n + " bytes of fill-run pixels"),
              (std::vector<uint64_t>{stream.size(), codeBytes, 4 * literalPixels, 4 * fills}));
    char share[96];
    snprintf(share, sizeof share, "%.1f %% of the decoded size (402,600 bytes, 100,650 pixels)",
             100.0 * double(stream.size()) / WallpaperBytes);
    EXPECT_NE(text.find(share), std::string::npos) << "no \"" << share << "\" in:\n" << text;
    EXPECT_EQ(1 + codeBytes + 4 * literalPixels + 4 * fills + 4, stream.size());
}

} // namespace
