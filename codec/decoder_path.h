// Which machine code the decoders run. The decoding core is compiled twice: once for any i686
// processor, filling a word at a time, and once with SSE2 for its 16-byte moves and fast path
// (decode_runs.h). The decoders ask the processor on their first call and take the SSE2 path
// wherever it has SSE2; a processor without it (a Pentium III, an Athlon XP) runs the other.
// Both paths give the same result and the same pixels for every stream. Tests and benchmarks
// may choose the path themselves.
#pragma once
#include <stdint.h>

enum PixelDecoderPath : uint32_t {
    PixelDecoderScalar, // for any processor: no SSE2 in the i686 build
    PixelDecoderSse2,   // the 16-byte moves in SSE2 registers
};

// Whether this processor can run path (asks it once).
bool PixelDecoderPathAvailable(PixelDecoderPath path);

// The path the decoders take: chosen on their first call, or by UsePixelDecoderPath.
PixelDecoderPath CurrentPixelDecoderPath();

// Makes both decoders take path from now on. Returns false, and changes nothing, when this
// processor cannot run it.
bool UsePixelDecoderPath(PixelDecoderPath path);
