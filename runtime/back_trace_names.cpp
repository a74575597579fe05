// Naming code in a back-trace line, from the program file's symbols.
#include "back_trace_reader.h"
#include "text_format.h"

#include <string.h>

void WriteFunctionName(TextOutput& output, ImageView image, uint32_t rva) {
    // Two blanks, the name, then room for "+0x" and eight digits.
    char line[128] = "  ";
    constexpr uint32_t NameRoom = sizeof line - 2 - 11;
    int32_t distance = FindFunctionSymbol(image, rva, line + 2, NameRoom);
    if (distance < 0)
        return;
    char* end =
        FormatHex(Append(line + 2 + strlen(line + 2), "+0x"), static_cast<uint32_t>(distance));
    WriteText(output, line, static_cast<uint32_t>(end - line));
}
