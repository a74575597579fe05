// The run-time error report that the exit sequence writes when ErrorAddress is set:
//   Runtime error <number> at 0x<address>
//   <back-trace line of the address>
//   <one back-trace line per active frame, newest first>
//   <empty line>
// Portable: frames are read from memory as the i386 frame-pointer chain lays them out.
#pragma once
#include "text_output.h"

#include <stdint.h>

// Writes one back-trace line for a code address (no line end). While the slot is empty, the
// report writes plain lines.
using BackTraceRoutine = void (*)(TextOutput& output, uintptr_t address);
extern BackTraceRoutine BackTraceLine;

// The plain back-trace line: two blanks, "0x" and eight upper-case hexadecimal digits.
void WritePlainBackTraceLine(TextOutput& output, uintptr_t address);

// Writes the report for ErrorNumber, ErrorAddress and ErrorFrame. The frame walk follows the
// saved frame pointers while they climb, and stops after maxFrames + 1 frame lines.
void WriteRunTimeErrorReport(TextOutput& output, int maxFrames);
