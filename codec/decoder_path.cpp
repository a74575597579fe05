// The choice between the decoders' two paths (decoder_path.h): the processor is asked once, and
// tests and benchmarks may choose for themselves.
#include "decoder_path.h"

#include "decode_runs.h"

#include <stdint.h>
#if CODEC_SSE2_PATH
#include <cpuid.h>
#endif

namespace {

// What the processor has and which path the decoders take: 0 until first asked, then 1 + the
// answer. Plain data, set without a constructor (the setup program runs none). The processor is
// asked once: in a virtual machine CPUID traps to the monitor, and one CPUID can take as long
// as a good part of the wallpaper's decoding (bench/README.md).
uint32_t KnownSse2;
uint32_t ChosenPath;

bool ProcessorHasSse2() {
    if (KnownSse2 == 0) {
        bool sse2 = false;
#if CODEC_SSE2_PATH
        // Every i686 has CPUID and its leaf 1 (the codec is built for no less).
        unsigned eax, ebx, ecx, edx;
        __cpuid(1, eax, ebx, ecx, edx);
        sse2 = (edx & bit_SSE2) != 0;
#endif
        KnownSse2 = 1 + sse2;
    }
    return KnownSse2 == 2;
}

} // namespace

bool PixelDecoderPathAvailable(PixelDecoderPath path) {
    return path == PixelDecoderScalar || (path == PixelDecoderSse2 && ProcessorHasSse2());
}

PixelDecoderPath CurrentPixelDecoderPath() {
    if (ChosenPath == 0)
        ChosenPath = 1 + (ProcessorHasSse2() ? PixelDecoderSse2 : PixelDecoderScalar);
    return PixelDecoderPath(ChosenPath - 1);
}

bool UsePixelDecoderPath(PixelDecoderPath path) {
    if (!PixelDecoderPathAvailable(path))
        return false;
    ChosenPath = 1 + path;
    return true;
}
