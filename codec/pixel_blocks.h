// Block moves and fills of 32-bit pixels for the codec's inner loops. Fixed-size memcpy calls
// become single unaligned vector or register moves, so these stay portable and compile to
// straight-line code.
#pragma once
#include "count_code.h"
#include "pixel_stream.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

// A vector type, not an array: the compiler then builds a repeated pixel in a register (with
// SSE2, one shuffle) at every optimisation level; built from an array of four, at -Os it went
// through the stack, and the wide load after four narrow stores stalled every short pair.
typedef uint32_t PixelBlock16 __attribute__((vector_size(16)));

struct PixelBlock8 {
    uint32_t Pixels[2];
};

CODEC_ALWAYS_INLINE void StoreBlock16(uint8_t* at, const PixelBlock16& block) {
    memcpy(at, &block, sizeof block);
}

CODEC_ALWAYS_INLINE void CopyBlock16(uint8_t* to, const uint8_t* from) {
    PixelBlock16 block;
    memcpy(&block, from, sizeof block);
    memcpy(to, &block, sizeof block);
}

CODEC_ALWAYS_INLINE void CopyBlock8(uint8_t* to, const uint8_t* from) {
    PixelBlock8 block;
    memcpy(&block, from, sizeof block);
    memcpy(to, &block, sizeof block);
}

// Stores count copies of value at out, exactly: 16-byte blocks, the last one overlapping the
// one before it instead of a tail loop (and rewriting the first for 4 pixels).
CODEC_ALWAYS_INLINE void FillPixels(uint8_t* out, uint32_t value, uint32_t count) {
    const size_t bytes = size_t(count) * PixelSize;
    if (count < 4) {
        for (uint32_t i = 0; i < count; ++i)
            StoreWord(out + i * PixelSize, value);
        return;
    }
    // do-while: at -Os a for loop keeps its test at the top and jumps back to it, two branches
    // a block instead of one.
    const PixelBlock16 block = {value, value, value, value};
    size_t at = 0;
    do {
        StoreBlock16(out + at, block);
        at += 16;
    } while (at + 16 < bytes);
    StoreBlock16(out + bytes - 16, block);
}

// Stores count copies of value at out a word at a time: small code, for processors without
// 16-byte moves.
CODEC_ALWAYS_INLINE void FillWords(uint8_t* out, uint32_t value, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        StoreWord(out + size_t(i) * PixelSize, value);
}

// Copies count pixels from in to out, exactly, the same way as FillPixels.
CODEC_ALWAYS_INLINE void CopyPixels(uint8_t* out, const uint8_t* in, uint32_t count) {
    const size_t bytes = size_t(count) * PixelSize;
    if (count < 4) {
        for (uint32_t i = 0; i < count; ++i)
            StoreWord(out + i * PixelSize, LoadWord(in + i * PixelSize));
        return;
    }
    size_t at = 0;
    do {
        CopyBlock16(out + at, in + at);
        at += 16;
    } while (at + 16 < bytes);
    CopyBlock16(out + bytes - 16, in + bytes - 16);
}
