// Other programs' view of files in Windows tests: a process that holds a file, and whether
// a file could be opened now.
#pragma once
#include <windows.h>
#include <string>

// Holds path open with no sharing in another process for as long as it lives.
class FileHolder {
  public:
    explicit FileHolder(const std::string& path);
    ~FileHolder(); // lets the other process close the file and waits for it (bounded)
    bool Holding() const {
        return holding_;
    }

  private:
    PROCESS_INFORMATION process_ = {};
    HANDLE toChild_ = nullptr;
    bool holding_ = false;
};

// Whether another open of path, with no sharing, would get the file now.
bool OpenableByOthers(const std::string& path);

// Where the test helper programs are, as a Windows path.
std::string TestToolPath(const char* name);
