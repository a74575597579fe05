// The checking decoder, for streams from outside the program: the one decoding core
// (decode_runs.h) with its checks, compiled for each of the two paths (decoder_path.h).
#include "decode_runs.h"
#include "decoder_path.h"
#include "pixel_stream.h"

#include <stdint.h>

namespace {

// As in pixel_stream_decode.cpp.
PixelStreamDecodeResult DecodeScalar(const void* source, uint32_t sourceSize, void* destination,
                                     uint32_t capacity) {
    return DecodeRuns<true, false>(static_cast<const uint8_t*>(source), sourceSize,
                                   static_cast<uint8_t*>(destination), capacity);
}

#if CODEC_SSE2_PATH
CODEC_SSE2 PixelStreamDecodeResult DecodeSse2(const void* source, uint32_t sourceSize,
                                              void* destination, uint32_t capacity) {
    return DecodeRuns<true, true>(static_cast<const uint8_t*>(source), sourceSize,
                                  static_cast<uint8_t*>(destination), capacity);
}
#endif

} // namespace

PixelStreamDecodeResult DecodePixelStreamBounded(const void* source, uint32_t sourceSize,
                                                 void* destination, uint32_t capacity) {
#if CODEC_SSE2_PATH
    if (CurrentPixelDecoderPath() == PixelDecoderSse2)
        return DecodeSse2(source, sourceSize, destination, capacity);
#endif
    return DecodeScalar(source, sourceSize, destination, capacity);
}

const char* DescribePixelStreamStatus(PixelStreamStatus status) {
    switch (status) {
    case PixelStreamComplete:
        return "complete";
    case PixelStreamTruncated:
        return "the stream ends inside a run or before its end mark";
    case PixelStreamTooLarge:
        return "the picture is larger than the space given for it";
    case PixelStreamBadEndMark:
        return "the end mark is not four zero bytes";
    case PixelStreamTrailingBytes:
        return "bytes follow the end mark";
    }
    return "unknown status";
}
