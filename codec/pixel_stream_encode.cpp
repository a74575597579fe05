// The pixel stream encoder. It mirrors the decoding core (decode_runs.h): each takes a fill run,
// then a literal run, around the same loop.
#include "count_code.h"
#include "neighbour_mask.h"
#include "pixel_blocks.h"
#include "pixel_stream.h"
#include "short_runs.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

namespace {

inline uint8_t* WriteFillRun(uint8_t* out, const uint8_t* pixels, uint32_t first, uint32_t length) {
    out = WriteCountCode(out, length);
    StoreWord(out, LoadWord(pixels + size_t(first) * PixelSize));
    return out + PixelSize;
}

// A literal run that a fill run follows. Up to 3 pixels go as two 8-byte moves that may read
// and write 8 bytes past the run: the fill run's 2 or more pixels lie there in the input, and
// its code and pixel, and at least the end mark after them, are written there next.
inline uint8_t* WriteLiteralRun(uint8_t* out, const uint8_t* pixels, uint32_t first,
                                uint32_t length) {
    out = WriteCountCode(out, length);
    const uint8_t* in = pixels + size_t(first) * PixelSize;
    const size_t bytes = size_t(length) * PixelSize;
    if (length <= 3)
        CopyShortLiteral(out, in, bytes);
    else
        CopyPixels(out, in, length);
    return out + bytes;
}

} // namespace

uint32_t EncodePixelStream(const void* source, void* destination, uint32_t byteCount) {
    const uint32_t count = byteCount / PixelSize;
    if (count > MaxRunLength)
        return 0;
    const uint8_t* pixels = static_cast<const uint8_t*>(source);
    uint8_t* const start = static_cast<uint8_t*>(destination);
    uint8_t* out = start + 1;
    *start = 0;

    // Walk the mask's edges: a rising edge at i (pixel i equals pixel i + 1, pixel i - 1 does
    // not equal pixel i) ends the literal run before i and begins a fill run; a falling edge at
    // i (pixel i is the fill run's last) ends it there. Edges alternate, rising first.
    uint32_t runFirst = 0;
    bool fillOpen = false;
    MaskWord previousBit = 0;
    for (uint32_t base = 0; base < count; base += MaskBits) {
        const uint8_t* block = pixels + size_t(base) * PixelSize;
        const MaskWord equal = count - base > MaskBits ? EqualNeighbours(block)
                                                       : EqualNeighboursAtEnd(pixels, base, count);
        MaskWord edges = equal ^ (equal << 1 | previousBit);
        previousBit = equal >> (MaskBits - 1);
        if (fillOpen && edges != 0) {
            const uint32_t last = base + LowestBit(edges);
            edges &= edges - 1;
            out = WriteFillRun(out, pixels, runFirst, last - runFirst + 1);
            runFirst = last + 1;
            fillOpen = false;
        }
        while (edges != 0) {
            const uint32_t fillFirst = base + LowestBit(edges);
            edges &= edges - 1;
            if (fillFirst == 0)
                *start = StartsWithFill;
            else
                out = WriteLiteralRun(out, pixels, runFirst, fillFirst - runFirst);
            runFirst = fillFirst;
            if (edges == 0) {
                fillOpen = true;
                break;
            }
            const uint32_t last = base + LowestBit(edges);
            edges &= edges - 1;
            out = WriteFillRun(out, pixels, runFirst, last - runFirst + 1);
            runFirst = last + 1;
        }
    }
    // The mask has no bit for the last pixel, so every fill run has ended by now; what is left
    // is a literal run to the end, exact, since nothing follows it but the end mark.
    if (runFirst < count) {
        const uint32_t length = count - runFirst;
        out = WriteCountCode(out, length);
        CopyPixels(out, pixels + size_t(runFirst) * PixelSize, length);
        out += size_t(length) * PixelSize;
    }
    StoreWord(out, 0);
    out += EndMarkSize;
    return uint32_t(out - start);
}
