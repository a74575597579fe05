// The trusting decoder, for the program's own pictures: the one decoding core (decode_runs.h)
// without its checks, compiled for each of the two paths (decoder_path.h).
#include "decode_runs.h"
#include "decoder_path.h"
#include "pixel_stream.h"

#include <stdint.h>

namespace {

// The core is inlined whole into each of these, so each path's options decide its instructions:
// the codec is built for any i686, and only the SSE2 path may use SSE2. The scalar path goes
// without the 16-byte moves and the short pairs' fast path, which would take four instructions
// for each of their moves there.
uint32_t DecodeScalar(const void* source, void* destination) {
    return DecodeRuns<false, false>(static_cast<const uint8_t*>(source), 0,
                                    static_cast<uint8_t*>(destination), 0)
        .ByteCount;
}

#if CODEC_SSE2_PATH
CODEC_SSE2 uint32_t DecodeSse2(const void* source, void* destination) {
    return DecodeRuns<false, true>(static_cast<const uint8_t*>(source), 0,
                                   static_cast<uint8_t*>(destination), 0)
        .ByteCount;
}
#endif

} // namespace

uint32_t DecodePixelStream(const void* source, void* destination) {
#if CODEC_SSE2_PATH
    if (CurrentPixelDecoderPath() == PixelDecoderSse2)
        return DecodeSse2(source, destination);
#endif
    return DecodeScalar(source, destination);
}
