// The pixel stream encoder. It mirrors the decoding core (decode_runs.h, short_runs.h): each
// takes a fill run and the literal run after it as a pair, short pairs with moves of fixed size.
#include "count_code.h"
#include "neighbour_mask.h"
#include "pixel_blocks.h"
#include "pixel_stream.h"
#include "short_runs.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

namespace {

inline uint8_t* WriteFillRun(uint8_t* out, const uint8_t* pixel, uint32_t length) {
    out = WriteCountCode(out, length);
    StoreWord(out, LoadWord(pixel));
    return out + PixelSize;
}

// A literal run that a fill run follows. Up to 3 pixels go as two 8-byte moves that may read
// and write 8 bytes past the run: the fill run's 2 or more pixels lie there in the input, and
// its code and pixel, and at least the end mark after them, are written there next.
inline uint8_t* WriteLiteralRun(uint8_t* out, const uint8_t* first, uint32_t length) {
    out = WriteCountCode(out, length);
    const size_t bytes = size_t(length) * PixelSize;
    if (length <= 3)
        CopyShortLiteral(out, first, bytes);
    else
        CopyPixels(out, first, length);
    return out + bytes;
}

// The short pairs: a fill run of 2 to 127 pixels and a literal run of 0 to 4 after it, written
// without a branch on their sizes. Most of the project's wallpaper's pairs are short, and nearly
// all of the benchmark's synthetic picture's (bench/README.md counts them).
constexpr uint32_t ShortPairLiteralMax = 4;

// Writes a short pair: fillLength copies of the pixel at fill, then the literalLength pixels at
// literal, which the next fill run follows. The literal run goes as two 8-byte moves, the second
// at 8 for 3 or 4 pixels and else again at 0. So they read no further than the next fill run's
// second pixel, and write at most 8 bytes past the pair: the next fill run's code and pixel, and
// at least the end mark after them, are written there next.
inline uint8_t* WriteShortPair(uint8_t* out, const uint8_t* fill, uint32_t fillLength,
                               const uint8_t* literal, size_t literalLength) {
    StoreWord(out, fillLength << ShortCodeShift);
    StoreWord(out + ShortFillPixelOffset, LoadWord(fill));
    out[ShortLiteralCodeOffset] = uint8_t(literalLength << ShortCodeShift);
    uint8_t* const at = out + ShortLiteralPixelsOffset;
    const size_t second = ((literalLength + 1) & 4) * 2;
    CopyBlock8(at, literal);
    CopyBlock8(at + second, literal + second);
    return at + literalLength * PixelSize;
}

// Where the encoder stands between blocks: the open run, which ends in a later block.
struct EncodeState {
    uint8_t* Out;
    // The open run's first pixel, counted from the block's first: negative where the run began
    // in an earlier block.
    ptrdiff_t RunFirst;
    bool LiteralOpen; // else a fill run is open
};

inline ptrdiff_t EdgeAt(MaskWord edges) {
    return ptrdiff_t(LowestBit(edges));
}

// Writes the pairs whose fill run ends in the block, the first one the open fill run, from the
// block's edges: a falling edge at a fill run's last pixel, then a rising edge at the next
// one's first.
inline void TakeBlockPairs(EncodeState& state, const uint8_t* block, MaskWord edges) {
    uint8_t* out = state.Out;
    ptrdiff_t fillFirst = state.RunFirst;
    while (edges != 0) {
        const ptrdiff_t last = EdgeAt(edges);
        edges &= edges - 1;
        const uint32_t fillLength = uint32_t(last - fillFirst + 1);
        const uint8_t* const fill = block + fillFirst * ptrdiff_t(PixelSize);
        if (edges == 0) {
            // The literal run after this fill run ends in a later block.
            out = WriteFillRun(out, fill, fillLength);
            state.LiteralOpen = true;
            fillFirst = last + 1;
            break;
        }
        const ptrdiff_t nextFill = EdgeAt(edges);
        edges &= edges - 1;
        const size_t literalLength = size_t(nextFill - last - 1);
        const uint8_t* const literal = block + (last + 1) * ptrdiff_t(PixelSize);
        if (__builtin_expect(fillLength < ShortCodeLimit && literalLength <= ShortPairLiteralMax,
                             1)) {
            out = WriteShortPair(out, fill, fillLength, literal, literalLength);
        } else {
            out = WriteFillRun(out, fill, fillLength);
            out = WriteLiteralRun(out, literal, uint32_t(literalLength));
        }
        fillFirst = nextFill;
    }
    state.Out = out;
    state.RunFirst = fillFirst;
}

// Writes the runs that end in the block, from its edges.
inline void TakeBlockRuns(EncodeState& state, const uint8_t* block, MaskWord edges) {
    if (state.LiteralOpen) {
        if (edges == 0)
            return;
        const ptrdiff_t fillFirst = EdgeAt(edges);
        edges &= edges - 1;
        state.Out = WriteLiteralRun(state.Out, block + state.RunFirst * ptrdiff_t(PixelSize),
                                    uint32_t(fillFirst - state.RunFirst));
        state.RunFirst = fillFirst;
        state.LiteralOpen = false;
    }
    TakeBlockPairs(state, block, edges);
}

// The edges of the block of pixels from first on, given the mask bit of the pixel before it
// (previousBit), which it sets to the block's last.
inline MaskWord BlockEdges(const uint8_t* pixels, uint32_t first, uint32_t count,
                           MaskWord& previousBit) {
    const MaskWord equal = count - first > MaskBits
                               ? EqualNeighbours(pixels + size_t(first) * PixelSize)
                               : EqualNeighboursAtEnd(pixels, first, count);
    const MaskWord edges = equal ^ (equal << 1 | previousBit);
    previousBit = equal >> (MaskBits - 1);
    return edges;
}

// The picture is taken a chunk of blocks at a time: first every block's edges, then their runs.
// The masks' compares are straight-line code; in one loop with the runs, every mispredicted
// branch of the runs held them up as well, and the encoder took longer (bench/README.md).
constexpr uint32_t ChunkBlocks = 16;

} // namespace

