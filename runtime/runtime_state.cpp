// Definitions of the runtime services' process-wide state.
#include "runtime_state.h"

uint16_t IoResultCode = 0;
uint32_t LastSystemError = 0;
uint8_t OpenModeSetting;

bool ConsoleProgram = false;
bool IsLibrary = false;
SystemHandle ModuleInstance = nullptr;
SystemHandle PreviousInstance = nullptr;
SystemHandle StandardInputHandle = nullptr;
SystemHandle StandardOutputHandle = nullptr;
SystemHandle StandardErrorHandle = nullptr;
uint16_t ProcessExitCode = 0;
uintptr_t ErrorAddress = 0;
uintptr_t ErrorFrame = 0;
uint16_t ErrorNumber = 0;
Procedure ExitProcedure = nullptr;
int InitialisedCount = 0;
uint16_t StackSegment = 0;
uint32_t WindowsVersion = 0;
bool ModuleReady = false;
PendingFault PendingFaults[PendingFaultCapacity];
int PendingFaultCount = 0;
