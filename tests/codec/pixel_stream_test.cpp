// The encoder and the trusting decoder: the format byte for byte, every count code form, and
// round trips of many pictures with the rules every encoder output must keep.
#include "pixel_stream.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/mman.h>
#endif
#include "codec_test_support.h"
#include "guarded_buffer.h"
#include "neighbour_mask.h"

#include <random>
#include <string>
#include <vector>

namespace {

struct Example {
    const char* Pixels;
    const char* Stream;
};

class PixelStreamExamples : public testing::TestWithParam<Example> {};

TEST_P(PixelStreamExamples, EncodeAndDecodeByteForByte) {
    const std::vector<uint32_t> pixels = PixelsFromText(GetParam().Pixels);
    const std::vector<uint8_t> stream = BytesFromText(GetParam().Stream);
    EXPECT_EQ(Encode(pixels), stream);

    const Decoded decoded = DecodeTrusting(stream, pixels.size());
    EXPECT_EQ(decoded.Result, 4 * pixels.size());
    EXPECT_EQ(FirstMismatch(pixels, decoded.Pixels), "");

    const DecodedBounded bounded = DecodeBounded(stream, uint32_t(4 * pixels.size()));
    EXPECT_EQ(bounded.Result.Status, PixelStreamComplete);
    EXPECT_EQ(bounded.Result.ByteCount, 4 * pixels.size());
    EXPECT_EQ(bounded.Bytes, PixelBytes(pixels));
}

INSTANTIATE_TEST_SUITE_P(
    PixelStream, PixelStreamExamples,
    testing::Values(Example{"", "00 END"}, Example{"P", "00 02 P END"},
                    Example{"A B", "00 04 A B END"}, Example{"A A", "01 04 A END"},
                    Example{"A B B", "00 02 A 04 B END"}, Example{"A A B", "01 04 A 02 B END"},
                    Example{"A A B B", "01 04 A 00 04 B END"}, Example{"A B A", "00 06 A B A END"},
                    Example{"A B A A B B", "00 04 A B 04 A 00 04 B END"}));

TEST(PixelStream, TrailingBytesAreIgnored) {
    for (uint32_t trailing = 0; trailing < 4; ++trailing) {
        SCOPED_TRACE("trailing bytes: " + std::to_string(trailing));
        EXPECT_EQ(Encode({}, trailing), BytesFromText("00 END"));
        EXPECT_EQ(Encode(PixelsFromText("A B B"), trailing), BytesFromText("00 02 A 04 B END"));
    }
    EXPECT_EQ(DecodeTrusting(BytesFromText("00 END"), 0).Result, 0u);
}

TEST(PixelStream, WholeWallpaperOfOnePixel) {
    const std::vector<uint32_t> pixels(100650, PixelP);
    const std::vector<uint8_t> stream = Encode(pixels);
    EXPECT_EQ(stream, BytesFromText("01 53 49 0C 00 P END"));
    const Decoded decoded = DecodeTrusting(stream, pixels.size());
    EXPECT_EQ(decoded.Result, 402600u);
    EXPECT_EQ(FirstMismatch(pixels, decoded.Pixels), "");
}

// Runs at the width limits of the count codes, as fill runs and as literal runs.
struct CodeLimit {
    uint32_t Count;
    const char* Code;
};

class PixelStreamCodeLimits : public testing::TestWithParam<CodeLimit> {};

std::vector<uint32_t> DistinctPixels(uint32_t count) {
    std::vector<uint32_t> pixels(count);
    for (uint32_t i = 0; i < count; ++i)
        pixels[i] = 0x01000000 + i;
    return pixels;
}

TEST_P(PixelStreamCodeLimits, FillRun) {
    const std::vector<uint32_t> pixels(GetParam().Count, PixelA);
    const std::vector<uint8_t> stream = Encode(pixels);
    EXPECT_EQ(stream, BytesFromText(std::string("01 ") + GetParam().Code + " A END"));
    EXPECT_EQ(FirstMismatch(pixels, DecodeTrusting(stream, pixels.size()).Pixels), "");
}

TEST_P(PixelStreamCodeLimits, LiteralRun) {
    const std::vector<uint32_t> pixels = DistinctPixels(GetParam().Count);
    const std::vector<uint8_t> code = BytesFromText(GetParam().Code);
    std::vector<uint8_t> expected{0};
    expected.insert(expected.end(), code.begin(), code.end());
    const std::vector<uint8_t> pixelBytes = PixelBytes(pixels);
    expected.insert(expected.end(), pixelBytes.begin(), pixelBytes.end());
    expected.insert(expected.end(), 4, 0);
    EXPECT_EQ(Encode(pixels), expected);
    EXPECT_EQ(FirstMismatch(pixels, DecodeTrusting(expected, pixels.size()).Pixels), "");
}

INSTANTIATE_TEST_SUITE_P(PixelStream, PixelStreamCodeLimits,
                         testing::Values(CodeLimit{2, "04"}, CodeLimit{127, "FE"},
                                         CodeLimit{128, "01 02"}, CodeLimit{16383, "FD FF"},
                                         CodeLimit{16384, "03 00 02 00"},
                                         CodeLimit{70000, "83 8B 08 00"}));

// Streams the encoder never writes but the decoders must read as the format allows.
struct AnyForm {
    const char* What;
    const char* Stream;
    const char* Pixels;
};

class PixelStreamAnyForm : public testing::TestWithParam<AnyForm> {};

TEST_P(PixelStreamAnyForm, BothDecodersAccept) {
    const std::vector<uint8_t> stream = BytesFromText(GetParam().Stream);
    const std::vector<uint32_t> pixels = PixelsFromText(GetParam().Pixels);
    const Decoded decoded = DecodeTrusting(stream, pixels.size());
    EXPECT_EQ(decoded.Result, 4 * pixels.size());
    EXPECT_EQ(FirstMismatch(pixels, decoded.Pixels), "");
    const DecodedBounded bounded = DecodeBounded(stream, uint32_t(4 * pixels.size()));
    EXPECT_EQ(bounded.Result.Status, PixelStreamComplete);
    EXPECT_EQ(bounded.Bytes, PixelBytes(pixels));
}

INSTANTIATE_TEST_SUITE_P(
    PixelStream, PixelStreamAnyForm,
    testing::Values(
        AnyForm{"fill count 5 in the 2-byte form", "01 15 00 A END", "A A A A A"},
        AnyForm{"fill count 5 in the 4-byte form", "01 2B 00 00 00 A END", "A A A A A"},
        AnyForm{"reserved bit 2 set", "01 2F 00 00 00 A END", "A A A A A"},
        AnyForm{"literal count 3 in the 2-byte form", "00 0D 00 A B A END", "A B A"},
        AnyForm{"literal count 2 in the 4-byte form, bit 2 set", "00 17 00 00 00 A B END", "A B"},
        AnyForm{"start byte FF begins with a fill run", "FF 04 A END", "A A"},
        AnyForm{"start byte FE begins with a literal run", "FE 04 A B END", "A B"},
        AnyForm{"zero literal count before a fill run", "00 00 04 B END", "B B"},
        AnyForm{"zero fill count still has its pixel", "01 01 00 A 02 B END", "B"},
        AnyForm{"a fill run of one pixel", "01 02 A 02 B 02 A END", "A B A"},
        AnyForm{"equal pixels inside a literal run", "00 06 A A A 04 A END", "A A A A A"}),
    [](const testing::TestParamInfo<AnyForm>& info) {
        return "Case" + std::to_string(info.index);
    });

// Pictures built from runs of chosen lengths (those around the count code limits included)
// and stretches of pixels drawn from palettes small enough to make equal neighbours by chance.
std::vector<uint32_t> RandomPicture(std::mt19937& random) {
    static const uint32_t runLengths[] = {1,   2,   3,   4,     5,     16,    17, 126,
                                          127, 128, 129, 16383, 16384, 16385, 300};
    static const uint32_t paletteSizes[] = {2, 3, 16, 1u << 24};
    static const uint32_t targetSizes[] = {0, 1, 2, 3, 7, 40, 500, 5000, 40000};
    const uint32_t palette = paletteSizes[random() % 4];
    const uint32_t target = targetSizes[random() % 9];
    std::vector<uint32_t> pixels;
    while (pixels.size() < target) {
        const uint32_t value = random() % palette * 0x9E3779B1u;
        if (random() % 2 == 0) {
            uint32_t length = runLengths[random() % 15];
            if (length == 300)
                length = 1 + random() % 300;
            pixels.insert(pixels.end(), length, value);
        } else {
            for (uint32_t i = random() % 40; i > 0; --i)
                pixels.push_back(random() % palette * 0x9E3779B1u);
        }
    }
    return pixels;
}

TEST(PixelStream, RandomPicturesRoundTripAndKeepTheEncoderRules) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        std::mt19937 random(seed);
        const std::vector<uint32_t> pixels = RandomPicture(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(pixels.size()) +
                     " pixels");
        std::vector<uint8_t> rest;
        const std::vector<uint8_t> stream = Encode(pixels, seed % 4, &rest);
        ASSERT_EQ(CheckEncoderOutput(pixels, stream), "");
        // The short pairs' moves run past their runs, but only over bytes written next.
        ASSERT_EQ(rest, std::vector<uint8_t>(rest.size(), 0xEE)) << "written past the stream";
        const Decoded decoded = DecodeTrusting(stream, pixels.size());
        ASSERT_EQ(decoded.Result, 4 * pixels.size());
        ASSERT_EQ(FirstMismatch(pixels, decoded.Pixels), "");
    }
}

