// Length-prefixed strings of at most 255 characters, as the file services and the setup's
// path building use them. Portable: no Windows header.
#pragma once
#include <stdint.h>

// A length byte followed by room for 255 characters. Operations write only the characters up
// to the new length; those beyond it keep what they held. The system, handed Chars, reads up
// to the first NUL, which may lie inside the length.
struct LengthPrefixedString {
    uint8_t Length;
    char Chars[255];
};

// A shared string constant with its stored length, which may include a final NUL.
struct CountedString {
    uint32_t Length;
    const char* Text;
};

// dest := the first min(length(src), max) characters of src.
void CopyTruncated(LengthPrefixedString& dest, uint8_t max, const LengthPrefixedString& src);

// Appends the first min(length(src), 255 - length(dest)) characters of src to dest.
void AppendTruncated(LengthPrefixedString& dest, const LengthPrefixedString& src);

// Inserts src into dest before the 1-based index (clamped to 1 .. length(dest) + 1). When the
// result would exceed max characters, the excess is cut from dest's moved tail first, then
// from the end of src. Afterwards length(dest) = min(length(src) + length(dest), max) for a
// dest no longer than max.
void InsertTruncated(const LengthPrefixedString& src, LengthPrefixedString& dest, uint8_t max,
                     int index);

// dest := the first min(src->Length, max) characters of src; an absent src gives length 0.
void FromCountedString(LengthPrefixedString& dest, uint8_t max, const CountedString* src);