uint32_t EncodePixelStream(const void* source, void* destination, uint32_t byteCount) {
    const uint32_t count = byteCount / PixelSize;
    if (count > MaxRunLength)
        return 0;
    const uint8_t* pixels = static_cast<const uint8_t*>(source);
    uint8_t* const start = static_cast<uint8_t*>(destination);
    const bool startsWithFill = count >= 2 && LoadWord(pixels) == LoadWord(pixels + PixelSize);
    *start = startsWithFill ? StartsWithFill : 0;

    // Walk the mask's edges: a rising edge at i (pixel i equals pixel i + 1, pixel i - 1 does
    // not equal pixel i) begins a fill run and ends the literal run before it; a falling edge at
    // i ends the fill run whose last pixel i is. A picture that starts with a fill run starts as
    // if pixel -1 equalled pixel 0, with no rising edge.
    EncodeState state{start + 1, 0, !startsWithFill};
    MaskWord previousBit = startsWithFill;
    MaskWord chunkEdges[ChunkBlocks];
    uint32_t base = 0;
    while (base < count) {
        const uint32_t blocksLeft = (count - base + MaskBits - 1) / MaskBits;
        const uint32_t blocks = blocksLeft < ChunkBlocks ? blocksLeft : ChunkBlocks;
        for (uint32_t k = 0; k < blocks; ++k)
            chunkEdges[k] = BlockEdges(pixels, base + k * MaskBits, count, previousBit);
        for (uint32_t k = 0; k < blocks; ++k, base += MaskBits, state.RunFirst -= MaskBits)
            TakeBlockRuns(state, pixels + size_t(base) * PixelSize, chunkEdges[k]);
    }
    // The mask has no bit for the last pixel, so every fill run has ended by now; what is left
    // is a literal run to the end, exact, since nothing follows it but the end mark.
    uint8_t* out = state.Out;
    const ptrdiff_t runFirst = ptrdiff_t(base) + state.RunFirst;
    if (state.LiteralOpen && runFirst < ptrdiff_t(count)) {
        const uint32_t length = uint32_t(count - runFirst);
        out = WriteCountCode(out, length);
        CopyPixels(out, pixels + size_t(runFirst) * PixelSize, length);
        out += size_t(length) * PixelSize;
    }
    StoreWord(out, 0);
    out += EndMarkSize;
    return uint32_t(out - start);
}
