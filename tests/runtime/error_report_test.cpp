// The run-time error report and the text outputs it is written through.
#include "error_report.h"
#include "file_variable.h"
#include "io_result.h"
#include "runtime_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Pieces; // what reached the output routine, piece by piece
int Closes;
void Record(const char* text, uint32_t count) {
    Pieces.emplace_back(text, count);
}
void RecordClose() {
    ++Closes;
}

std::string All() {
    std::string text;
    for (const std::string& piece : Pieces)
        text += piece;
    return text;
}

class TextOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Pieces.clear();
        Closes = 0;
        IoResultCode = 0;
        OpenTextOutput(output, Record, RecordClose);
    }
    void TearDown() override {
        IoResultCode = 0;
    }
    TextOutput output;
};

TEST_F(TextOutputTest, HandsTextOnAtLineEndsWhenFullAndOnClose) {
    WriteString(output, "abc");
    EXPECT_TRUE(Pieces.empty()) << "text waits for a line end";
    EndLine(output);
    ASSERT_EQ(Pieces.size(), 1u);
    EXPECT_EQ(Pieces[0], "abc\r\n");

    WriteText(output, std::string(200, 'x').c_str(), 200);
    WriteText(output, std::string(100, 'y').c_str(), 100); // does not fit what is left
    ASSERT_EQ(Pieces.size(), 2u);
    EXPECT_EQ(Pieces[1], std::string(200, 'x'));
    WriteText(output, std::string(600, 'z').c_str(), 600); // longer than the buffer
    EXPECT_EQ(All(),
              "abc\r\n" + std::string(200, 'x') + std::string(100, 'y') + std::string(512, 'z'));
    CloseTextOutput(output);
    EXPECT_EQ(All(),
              "abc\r\n" + std::string(200, 'x') + std::string(100, 'y') + std::string(600, 'z'));
    EXPECT_EQ(Closes, 1);
    EXPECT_EQ(IoResultCode, 0);
}

TEST_F(TextOutputTest, APendingCodeBlocksWritingAndClosing) {
    WriteString(output, "kept");
    IoResultCode = 2;
    WriteString(output, "dropped");
    EndLine(output);
    CloseTextOutput(output);
    EXPECT_TRUE(Pieces.empty());
    EXPECT_EQ(Closes, 0);
    EXPECT_EQ(TakeIoResult(), 2);
    CloseTextOutput(output);
    EXPECT_EQ(All(), "kept");
    CloseTextOutput(output);
    EXPECT_EQ(TakeIoResult(), IoNotOpen) << "closing a closed output";
}

// A chain of frames laid out as the i386 frame-pointer chain: saved frame pointer, then the
// return address into the caller.
struct FakeStack {
    std::vector<uintptr_t> words;
    explicit FakeStack(int frames) : words(2 * frames + 2) {
        for (int i = 0; i < frames; ++i) {
            bool last = i == frames - 1;
            words[2 * i] = last ? 0 : reinterpret_cast<uintptr_t>(&words[2 * i + 2]);
            words[2 * i + 1] = 0x00401000 + 0x10 * i;
        }
    }
    uintptr_t Top() {
        return reinterpret_cast<uintptr_t>(&words[0]);
    }
};

TEST_F(TextOutputTest, ReportNamesErrorAddressAndEveryFrame) {
    FakeStack stack(3);
    ErrorNumber = 216;
    ErrorAddress = 0x0040ABCD;
    ErrorFrame = stack.Top();
    WriteRunTimeErrorReport(output, 256);
    EXPECT_EQ(All(), "Runtime error 216 at 0x0040ABCD\r\n"
                     "  0x0040ABCD\r\n"
                     "  0x00401000\r\n"
                     "  0x00401010\r\n"
                     "  0x00401020\r\n"
                     "\r\n");
    ErrorAddress = 0;
}

TEST_F(TextOutputTest, BackTraceStopsAfterTheLimitPlusOneLines) {
    for (int limit : {8, 256}) {
        Pieces.clear();
        FakeStack stack(400);
        ErrorNumber = 7;
        ErrorAddress = 0x10;
        ErrorFrame = stack.Top();
        WriteRunTimeErrorReport(output, limit);
        // Header, the error address, limit + 1 frame lines, the empty line.
        EXPECT_EQ(static_cast<int>(Pieces.size()), limit + 4) << "limit " << limit;
    }
    ErrorAddress = 0;
}

} // namespace
