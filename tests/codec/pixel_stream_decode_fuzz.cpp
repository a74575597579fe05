// Fuzz target: the checking decoder on any bytes with any capacity. It must never touch a byte
// outside its buffers (both are allocated to the exact size, so AddressSanitizer sees the
// first stray byte), and whatever it accepts the trusting decoder must decode identically.
// Where the processor has SSE2, both decoder paths run and must give the same result and the
// same pixels, and neither may write more than 8 bytes past the decoded ones, nor any after a
// complete decode.
//
// Input: two bytes of capacity in pixels (little-endian), then the stream.
#include "decoder_path.h"
#include "pixel_stream.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <initializer_list>
#include <memory>

namespace {

// Aborts when a decode wrote past what its contract allows: nothing after a complete one, at most
// 8 bytes past the decoded ones after a failed one. The destination was filled with 0xA5 first.
void CheckStrayBytes(const PixelStreamDecodeResult& result, const uint8_t* out, uint32_t capacity) {
    const uint32_t allowed = result.Status == PixelStreamComplete ? 0 : 8;
    for (uint32_t at = result.ByteCount + allowed; at < capacity; ++at) {
        if (out[at] != 0xA5) {
            fprintf(stderr, "byte %u written, %u past the decoded ones\n", unsigned(at),
                    unsigned(at - result.ByteCount));
            abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint32_t capacity = (uint32_t(data[0]) | uint32_t(data[1]) << 8) * 4;
    const size_t streamSize = size - 2;
    std::unique_ptr<uint8_t[]> stream(new uint8_t[streamSize]);
    if (streamSize > 0)
        memcpy(stream.get(), data + 2, streamSize);
    std::unique_ptr<uint8_t[]> out(new uint8_t[capacity]);
    memset(out.get(), 0xA5, capacity);
    UsePixelDecoderPath(PixelDecoderScalar);
    const PixelStreamDecodeResult result =
        DecodePixelStreamBounded(stream.get(), uint32_t(streamSize), out.get(), capacity);
    if (result.ByteCount > capacity || result.Offset > streamSize || result.ByteCount % 4 != 0) {
        fprintf(stderr, "result out of range: %u bytes, offset %u\n", unsigned(result.ByteCount),
                unsigned(result.Offset));
        abort();
    }
    if (UsePixelDecoderPath(PixelDecoderSse2)) {
        std::unique_ptr<uint8_t[]> other(new uint8_t[capacity]);
        memset(other.get(), 0xA5, capacity);
        const PixelStreamDecodeResult otherResult =
            DecodePixelStreamBounded(stream.get(), uint32_t(streamSize), other.get(), capacity);
        if (otherResult.Status != result.Status || otherResult.Offset != result.Offset ||
            otherResult.ByteCount != result.ByteCount ||
            (result.ByteCount > 0 && memcmp(other.get(), out.get(), result.ByteCount) != 0)) {
            fprintf(stderr, "the decoder paths disagree\n");
            abort();
        }
        CheckStrayBytes(result, other.get(), capacity);
    }
    CheckStrayBytes(result, out.get(), capacity);
    if (result.Status != PixelStreamComplete)
        return 0;
    for (PixelDecoderPath path : {PixelDecoderScalar, PixelDecoderSse2}) {
        if (!UsePixelDecoderPath(path))
            continue;
        std::unique_ptr<uint8_t[]> trusted(new uint8_t[result.ByteCount]);
        if (DecodePixelStream(stream.get(), trusted.get()) != result.ByteCount ||
            (result.ByteCount > 0 && memcmp(trusted.get(), out.get(), result.ByteCount) != 0)) {
            fprintf(stderr, "the decoders disagree on an accepted stream\n");
            abort();
        }
    }
    return 0;
}
