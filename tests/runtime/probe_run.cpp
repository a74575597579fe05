// Running the runtime's test program and answering its boxes.
#include "probe_run.h"
#include <gtest/gtest.h>

namespace {

constexpr DWORD ProbeMilliseconds = 20000;

void Drain(HANDLE pipe, std::string& output) {
    DWORD available = 0;
    char chunk[512];
    DWORD read;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(pipe, chunk, sizeof chunk, &read, nullptr) && read > 0)
        output.append(chunk, read);
}

} // namespace

ProbeOutcome RunProbe(const char* program, const std::string& arguments) {
    ProbeOutcome outcome;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        ADD_FAILURE() << "cannot make a pipe: error " << GetLastError();
        return outcome;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::string command = "runtime_probe.exe " + arguments;
    PROCESS_INFORMATION process = {};
    bool started = CreateProcessA(program, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(writeEnd);
    if (!started) {
        ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        CloseHandle(readEnd);
        return outcome;
    }
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ProbeMilliseconds) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            outcome.Ended = true;
            break;
        }
        MessageBoxView box = WaitForMessageBox("Error", 100);
        if (!box.Window)
            continue;
        Drain(readEnd, outcome.Output);
        outcome.Boxes.push_back({box, outcome.Output});
        AnswerMessageBox(box.Window, IDOK);
        // The box is gone before the next one is looked for, so none is counted twice.
        for (DWORD waited = 0; IsWindow(box.Window) && waited < 5000; waited += 10)
            Sleep(10);
    }
    if (!outcome.Ended)
        TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
    GetExitCodeProcess(process.hProcess, &outcome.ExitCode);
    Drain(readEnd, outcome.Output);
    CloseHandle(readEnd);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return outcome;
}
