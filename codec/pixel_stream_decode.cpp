// The two decoders: the trusting one for the program's own pictures and the checking one for
// streams from outside, both the one decoding core (decode_runs.h), each compiled for two kinds
// of processor (decoder_path.h).
#include <stdint.h>
#include "decode_runs.h"
#include "decoder_path.h"
#include "pixel_stream.h"
#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define CODEC_SSE2_PATH 1
#else
#define CODEC_SSE2_PATH 0
#endif

namespace {

// The core is inlined whole into each of these, so each path's options decide its instructions:
// the codec is built for any i686, and only the SSE2 path may use SSE2. The scalar path goes
// without the 16-byte moves and the short pairs' fast path, which would take four instructions
// for each of their moves there.
uint32_t DecodeTrustingScalar(const void* source, void* destination) {
    return DecodeRuns<false, false>(static_cast<const uint8_t*>(source), 0,
                                    static_cast<uint8_t*>(destination), 0)
        .ByteCount;
}

PixelStreamDecodeResult DecodeBoundedScalar(const void* source, uint32_t sourceSize,
                                            void* destination, uint32_t capacity) {
    return DecodeRuns<true, false>(static_cast<const uint8_t*>(source), sourceSize,
                                   static_cast<uint8_t*>(destination), capacity);
}

#if CODEC_SSE2_PATH
__attribute__((target("sse2"))) uint32_t DecodeTrustingSse2(const void* source, void* destination) {
    return DecodeRuns<false, true>(static_cast<const uint8_t*>(source), 0,
                                   static_cast<uint8_t*>(destination), 0)
        .ByteCount;
}

__attribute__((target("sse2"))) PixelStreamDecodeResult
DecodeBoundedSse2(const void* source, uint32_t sourceSize, void* destination, uint32_t capacity) {
    return DecodeRuns<true, true>(static_cast<const uint8_t*>(source), sourceSize,
                                  static_cast<uint8_t*>(destination), capacity);
}
#endif

// What the processor has and which path the decoders take: 0 until first asked, then 1 + the
// answer. Plain data, set without a constructor (the setup program runs none). The processor is
// asked once: in a virtual machine CPUID traps to the monitor, and took 8 us on the machine in
// bench/README.md, half the time the whole wallpaper takes to decode.
uint32_t KnownSse2;
uint32_t ChosenPath;

bool ProcessorHasSse2() {
    if (KnownSse2 == 0) {
        bool sse2 = false;
#if CODEC_SSE2_PATH
        // __get_cpuid first checks that the processor has CPUID at all.
        unsigned eax, ebx, ecx, edx;
        sse2 = __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (edx & bit_SSE2) != 0;
#endif
        KnownSse2 = 1 + sse2;
    }
    return KnownSse2 == 2;
}

PixelDecoderPath Path() {
    if (ChosenPath == 0)
        ChosenPath = 1 + (ProcessorHasSse2() ? PixelDecoderSse2 : PixelDecoderScalar);
    return PixelDecoderPath(ChosenPath - 1);
}

} // namespace

bool PixelDecoderPathAvailable(PixelDecoderPath path) {
    return path == PixelDecoderScalar || (path == PixelDecoderSse2 && ProcessorHasSse2());
}

PixelDecoderPath CurrentPixelDecoderPath() {
    return Path();
}

bool UsePixelDecoderPath(PixelDecoderPath path) {
    if (!PixelDecoderPathAvailable(path))
        return false;
    ChosenPath = 1 + path;
    return true;
}

uint32_t DecodePixelStream(const void* source, void* destination) {
#if CODEC_SSE2_PATH
    if (Path() == PixelDecoderSse2)
        return DecodeTrustingSse2(source, destination);
#endif
    return DecodeTrustingScalar(source, destination);
}

PixelStreamDecodeResult DecodePixelStreamBounded(const void* source, uint32_t sourceSize,
                                                 void* destination, uint32_t capacity) {
#if CODEC_SSE2_PATH
    if (Path() == PixelDecoderSse2)
        return DecodeBoundedSse2(source, sourceSize, destination, capacity);
#endif
    return DecodeBoundedScalar(source, sourceSize, destination, capacity);
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
