// Install, reinstall and uninstall end to end: the real setup.exe under Wine, driven with the
// pointer and the keyboard, its message boxes read and answered from outside, the files on
// disk checked, and the installed screen saver run.
#include "file_bytes.h"
#include "setup_driver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

namespace {

bool Exists(const std::string& path) {
    return std::ifstream(path).good();
}

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::MovePointer(0, 0);
        installed = desktop::WindowsDirPath("Flarvex.scr");
        payload = ReadFileBytes(desktop::BuildDir() + "/Flarvex.scr");
        ASSERT_FALSE(payload.empty());
        remove(installed.c_str());
    }
    void TearDown() override {
        chmod(installed.c_str(), 0644);
        remove(installed.c_str());
    }

    // Answers the completion message, then looks at the disk.
    void ExpectCompletion() {
        ASSERT_TRUE(BoxAnswered(told::Installed, "ok"));
        EXPECT_TRUE(ReadFileBytes(installed) == payload)
            << "the installed file is the screen saver";
        std::string ini = ReadFileBytes(desktop::WindowsDirPath("system.ini"));
        size_t boot = ini.find("[boot]");
        ASSERT_NE(boot, std::string::npos);
        size_t entry = ini.find("SCRNSAVE.EXE=Flarvex.scr", boot);
        EXPECT_NE(entry, std::string::npos) << ini;
        EXPECT_EQ(ini.find('[', boot + 1) < entry, false) << "the entry is in the boot section";
    }

    // Button 1's caption as the screen shows it, against text rendered through DrawTextA.
    bool ShowsCaption(SetupRun& setup, const std::string& text) {
        desktop::Image expected = RenderCaption(text, true);
        desktop::Image client;
        bool shown = desktop::WaitUntil(5, [&] {
            client = setup.Client();
            return CaptionDifferences(client, 1, expected) == 0;
        });
        if (!shown)
            desktop::SavePng(client, "caption_not_" + text + ".png");
        return shown;
    }

    std::string installed, payload;
};

