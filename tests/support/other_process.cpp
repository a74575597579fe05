// Running test helper programs from a Windows test, with their input and output on pipes.
#include "other_process.h"

#include <gtest/gtest.h>

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

OtherProcess::OtherProcess(const char* tool, const std::string& arguments)
    : OtherProcess(TestToolPath(tool), "\"" + TestToolPath(tool) + "\" " + arguments,
                   ErrorOutput::Shared) {}

OtherProcess::OtherProcess(const std::string& program, const std::string& commandLine,
                           ErrorOutput errors) {
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
    startup.hStdError = errors == ErrorOutput::Piped ? childOut : GetStdHandle(STD_ERROR_HANDLE);
    std::string command = commandLine;
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        process_ = {};
    }
    // Only the program keeps its ends: a pipe then closes when the program ends.
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

void OtherProcess::WriteLine(const std::string& line) {
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(toChild_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string OtherProcess::ReadAvailable() {
    std::string output;
    DWORD available = 0, read = 0;
    char chunk[512];
    while (PeekNamedPipe(fromChild_, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
           ReadFile(fromChild_, chunk, sizeof chunk, &read, nullptr) && read > 0)
        output.append(chunk, read);
    return output;
}

bool OtherProcess::WaitForExit(DWORD milliseconds) {
    return process_.hProcess &&
           WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD OtherProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_.hProcess)
        GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool OtherProcess::Kill() {
    return process_.hProcess && TerminateProcess(process_.hProcess, 1) &&
           WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
}

// "held" arrives once the file is open; a closed pipe means the holder gave up.
FileHolder::FileHolder(const std::string& path)
    : holder_("file_holder.exe", "\"" + path + "\" 60"), holding_(holder_.ReadLine() == "held") {}
