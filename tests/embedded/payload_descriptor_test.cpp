// The chunk plan through which install writes a payload: full chunks of 64,000 bytes, then the
// remainder, never a write of zero bytes.
#include "payload_descriptor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

namespace {

using Writes = std::vector<std::pair<uint32_t, uint32_t>>; // (offset, count)

// The writes for a payload of size bytes, whose full chunks the caller states; the write
// numbered failAt (from 1) fails.
template <uint32_t FullChunks> Writes Plan(uint32_t size, uint32_t failAt = ~0u) {
    EXPECT_EQ(FullChunksOf(size), FullChunks) << "size " << size;
    static std::vector<uint8_t> block(200001);
    PayloadDescriptorOf<FullChunks> descriptor;
    DescribePayload(descriptor, block.data(), size);
    Writes writes;
    bool all = WritePayloadChunks(descriptor, [&](const uint8_t* bytes, uint16_t count) {
        writes.push_back({static_cast<uint32_t>(bytes - block.data()), count});
        return writes.size() != failAt;
    });
    EXPECT_EQ(all, writes.size() < failAt);
    return writes;
}

TEST(PayloadDescriptor, FullChunksThenTheRemainder) {
    EXPECT_EQ(Plan<0>(0), Writes{}) << "no write of zero bytes";
    EXPECT_EQ(Plan<0>(1), (Writes{{0, 1}}));
    EXPECT_EQ(Plan<0>(63999), (Writes{{0, 63999}}));
    EXPECT_EQ(Plan<1>(64000), (Writes{{0, 64000}})) << "no remainder write after whole chunks";
    EXPECT_EQ(Plan<1>(64001), (Writes{{0, 64000}, {64000, 1}}));
    EXPECT_EQ(Plan<2>(128000), (Writes{{0, 64000}, {64000, 64000}}));
    EXPECT_EQ(Plan<3>(200000),
              (Writes{{0, 64000}, {64000, 64000}, {128000, 64000}, {192000, 8000}}));
}

TEST(PayloadDescriptor, AFailedWriteStopsThePlan) {
    EXPECT_EQ(Plan<3>(200000, 2), (Writes{{0, 64000}, {64000, 64000}}));
}

TEST(PayloadDescriptor, TheCarriedScreenSaverIsOneWrite) {
    std::ifstream file(FLARVEX_PAYLOAD_FILE, std::ios::binary | std::ios::ate);
    ASSERT_TRUE(file) << "cannot read " << FLARVEX_PAYLOAD_FILE;
    uint32_t size = static_cast<uint32_t>(file.tellg());
    ASSERT_GT(size, 0u);
    ASSERT_LT(size, PayloadChunkSize) << "a screen saver this size has no full chunk";
    EXPECT_EQ(Plan<0>(size), (Writes{{0, size}}));
}

} // namespace
