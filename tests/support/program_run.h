// Running another program from a host test: its arguments as given (no shell), input from
// /dev/null, what it prints collected, and a bounded wait that kills it and fails the test.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// What becomes of the program's standard error.
enum class ErrorStream {
    Capture,     // collected in ProgramRun::Errors
    PassThrough, // written to the test's own standard error, into its log
};

struct ProgramRun {
    int ExitStatus = -1; // -1 when a signal ended it, or it did not start or finish in time
    std::string Output;  // its standard output
    std::string Errors;  // its standard error, when captured

    // Everything it said: standard output, then standard error.
    std::string Messages() const {
        return Output + Errors;
    }
};

// Runs command[0] (looked up in PATH unless it names a path) with the rest of command as its
// arguments, and waits for it to close its output and exit. Standard output is collected;
// standard error as errors says. A program still running after seconds is killed, and the test
// fails naming the command and the limit; a program that cannot start fails the test too. Either
// way the result holds ExitStatus -1 and what was read until then.
ProgramRun RunProgram(const std::vector<std::string>& command, double seconds = 30,
                      ErrorStream errors = ErrorStream::Capture);

// Starts command[0] as RunProgram does, with input from /dev/null and standard output and error
// shared with the test, and returns at once with its process id for the caller to wait for;
// -1, with the test failed, when it cannot start.
pid_t StartProgram(const std::vector<std::string>& command);
