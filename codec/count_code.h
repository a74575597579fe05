// The count code in front of every run of a pixel stream: 1, 2 or 4 bytes, little-endian, its
// width told by the low bits of its first byte. Shared by the encoder, both decoders and the
// tools that walk a stream.
#pragma once
#include <stdint.h>
#include <string.h>

// The block moves and the decoding core are inlined into every entry point that uses them, even
// where the compiler would rather call them (as at -Os), so that each entry point's own compile
// options decide which instructions they become.
#define CODEC_ALWAYS_INLINE inline __attribute__((always_inline))

// Low bits of the first byte: bit 0 clear is the 1-byte form; bit 0 set and bit 1 clear the
// 2-byte form; both set the 4-byte form, whose bit 2 is reserved (written 0, never read).
constexpr uint32_t CountCodeWideBit = 0x01;
constexpr uint32_t CountCodeLongBit = 0x02;

constexpr uint32_t ShortCodeWidth = 1;
constexpr uint32_t MediumCodeWidth = 2;
constexpr uint32_t LongCodeWidth = 4;

// The count sits above the form's flag bits.
constexpr uint32_t ShortCodeShift = 1;
constexpr uint32_t MediumCodeShift = 2;
constexpr uint32_t LongCodeShift = 3;

// The narrowest form holds every count below its limit.
constexpr uint32_t ShortCodeLimit = 0x80;
constexpr uint32_t MediumCodeLimit = 0x4000;
constexpr uint32_t MaxRunLength = 0x1FFFFFFF; // 2^29 - 1, the largest count of the 4-byte form

// Where a count code would stand, four zero bytes end the stream; the decoder looks at the
// first two only.
constexpr uint32_t EndMarkSize = 4;
constexpr uint32_t EndMarkMask = 0xFFFF;

inline uint32_t LoadWord(const uint8_t* at) {
    uint32_t word;
    memcpy(&word, at, sizeof word);
    return word;
}

inline void StoreWord(uint8_t* at, uint32_t word) {
    memcpy(at, &word, sizeof word);
}

// word: the four bytes at a count position, little-endian.
inline bool IsEndMark(uint32_t word) {
    return (word & EndMarkMask) == 0;
}

// Reads the count code whose first four bytes are word (not the end mark) and sets width to
// its length in bytes.
CODEC_ALWAYS_INLINE uint32_t ReadCountCode(uint32_t word, uint32_t& width) {
    if ((word & CountCodeWideBit) == 0) {
        width = ShortCodeWidth;
        return (word & 0xFF) >> ShortCodeShift;
    }
    if ((word & CountCodeLongBit) == 0) {
        width = MediumCodeWidth;
        return (word & 0xFFFF) >> MediumCodeShift;
    }
    width = LongCodeWidth;
    return word >> LongCodeShift;
}

// The width of the narrowest code for count (at most MaxRunLength).
inline uint32_t CountCodeWidth(uint32_t count) {
    return count < ShortCodeLimit    ? ShortCodeWidth
           : count < MediumCodeLimit ? MediumCodeWidth
                                     : LongCodeWidth;
}

// Writes the narrowest code for count (at most MaxRunLength) and returns the position after
// it. Always stores four bytes: at least four more bytes of the stream follow every code (a
// pixel or the end mark), and they are written after it.
inline uint8_t* WriteCountCode(uint8_t* at, uint32_t count) {
    if (count < ShortCodeLimit) {
        StoreWord(at, count << ShortCodeShift);
        return at + ShortCodeWidth;
    }
    if (count < MediumCodeLimit) {
        StoreWord(at, count << MediumCodeShift | CountCodeWideBit);
        return at + MediumCodeWidth;
    }
    StoreWord(at, count << LongCodeShift | CountCodeLongBit | CountCodeWideBit);
    return at + LongCodeWidth;
}
