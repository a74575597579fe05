// How the install action reaches a payload block: in chunks of PayloadChunkSize bytes, the
// full chunks first, then the remainder. Portable; the chunk count is a constant of the code,
// so the descriptor is a template over it.
#pragma once
#include <stdint.h>

constexpr uint32_t PayloadChunkSize = 64000; // every size involved fits 16 bits

constexpr uint32_t FullChunksOf(uint32_t size) {
    return size / PayloadChunkSize;
}
constexpr uint16_t RemainderOf(uint32_t size) {
    return static_cast<uint16_t>(size % PayloadChunkSize);
}

template <uint32_t FullChunks> struct PayloadDescriptorOf {
    // The full chunks in order, then the remainder (entry FullChunks, counting from 0).
    const uint8_t* ChunkPointers[FullChunks + 1];
    uint16_t RemainderSize;
};

// Describes a block of size bytes, which must have FullChunks full chunks.
template <uint32_t FullChunks>
void DescribePayload(PayloadDescriptorOf<FullChunks>& descriptor, const uint8_t* block,
                     uint32_t size) {
    for (uint32_t i = 0; i <= FullChunks; ++i)
        descriptor.ChunkPointers[i] = block + i * PayloadChunkSize;
    descriptor.RemainderSize = RemainderOf(size);
}

// Calls write(bytes, count) for every chunk in order: each full chunk, then the remainder
// unless it is empty, so no write is ever of zero bytes. Stops at the first write that
// returns false, and returns whether all succeeded.
template <uint32_t FullChunks, typename Write>
bool WritePayloadChunks(const PayloadDescriptorOf<FullChunks>& descriptor, Write write) {
    for (uint32_t i = 0; i < FullChunks; ++i)
        if (!write(descriptor.ChunkPointers[i], static_cast<uint16_t>(PayloadChunkSize)))
            return false;
    if (descriptor.RemainderSize > 0)
        return write(descriptor.ChunkPointers[FullChunks], descriptor.RemainderSize);
    return true;
}
