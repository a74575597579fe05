// What the entry point (processor.S) calls: the process's preparation, then the program.
#include "process.h"
#include "run_time_error.h"

#include <windows.h>

// Called from EntryPoint (processor.S) with the frame pointer cleared, so every stack walk ends
// here.
extern "C" [[noreturn]] void RunProgram() {
    InitialiseModules(ModuleInitTable, ModuleCount);
    MainProcedure();
    HaltProcess(static_cast<uint8_t>(ProcessExitCode));
}

extern "C" void PrepareProcess() {
    ConsoleProgram = false;
    IsLibrary = false;
    SetUnhandledExceptionFilter(FaultFilter);
}
