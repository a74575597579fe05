// Process start-up and termination. The process enters at EntryPoint (processor.S), which
// prepares the processor state, runs the module table and calls the program's
// MainProcedure once; the process ends only through HaltProcess.
#pragma once
#include "module_table.h"
#include "text_output.h"

#include <stdint.h>

// Provided by the program: entered exactly once, after module initialisation, with
// ModuleInstance valid, PreviousInstance 0, IoResultCode 0 and OpenModeSetting 2.
void MainProcedure();

// Runs the exit sequence and ends the process with code: exit procedures, finalisation of
// the initialised modules in reverse order, the run-time error report when ErrorAddress is
// set, closing of standard error and standard output, removal of the fault filter.
[[noreturn]] void HaltProcess(uint8_t code);

// Re-initialises the floating-point unit and loads the control word 0x1332: invalid-operation,
// zero-divide and overflow exceptions unmasked, denormal, underflow and precision masked,
// 64-bit mantissa, round to nearest.
extern "C" void ResetFloatingPointUnit();

extern const ModuleEntry ModuleInitTable[ModuleCount];
extern TextOutput StandardOutput;
extern TextOutput StandardError;
