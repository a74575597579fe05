// Run-time errors from real faults in the runtime's test program, the message-box writer that
// shows them, the back-trace reader and the fault filter's choices, under Wine.
#include "back_trace_reader.h"
#include "error_report.h"
#include "fault_table.h"
#include "file_bytes.h"
#include "io_result.h"
#include "pe_file.h"
#include "probe_run.h"
#include "process.h"
#include "run_time_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// A procedure of this test program for the back-trace reader to name. The test program keeps
// its symbols, and its libraries bring debugging sections.
extern "C" __attribute__((noinline)) int NamedInTheBackTrace(int value) {
    return value * 3 + 1;
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string Hex8(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// The address of the program's entry point when loaded at its preferred base.
uint32_t EntryPointAddress(const char* windowsPath) {
    PeFile pe = ParsePe(ReadFileVector(windowsPath));
    return pe.ImageBase + pe.EntryPoint;
}

// Where 32-bit programs run through an emulator (tools/wine-session names it), Wine cannot
// tell which processor trap a fault was: qemu-user writes -1 as the trap number of every
// signal it delivers, and Wine takes the kind of fault from that number alone, so an access
// violation, INTO or BOUND ends as an illegal instruction (217) and an integer division by
// zero as an invalid floating-point operation (207). Nor does it raise the floating-point
// exceptions that the control word unmasks. There the error numbers are not checked, and the
// test says so with its skip; everything else still is.
const char* Emulator() {
    static char name[MAX_PATH];
    static bool read = GetEnvironmentVariableA("FLARVEX_I386_EMULATOR", name, sizeof name) > 0;
    return read ? name : nullptr;
}

std::string NotCheckedUnderTheEmulator(const char* what) {
    return std::string("under the 32-bit emulator ") + Emulator() + ", " + what +
           " is not checked: it gives Wine -1 as every fault's trap number. The rest ran.";
}

// Checks a fault's run-time error number where the trap number can be trusted. Returns false
// where it cannot; the test then ends with a skip that says why, once its other checks ran.
bool ExpectTrapNumber(DWORD number, DWORD expected) {
    if (Emulator() != nullptr)
        return false;
    EXPECT_EQ(number, expected);
    return true;
}

struct FaultCase {
    const char* Kind;
    DWORD Number;
    // Whether the number follows from the processor's trap number, or the fault comes from
    // the floating-point unit's own exception, rather than only from the instruction.
    bool FromTrapNumber;
    bool FromFloatingPointUnit;
};

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, EndInAReportBoxWithTheErrorNumberAsExitCode) {
    const FaultCase& fault = GetParam();
    if (Emulator() != nullptr && fault.FromFloatingPointUnit)
        GTEST_SKIP() << "under the 32-bit emulator " << Emulator() << ", this fault does not "
                     << "happen: it raises no floating-point exception that the control word "
                     << "unmasks";
    bool numberChecked = Emulator() == nullptr || !fault.FromTrapNumber;
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE, std::string("fault ") + fault.Kind);
    ASSERT_TRUE(outcome.Ended) << "the probe did not end within 20 s";
    ASSERT_FALSE(outcome.Boxes.empty()) << "no box captioned Error";
    for (const ShownBox& box : outcome.Boxes)
        EXPECT_EQ(box.View.Flags(), static_cast<UINT>(MB_OK));
    std::vector<std::string> lines = Lines(outcome.Boxes[0].View.Text);
    ASSERT_GE(lines.size(), 2u) << outcome.Boxes[0].View.Text;
    // The process ends with the number that the report shows.
    DWORD number = numberChecked ? fault.Number : std::stoul(lines[0].substr(14));
    EXPECT_EQ(outcome.ExitCode, number);
    std::string prefix = "Runtime error " + std::to_string(number) + " at 0x";
    ASSERT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "  0x" + lines[0].substr(prefix.size())) << "the error address again";
    EXPECT_EQ(outcome.Output, "exit procedure ran\n") << "the fault ended the nested call";
    // Every box but the last is full; the last ends with the report's empty line.
    for (size_t i = 0; i + 1 < outcome.Boxes.size(); ++i)
        EXPECT_EQ(outcome.Boxes[i].View.Text.size(), 1024u) << "box " << i;
    const std::string& last = outcome.Boxes.back().View.Text;
    EXPECT_EQ(last.substr(last.size() - 4), "\r\n\r\n");
    if (!numberChecked)
        GTEST_SKIP() << NotCheckedUnderTheEmulator("the error number");
}

