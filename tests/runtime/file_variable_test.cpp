// File variables against the real kernel32: opens, closes and erases with the result gate.
#include "file_variable.h"
#include "io_result.h"
#include "other_process.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

LengthPrefixedString Name(const std::string& text) {
    LengthPrefixedString name = {};
    name.Length = static_cast<uint8_t>(text.size());
    memcpy(name.Chars, text.data(), text.size());
    return name;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class FileVariableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetIoServices();
        StandardOutputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
        char directory[MAX_PATH];
        GetTempPathA(MAX_PATH, directory);
        path = std::string(directory) + "file_variable_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tmp";
        Create(path);
    }
    void TearDown() override {
        IoResultCode = 0;
        if (file.Mode == ModeInOut && file.Handle != INVALID_HANDLE_VALUE)
            CloseHandle(file.Handle);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    static void Create(const std::string& p) {
        HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create " << p;
        DWORD written;
        WriteFile(h, "data", 4, &written, nullptr);
        CloseHandle(h);
    }
    std::string path;
    FileVariable file;
};

TEST_F(FileVariableTest, BindZeroFillsAndMarksClosed) {
    memset(&file, 0x55, sizeof file);
    BindFileName(file, Name("abc"));
    EXPECT_EQ(file.Mode, ModeClosed);
    EXPECT_EQ(file.Handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.RecordSize, 0);
    EXPECT_STREQ(file.Name, "abc");
    for (size_t i = 3; i < sizeof file.Name; ++i)
        ASSERT_EQ(file.Name[i], 0) << "name byte " << i;
}

TEST_F(FileVariableTest, OpenHoldsTheFileUntilClosed) {
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_EQ(file.Mode, ModeInOut);
    EXPECT_EQ(file.RecordSize, 128);
    EXPECT_FALSE(OpenableByOthers(path)) << "held with no sharing";
    HANDLE held = file.Handle;
    CloseFileVariable(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_EQ(file.Mode, ModeClosed);
    EXPECT_EQ(file.Handle, held) << "the handle field keeps its old value";
    EXPECT_TRUE(OpenableByOthers(path));
}

TEST_F(FileVariableTest, AbsentFileGives2AndLeavesTheVariableMarkedOpen) {
    DeleteFileA(path.c_str());
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), IoFileNotFound);
    EXPECT_EQ(file.Mode, ModeInOut);
    EXPECT_EQ(file.Handle, INVALID_HANDLE_VALUE);
    CloseFileVariable(file) /* releases nothing valid */;
    EXPECT_EQ(TakeIoResult(), 0);
    BindFileName(file, Name(path + ".missing\\x"));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), 3) << "path not found";
}

TEST_F(FileVariableTest, FileHeldByAnotherProcessGives5) {
    FileHolder holder(path);
    ASSERT_TRUE(holder.Holding()) << "the other process could not open " << path;
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), IoAccessDenied);
    EXPECT_EQ(file.Handle, INVALID_HANDLE_VALUE);
}

TEST_F(FileVariableTest, ReadOnlyFileGives5) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        GTEST_SKIP() << "Wine running as root opens read-only files for writing; the "
                        "unprivileged run of this test covers this case";
    }
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), IoAccessDenied);
}

TEST_F(FileVariableTest, ClosingTwiceGives103AndBlocksTheEraseUntilTaken) {
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    CloseFileVariable(file);
    ASSERT_EQ(IoResultCode, 0);
    CloseFileVariable(file);
    EXPECT_EQ(IoResultCode, IoNotOpen);
    EraseNamedFile(file);
    EXPECT_TRUE(Exists(path)) << "the pending code blocks the erase";
    EXPECT_EQ(TakeIoResult(), IoNotOpen);
    EraseNamedFile(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_FALSE(Exists(path));
    EraseNamedFile(file);
    EXPECT_EQ(TakeIoResult(), IoFileNotFound) << "erasing a file that is gone";
}

TEST_F(FileVariableTest, EraseOfAnOpenVariableDoesNothing) {
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EraseNamedFile(file);
    EXPECT_EQ(IoResultCode, 0);
    EXPECT_EQ(file.Mode, ModeInOut);
    CloseFileVariable(file);
    EXPECT_TRUE(Exists(path));
}

TEST_F(FileVariableTest, EraseOfAFileHeldByAnotherProcessGives5) {
    FileHolder holder(path);
    ASSERT_TRUE(holder.Holding());
    BindFileName(file, Name(path));
    EraseNamedFile(file);
    EXPECT_EQ(TakeIoResult(), IoAccessDenied);
    EXPECT_TRUE(Exists(path));
}

TEST_F(FileVariableTest, SlashesBecomeBackslashesInTheStoredName) {
    std::string slashed = path;
    for (char& c : slashed)
        if (c == '\\')
            c = '/';
    BindFileName(file, Name(slashed));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_EQ(std::string(file.Name), path);
    CloseFileVariable(file);

    BindFileName(file, Name(slashed));
    EraseNamedFile(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_EQ(std::string(file.Name), path);
    EXPECT_FALSE(Exists(path));
}

TEST_F(FileVariableTest, EmptyNameTakesTheStandardOutputHandle) {
    StandardOutputHandle = reinterpret_cast<HANDLE>(0x1234); // as start-up recorded it
    BindFileName(file, Name(""));
    OpenExistingFile(file);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_EQ(file.Handle, StandardOutputHandle);
    EXPECT_EQ(file.Mode, ModeInOut);
    file.Mode = ModeClosed; // the handle is not ours to close
}

TEST_F(FileVariableTest, OpeningAnOpenVariableClosesTheOldHandleFirst) {
    BindFileName(file, Name(path));
    OpenExistingFile(file);
    HANDLE first = file.Handle;
    OpenExistingFile(file); // with no sharing, this fails unless the first handle is gone
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_NE(file.Handle, INVALID_HANDLE_VALUE);
    DWORD flags;
    EXPECT_TRUE(first == file.Handle || !GetHandleInformation(first, &flags))
        << "the first handle is closed";
    CloseFileVariable(file);
    EXPECT_TRUE(OpenableByOthers(path));
}

TEST_F(FileVariableTest, APendingCodeBlocksOpenCloseAndEraseAndTheFirstCodeIsTaken) {
    FileVariable absent;
    BindFileName(absent, Name(path + ".absent"));
    OpenExistingFile(absent);
    ASSERT_EQ(IoResultCode, IoFileNotFound);

    BindFileName(file, Name(path));
    OpenExistingFile(file);
    EXPECT_EQ(file.Mode, ModeClosed) << "the open did nothing";
    EXPECT_TRUE(OpenableByOthers(path));
    EraseNamedFile(file);
    EXPECT_TRUE(Exists(path)) << "the erase did nothing";
    CloseFileVariable(file); // would give 103 on its own
    OpenExistingFile(absent);
    EXPECT_EQ(TakeIoResult(), IoFileNotFound) << "the first code, not a later one";
    EXPECT_EQ(TakeIoResult(), 0);
}

TEST_F(FileVariableTest, UnboundVariableGives102OnOpenAnd103OnClose) {
    FileVariable never = {};
    OpenExistingFile(never);
    EXPECT_EQ(TakeIoResult(), IoNotBound);
    CloseFileVariable(never);
    EXPECT_EQ(TakeIoResult(), IoNotOpen);
    memcpy(never.Name, path.c_str(), path.size() + 1);
    EraseNamedFile(never);
    EXPECT_EQ(TakeIoResult(), 0);
    EXPECT_TRUE(Exists(path));
}

} // namespace
