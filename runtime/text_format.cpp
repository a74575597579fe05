// Number and text formatting.
#include "text_format.h"

char* FormatHex8(char* to, uint32_t value) {
    for (int shift = 28; shift >= 0; shift -= 4)
        *to++ = "0123456789ABCDEF"[(value >> shift) & 0xF];
    return to;
}

char* FormatHex(char* to, uint32_t value) {
    int shift = 28;
    while (shift > 0 && (value >> shift) == 0)
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        *to++ = "0123456789ABCDEF"[(value >> shift) & 0xF];
    return to;
}

char* FormatDecimal(char* to, uint32_t value) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *to++ = digits[--count];
    return to;
}

char* Append(char* to, const char* text) {
    while (*text)
        *to++ = *text++;
    return to;
}

char LowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

const char* AfterWithoutCase(const char* text, const char* prefix) {
    for (; *prefix; ++prefix, ++text)
        if (LowerCase(*text) != LowerCase(*prefix))
            return nullptr;
    return text;
}