// The stack overflow and the illegal instruction come out right under the emulator too.
INSTANTIATE_TEST_SUITE_P(
    RunTimeError, Faults,
    ::testing::Values(FaultCase{"access", 216, true, false}, FaultCase{"divide", 200, true, false},
                      FaultCase{"float", 200, true, true}, FaultCase{"stack", 202, false, false},
                      FaultCase{"illegal", 217, false, false},
                      FaultCase{"overflow", 215, true, false},
                      FaultCase{"bounds", 201, true, false}, FaultCase{"window", 216, true, false}),
    [](const auto& info) { return std::string(info.param.Kind); });

TEST(RunTimeError, AnAccessViolationIsTracedThroughEveryFrameToTheStartUpCode) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE, "fault access");
    ASSERT_EQ(outcome.Boxes.size(), 1u);
    std::vector<std::string> lines = Lines(outcome.Boxes[0].View.Text);
    // The header, the error address, the frames of NestedCall, MainProcedure, RunProgram and
    // the entry point, the empty line.
    ASSERT_EQ(lines.size(), 7u) << outcome.Boxes[0].View.Text;
    for (size_t i = 1; i < 6; ++i)
        EXPECT_TRUE(lines[i].size() == 12 && lines[i].rfind("  0x", 0) == 0 &&
                    lines[i].find_first_not_of("0123456789ABCDEF", 4) == std::string::npos)
            << "line " << i << ": '" << lines[i] << "'";
    EXPECT_EQ(lines[6], "");
    // The last frame returns into the entry point, right after its call of the program.
    uint32_t entry = EntryPointAddress(RUNTIME_PROBE);
    uint32_t last = std::stoul(lines[5].substr(4), nullptr, 16);
    EXPECT_TRUE(last > entry && last < entry + 32)
        << "last frame 0x" << Hex8(last) << ", entry point 0x" << Hex8(entry);
}

// The names that the symbol build's report gives its lines, from the error address on; a null
// name stands for a line of a system library's code, which stays plain.
std::vector<std::string> NamedProcedures(const std::string& report) {
    std::vector<std::string> names;
    std::vector<std::string> lines = Lines(report);
    for (size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
        size_t plus = lines[i].rfind("+0x");
        names.push_back(lines[i].size() > 14 && plus != std::string::npos
                            ? lines[i].substr(14, plus - 14)
                            : "");
    }
    return names;
}

TEST(RunTimeError, ABuildWithSymbolsNamesTheProcedureOfEveryLine) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE_SYMBOLS, "fault access");
    bool numberChecked = ExpectTrapNumber(outcome.ExitCode, 216u);
    ASSERT_EQ(outcome.Boxes.size(), 1u);
    const std::string& report = outcome.Boxes[0].View.Text;
    EXPECT_EQ(NamedProcedures(report),
              (std::vector<std::string>{"FaultAccess", "NestedCall", "_Z13MainProcedurev",
                                        "RunProgram", "EntryPoint"}))
        << report;
    std::vector<std::string> lines = Lines(report);
    EXPECT_EQ(lines[1].substr(0, 14), "  0x" + lines[0].substr(lines[0].size() - 8) + "  ");
    if (!numberChecked)
        GTEST_SKIP() << NotCheckedUnderTheEmulator("the error number");
}

