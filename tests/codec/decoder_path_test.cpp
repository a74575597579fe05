// The decoders' two paths: the choice made for the processor, and the same result and the same
// pixels from both for every stream, well formed or not, with nothing written past the picture
// and a failed decode's stray bytes within the 8 its contract allows. Every other codec test runs
// on each path in turn too (codec_test_main.cpp).
#include "codec_test_support.h"
#include "decoder_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(DecoderPath, ChoosesSse2WhereTheProcessorHasIt) {
    EXPECT_EQ(AutomaticDecoderPath,
              PixelDecoderPathAvailable(PixelDecoderSse2) ? PixelDecoderSse2 : PixelDecoderScalar);
    EXPECT_TRUE(PixelDecoderPathAvailable(PixelDecoderScalar));
}

// Pictures of short pairs, long runs and everything between, with few enough values that
// pairs of equal neighbours come by chance.
std::vector<uint32_t> MixedPicture(std::mt19937& random) {
    static const uint32_t lengths[] = {1, 2, 3, 4, 5, 8, 16, 17, 64, 65, 127, 128, 200, 16384};
    std::vector<uint32_t> pixels;
    const uint32_t target = 1 + random() % 3000;
    while (pixels.size() < target) {
        const uint32_t value = random() % 6 * 0x01030507u;
        pixels.insert(pixels.end(), lengths[random() % (random() % 4 == 0 ? 14 : 8)], value);
    }
    return pixels;
}

constexpr uint8_t Untouched = 0xA5;

// "" when the bytes past the decoded ones are as the contract allows: none written after a
// complete decode, none beyond the first 8 after a failed one.
std::string StrayBytes(const DecodedBounded& decoded) {
    const size_t allowed = decoded.Result.Status == PixelStreamComplete ? 0 : 8;
    for (size_t at = decoded.Result.ByteCount + allowed; at < decoded.Bytes.size(); ++at) {
        if (decoded.Bytes[at] != Untouched)
            return "byte " + std::to_string(at) + " written, " +
                   std::to_string(at - decoded.Result.ByteCount) + " past the decoded ones";
    }
    return "";
}

struct PathResult {
    DecodedBounded Bounded;
    Decoded Trusting; // only for streams the checking decoder accepts
};

PathResult DecodeOnPath(PixelDecoderPath path, const std::vector<uint8_t>& stream,
                        uint32_t capacity) {
    EXPECT_TRUE(UsePixelDecoderPath(path));
    PathResult result;
    result.Bounded = DecodeBounded(stream, capacity, Untouched);
    if (result.Bounded.Result.Status == PixelStreamComplete)
        result.Trusting = DecodeTrusting(stream, result.Bounded.Result.ByteCount / 4);
    return result;
}

TEST(DecoderPath, BothPathsGiveTheSameBytesForEveryStream) {
    if (!PixelDecoderPathAvailable(PixelDecoderSse2))
        GTEST_SKIP() << "this processor has no SSE2 path to compare";
    const PixelDecoderPath chosen = CurrentPixelDecoderPath();
    std::mt19937 random(99);
    uint32_t complete = 0, failed = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::vector<uint32_t> pixels = MixedPicture(random);
        std::vector<uint8_t> stream = Encode(pixels);
        uint32_t capacity = uint32_t(4 * pixels.size());
        switch (round % 5) {
        case 1: // a few bytes changed
            for (uint32_t changes = 1 + random() % 3; changes > 0; --changes)
                stream[random() % stream.size()] = uint8_t(random());
            break;
        case 2: // cut short
            stream.resize(random() % stream.size());
            break;
        case 3: // too small a destination
            capacity = uint32_t(random() % (capacity + 1));
            break;
        case 4: // room to spare
            capacity += 4 * (random() % 200);
            break;
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(stream.size()) +
                     "-byte stream, capacity " + std::to_string(capacity));
        const PathResult scalar = DecodeOnPath(PixelDecoderScalar, stream, capacity);
        const PathResult sse2 = DecodeOnPath(PixelDecoderSse2, stream, capacity);
        ASSERT_EQ(scalar.Bounded.Result.Status, sse2.Bounded.Result.Status);
        ASSERT_EQ(scalar.Bounded.Result.Offset, sse2.Bounded.Result.Offset);
        ASSERT_EQ(scalar.Bounded.Result.ByteCount, sse2.Bounded.Result.ByteCount);
        const uint32_t decoded = scalar.Bounded.Result.ByteCount;
        ASSERT_TRUE(std::equal(scalar.Bounded.Bytes.begin(), scalar.Bounded.Bytes.begin() + decoded,
                               sse2.Bounded.Bytes.begin()));
        ASSERT_EQ(StrayBytes(scalar.Bounded), "");
        ASSERT_EQ(StrayBytes(sse2.Bounded), "");
        ASSERT_EQ(scalar.Trusting.Result, sse2.Trusting.Result);
        ASSERT_EQ(FirstMismatch(scalar.Trusting.Pixels, sse2.Trusting.Pixels), "");
        ++(scalar.Bounded.Result.Status == PixelStreamComplete ? complete : failed);
    }
    UsePixelDecoderPath(chosen);
    EXPECT_GT(complete, 300u);
    EXPECT_GT(failed, 300u);
}

} // namespace
