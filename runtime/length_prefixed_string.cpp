// Length-prefixed string operations: bounded copy, append, insert.
#include "length_prefixed_string.h"

namespace {

uint8_t Smaller(uint32_t a, uint32_t b) {
    return static_cast<uint8_t>(a < b ? a : b);
}

void CopyChars(char* to, const char* from, int count) {
    for (int i = 0; i < count; ++i)
        to[i] = from[i];
}

} // namespace

void CopyTruncated(LengthPrefixedString& dest, uint8_t max, const LengthPrefixedString& src) {
    dest.Length = Smaller(src.Length, max);
    CopyChars(dest.Chars, src.Chars, dest.Length);
}

void AppendTruncated(LengthPrefixedString& dest, const LengthPrefixedString& src) {
    uint8_t count = Smaller(src.Length, 255 - dest.Length);
    CopyChars(dest.Chars + dest.Length, src.Chars, count);
    dest.Length = static_cast<uint8_t>(dest.Length + count);
}

void InsertTruncated(const LengthPrefixedString& src, LengthPrefixedString& dest, uint8_t max,
                     int index) {
    if (index < 1)
        index = 1;
    if (index > dest.Length)
        index = dest.Length + 1;
    int tail = dest.Length - index + 1;
    int count = src.Length;
    int over = src.Length + dest.Length - max;
    if (over > 0) {
        if (tail >= over) {
            tail -= over;
        } else {
            count -= over - tail;
            tail = 0;
            // Only a dest already longer than max gets here with nothing left to cut.
            if (count < 0)
                count = 0;
        }
    }
    char* at = dest.Chars + index - 1;
    for (int i = tail - 1; i >= 0; --i) // overlapping move to the right: back to front
        at[count + i] = at[i];
    CopyChars(at, src.Chars, count);
    dest.Length = static_cast<uint8_t>(index + count + tail - 1);
}

void FromCountedString(LengthPrefixedString& dest, uint8_t max, const CountedString* src) {
    dest.Length = src ? Smaller(src->Length, max) : 0;
    if (src)
        CopyChars(dest.Chars, src->Text, dest.Length);
}
