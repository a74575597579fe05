// The encoder's view of a picture: a mask with one bit per pixel, set where the pixel equals
// the next one, a register's width of pixels at a time. Runs begin and end where the mask
// changes, so a whole block's runs come from a few bit operations instead of a branch per pixel.
#pragma once
#include "count_code.h"
#include "pixel_stream.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using MaskWord = uintptr_t;
constexpr uint32_t MaskBits = sizeof(MaskWord) * 8;

inline uint32_t LowestBit(MaskWord mask) {
    return sizeof(MaskWord) == sizeof(unsigned long long) ? __builtin_ctzll(mask)
                                                          : __builtin_ctz(uint32_t(mask));
}

// The mask of the MaskBits pixels at pixels, which must have one more pixel after them: one
// plain loop of comparisons, which the compiler turns into vector compares, then a multiply
// that gathers each four 0-or-1 bytes into four bits (bits 0, 8, 16 and 24 land on 21 to 24).
inline MaskWord EqualNeighboursPortable(const uint8_t* pixels) {
    uint8_t equal[MaskBits];
    for (uint32_t i = 0; i < MaskBits; ++i)
        equal[i] = LoadWord(pixels + i * PixelSize) == LoadWord(pixels + (i + 1) * PixelSize);
    MaskWord mask = 0;
    for (uint32_t i = 0; i < MaskBits; i += 4) {
        uint32_t four;
        memcpy(&four, equal + i, sizeof four);
        mask |= MaskWord((four * 0x00204081u) >> 21 & 0xF) << i;
    }
    return mask;
}

// The same, where SSE2 is there. The compiler cannot find the byte-mask instruction that
// collects sixteen compare results at once from the loop above.
inline MaskWord EqualNeighbours(const uint8_t* pixels) {
#if defined(__SSE2__)
    MaskWord mask = 0;
    for (uint32_t i = 0; i < MaskBits; i += 16) {
        const uint8_t* at = pixels + i * PixelSize;
        __m128i equal[4];
        for (int j = 0; j < 4; ++j) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * j));
            const __m128i next =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * j + PixelSize));
            equal[j] = _mm_cmpeq_epi32(here, next);
        }
        const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(equal[0], equal[1]),
                                              _mm_packs_epi32(equal[2], equal[3]));
        mask |= MaskWord(uint32_t(_mm_movemask_epi8(bytes))) << i;
    }
    return mask;
#else
    return EqualNeighboursPortable(pixels);
#endif
}

// The mask of the last block, pixels [first, count), fewer than MaskBits + 1 of them: the last
// pixel has no neighbour, and no bit is set for it or beyond it.
inline MaskWord EqualNeighboursAtEnd(const uint8_t* pixels, uint32_t first, uint32_t count) {
    MaskWord mask = 0;
    for (uint32_t i = first; i + 1 < count; ++i) {
        const bool equal = LoadWord(pixels + size_t(i) * PixelSize) ==
                           LoadWord(pixels + (size_t(i) + 1) * PixelSize);
        mask |= MaskWord(equal) << (i - first);
    }
    return mask;
}
