// The module table and the exit sequence.
#include "process.h"

#include "back_trace_reader.h"
#include "error_box.h"
#include "error_report.h"
#include "io_result.h"
#include "run_time_error.h"

#include <windows.h>

TextOutput StandardOutput;
TextOutput StandardError;

namespace {

STARTUPINFOA StartupRecord;

// Frames shown in a back trace written to a console; elsewhere 256.
constexpr int ConsoleBackTraceFrames = 8;
constexpr int BackTraceFrames = 256;

void InitialiseSystemServices() {
    GetStartupInfoA(&StartupRecord);
    PreviousInstance = nullptr;
    char path[256];
    GetModuleFileNameA(nullptr, path, 255);
    ModuleInstance = GetModuleHandleA(path);
    StandardInputHandle = GetStdHandle(STD_INPUT_HANDLE);
    StandardOutputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    StandardErrorHandle = GetStdHandle(STD_ERROR_HANDLE);
    // A GUI program has no console: its own messages go to message boxes.
    OpenTextOutput(StandardError, WriteToErrorBox, CloseErrorBox);
    OpenTextOutput(StandardOutput, WriteToErrorBox, CloseErrorBox);
    ResetIoServices();
}

void InstallBackTraceLine() {
    BackTraceLine = WriteNamedBackTraceLine;
}

void RecordWindowsVersion() {
    WindowsVersion = GetVersion();
}

void MarkModuleReady() {
    ModuleReady = true;
}

} // namespace

const ModuleEntry ModuleInitTable[ModuleCount] = {
    {InitialiseSystemServices, nullptr},
    {nullptr, nullptr}, // the program's table of replaceable text constants is empty
    {InstallBackTraceLine, ReleaseProgramFile},
    {RecordWindowsVersion, nullptr},
    {MarkModuleReady, nullptr},
};

void HaltProcess(uint8_t code) {
    ProcessExitCode = code;
    RunExitProcedures();
    FinaliseModules(ModuleInitTable);
    if (ErrorAddress != 0) {
        bool console = GetFileType(StandardOutputHandle) == FILE_TYPE_CHAR;
        WriteRunTimeErrorReport(StandardOutput, console ? ConsoleBackTraceFrames : BackTraceFrames);
    }
    if (!ConsoleProgram) {
        CloseTextOutput(StandardError);
        CloseTextOutput(StandardOutput);
    }
    SetUnhandledExceptionFilter(nullptr);
    ExitProcess(ProcessExitCode);
}
