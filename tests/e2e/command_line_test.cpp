// The unattended command line end to end: the real setup.exe under Wine started with switches,
// what it tells (or, with /quiet, that it tells nothing and shows no window), its exit code,
// and what it leaves on disk; and the starts without a switch, which open the window.
#include "file_bytes.h"
#include "setup_driver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace {

// No box at all.
constexpr std::nullopt_t Nothing = std::nullopt;

class CommandLine;
struct CommandRow {
    const char* name;
    std::vector<std::string> arguments;
    std::function<void(CommandLine&)> arrange;
    std::optional<ExpectedBox> told; // what the run must tell
    int exitCode;
    std::function<void(CommandLine&)> check;
    bool window = false; // the setup window opens, and the test leaves it with Escape
};

void PrintTo(const CommandRow& row, std::ostream* out) {
    *out << row.name;
}

class CommandLine : public ::testing::TestWithParam<CommandRow> {
  public:
    void SetUp() override {
        desktop::MovePointer(0, 0);
        installed = desktop::WindowsDirPath("Flarvex.scr");
        profile = desktop::WindowsDirPath("system.ini");
        payload = ReadFileBytes(desktop::BuildDir() + "/Flarvex.scr");
        savedProfile = ReadFileBytes(profile);
        ASSERT_FALSE(payload.empty());
    }
    void TearDown() override {
        unlink(installed.c_str());
        rmdir((installed + ".new").c_str());
        EXPECT_TRUE(WriteFileBytes(profile, savedProfile));
    }

    void Present() {
        ASSERT_TRUE(WriteFileBytes(installed, payload));
    }
    bool Installed() const {
        return ReadFileBytes(installed) == payload;
    }
    bool Absent() const {
        struct stat s;
        return lstat(installed.c_str(), &s) != 0;
    }
    bool ProfileNamesIt() const {
        return ReadFileBytes(profile).find("SCRNSAVE.EXE=Flarvex.scr") != std::string::npos;
    }
    // Nothing on disk changed: no screen saver appeared, system.ini is as it was.
    void ExpectUntouched() const {
        EXPECT_TRUE(Absent());
        EXPECT_TRUE(ReadFileBytes(profile) == savedProfile);
    }

    std::string installed, profile, payload, savedProfile;
};

TEST_P(CommandLine, TellsWhatItDidAndEndsWithItsCode) {
    const CommandRow& row = GetParam();
    if (row.arrange)
        row.arrange(*this);
    if (HasFatalFailure())
        return;
    std::vector<std::string> command = {desktop::BuildDir() + "/setup.exe"};
    command.insert(command.end(), row.arguments.begin(), row.arguments.end());
    desktop::WineProgram setup(command);
    int code = -1;
    if (row.window) {
        unsigned long window = desktop::WaitForWindow(" Setup", 30);
        ASSERT_NE(window, 0u) << "no setup window";
        desktop::PressKey("Escape", window);
        ASSERT_TRUE(setup.WaitForExit(20, &code)) << "the window did not end on Escape";
    } else if (row.told) {
        SeenBox box = AnswerBox("*", "ok", 20);
        ASSERT_TRUE(box.Shown) << "no box";
        EXPECT_TRUE(ShowsBox(box, *row.told));
        ASSERT_TRUE(setup.WaitForExit(20, &code)) << "it did not end after its box";
    } else {
        // No box to wait for, and no window: it ends by itself, and the window never shows.
        bool windowShown = false;
        ASSERT_TRUE(desktop::WaitUntil(20, [&] {
            windowShown = windowShown || desktop::WindowExists(" Setup");
            return !setup.Running();
        })) << "a quiet run did not end by itself within 20 s";
        EXPECT_FALSE(windowShown) << "a quiet run showed the setup window";
        EXPECT_TRUE(setup.WaitForExit(0, &code));
    }
    EXPECT_EQ(code, row.exitCode);
    if (row.check)
        row.check(*this);
}

