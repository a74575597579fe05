// Writing the run-time error report and its back trace.
#include "error_report.h"

#include "runtime_state.h"
#include "text_format.h"

BackTraceRoutine BackTraceLine; // empty: plain lines

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
    BackTraceRoutine backTraceLine = BackTraceLine ? BackTraceLine : WritePlainBackTraceLine;
    backTraceLine(output, ErrorAddress);
    EndLine(output);

    // Each frame holds the caller's frame pointer, then the return address into the caller.
    const uintptr_t* frame = reinterpret_cast<const uintptr_t*>(ErrorFrame);
    for (int written = 0; frame != nullptr;) {
        backTraceLine(output, frame[1]);
        EndLine(output);
        const uintptr_t* caller = reinterpret_cast<const uintptr_t*>(frame[0]);
        if (caller <= frame || ++written > maxFrames)
            break;
        frame = caller;
    }
    EndLine(output);
}
