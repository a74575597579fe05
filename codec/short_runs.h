// The decoders' fast path: a fill run of 2 to 127 pixels, the literal run of 0 to 7 pixels
// after it (0 to 3 in a build for size, see MediumPairs) and the next fill run's code, all in
// the 1-byte form. Pictures with large calm areas and a little texture are made almost entirely
// of such pairs.
//
// Writing them exactly would take a loop or a branch per run size, and mispredicted branches
// are what cost the time. Instead a short fill run takes four 16-byte stores and a literal run
// of up to 3 pixels two 8-byte moves, whatever their size, and the stores may run up to 8 bytes
// past the pair. A pair is taken only once the next fill run's code has been read and says at
// least 2 pixels: that run rewrites those 8 bytes right after, so nothing is ever left written
// past the decoded picture. The rarer literal runs of 4 to 7 pixels take a branch of their own,
// two 16-byte moves that write them exactly; leaving the fast path would cost more.
#pragma once
#include "count_code.h"
#include "pixel_blocks.h"
#include "pixel_stream.h"

#include <stddef.h>
#include <stdint.h>

// Where the pair's bytes lie, relative to its fill run's code.
constexpr size_t ShortFillPixelOffset = ShortCodeWidth;
constexpr size_t ShortLiteralCodeOffset = ShortCodeWidth + PixelSize;
constexpr size_t ShortLiteralPixelsOffset = ShortLiteralCodeOffset + ShortCodeWidth;

// The most a pair reads from its fill run's code on (up to the next fill run's pixel) and
// writes from its first pixel on (a 127-pixel fill run, 7 literal pixels and 8 bytes past
// them). The bounded decoder takes the fast path only this far from both ends.
constexpr size_t ShortPairMaxRead =
    ShortLiteralPixelsOffset + 7 * PixelSize + ShortCodeWidth + PixelSize + EndMarkSize;
constexpr size_t ShortPairMaxWrite = (127 + 7) * PixelSize + 8;

// firstByte: a fill run's first code byte. True for the 1-byte form of 2 to 127 pixels: even
// and at least 4. Below 4, the subtraction borrows into bit 8 (the end mark, counts 0 and 1);
// bit 0 marks the wider forms.
inline bool IsShortFill(uint32_t firstByte) {
    return ((firstByte - 4) & 0x101) == 0;
}

// firstByte: a literal run's first code byte. True for the 1-byte form of 0 to 3 pixels (bits 0
// and 3 to 7 clear). A first byte of 0 may also begin the end mark; the check of the next fill
// run's code then refuses the pair, since that code would be the end mark's second byte, 0.
inline bool IsShortLiteral(uint32_t firstByte) {
    return (firstByte & 0xF9) == 0;
}

// Whether the pairs loop takes literal runs of 4 to 7 pixels too. Not in a build for size (the
// setup program's): their copy of the loop's body costs more bytes there than the few pairs of
// the project's wallpaper that it takes are worth (bench/README.md).
#if defined(__OPTIMIZE_SIZE__)
constexpr bool MediumPairs = false;
#else
constexpr bool MediumPairs = true;
#endif

// firstByte: a literal run's first code byte. True for the 1-byte form of 4 to 7 pixels (bit 3
// set, bits 0 and 4 to 7 clear).
inline bool IsMediumLiteral(uint32_t firstByte) {
    return (firstByte & 0xF9) == 0x08;
}

// Writes a fill run of bytes = 8 to 508 (2 to 127 pixels). The four stores cover [0, bytes)
// exactly from 16 bytes on and [0, 16) below; runs over 64 bytes fill their middle in a loop.
CODEC_ALWAYS_INLINE void WriteShortFill(uint8_t* out, uint32_t value, uint32_t bytes) {
    const PixelBlock16 block = {value, value, value, value};
    const uint32_t last = (bytes > 16 ? bytes : 16) - 16;
    const uint32_t second = last < 16 ? last : 16;
    StoreBlock16(out, block);
    StoreBlock16(out + second, block);
    StoreBlock16(out + (last - second), block);
    StoreBlock16(out + last, block);
    if (bytes > 64) {
        uint32_t at = 32;
        do {
            StoreBlock16(out + at, block);
            at += 16;
        } while (at < last);
    }
}