TEST(RunTimeError, AFaultInAWindowProcedureIsTracedThroughTheMessagePump) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE_SYMBOLS, "fault window");
    bool numberChecked = ExpectTrapNumber(outcome.ExitCode, 216u);
    ASSERT_EQ(outcome.Boxes.size(), 1u);
    const std::string& report = outcome.Boxes[0].View.Text;
    std::vector<std::string> names = NamedProcedures(report);
    // The window procedure, the system's dispatching (plain lines), then the program's frames
    // again down to the start-up code.
    ASSERT_GE(names.size(), 7u) << report;
    EXPECT_EQ(names[0], "FaultAccess");
    EXPECT_EQ(names[1], "FaultingWindowProcedure@16");
    EXPECT_EQ(names[2], "") << report;
    std::vector<std::string> outer(names.end() - 5, names.end());
    EXPECT_EQ(outer, (std::vector<std::string>{"FaultInWindowProcedure", "NestedCall",
                                               "_Z13MainProcedurev", "RunProgram", "EntryPoint"}))
        << report;
    if (!numberChecked)
        GTEST_SKIP() << NotCheckedUnderTheEmulator("the error number");
}

TEST(RunTimeError, APendingIoCodeKeepsTheReportFromShowing) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE, "fault access gated");
    ASSERT_TRUE(outcome.Ended);
    bool numberChecked = ExpectTrapNumber(outcome.ExitCode, 216u);
    EXPECT_TRUE(outcome.Boxes.empty());
    if (!numberChecked)
        GTEST_SKIP() << NotCheckedUnderTheEmulator("the error number");
}

TEST(ErrorBox, AFullBufferIsShownAtOnceAndTheRestOfThatPieceIsLost) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE, "overfill");
    ASSERT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.ExitCode, 0u);
    ASSERT_EQ(outcome.Boxes.size(), 2u);
    // The line and the first 1,018 characters fill the buffer; the 256-character piece that
    // did so loses its last 6 characters; the 76 still in the output are shown at the end.
    EXPECT_EQ(outcome.Boxes[0].View.Text, "line\r\n" + std::string(1018, 'x'));
    EXPECT_EQ(outcome.Boxes[0].OutputBefore.find("written"), std::string::npos)
        << "the first box appeared only after the writes returned";
    EXPECT_EQ(outcome.Boxes[1].View.Text, std::string(76, 'x'));
    EXPECT_NE(outcome.Boxes[1].OutputBefore.find("written"), std::string::npos);
}

TEST(ErrorBox, APendingIoCodeKeepsWritesFromShowing) {
    ProbeOutcome outcome = RunProbe(RUNTIME_PROBE, "gated");
    ASSERT_TRUE(outcome.Ended);
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_TRUE(outcome.Boxes.empty());
}

std::string BackTraceText;
void KeepBackTraceText(const char* text, uint32_t count) {
    BackTraceText.append(text, count);
}
void IgnoreClose() {}

// The back-trace routine of start-up, reading this test program's own file.
class BackTraceReader : public ::testing::Test {
  protected:
    void SetUp() override {
        ModuleInstance = GetModuleHandleA(nullptr);
        BackTraceLine = WriteNamedBackTraceLine;
        ResetIoServices();
        BackTraceText.clear();
        OpenTextOutput(output, KeepBackTraceText, IgnoreClose);
    }
    void TearDown() override {
        ReleaseProgramFile();
        BackTraceLine = WritePlainBackTraceLine;
        IoResultCode = 0;
    }
    std::string Line(uintptr_t address) {
        BackTraceText.clear();
        BackTraceLine(output, address);
        EndLine(output);
        return BackTraceText;
    }
    TextOutput output;
};

TEST_F(BackTraceReader, NamesTheProgramsOwnProcedures) {
    uintptr_t named = reinterpret_cast<uintptr_t>(NamedInTheBackTrace);
    EXPECT_EQ(Line(named + 5), "  0x" + Hex8(named + 5) + "  NamedInTheBackTrace+0x5\r\n");
    EXPECT_EQ(OpenModeSetting, 2) << "restored after the open";
    EXPECT_EQ(IoResultCode, 0);
    EXPECT_EQ(BackTraceLine, WriteNamedBackTraceLine) << "kept for the lines that follow";
    uintptr_t sleep =
        reinterpret_cast<uintptr_t>(GetProcAddress(GetModuleHandleA("kernel32"), "Sleep"));
    EXPECT_EQ(Line(sleep), "  0x" + Hex8(sleep) + "\r\n") << "code outside the program";
}