// The encoder takes the picture in blocks of MaskBits pixels, 16 blocks at a time, and a run
// may end, or stay open, at either end. Pictures whose first run ends just before, at or just
// after a block's or a 16-block chunk's end, followed by pairs of each kind: short ones, a fill
// run too long for one, literal runs too long for one, and a literal run over whole blocks.
TEST(PixelStream, RunsAroundBlockAndChunkEnds) {
    struct Pair {
        uint32_t Fill, Literal;
    };
    const Pair pairs[] = {
        {2, 0}, {3, 4}, {127, 1}, {128, 2}, {2, 5}, {5, 3}, {2, 2 * MaskBits + 3}};
    uint32_t next = 1; // pixel values, all different
    for (const uint32_t end : {MaskBits, 16 * MaskBits, 32 * MaskBits}) {
        for (uint32_t first = end - 4; first <= end + 4; ++first) {
            for (const bool startsWithFill : {true, false}) {
                std::vector<uint32_t> pixels;
                for (uint32_t i = 0; i < first; ++i)
                    pixels.push_back(startsWithFill ? 0 : next++);
                for (const Pair& pair : pairs) {
                    pixels.insert(pixels.end(), pair.Fill, next++);
                    for (uint32_t i = 0; i < pair.Literal; ++i)
                        pixels.push_back(next++);
                }
                SCOPED_TRACE("first run of " + std::to_string(first) + " pixels, " +
                             (startsWithFill ? "a fill run" : "a literal run"));
                std::vector<uint8_t> rest;
                const std::vector<uint8_t> stream = Encode(pixels, 0, &rest);
                ASSERT_EQ(CheckEncoderOutput(pixels, stream), "");
                ASSERT_EQ(rest, std::vector<uint8_t>(rest.size(), 0xEE))
                    << "written past the stream";
            }
        }
    }
}

