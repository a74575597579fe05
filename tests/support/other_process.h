// Other programs in Windows tests: a test helper run as another process, one that holds a
// file, and whether a file could be opened now.
#pragma once
#include <windows.h>
#include <string>

// A test helper program (from the build's test-tools folder) running as another process, its
// standard input and output on pipes to this test. The helpers end when their input closes.
class OtherProcess {
  public:
    OtherProcess(const char* tool, const std::string& arguments);
    ~OtherProcess(); // closes the helper's input and waits for it (bounded), then ends it
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    // The helper's next line of output without its line end; empty when it ended first.
    std::string ReadLine();
    // Ends the helper at once, as a crash or a kill would; true once it is gone.
    bool Kill();

  private:
    PROCESS_INFORMATION process_ = {};
    HANDLE toChild_ = nullptr;
    HANDLE fromChild_ = nullptr;
};

// Holds path open with no sharing in another process for as long as it lives.
class FileHolder {
  public:
    explicit FileHolder(const std::string& path);
    bool Holding() const {
        return holding_;
    }

  private:
    OtherProcess holder_;
    bool holding_ = false;
};

// Whether another open of path, with no sharing, would get the file now.
bool OpenableByOthers(const std::string& path);

// Where the test helper programs are, as a Windows path.
std::string TestToolPath(const char* name);