TEST_F(Install, ByMouseThenReinstallByKeyboardThenUninstall) {
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    EXPECT_TRUE(ShowsCaption(setup, "Install"));
    setup.MoveTo(70, 45);
    desktop::Click(1);
    ExpectCompletion();
    setup.Press("F2"); // a key the program ignores, but every key brings a full repaint
    EXPECT_TRUE(ShowsCaption(setup, "Reinstall")) << "the first full repaint after the install";

    // The probe holds the file, but Linux lets it be written.
    ASSERT_TRUE(WriteFileBytes(installed, "damaged"));
    setup.MoveTo(300, 200); // away from the buttons
    setup.Press("Return");  // button 1 is still selected
    ExpectCompletion();

    setup.Press("Down");
    for (const char* answer : {"cancel", "close"}) {
        setup.Press("Return");
        ASSERT_TRUE(BoxAnswered(told::UninstallQuestion, answer));
        EXPECT_FALSE(AnswerBox("*", "none", 1).Shown) << "nothing follows '" << answer << "'";
        EXPECT_TRUE(Exists(installed));
    }
    setup.Press("Return");
    ASSERT_TRUE(BoxAnswered(told::UninstallQuestion, "ok"));
    ASSERT_TRUE(BoxAnswered(told::Removed, "ok"));
    EXPECT_FALSE(Exists(installed));

    setup.Press("Return");
    ASSERT_TRUE(BoxAnswered(told::NotFound, "ok"));
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

TEST_F(Install, ReinstallWhileAnotherProgramHoldsTheFileKeepsTheOldOne) {
    const std::string old = "MZ the screen saver that works";
    ASSERT_TRUE(WriteFileBytes(installed, old));
    // A program that holds the installed file for 30 s, started before the setup.
    desktop::WineProgram holder(
        {desktop::BuildDir() + "/test-tools/file_holder.exe", "C:\\windows\\Flarvex.scr", "30"});
    ASSERT_TRUE(desktop::WaitUntil(10, [] { return !OpenableInWine("C:\\windows\\Flarvex.scr"); }))
        << "the other program did not take the file within 10 s";
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    EXPECT_TRUE(ShowsCaption(setup, "Install"))
        << "a file held by another program counts as absent";
    setup.Press("Return");
    ASSERT_TRUE(BoxAnswered(told::ReplaceFailed, "ok"));
    EXPECT_FALSE(AnswerBox(told::Installed.Caption, "none", 1).Shown);
    EXPECT_EQ(ReadFileBytes(installed), old);
    EXPECT_FALSE(Exists(installed + ".new")) << "no temporary file is left";
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

TEST_F(Install, APresentScreenSaverIsOfferedForReinstallUnlessItIsReadOnly) {
    ASSERT_TRUE(WriteFileBytes(installed, payload));
    {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        EXPECT_TRUE(ShowsCaption(setup, "Reinstall"));
        ASSERT_EQ(setup.ExitWithEscape(), 0);
    }
    chmod(installed.c_str(), 0444);
    // Wine checks read-only files through the system's own permissions, which root passes.
    if (FILE* f = fopen(installed.c_str(), "r+")) {
        fclose(f);
        GTEST_SKIP() << "running as root, Wine opens read-only files for writing; the "
                        "unprivileged run of this test covers this case";
    }
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    EXPECT_TRUE(ShowsCaption(setup, "Install")) << "a read-only file counts as absent";
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

// NT-family Windows keeps the entry in the user's settings, by a mapping that Wine reads too:
// install writes it there, reads it back from there and reports as with the file, and the
// file is left as it was.
TEST_F(Install, UnderTheRegistryMappingOfSystemIniTheEntryGoesToTheUsersSettings) {
    const std::string mapping =
        "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini";
    const std::string desktopKey = "HKCU\\Control Panel\\Desktop";
    auto entry = [&] {
        return desktop::RunWine({"reg", "query", desktopKey, "/v", "SCRNSAVE.EXE"});
    };
    desktop::RunWine({"reg", "add", mapping + "\\boot", "/v", "SCRNSAVE.EXE", "/d",
                      "USR:Control Panel\\Desktop", "/f"});
    desktop::RunWine({"reg", "add", desktopKey, "/v", "SCRNSAVE.EXE", "/d", "other.scr", "/f"});
    const std::string ini = ReadFileBytes(desktop::WindowsDirPath("system.ini"));
    for (int run = 0; run < 2; ++run) { // a reinstall finds the entry right and keeps it
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        setup.Press("Return");
        EXPECT_TRUE(BoxAnswered(told::Installed, "ok"));
        EXPECT_EQ(setup.ExitWithEscape(), 0);
        EXPECT_NE(entry().find("Flarvex.scr"), std::string::npos) << entry();
        EXPECT_EQ(ReadFileBytes(desktop::WindowsDirPath("system.ini")), ini);
    }
    desktop::RunWine({"reg", "delete", mapping, "/f"});
    desktop::RunWine({"reg", "delete", desktopKey, "/v", "SCRNSAVE.EXE", "/f"});
}

TEST_F(Install, TheInstalledScreenSaverRunsAndEndsOnAKey) {
    {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        setup.Press("Return");
        ExpectCompletion();
        ASSERT_EQ(setup.ExitWithEscape(), 0); // lets go of the installed file
    }
    desktop::WineProgram saver({"C:\\windows\\Flarvex.scr", "/s"});
    unsigned long window = desktop::WaitForWindow("Flarvex clock", 20);
    ASSERT_NE(window, 0u);
    desktop::Sleep(1);
    desktop::PressKey("space", window);
    int code = -1;
    EXPECT_TRUE(saver.WaitForExit(5, &code)) << "the screen saver did not end on a key";
}

} // namespace
