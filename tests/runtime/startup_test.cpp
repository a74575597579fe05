// Start-up and exit of a real program built on the runtime (runtime_probe.exe), under Wine.
#include "probe_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ProbeOutcome RunProbe(const std::string& arguments) {
    return ::RunProbe(RUNTIME_PROBE, arguments);
}

TEST(Startup, TheMainProcedureFindsTheProcessPrepared) {
    ProbeOutcome outcome = RunProbe("report");
    ASSERT_TRUE(outcome.Ended) << "the probe did not end within 20 s";
    EXPECT_EQ(outcome.ExitCode, 0u) << "returning from the main procedure halts with code 0";
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
        EXPECT_NE(outcome.Output.find(line), std::string::npos) << "missing '" << line << "' in:\n"
                                                                << outcome.Output;
    EXPECT_EQ(outcome.Output.find("exit procedure"), std::string::npos);
    EXPECT_TRUE(outcome.Boxes.empty());
}

TEST(Startup, HaltEndsWithTheCodeAskedForAfterTheExitProcedureAndNoBox) {
    for (int code : {0, 1, 42, 255}) {
        ProbeOutcome outcome = RunProbe("halt " + std::to_string(code));
        ASSERT_TRUE(outcome.Ended) << "halt " << code << " did not end the process: a box?";
        EXPECT_EQ(outcome.ExitCode, static_cast<DWORD>(code));
        EXPECT_EQ(outcome.Output, "exit procedure ran\n");
        EXPECT_TRUE(outcome.Boxes.empty());
    }
}

TEST(Startup, APendingRunTimeErrorIsReportedInOneBox) {
    ProbeOutcome outcome = RunProbe("error 216");
    ASSERT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.ExitCode, 216u);
    ASSERT_EQ(outcome.Boxes.size(), 1u);
    const MessageBoxView& box = outcome.Boxes[0].View;
    EXPECT_EQ(box.Flags(), static_cast<UINT>(MB_OK));
    // The report: its first two lines, then one line per frame ending in the start-up code.
    EXPECT_EQ(box.Text.rfind("Runtime error 216 at 0x00401234\r\n  0x00401234\r\n", 0), 0u)
        << box.Text;
    size_t lines = 0;
    for (size_t at = box.Text.find("\r\n  0x"); at != std::string::npos;
         at = box.Text.find("\r\n  0x", at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u) << "the error address, the main procedure's caller, the entry point:\n"
                         << box.Text;
}

TEST(Startup, TextLeftInStandardOutputIsShownAtTheEnd) {
    ProbeOutcome outcome = RunProbe("write pending-text");
    ASSERT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.ExitCode, 0u);
    ASSERT_EQ(outcome.Boxes.size(), 1u);
    EXPECT_EQ(outcome.Boxes[0].View.Text, "pending-text");
}

} // namespace
