// The checking decoder: it decodes what the trusting one decodes, and turns away truncated,
// corrupted and oversized streams with the reason and the offset, never touching a byte
// outside its two buffers (which end at inaccessible pages here).
#include "codec_test_support.h"
#include "pixel_stream.h"
#include "stream_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Streams that exercise both the fast path (short pairs) and the careful one.
std::vector<std::vector<uint32_t>> SamplePictures() {
    std::vector<std::vector<uint32_t>> pictures;
    pictures.push_back(PixelsFromText("A A B B A B A"));
    pictures.push_back(PixelsFromText("A B A B"));
    std::mt19937 random(7);
    for (int picture = 0; picture < 6; ++picture) {
        std::vector<uint32_t> pixels;
        while (pixels.size() < 400) {
            const uint32_t value = random() % 5 * 0x01010101u;
            pixels.insert(pixels.end(), random() % 3 == 0 ? 1 : 1 + random() % (picture * 30 + 3),
                          value);
        }
        pictures.push_back(pixels);
    }
    pictures.push_back(std::vector<uint32_t>(300, PixelA));
    return pictures;
}

TEST(PixelStreamBounded, EveryTruncationIsRejected) {
    for (const std::vector<uint32_t>& pixels : SamplePictures()) {
        const std::vector<uint8_t> stream = Encode(pixels);
        const uint32_t capacity = uint32_t(4 * pixels.size());
        for (size_t size = 0; size < stream.size(); ++size) {
            SCOPED_TRACE("stream of " + std::to_string(stream.size()) + " bytes cut to " +
                         std::to_string(size));
            const std::vector<uint8_t> cut(stream.begin(), stream.begin() + size);
            const DecodedBounded decoded = DecodeBounded(cut, capacity);
            ASSERT_EQ(decoded.Result.Status, PixelStreamTruncated);
            ASSERT_LE(decoded.Result.Offset, size);
            // What it did decode is the start of the picture.
            const std::vector<uint8_t> expected = PixelBytes(pixels);
            ASSERT_LE(decoded.Result.ByteCount, capacity);
            ASSERT_TRUE(std::equal(expected.begin(), expected.begin() + decoded.Result.ByteCount,
                                   decoded.Bytes.begin()));
        }
    }
}

TEST(PixelStreamBounded, TooSmallADestinationIsRejectedAtTheRunThatOverflows) {
    for (const std::vector<uint32_t>& pixels : SamplePictures()) {
        const std::vector<uint8_t> stream = Encode(pixels);
        const StreamRuns runs = ReadStreamRuns(stream);
        const uint32_t full = uint32_t(4 * pixels.size());
        for (uint32_t capacity : {0u, 4u, full / 2, full - 8, full - 4, full - 1}) {
            SCOPED_TRACE("capacity " + std::to_string(capacity) + " of " + std::to_string(full));
            const DecodedBounded decoded = DecodeBounded(stream, capacity);
            ASSERT_EQ(decoded.Result.Status, PixelStreamTooLarge);
            // The offending run is the first whose pixels do not fit.
            uint32_t before = 0;
            size_t offset = 0;
            for (const StreamRun& run : runs.Runs) {
                if (before + 4 * run.Count > capacity) {
                    offset = run.CodeOffset;
                    break;
                }
                before += 4 * run.Count;
            }
            EXPECT_EQ(decoded.Result.Offset, offset);
            EXPECT_EQ(decoded.Result.ByteCount, before);
        }
        const DecodedBounded exact = DecodeBounded(stream, full);
        EXPECT_EQ(exact.Result.Status, PixelStreamComplete);
        EXPECT_EQ(exact.Bytes, PixelBytes(pixels));
        // Room to spare is left alone.
        const DecodedBounded roomy = DecodeBounded(stream, full + 64, 0xEE);
        EXPECT_EQ(roomy.Result.ByteCount, full);
        EXPECT_EQ(std::vector<uint8_t>(roomy.Bytes.begin() + full, roomy.Bytes.end()),
                  std::vector<uint8_t>(64, 0xEE));
    }
}

// Every count code replaced by the largest count of the wider forms: the run then reaches past
// the stream (a literal run) or past the destination (a fill run).
TEST(PixelStreamBounded, CorruptedCountCodesAreRejected) {
    const std::vector<std::string> largest = {"FD FF", "FB FF FF FF", "FF FF FF FF"};
    for (const std::vector<uint32_t>& pixels : SamplePictures()) {
        const std::vector<uint8_t> stream = Encode(pixels);
        for (const StreamRun& run : ReadStreamRuns(stream).Runs) {
            for (const std::string& code : largest) {
                std::vector<uint8_t> corrupt(stream.begin(), stream.begin() + run.CodeOffset);
                const std::vector<uint8_t> codeBytes = BytesFromText(code);
                corrupt.insert(corrupt.end(), codeBytes.begin(), codeBytes.end());
                corrupt.insert(corrupt.end(), stream.begin() + run.PixelOffset, stream.end());
                SCOPED_TRACE("code " + code + " at offset " + std::to_string(run.CodeOffset));
                const DecodedBounded decoded = DecodeBounded(corrupt, uint32_t(4 * pixels.size()));
                ASSERT_EQ(decoded.Result.Status,
                          run.Fill ? PixelStreamTooLarge : PixelStreamTruncated);
                ASSERT_EQ(decoded.Result.Offset, run.CodeOffset);
            }
        }
    }
}

