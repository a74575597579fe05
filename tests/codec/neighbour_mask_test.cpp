// The encoder's neighbour mask: the vector and the portable versions against a bit-by-bit
// reading, on blocks with equal neighbours in every position.
#include "neighbour_mask.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

MaskWord ReferenceMask(const std::vector<uint32_t>& pixels, size_t first, size_t end) {
    MaskWord mask = 0;
    for (size_t i = first; i + 1 < end && i < first + MaskBits; ++i) {
        if (pixels[i] == pixels[i + 1])
            mask |= MaskWord(1) << (i - first);
    }
    return mask;
}

TEST(NeighbourMask, AllVersionsAgreeWithABitByBitReading) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        // Few values, so that equal neighbours are common; some blocks all one value.
        const uint32_t values = round % 50 == 0 ? 1 : 2 + random() % 3;
        std::vector<uint32_t> pixels(MaskBits + 1);
        for (uint32_t& pixel : pixels)
            pixel = random() % values * 0x01010101u + (random() % 64 == 0 ? 0x80000000u : 0);
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(pixels.data());
        const MaskWord expected = ReferenceMask(pixels, 0, pixels.size());
        ASSERT_EQ(EqualNeighbours(bytes), expected) << "round " << round;
        ASSERT_EQ(EqualNeighboursPortable(bytes), expected) << "round " << round;
        const uint32_t count = uint32_t(random() % (MaskBits + 1));
        ASSERT_EQ(EqualNeighboursAtEnd(bytes, 0, count), ReferenceMask(pixels, 0, count))
            << "round " << round << ", " << count << " pixels";
    }
}

} // namespace
