// Writing numbers and texts into character buffers, for reports and file names, and comparing
// names as the system compares them, letters without case. Each function that writes writes no
// NUL and returns the end of what it wrote. Portable.
#pragma once
#include <stdint.h>

// Formats value as eight upper-case hexadecimal digits; returns to + 8.
char* FormatHex8(char* to, uint32_t value);
// Formats value in as few hexadecimal digits as it takes; returns the end.
char* FormatHex(char* to, uint32_t value);
// Formats value in decimal without leading zeros; returns the end.
char* FormatDecimal(char* to, uint32_t value);
// Copies text without its NUL; returns the end.
char* Append(char* to, const char* text);

// The letter c in lower case; anything but A to Z as it is.
char LowerCase(char c);
// Where text goes on after prefix when it begins with it, letters compared without case;
// nullptr when it does not. Reads text no further than the first difference.
const char* AfterWithoutCase(const char* text, const char* prefix);
