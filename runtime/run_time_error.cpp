// Raising run-time errors, and turning processor exceptions into them.
#include "run_time_error.h"

#include "fault_table.h"
#include "process.h"

#include <windows.h>

// The compiler has no built-in for either instruction.
extern "C" void ResetFloatingPointUnit() {
    const uint16_t controlWord = 0x1332;
    asm volatile("fninit\n\tfldcw %0" : : "m"(controlWord));
}

void RaiseRunTimeError(uint16_t number, uintptr_t address, uintptr_t frame) {
    ErrorNumber = number;
    ProcessExitCode = number;
    ErrorAddress = address;
    ErrorFrame = frame;
    HaltProcess(static_cast<uint8_t>(number));
}

LONG WINAPI FaultFilter(EXCEPTION_POINTERS* pointers) {
    CONTEXT& context = *pointers->ContextRecord;
    // Only the program's own stack holds the frame chain that the back trace walks.
    uintptr_t frame = context.SegSs == StackSegment ? context.Ebp : 0;
    const FaultMapping* mapping = FindFaultMapping(pointers->ExceptionRecord->ExceptionCode);
    if (!mapping || frame == 0 ||
        !PushPendingFault({context.Eip, mapping->Number, mapping->ResetFloatingPoint}))
        return EXCEPTION_CONTINUE_SEARCH;
    // Resume in FaultContinuation with the faulting address as its return address, so that its
    // frame links to the faulting procedure's like any call's.
    context.Esp -= sizeof(DWORD);
    *reinterpret_cast<DWORD*>(context.Esp) = context.Eip;
    context.Eip = reinterpret_cast<DWORD>(FaultContinuation);
    pointers->ExceptionRecord->ExceptionCode = 0;
    return EXCEPTION_CONTINUE_EXECUTION;
}

namespace {

// The run-time error of a stack overflow.
constexpr uint16_t StackOverflowError = 202;

DWORD WINAPI RaisePendingError(void*) {
    RaiseRunTimeError(ErrorNumber, ErrorAddress, ErrorFrame);
}

} // namespace

void FaultContinuation() {
    PendingFault fault = PopPendingFault();
    if (fault.ResetFloatingPoint)
        ResetFloatingPointUnit();
    // The frame pointer saved on entry here is the faulting procedure's.
    uintptr_t frame = *static_cast<const uintptr_t*>(__builtin_frame_address(0));
    if (fault.Number == StackOverflowError) {
        // The overflowed stack has no room left for the report's message box: a thread of its
        // own raises the error, while this one, whose frames the back trace walks, waits.
        ErrorNumber = fault.Number;
        ErrorAddress = fault.Address;
        ErrorFrame = frame;
        HANDLE thread = CreateThread(nullptr, 0, RaisePendingError, nullptr, 0, nullptr);
        if (thread)
            WaitForSingleObject(thread, INFINITE);
    }
    RaiseRunTimeError(fault.Number, fault.Address, frame);
}
