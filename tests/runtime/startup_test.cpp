// Start-up and exit of a real program built on the runtime (startup_probe.exe), under Wine.
#include "message_box_reader.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Outcome {
    bool ended = false;
    DWORD exitCode = 0;
    std::string output;
};

// Runs the probe with arguments; while it runs, answer (when given) is called with its
// process handle. Gives the probe at most 20 s.
template <typename Answer> Outcome RunProbe(const std::string& arguments, Answer answer) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::string command = "startup_probe.exe " + arguments;
    PROCESS_INFORMATION process = {};
    Outcome outcome;
    if (!CreateProcessA(STARTUP_PROBE, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << STARTUP_PROBE << ": error " << GetLastError();
        return outcome;
    }
    CloseHandle(writeEnd);
    answer();
    outcome.ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!outcome.ended)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    char chunk[512];
    DWORD read;
    while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0)
        outcome.output.append(chunk, read);
    CloseHandle(readEnd);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return outcome;
}

Outcome RunProbe(const std::string& arguments) {
    return RunProbe(arguments, [] {});
}

TEST(Startup, TheMainProcedureFindsTheProcessPrepared) {
    Outcome outcome = RunProbe("report");
    ASSERT_TRUE(outcome.ended) << "the probe did not end within 20 s";
    EXPECT_EQ(outcome.exitCode, 0u) << "returning from the main procedure halts with code 0";
    const char* expected[] = {
        "initialised=5\n", // all five module entries ran before the main procedure
        "instance_is_module=1\n",
        "previous_instance=0\n",
        "io_result=0\n",
        "open_mode=2\n",
        "version_recorded=1\n",
        "module_ready=1\n",
        "console_program=0\n",
        "control_word=4914\n",  // 0x1332
        "frame_above_main=0\n", // the stack walk ends at the main procedure's caller
        "stack_segment_recorded=1\n",
    };
    for (const char* line : expected)
        EXPECT_NE(outcome.output.find(line), std::string::npos) << "missing '" << line << "' in:\n"
                                                                << outcome.output;
    EXPECT_EQ(outcome.output.find("exit procedure"), std::string::npos);
}

TEST(Startup, HaltEndsWithTheCodeAskedForAfterTheExitProcedureAndNoBox) {
    for (int code : {0, 1, 42, 255}) {
        Outcome outcome = RunProbe("halt " + std::to_string(code));
        ASSERT_TRUE(outcome.ended) << "halt " << code << " did not end the process: a box?";
        EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(code));
        EXPECT_EQ(outcome.output, "exit procedure ran\n");
    }
}

TEST(Startup, APendingRunTimeErrorIsReportedInOneBox) {
    MessageBoxView box;
    Outcome outcome = RunProbe("error 216", [&] {
        box = WaitForMessageBox("Error", 10000);
        if (box.Window)
            AnswerMessageBox(box.Window, IDOK);
    });
    ASSERT_NE(box.Window, nullptr) << "no box captioned Error appeared within 10 s";
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 216u);
    EXPECT_EQ(box.Flags(), static_cast<UINT>(MB_OK));
    // The report: its first two lines, then one line per frame ending in the start-up code.
    std::string text = box.Text;
    EXPECT_EQ(text.rfind("Runtime error 216 at 0x00401234\r\n  0x00401234\r\n", 0), 0u) << text;
    size_t lines = 0;
    for (size_t at = text.find("\r\n  0x"); at != std::string::npos;
         at = text.find("\r\n  0x", at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u) << "the error address, the main procedure's caller, the entry point:\n"
                         << text;
}

TEST(Startup, TextLeftInStandardOutputIsShownAtTheEnd) {
    MessageBoxView box;
    Outcome outcome = RunProbe("write pending-text", [&] {
        box = WaitForMessageBox("Error", 10000);
        if (box.Window)
            AnswerMessageBox(box.Window, IDOK);
    });
    ASSERT_NE(box.Window, nullptr);
    EXPECT_EQ(box.Text, "pending-text");
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0u);
}

} // namespace
