// Running the file holder from a Windows test, with its input and output on pipes.
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

FileHolder::FileHolder(const std::string& path) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE fromChild = nullptr, childOut = nullptr, childIn = nullptr;
    CreatePipe(&fromChild, &childOut, &inherit, 0);
    CreatePipe(&childIn, &toChild_, &inherit, 0);
    SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string command = "\"" + TestToolPath("file_holder.exe") + "\" \"" + path + "\" 60";
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process_)) {
        // "held" arrives once the file is open; a closed pipe means the holder gave up.
        char reply[8] = "";
        DWORD read = 0;
        holding_ = ReadFile(fromChild, reply, 4, &read, nullptr) && read == 4 &&
                   memcmp(reply, "held", 4) == 0;
    }
    CloseHandle(childOut);
    CloseHandle(childIn);
    CloseHandle(fromChild);
}

FileHolder::~FileHolder() {
    CloseHandle(toChild_);
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}
