// Install and uninstall against the real kernel32 and user32: every row of the state table,
// with the message boxes answered here and their caption, text and flags checked exactly.
#include "actions.h"
#include "file_bytes.h"
#include "installed_file.h"
#include "io_result.h"
#include "message_box_reader.h"
#include "other_process.h"
#include "payload.h"
#include "setup_boxes.h"
#include "setup_state.h"
#include "start_up.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// Runs an action while another thread answers its message boxes in order (IDOK, IDCANCEL,
// or 0 to close the box), and returns the boxes it showed.
std::vector<SeenBox> RunAnswering(void (*action)(), std::vector<int> answers) {
    std::vector<SeenBox> shown;
    std::atomic<bool> done{false};
    std::thread user([&] {
        for (int answer : answers) {
            MessageBoxView box;
            while (!done && box.Window == nullptr)
                box = WaitForMessageBox(nullptr, 100);
            if (box.Window == nullptr)
                return;
            shown.push_back(box.Seen());
            AnswerMessageBox(box.Window, answer);
            for (int i = 0; i < 200 && IsWindow(box.Window); ++i)
                Sleep(10);
        }
    });
    action();
    done = true;
    user.join();
    return shown;
}

std::string PayloadBytes() {
    return std::string(reinterpret_cast<const char*>(PayloadBlock), PayloadSize);
}

class InstallActions : public ::testing::Test {
  protected:
    void SetUp() override {
        char directory[MAX_PATH];
        GetWindowsDirectoryA(directory, MAX_PATH);
        windows = directory;
        target = windows + "\\Flarvex.scr";
        Clean();
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", nullptr, "system.ini");
        ResetIoServices();
    }

    void TearDown() override {
        if (InstallState == 0)
            CloseFileVariable(ProbeFile);
        IoResultCode = 0;
        Clean();
    }

    void Clean() {
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
        RemoveDirectoryA(target.c_str());
        RemoveDirectoryA((target + ".new").c_str());
    }

    void Present(const std::string& contents = "MZ an older screen saver") {
        ASSERT_TRUE(WriteFileBytes(target, contents));
    }

    bool Held() {
        return Exists() && !OpenableByOthers(target);
    }

