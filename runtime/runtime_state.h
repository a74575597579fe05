// All process-wide state of the runtime services, declared in one place (defined in
// runtime_state.cpp). Portable: handles are opaque pointers, as wide as the platform's.
#pragma once
#include "procedure.h"

#include <stdint.h>

using SystemHandle = void*;

// I/O result register and the file services' settings.
extern uint16_t IoResultCode;    // 0 = no error; kept until TakeIoResult
extern uint32_t LastSystemError; // GetLastError between a failed call and its mapping, else 0
extern uint8_t OpenModeSetting;  // low two bits: 0 read, 1 write, 2 read and write

// Process life.
extern bool ConsoleProgram;
extern bool IsLibrary;
extern SystemHandle ModuleInstance;
extern SystemHandle PreviousInstance;
extern SystemHandle StandardInputHandle;
extern SystemHandle StandardOutputHandle;
extern SystemHandle StandardErrorHandle;
extern uint16_t ProcessExitCode;
extern uintptr_t ErrorAddress; // address of a pending run-time error, 0 while there is none
extern uintptr_t ErrorFrame;   // frame in which it arose; where the back trace starts
extern uint16_t ErrorNumber;
extern Procedure ExitProcedure; // one procedure run at exit; may chain another
extern int InitialisedCount;    // entries of the module table initialised so far
extern uint16_t StackSegment;   // recorded at entry, for telling the program's own frames
extern uint32_t WindowsVersion; // GetVersion at start-up; nothing reads it
extern bool ModuleReady;        // set by the last module entry; nothing reads it

// Faults caught by the fault filter and not yet reported, newest last.
struct PendingFault {
    uintptr_t Address; // of the faulting instruction
    uint16_t Number;   // the run-time error it becomes
    bool ResetFloatingPoint;
};
constexpr int PendingFaultCapacity = 16;
extern PendingFault PendingFaults[PendingFaultCapacity];
extern int PendingFaultCount;
