// Running test helper programs from a Windows test, with their input and output on pipes.
#include "other_process.h"

bool OpenableByOthers(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

std::string TestToolPath(const char* name) {
    return std::string("Z:" FLARVEX_HOST_DIR "/test-tools/") + name;
}

OtherProcess::OtherProcess(const char* tool, const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE childOut = nullptr, childIn = nullptr;
    CreatePipe(&fromChild_, &childOut, &inherit, 0);
    CreatePipe(&childIn, &toChild_, &inherit, 0);
    SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string command = "\"" + TestToolPath(tool) + "\" " + arguments;
    CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &process_);
    // Only the helper keeps its ends: a pipe then closes when the helper ends.
    CloseHandle(childOut);
    CloseHandle(childIn);
}

OtherProcess::~OtherProcess() {
    CloseHandle(toChild_);
    CloseHandle(fromChild_);
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

std::string OtherProcess::ReadLine() {
    std::string line;
    char c;
    DWORD read = 0;
    while (ReadFile(fromChild_, &c, 1, &read, nullptr) && read == 1 && c != '\n')
        if (c != '\r')
            line += c;
    return line;
}

bool OtherProcess::Kill() {
    return process_.hProcess && TerminateProcess(process_.hProcess, 1) &&
           WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
}

// "held" arrives once the file is open; a closed pipe means the holder gave up.
FileHolder::FileHolder(const std::string& path)
    : holder_("file_holder.exe", "\"" + path + "\" 60"), holding_(holder_.ReadLine() == "held") {}
