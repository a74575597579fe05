// Starting, finding and ending the saver from a Windows test program.
#include "saver_process.h"

#include <gtest/gtest.h>

namespace {

struct WindowSearch {
    DWORD Process;
    const char* Name;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetWindowTextA(window, name, sizeof name);
    if (process == search.Process && IsWindowVisible(window) && lstrcmpA(name, search.Name) == 0) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string SaverPath() {
    return FLARVEX_SAVER_PATH;
}

SaverProcess::SaverProcess(const std::string& arguments) {
    std::string commandLine = "\"" + SaverPath() + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        ADD_FAILURE() << "could not start " << commandLine << ": error " << GetLastError();
        process_ = {};
    }
}

SaverProcess::~SaverProcess() {
    if (!Started())
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool SaverProcess::WaitForExit(DWORD milliseconds, DWORD* code) {
    if (!Started())
        return false;
    bool ended = PumpUntil(
        milliseconds, [&] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; });
    if (ended && code)
        GetExitCodeProcess(process_.hProcess, code);
    return ended;
}

HWND SaverProcess::FindWindowNamed(const char* name, HWND parent) const {
    WindowSearch search = {process_.dwProcessId, name, nullptr};
    if (parent)
        EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
