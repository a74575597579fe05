// Runs the runtime's test program (runtime_probe.exe) under Wine and collects what it does:
// its exit code, what it writes to the pipe it is given as standard output and error, and the
// boxes captioned "Error" that it shows, each answered with OK.
#pragma once
#include "message_box_reader.h"

#include <windows.h>

#include <string>
#include <vector>

struct ShownBox {
    MessageBoxView View;
    std::string OutputBefore; // what the probe had written to the pipe when the box appeared
};

struct ProbeOutcome {
    bool Ended = false; // within the time allowed
    DWORD ExitCode = 0;
    std::string Output;
    std::vector<ShownBox> Boxes;
};

// Runs program (a Windows path) with arguments for at most 20 s, then ends it if it still runs.
ProbeOutcome RunProbe(const char* program, const std::string& arguments);
