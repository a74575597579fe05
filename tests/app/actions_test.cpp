// Install and uninstall against the real kernel32 and user32: every row of the state table,
// with the message boxes answered here and their caption, text and flags checked exactly.
#include "actions.h"
#include "installed_file.h"
#include "io_result.h"
#include "message_box_reader.h"
#include "other_process.h"
#include "payload.h"
#include "setup_state.h"
#include "start_up.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT ExclamationFlags = MB_ICONEXCLAMATION;
constexpr UINT QuestionFlags = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;

struct Box {
    std::string caption, text;
    UINT flags;
};

// Runs an action while another thread answers its message boxes in order (IDOK, IDCANCEL,
// or 0 to close the box), and returns the boxes it showed.
std::vector<Box> RunAnswering(void (*action)(), std::vector<int> answers) {
    std::vector<Box> shown;
    std::atomic<bool> done{false};
    std::thread user([&] {
        for (int answer : answers) {
            MessageBoxView box;
            while (!done && box.Window == nullptr)
                box = WaitForMessageBox(nullptr, 100);
            if (box.Window == nullptr)
                return;
            shown.push_back({box.Caption, box.Text, box.Flags()});
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

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
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
        std::ofstream(target, std::ios::binary) << contents;
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

    void ExpectInstalled(const std::vector<Box>& boxes) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, " Installation completed ");
        EXPECT_EQ(boxes[0].text, " Program installed in desired manner");
        EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
        EXPECT_EQ(InstallState, 0);
        EXPECT_TRUE(Held()) << "the probe holds the new file";
        CloseFileVariable(ProbeFile); // to read it here
        EXPECT_TRUE(Contents(target) == PayloadBytes()) << "the file is the payload, byte for byte";
        ProbeInstalledFile();
        EXPECT_EQ(Profile(), "Flarvex.scr");
        EXPECT_NE(Contents(windows + "\\system.ini").find("SCRNSAVE.EXE=Flarvex.scr"),
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
    std::vector<Box> boxes = RunAnswering(InstallAction, {IDOK});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, " Error");
    EXPECT_EQ(boxes[0].text, " Failed to create the file");
    EXPECT_EQ(boxes[0].flags, ExclamationFlags);
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
        std::vector<Box> boxes = RunAnswering(InstallAction, {IDOK});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, " Error");
        EXPECT_EQ(boxes[0].text, " Failed to replace the installed file");
        EXPECT_EQ(boxes[0].flags, ExclamationFlags);
        EXPECT_EQ(InstallState, IoAccessDenied);
    }
    EXPECT_EQ(Contents(target), old) << "the old file, byte for byte";
    EXPECT_EQ(GetFileAttributesA((target + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallActions, InstallThatCannotWriteSystemIniReports) {
    std::string ini = windows + "\\system.ini";
    std::string saved = Contents(ini);
    DeleteFileA(ini.c_str());
    CreateDirectoryA(ini.c_str(), nullptr); // the initialisation file cannot be written
    PrepareSetupState();
    std::vector<Box> boxes = RunAnswering(InstallAction, {IDOK});
    RemoveDirectoryA(ini.c_str());
    std::ofstream(ini, std::ios::binary) << saved;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, " Error");
    EXPECT_EQ(boxes[0].text, " Failed to set the screen saver in system.ini");
    EXPECT_EQ(boxes[0].flags, ExclamationFlags);
    EXPECT_EQ(InstallState, 0) << "the file itself was written, and the probe holds it";
    EXPECT_TRUE(Held());
    EXPECT_STREQ(ButtonCaptions[1], "Reinstall");
}

TEST_F(InstallActions, UninstallWithTheFileAbsentOnlySaysSo) {
    PrepareSetupState();
    std::vector<Box> boxes = RunAnswering(UninstallAction, {IDOK, IDOK});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, " File not found");
    EXPECT_EQ(boxes[0].text, " Setup did not find the installed file(s) on your system");
    EXPECT_EQ(boxes[0].flags, ExclamationFlags);
    EXPECT_EQ(InstallState, IoFileNotFound);
}

TEST_F(InstallActions, UninstallAnsweredWithCancelOrClosedChangesNothing) {
    Present();
    PrepareSetupState();
    for (int answer : {IDCANCEL, 0}) {
        std::vector<Box> boxes = RunAnswering(UninstallAction, {answer});
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, " Uninstallation");
        EXPECT_EQ(boxes[0].text, "This will uninstall Flarvex clock");
        EXPECT_EQ(boxes[0].flags, QuestionFlags) << "Cancel is the default button";
        EXPECT_EQ(InstallState, 0);
        EXPECT_TRUE(Held());
    }
}

TEST_F(InstallActions, UninstallAnsweredWithOkRemovesTheFile) {
    Present();
    PrepareSetupState();
    std::vector<Box> boxes = RunAnswering(UninstallAction, {IDOK, IDOK});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, " Completed");
    EXPECT_EQ(boxes[1].text, " Program removed from your system");
    EXPECT_EQ(boxes[1].flags, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(Exists());
    EXPECT_EQ(InstallState, 1);
    EXPECT_STREQ(ButtonCaptions[1], "Reinstall") << "uninstall leaves the caption alone";

    boxes = RunAnswering(UninstallAction, {IDOK, IDOK});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, " File not found");
}

TEST_F(InstallActions, AFailedEraseLeavesTheStateTrueAndInstallWorksAfterIt) {
    Present();
    PrepareSetupState();
    ASSERT_EQ(InstallState, 0);
    // Made read-only while held: Wine will not delete it. Root may still open it for writing;
    // an unprivileged user may not, and then it counts as absent.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<Box> boxes = RunAnswering(UninstallAction, {IDOK, IDOK});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, " Error");
    EXPECT_EQ(boxes[1].text, " Failed to remove the file");
    EXPECT_EQ(boxes[1].flags, ExclamationFlags);
    ASSERT_TRUE(Exists());
    if (InstallState == 0)
        EXPECT_TRUE(Held()) << "found again, so held again";
    else
        EXPECT_EQ(InstallState, IoAccessDenied) << "the probe's code for a read-only file";

    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectInstalled(RunAnswering(InstallAction, {IDOK}));
}

} // namespace