TEST_F(BackTraceReader, APendingCodeStaysAndTheLinesArePlain) {
    IoResultCode = 103;
    BackTraceLine(output, 0x00401234);
    EXPECT_EQ(IoResultCode, 103) << "the reader takes no code it did not cause";
    EXPECT_EQ(BackTraceLine, WritePlainBackTraceLine);
    IoResultCode = 0;
    uintptr_t named = reinterpret_cast<uintptr_t>(NamedInTheBackTrace);
    EXPECT_EQ(Line(named), "  0x" + Hex8(named) + "\r\n");
}

// The filter's choices, on made-up exceptions.
class FaultFilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PendingFaultCount = 0;
        context.SegSs = StackSegment = 0x2B;
        context.Ebp = 0x1000;
        context.Eip = 0x00401234;
        context.Esp = reinterpret_cast<DWORD>(&stack[4]);
        record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    }
    void TearDown() override {
        PendingFaultCount = 0;
    }
    long Filter() {
        EXCEPTION_POINTERS pointers = {&record, &context};
        return FaultFilter(&pointers);
    }
    EXCEPTION_RECORD record = {};
    CONTEXT context = {};
    DWORD stack[8] = {};
};

TEST_F(FaultFilterTest, ResumesAMappedFaultInTheContinuationAsIfCalledThere) {
    record.ExceptionCode = EXCEPTION_FLT_DIVIDE_BY_ZERO;
    EXPECT_EQ(Filter(), EXCEPTION_CONTINUE_EXECUTION);
    EXPECT_EQ(context.Eip, reinterpret_cast<DWORD>(FaultContinuation));
    EXPECT_EQ(context.Esp, reinterpret_cast<DWORD>(&stack[3]));
    EXPECT_EQ(stack[3], 0x00401234u) << "the faulting address as the return address";
    EXPECT_EQ(context.Ebp, 0x1000u);
    EXPECT_EQ(record.ExceptionCode, 0u);
    ASSERT_EQ(PendingFaultCount, 1);
    EXPECT_EQ(PendingFaults[0].Address, 0x00401234u);
    EXPECT_EQ(PendingFaults[0].Number, 200);
    EXPECT_TRUE(PendingFaults[0].ResetFloatingPoint);
}

TEST_F(FaultFilterTest, LeavesToTheSystemWhatItCannotReport) {
    record.ExceptionCode = EXCEPTION_BREAKPOINT;
    EXPECT_EQ(Filter(), EXCEPTION_CONTINUE_SEARCH) << "a code not in the table";
    SetUp();
    context.Ebp = 0;
    EXPECT_EQ(Filter(), EXCEPTION_CONTINUE_SEARCH) << "no frame";
    SetUp();
    context.SegSs = 0x23;
    EXPECT_EQ(Filter(), EXCEPTION_CONTINUE_SEARCH) << "another stack";
    EXPECT_EQ(PendingFaultCount, 0);
    EXPECT_EQ(context.Eip, 0x00401234u);
    EXPECT_EQ(record.ExceptionCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

TEST_F(FaultFilterTest, PassesFaultsOnOnceSixteenArePending) {
    for (int i = 0; i < PendingFaultCapacity; ++i) {
        SetUp();
        PendingFaultCount = i;
        ASSERT_EQ(Filter(), EXCEPTION_CONTINUE_EXECUTION) << i;
    }
    DWORD esp = context.Esp = reinterpret_cast<DWORD>(&stack[4]);
    context.Eip = 0x00401234;
    EXPECT_EQ(Filter(), EXCEPTION_CONTINUE_SEARCH);
    EXPECT_EQ(PendingFaultCount, PendingFaultCapacity);
    EXPECT_EQ(context.Esp, esp);
    EXPECT_EQ(context.Eip, 0x00401234u);
}

} // namespace
