// Other programs in Windows tests: a test helper run as another process, one that holds a
// file, and whether a file could be opened now.
#pragma once
#include <windows.h>

#include <string>

// Where a program's standard error goes.
enum class ErrorOutput {
    Shared, // the test's own, into its log
    Piped,  // into the same pipe as its standard output
};

// A program running as another process, its standard input and output on pipes to this test:
// a test helper (from the build's test-tools folder), or any program. The helpers end when
// their input closes.
class OtherProcess {
  public:
    // Starts the test helper tool with arguments after its name.
    OtherProcess(const char* tool, const std::string& arguments);
    // Starts program (a Windows path) with commandLine as its whole command line, its name
    // included; the test fails when it cannot start.
    OtherProcess(const std::string& program, const std::string& commandLine, ErrorOutput errors);
    ~OtherProcess(); // closes the program's input and waits for it (bounded), then ends it
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;

    bool Started() const {
        return process_.hProcess != nullptr;
    }
    // The program's next line of output without its line end; empty when it ended first.
    std::string ReadLine();
    // Sends the program a line on its standard input.
    void WriteLine(const std::string& line);
    // What the program has written and this test not read yet, without waiting for more.
    std::string ReadAvailable();
    // Waits up to milliseconds for the program to end; true when it has.
    bool WaitForExit(DWORD milliseconds);
    // The exit code of a program that has ended.
    DWORD ExitCode() const;
    // Ends the program at once, as a crash or a kill would; true once it is gone.
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
