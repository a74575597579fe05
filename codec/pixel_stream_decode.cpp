// The two decoders: the trusting one for the program's own pictures and the checking one for
// streams from outside, both the one decoding core (decode_runs.h).
#include <stdint.h>
#include "decode_runs.h"
#include "pixel_stream.h"

uint32_t DecodePixelStream(const void* source, void* destination) {
    return DecodeRuns<false>(static_cast<const uint8_t*>(source), 0,
                             static_cast<uint8_t*>(destination), 0)
        .ByteCount;
}

PixelStreamDecodeResult DecodePixelStreamBounded(const void* source, uint32_t sourceSize,
                                                 void* destination, uint32_t capacity) {
    return DecodeRuns<true>(static_cast<const uint8_t*>(source), sourceSize,
                            static_cast<uint8_t*>(destination), capacity);
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