struct BadEnd {
    const char* Stream;
    PixelStreamStatus Status;
    uint32_t Offset;
};

class PixelStreamBoundedEnds : public testing::TestWithParam<BadEnd> {};

TEST_P(PixelStreamBoundedEnds, AreRejectedWithTheirOffset) {
    const DecodedBounded decoded = DecodeBounded(BytesFromText(GetParam().Stream), 64);
    EXPECT_EQ(decoded.Result.Status, GetParam().Status);
    EXPECT_EQ(decoded.Result.Offset, GetParam().Offset);
}

INSTANTIATE_TEST_SUITE_P(PixelStreamBounded, PixelStreamBoundedEnds,
                         testing::Values(BadEnd{"", PixelStreamTruncated, 0},
                                         BadEnd{"00", PixelStreamTruncated, 1},
                                         BadEnd{"00 00 00 00", PixelStreamTruncated, 1},
                                         BadEnd{"01 04 A 00 00 00", PixelStreamTruncated, 6},
                                         BadEnd{"01 04 A 00 00 01 00", PixelStreamBadEndMark, 6},
                                         BadEnd{"01 04 A 00 00 00 80", PixelStreamBadEndMark, 6},
                                         BadEnd{"01 04 A END 00", PixelStreamTrailingBytes, 10},
                                         BadEnd{"00 02 A END END", PixelStreamTrailingBytes, 10},
                                         BadEnd{"00 04 A", PixelStreamTruncated, 1},
                                         BadEnd{"01 04 00 00", PixelStreamTruncated, 1},
                                         BadEnd{"01 15 00 A", PixelStreamTruncated, 7}));

TEST(PixelStreamBounded, DecodesWhatTheTrustingDecoderDecodes) {
    for (const std::vector<uint32_t>& pixels : SamplePictures()) {
        const std::vector<uint8_t> stream = Encode(pixels);
        const DecodedBounded bounded = DecodeBounded(stream, uint32_t(4 * pixels.size()));
        ASSERT_EQ(bounded.Result.Status, PixelStreamComplete);
        EXPECT_EQ(bounded.Result.Offset, stream.size());
        const Decoded trusting = DecodeTrusting(stream, pixels.size());
        EXPECT_EQ(bounded.Result.ByteCount, trusting.Result);
        EXPECT_EQ(bounded.Bytes, PixelBytes(trusting.Pixels));
    }
}

// Random bytes, and valid streams with random bytes changed: whatever the checking decoder
// accepts, the trusting one must decode identically.
TEST(PixelStreamBounded, RandomStreamsStayInBoundsAndAgreeWhenAccepted) {
    std::mt19937 random(2024);
    const std::vector<std::vector<uint32_t>> pictures = SamplePictures();
    uint32_t accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> stream;
        if (round % 2 == 0) {
            for (uint32_t size = random() % 64; size > 0; --size)
                stream.push_back(uint8_t(random() % 4 == 0 ? 0 : random()));
        } else {
            stream = Encode(pictures[random() % pictures.size()]);
            for (uint32_t changes = 1 + random() % 3; changes > 0; --changes)
                stream[random() % stream.size()] = uint8_t(random());
        }
        const uint32_t capacity = random() % 2 == 0 ? random() % 256 : 4 * 2000;
        SCOPED_TRACE("round " + std::to_string(round));
        const DecodedBounded bounded = DecodeBounded(stream, capacity);
        ASSERT_LE(bounded.Result.ByteCount, capacity);
        ASSERT_LE(bounded.Result.Offset, stream.size());
        if (bounded.Result.Status != PixelStreamComplete)
            continue;
        ++accepted;
        const Decoded trusting = DecodeTrusting(stream, bounded.Result.ByteCount / 4);
        ASSERT_EQ(trusting.Result, bounded.Result.ByteCount);
        ASSERT_TRUE(std::equal(bounded.Bytes.begin(),
                               bounded.Bytes.begin() + bounded.Result.ByteCount,
                               PixelBytes(trusting.Pixels).begin()));
    }
    EXPECT_GT(accepted, 100u) << "too few accepted streams to compare the decoders";
}

} // namespace