const CommandRow Rows[] = {
    {"InstallTellsTheUsualOutcome",
     {"/install"},
     nullptr,
     told::Installed,
     0,
     [](CommandLine& c) {
         EXPECT_TRUE(c.Installed());
         EXPECT_TRUE(c.ProfileNamesIt());
     }},
    {"QuietInstallTellsNothing",
     {"-INSTALL", "/Quiet"},
     nullptr,
     Nothing,
     0,
     [](CommandLine& c) {
         EXPECT_TRUE(c.Installed());
         EXPECT_TRUE(c.ProfileNamesIt());
     }},
    {"UninstallAsksNothingFirst",
     {"/uninstall"},
     [](CommandLine& c) { c.Present(); },
     told::Removed,
     0,
     [](CommandLine& c) { EXPECT_TRUE(c.Absent()); }},
    {"QuietUninstall",
     {"/quiet", "-uninstall"},
     [](CommandLine& c) { c.Present(); },
     Nothing,
     0,
     [](CommandLine& c) { EXPECT_TRUE(c.Absent()); }},
    {"UninstallWithNothingInstalled",
     {"/uninstall"},
     nullptr,
     told::NotFound,
     2,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"QuietUninstallWithNothingInstalled",
     {"/uninstall", "/quiet"},
     nullptr,
     Nothing,
     2,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"AFailedInstallHasItsOwnCode",
     {"/install"},
     [](CommandLine& c) { mkdir((c.installed + ".new").c_str(), 0755); },
     told::CreateFailed,
     10,
     [](CommandLine& c) { EXPECT_TRUE(c.Absent()); }},
    {"TheSwitchesAreListed",
     {"/?"},
     nullptr,
     told::Switches,
     0,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"AnArgumentNotUnderstoodIsNamed",
     {"/install", "/bogus"},
     nullptr,
     told::NotUnderstood("/bogus"),
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"TwoActionsAreNotUnderstood",
     {"/install", "-Uninstall"},
     nullptr,
     told::NotUnderstood("-Uninstall"),
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"QuietlyNotUnderstood",
     {"/bogus", "/quiet"},
     nullptr,
     Nothing,
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"QuietAloneAsksForNothing",
     {"/quiet"},
     nullptr,
     Nothing,
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"QuietlyListingTheSwitchesShowsNothing",
     {"/?", "/quiet"},
     nullptr,
     Nothing,
     0,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"TheListOfSwitchesBesideAnActionIsNotUnderstood",
     {"/install", "/?"},
     nullptr,
     told::NotUnderstood("/?"),
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    {"QuietlyTheListBesideAnActionIsNotUnderstood",
     {"/install", "/quiet", "/?"},
     nullptr,
     Nothing,
     87,
     [](CommandLine& c) { c.ExpectUntouched(); }},
    // Without a switch of its own the window opens, whatever the line holds.
    {"AFileDroppedOnTheProgramOpensTheWindow",
     {"C:\\users\\Public\\Documents\\a picture.png"},
     nullptr,
     Nothing,
     0,
     [](CommandLine& c) { c.ExpectUntouched(); },
     true},
    // Started as C:\Program Files\Flarvex\setup.exe without quotes, it is given the rest.
    {"AnUnquotedPathWithABlankOpensTheWindow",
     {"Files\\Flarvex\\setup.exe"},
     nullptr,
     Nothing,
     0,
     [](CommandLine& c) { c.ExpectUntouched(); },
     true},
    {"AnUnknownSwitchAloneOpensTheWindow",
     {"/bogus"},
     nullptr,
     Nothing,
     0,
     [](CommandLine& c) { c.ExpectUntouched(); },
     true},
};

INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return std::string(info.param.name); });

// A command line never hands over to a setup window that runs, and touches nothing.
TEST_F(CommandLine, WhileASetupWindowRunsNothingIsTouched) {
    SetupRun window;
    ASSERT_TRUE(window.Started());
    desktop::WineProgram setup({desktop::BuildDir() + "/setup.exe", "/install"});
    SeenBox box = AnswerBox("*", "ok", 20);
    ASSERT_TRUE(box.Shown);
    EXPECT_TRUE(ShowsBox(box, told::SetupRunning));
    int code = -1;
    ASSERT_TRUE(setup.WaitForExit(20, &code));
    EXPECT_EQ(code, 15);
    ExpectUntouched();
    EXPECT_EQ(window.ExitWithEscape(), 0) << "the window's setup runs on as before";
}

} // namespace