    bool Exists() {
        return GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string Profile() {
        char value[64] = "";
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", value, sizeof value, "system.ini");
        return value;
    }

    void ExpectInstalled(const std::vector<SeenBox>& boxes) {
        EXPECT_TRUE(ShowsBoxes(boxes, {told::Installed}));
        EXPECT_EQ(InstallState, 0);
        EXPECT_TRUE(Held()) << "the probe holds the new file";
        CloseFileVariable(ProbeFile); // to read it here
        EXPECT_TRUE(ReadFileBytes(target) == PayloadBytes())
            << "the file is the payload, byte for byte";
        ProbeInstalledFile();
        EXPECT_EQ(Profile(), "Flarvex.scr");
        EXPECT_NE(ReadFileBytes(windows + "\\system.ini").find("SCRNSAVE.EXE=Flarvex.scr"),
                  std::string::npos)
            << "the entry reached the file on disk";
        EXPECT_STREQ(ButtonCaptions[1], "Reinstall");
        EXPECT_FALSE(GetFileAttributesA((target + ".new").c_str()) != INVALID_FILE_ATTRIBUTES);
    }

    std::string windows, target;
};

TEST_F(InstallActions, InstallWithTheFileAbsent) {
    PrepareSetupState();
    ASSERT_EQ(InstallState, IoFileNotFound);
    ExpectInstalled(RunAnswering(InstallAction, {IDOK}));
}

TEST_F(InstallActions, InstallOverAPresentFileRewritesIt) {
    Present();
    PrepareSetupState();
    ASSERT_EQ(InstallState, 0);
    ASSERT_TRUE(Held());
    ExpectInstalled(RunAnswering(InstallAction, {IDOK}));
    ExpectInstalled(RunAnswering(InstallAction, {IDOK})); // and once more
}

TEST_F(InstallActions, InstallThatCannotCreateItsFileReportsAndKeepsTheStateTrue) {
    PrepareSetupState();
    CreateDirectoryA((target + ".new").c_str(), nullptr); // the new file's place is taken
    EXPECT_TRUE(ShowsBoxes(RunAnswering(InstallAction, {IDOK}), {told::CreateFailed}));
    EXPECT_FALSE(Exists());
    EXPECT_EQ(InstallState, IoFileNotFound) << "the probe's code";
    EXPECT_STREQ(ButtonCaptions[1], "Install");
    EXPECT_EQ(Profile(), "") << "nothing names a screen saver that is not there";
}

TEST_F(InstallActions, ReinstallThatCannotReplaceKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string old = "MZ the screen saver that works";
    Present(old);
    {
        FileHolder holder(target); // another program holds the installed file
        ASSERT_TRUE(holder.Holding());
        PrepareSetupState();
        EXPECT_EQ(InstallState, IoAccessDenied);
        EXPECT_STREQ(ButtonCaptions[1], "Install");
        EXPECT_TRUE(ShowsBoxes(RunAnswering(InstallAction, {IDOK}), {told::ReplaceFailed}));
        EXPECT_EQ(InstallState, IoAccessDenied);
    }
    EXPECT_EQ(ReadFileBytes(target), old) << "the old file, byte for byte";
    EXPECT_EQ(GetFileAttributesA((target + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallActions, InstallThatCannotWriteSystemIniReports) {
    std::string ini = windows + "\\system.ini";
    std::string saved = ReadFileBytes(ini);
    DeleteFileA(ini.c_str());
    CreateDirectoryA(ini.c_str(), nullptr); // the initialisation file cannot be written
    PrepareSetupState();
    std::vector<SeenBox> boxes = RunAnswering(InstallAction, {IDOK});
    RemoveDirectoryA(ini.c_str());
    EXPECT_TRUE(WriteFileBytes(ini, saved));
    EXPECT_TRUE(ShowsBoxes(boxes, {told::ProfileFailed}));
    EXPECT_EQ(InstallState, 0) << "the file itself was written, and the probe holds it";
    EXPECT_TRUE(Held());
    EXPECT_STREQ(ButtonCaptions[1], "Reinstall");
}

TEST_F(InstallActions, UninstallWithTheFileAbsentOnlySaysSo) {
    PrepareSetupState();
    EXPECT_TRUE(ShowsBoxes(RunAnswering(UninstallAction, {IDOK, IDOK}), {told::NotFound}));
    EXPECT_EQ(InstallState, IoFileNotFound);
}

TEST_F(InstallActions, UninstallAnsweredWithCancelOrClosedChangesNothing) {
    Present();
    PrepareSetupState();
    for (int answer : {IDCANCEL, 0}) {
        EXPECT_TRUE(ShowsBoxes(RunAnswering(UninstallAction, {answer}), {told::UninstallQuestion}));
        EXPECT_EQ(InstallState, 0);
        EXPECT_TRUE(Held());
    }
}

TEST_F(InstallActions, UninstallAnsweredWithOkRemovesTheFile) {
    Present();
    PrepareSetupState();
    EXPECT_TRUE(ShowsBoxes(RunAnswering(UninstallAction, {IDOK, IDOK}),
                           {told::UninstallQuestion, told::Removed}));
    EXPECT_FALSE(Exists());
    EXPECT_EQ(InstallState, 1);
    EXPECT_STREQ(ButtonCaptions[1], "Reinstall") << "uninstall leaves the caption alone";

    EXPECT_TRUE(ShowsBoxes(RunAnswering(UninstallAction, {IDOK, IDOK}), {told::NotFound}));
}

TEST_F(InstallActions, AFailedEraseLeavesTheStateTrueAndInstallWorksAfterIt) {
    Present();
    PrepareSetupState();
    ASSERT_EQ(InstallState, 0);
    // Made read-only while held: Wine will not delete it. Root may still open it for writing;
    // an unprivileged user may not, and then it counts as absent.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(ShowsBoxes(RunAnswering(UninstallAction, {IDOK, IDOK}),
                           {told::UninstallQuestion, told::RemoveFailed}));
    ASSERT_TRUE(Exists());
    if (InstallState == 0)
        EXPECT_TRUE(Held()) << "found again, so held again";
    else
        EXPECT_EQ(InstallState, IoAccessDenied) << "the probe's code for a read-only file";

    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectInstalled(RunAnswering(InstallAction, {IDOK}));
}

} // namespace
