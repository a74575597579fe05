// Install, reinstall and uninstall end to end: the real setup.exe under Wine, driven with the
// pointer and the keyboard, its message boxes read and answered from outside, the files on
// disk checked, and the installed screen saver run.
#include "setup_driver.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

constexpr unsigned ExclamationFlags = 0x30, QuestionFlags = 0x121;
constexpr uint32_t SelectedFill = 0xB0B0F0, SelectedCaption = 0xFFFFFF;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Exists(const std::string& path) {
    return std::ifstream(path).good();
}

class Install : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::MovePointer(0, 0);
        installed = desktop::WindowsDirPath("Flarvex.scr");
        payload = Contents(desktop::BuildDir() + "/Flarvex.scr");
        ASSERT_FALSE(payload.empty());
        remove(installed.c_str());
    }
    void TearDown() override {
        chmod(installed.c_str(), 0644);
        remove(installed.c_str());
    }

    void ExpectCompletion(const BoxFacts& box) {
        ASSERT_TRUE(box.shown) << "no completion message";
        EXPECT_EQ(box.caption, " Installation completed ");
        EXPECT_EQ(box.text, " Program installed in desired manner");
        EXPECT_EQ(box.flags, 0u);
        EXPECT_TRUE(Contents(installed) == payload) << "the installed file is the screen saver";
        std::string ini = Contents(desktop::WindowsDirPath("system.ini"));
        size_t boot = ini.find("[boot]");
        ASSERT_NE(boot, std::string::npos);
        size_t entry = ini.find("SCRNSAVE.EXE=Flarvex.scr", boot);
        EXPECT_NE(entry, std::string::npos) << ini;
        EXPECT_EQ(ini.find('[', boot + 1) < entry, false) << "the entry is in the boot section";
    }

    // Button 1's caption as the screen shows it, against text rendered through DrawTextA.
    bool ShowsCaption(SetupRun& setup, const std::string& text) {
        desktop::Image expected = RenderCaption(text, SelectedFill, SelectedCaption);
        desktop::Image client;
        bool shown = desktop::WaitUntil(5, [&] {
            client = setup.Client();
            for (int y = 5; y < 25; ++y)
                for (int x = 5; x < 70; ++x)
                    if (client.At(35 + x, 30 + y) != expected.At(x, y))
                        return false;
            return true;
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
    ExpectCompletion(AnswerBox(" Installation completed ", "ok"));
    setup.Press("F2"); // a key the program ignores, but every key brings a full repaint
    EXPECT_TRUE(ShowsCaption(setup, "Reinstall")) << "the first full repaint after the install";

    std::ofstream(installed, std::ios::binary) << "damaged"; // the probe holds it, Linux does not
    setup.MoveTo(300, 200);                                  // away from the buttons
    setup.Press("Return");                                   // button 1 is still selected
    ExpectCompletion(AnswerBox(" Installation completed ", "ok"));

    setup.Press("Down");
    for (const char* answer : {"cancel", "close"}) {
        setup.Press("Return");
        BoxFacts question = AnswerBox(" Uninstallation", answer);
        ASSERT_TRUE(question.shown);
        EXPECT_EQ(question.text, "This will uninstall Flarvex clock");
        EXPECT_EQ(question.flags, QuestionFlags);
        EXPECT_FALSE(AnswerBox("*", "none", 1).shown) << "nothing follows '" << answer << "'";
        EXPECT_TRUE(Exists(installed));
    }
    setup.Press("Return");
    ASSERT_TRUE(AnswerBox(" Uninstallation", "ok").shown);
    BoxFacts done = AnswerBox(" Completed", "ok");
    ASSERT_TRUE(done.shown);
    EXPECT_EQ(done.text, " Program removed from your system");
    EXPECT_EQ(done.flags, 0u);
    EXPECT_FALSE(Exists(installed));

    setup.Press("Return");
    BoxFacts again = AnswerBox(" File not found", "ok");
    ASSERT_TRUE(again.shown);
    EXPECT_EQ(again.text, " Setup did not find the installed file(s) on your system");
    EXPECT_EQ(again.flags, ExclamationFlags);
    setup.Press("Escape");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

TEST_F(Install, ReinstallWhileAnotherProgramHoldsTheFileKeepsTheOldOne) {
    const std::string old = "MZ the screen saver that works";
    std::ofstream(installed, std::ios::binary) << old;
    // A program that holds the installed file for 30 s, started before the setup.
    std::string holderProgram = desktop::BuildDir() + "/test-tools/file_holder.exe";
    desktop::WineProgram holder({holderProgram, "C:\\windows\\Flarvex.scr", "30"});
    ASSERT_TRUE(desktop::WaitUntil(10, [&] {
        int status = -1;
        desktop::RunWine({holderProgram, "C:\\windows\\Flarvex.scr", "0"}, 10, &status);
        return status == 1; // cannot open it: the other program holds it
    })) << "the other program did not take the file within 10 s";
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    EXPECT_TRUE(ShowsCaption(setup, "Install"))
        << "a file held by another program counts as absent";
    setup.Press("Return");
    BoxFacts error = AnswerBox(" Error", "ok");
    ASSERT_TRUE(error.shown);
    EXPECT_EQ(error.text, " Failed to replace the installed file");
    EXPECT_EQ(error.flags, ExclamationFlags);
    EXPECT_FALSE(AnswerBox(" Installation completed ", "none", 1).shown);
    EXPECT_EQ(Contents(installed), old);
    EXPECT_FALSE(Exists(installed + ".new")) << "no temporary file is left";
    setup.Press("Escape");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

TEST_F(Install, APresentScreenSaverIsOfferedForReinstallUnlessItIsReadOnly) {
    std::ofstream(installed, std::ios::binary) << payload;
    {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        EXPECT_TRUE(ShowsCaption(setup, "Reinstall"));
        setup.Press("Escape");
        ASSERT_EQ(setup.WaitForExit(10), 0);
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
    setup.Press("Escape");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

TEST_F(Install, TheInstalledScreenSaverRunsAndEndsOnAKey) {
    {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        setup.Press("Return");
        ExpectCompletion(AnswerBox(" Installation completed ", "ok"));
        setup.Press("Escape"); // lets go of the installed file
        ASSERT_EQ(setup.WaitForExit(10), 0);
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
