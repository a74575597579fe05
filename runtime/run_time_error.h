// Run-time errors: raising one, and the process's fault filter, which turns the processor
// exceptions of the program's own code into run-time errors. A run-time error ends the process
// through HaltProcess, whose report shows the error, its address and the back trace in a box
// captioned "Error", with the error number as exit code.
#pragma once
#include <stdint.h>

struct _EXCEPTION_POINTERS;

// Records number, address and frame as the pending error and halts with the number's low
// eight bits. The back trace starts at frame.
[[noreturn]] void RaiseRunTimeError(uint16_t number, uintptr_t address, uintptr_t frame);

// The top-level unhandled-exception filter. For a mapped exception raised on the program's
// stack inside a frame, it records the fault in PendingFaults and resumes the faulting thread
// in FaultContinuation (-1, EXCEPTION_CONTINUE_EXECUTION). Anything else, and any fault while
// 16 are pending, is left to the system (0, EXCEPTION_CONTINUE_SEARCH).
long __stdcall FaultFilter(_EXCEPTION_POINTERS* pointers);

// Where a caught fault resumes, as if the faulting instruction had called it: raises the run-
// time error of the newest pending fault in the faulting procedure's frame.
[[noreturn]] void FaultContinuation();