// Copies a literal run of bytes = 0 to 12 (0 to 3 pixels) as two 8-byte moves covering
// [0, max(bytes, 8)): the second starts at 4 for 2 or 3 pixels. The encoder uses it too.
CODEC_ALWAYS_INLINE void CopyShortLiteral(uint8_t* out, const uint8_t* in, size_t bytes) {
    const size_t second = (bytes >> 1) & 4;
    CopyBlock8(out, in);
    CopyBlock8(out + second, in + second);
}

// Writes the pair whose fill run's code is at in, with fillByte its first byte and a literal
// run of literalBytes (short, or medium when Medium), and moves in and out past it.
template <bool Medium>
CODEC_ALWAYS_INLINE void TakePair(const uint8_t*& in, uint8_t*& out, uint32_t fillByte,
                                  size_t literalBytes) {
    const size_t fillBytes = 2 * size_t(fillByte);
    WriteShortFill(out, LoadWord(in + ShortFillPixelOffset), uint32_t(fillBytes));
    out += fillBytes;
    const uint8_t* literal = in + ShortLiteralPixelsOffset;
    if (Medium) {
        CopyBlock16(out, literal);
        CopyBlock16(out + literalBytes - 16, literal + literalBytes - 16);
    } else {
        CopyShortLiteral(out, literal, literalBytes);
    }
    out += literalBytes;
    in = literal + literalBytes;
}

// Decodes pairs from in, a fill run's code, on while they are short, and leaves in and out at
// the first fill run that is not part of one. Checked, it takes a pair only where it cannot reach
// past inEnd or outEnd; unchecked, it trusts the stream and the picture to hold it.
template <bool Checked>
CODEC_ALWAYS_INLINE void DecodeShortPairs(const uint8_t*& inOut, uint8_t*& outOut,
                                          const uint8_t* inEnd, const uint8_t* outEnd) {
    const uint8_t* in = inOut;
    uint8_t* out = outOut;
    // Pairs may start up to here: far enough from both ends that they cannot reach past them.
    const uintptr_t inLast =
        Checked && size_t(inEnd - in) >= ShortPairMaxRead ? uintptr_t(inEnd) - ShortPairMaxRead : 0;
    const uintptr_t outLast = Checked && size_t(outEnd - out) >= ShortPairMaxWrite
                                  ? uintptr_t(outEnd) - ShortPairMaxWrite
                                  : 0;
    const auto room = [inLast, outLast](const uint8_t* at, const uint8_t* to) {
        return !Checked || (uintptr_t(at) <= inLast && uintptr_t(to) <= outLast);
    };
    if (!room(in, out))
        return;
    // The fill code's byte is carried from one pair to the next: as far as the compiler knows,
    // the stores in between might change it, so it would be read again.
    uint32_t fillByte = in[0];
    if (!IsShortFill(fillByte))
        return;
    for (;;) {
        if (__builtin_expect(!room(in, out), 0))
            break;
        const uint32_t literalByte = in[ShortLiteralCodeOffset];
        const size_t literalBytes = 2 * size_t(literalByte);
        const uint8_t* next = in + ShortLiteralPixelsOffset + literalBytes;
        // The medium pairs have a copy of the loop's body of their own, out of the short pairs'
        // way, which stay as they are without them.
        if (__builtin_expect(!IsShortLiteral(literalByte), 0)) {
            if (!MediumPairs || !IsMediumLiteral(literalByte) || !IsShortFill(next[0]))
                break;
            const uint32_t nextFillByte = next[0];
            TakePair<true>(in, out, fillByte, literalBytes);
            fillByte = nextFillByte;
        } else {
            const uint32_t nextFillByte = next[0];
            if (__builtin_expect(!IsShortFill(nextFillByte), 0))
                break;
            TakePair<false>(in, out, fillByte, literalBytes);
            fillByte = nextFillByte;
        }
    }
    inOut = in;
    outOut = out;
}
