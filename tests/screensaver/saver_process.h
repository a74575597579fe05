// Runs Flarvex.scr from a Windows test program, and waits on it while this thread keeps
// handling its own windows' messages (the saver's windows send messages to ours: a preview's
// parent, a message box's owner).
#pragma once
#include <windows.h>

#include <string>

// The saver's path as Wine sees it.
std::string SaverPath();

class SaverProcess {
  public:
    // Starts the saver with arguments after its name; check Started().
    explicit SaverProcess(const std::string& arguments);
    // Ends the saver if it is still running.
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    bool Started() const {
        return process_.hProcess != nullptr;
    }
    DWORD Id() const {
        return process_.dwProcessId;
    }
    bool Running() const {
        return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }
    // Waits up to milliseconds for the saver to end; true when it did, with its exit code in
    // *code.
    bool WaitForExit(DWORD milliseconds, DWORD* code = nullptr);
    // A visible window of the saver named name: a top-level one, or a child of parent when
    // parent is given; null when there is none.
    HWND FindWindowNamed(const char* name, HWND parent = nullptr) const;

  private:
    PROCESS_INFORMATION process_ = {};
};

// Handles the messages waiting for this thread.
void PumpMessages();

// Handles this thread's messages until condition() holds or milliseconds pass; returns
// whether it held.
template <typename Condition> bool PumpUntil(DWORD milliseconds, Condition condition) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}