// 2^29 pixels would need a count that no code holds. The input is an untouched anonymous
// mapping: reading it maps the shared zero page, so it costs no memory. A 32-bit Windows process
// cannot map 2 GiB at all, so these run on the host only.
#if !defined(_WIN32)
class HugeInput {
  public:
    explicit HugeInput(size_t bytes) : bytes_(bytes) {
        mapped_ =
            mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    }
    ~HugeInput() {
        if (mapped_ != MAP_FAILED)
            munmap(mapped_, bytes_);
    }
    const void* data() const {
        return mapped_ == MAP_FAILED ? nullptr : mapped_;
    }

  private:
    size_t bytes_;
    void* mapped_;
};

TEST(PixelStream, EncoderRefusesTwoToThe29Pixels) {
    HugeInput input(size_t(1) << 31);
    ASSERT_NE(input.data(), nullptr);
    std::vector<uint8_t> destination(64, 0xEE);
    EXPECT_EQ(EncodePixelStream(input.data(), destination.data(), 1u << 31), 0u);
    EXPECT_EQ(EncodePixelStream(input.data(), destination.data(), 0xFFFFFFFFu), 0u);
    EXPECT_EQ(destination, std::vector<uint8_t>(64, 0xEE)) << "a refused input wrote output";
}

TEST(PixelStream, EncoderWritesTheLongestRunInTheWidestCode) {
    // 2^29 - 1 zero pixels and 3 trailing bytes: one fill run with the largest count.
    HugeInput input(size_t(1) << 31);
    ASSERT_NE(input.data(), nullptr);
    GuardedBuffer destination(13);
    EXPECT_EQ(EncodePixelStream(input.data(), destination.data(), 0x7FFFFFFF), 13u);
    EXPECT_EQ(destination.bytes(), BytesFromText("01 FB FF FF FF 00 00 00 00 END"));
}
#endif

} // namespace
