// Writing the run-time error report and its back trace.
#include "error_report.h"
#include "runtime_state.h"

BackTraceRoutine BackTraceLine = WritePlainBackTraceLine;

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

void WritePlainBackTraceLine(TextOutput& output, uintptr_t address) {
    char line[] = "  0x00000000";
    FormatHex8(line + 4, static_cast<uint32_t>(address));
    WriteText(output, line, sizeof line - 1);
}

void WriteRunTimeErrorReport(TextOutput& output, int maxFrames) {
    char line[48];
    char* end = FormatDecimal(Append(line, "Runtime error "), ErrorNumber);
    end = FormatHex8(Append(end, " at 0x"), static_cast<uint32_t>(ErrorAddress));
    WriteText(output, line, static_cast<uint32_t>(end - line));
    EndLine(output);
    BackTraceLine(output, ErrorAddress);
    EndLine(output);

    // Each frame holds the caller's frame pointer, then the return address into the caller.
    const uintptr_t* frame = reinterpret_cast<const uintptr_t*>(ErrorFrame);
    for (int written = 0; frame != nullptr;) {
        BackTraceLine(output, frame[1]);
        EndLine(output);
        const uintptr_t* caller = reinterpret_cast<const uintptr_t*>(frame[0]);
        if (caller <= frame || ++written > maxFrames)
            break;
        frame = caller;
    }
    EndLine(output);
}
