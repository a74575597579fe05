// Fuzz target: encode, then decode with both decoders, into buffers of exactly the promised
// sizes; the pixels must come back and the stream keep every rule of the encoder's output.
//
// Input: a mode byte, then either raw pixels (mode even; any trailing 1 to 3 bytes ignored) or
// runs (mode odd): pairs of a value byte (one of 8 pixel values) and a length byte (1 to 256,
// or one of the count codes' limits), so that long runs and equal neighbours are common.
#include "codec_test_support.h"
#include "pixel_stream.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Input(const uint8_t* data, size_t size) {
    if ((data[0] & 1) == 0)
        return std::vector<uint8_t>(data + 1, data + size);
    static const uint32_t limits[] = {127, 128, 16383, 16384};
    std::vector<uint32_t> pixels;
    for (size_t i = 1; i + 1 < size && pixels.size() < 40000; i += 2) {
        const uint32_t value = (data[i] & 7) * 0x01010101u;
        const uint32_t length = data[i + 1] >= 252 ? limits[data[i + 1] - 252] : data[i + 1] + 1u;
        pixels.insert(pixels.end(), length, value);
    }
    return PixelBytes(pixels);
}

// memcpy that takes empty ranges, whose pointers may be null.
void Copy(void* to, const void* from, size_t size) {
    if (size > 0)
        memcpy(to, from, size);
}

bool Same(const void* a, const void* b, size_t size) {
    return size == 0 || memcmp(a, b, size) == 0;
}

void Fail(const std::string& what) {
    fprintf(stderr, "%s\n", what.c_str());
    abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::vector<uint8_t> input = Input(data, size);
    const uint32_t byteCount = uint32_t(input.size());
    const uint32_t count = byteCount / 4;
    std::unique_ptr<uint8_t[]> source(new uint8_t[byteCount]);
    Copy(source.get(), input.data(), byteCount);
    const size_t bound = 4 * size_t(count) + 8 + count / 16384;
    std::unique_ptr<uint8_t[]> stream(new uint8_t[bound]);
    const uint32_t length = EncodePixelStream(source.get(), stream.get(), byteCount);
    if (length > bound)
        Fail("stream longer than its bound");

    std::vector<uint32_t> pixels(count);
    Copy(pixels.data(), input.data(), 4 * size_t(count));
    const std::string broken =
        CheckEncoderOutput(pixels, std::vector<uint8_t>(stream.get(), stream.get() + length));
    if (!broken.empty())
        Fail("encoder output: " + broken);

    std::unique_ptr<uint8_t[]> decoded(new uint8_t[4 * size_t(count)]);
    if (DecodePixelStream(stream.get(), decoded.get()) != 4 * count ||
        !Same(decoded.get(), input.data(), 4 * size_t(count)))
        Fail("DecodePixelStream does not give back the input");
    std::unique_ptr<uint8_t[]> checked(new uint8_t[4 * size_t(count)]);
    const PixelStreamDecodeResult result =
        DecodePixelStreamBounded(stream.get(), length, checked.get(), 4 * count);
    if (result.Status != PixelStreamComplete || result.ByteCount != 4 * count ||
        !Same(checked.get(), input.data(), 4 * size_t(count)))
        Fail("DecodePixelStreamBounded does not give back the input");
    return 0;
}
