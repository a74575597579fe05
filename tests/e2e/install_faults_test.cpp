// Install and uninstall on a hostile disk, end to end: the real setup.exe under Wine, with
// faults planted from outside (links and leftovers at the temporary name, a Windows directory
// that cannot be written, a full disk, the process killed at each step of an install, a
// second setup). Every row tells what the user must be told and checks the disk afterwards.
#include "file_bytes.h"
#include "scratch_folder.h"
#include "setup_driver.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// Who a row runs as: some faults only exist for an unprivileged user, some need root to plant.
enum class Who { Root, Unprivileged, Both };

constexpr char OldScreenSaver[] = "MZ the screen saver installed before";
constexpr char ProfileEntry[] = "SCRNSAVE.EXE=Flarvex.scr";

class Faults;
struct FaultRow {
    const char* name;
    Who who;
    std::function<void(Faults&)> arrange; // plants the fault before the setup starts
    std::function<void(Faults&)> act;     // what the user does and must be told
    std::function<void(Faults&)> check;   // what the disk holds afterwards
};

void PrintTo(const FaultRow& row, std::ostream* out) {
    *out << row.name;
}

class Faults : public ::testing::TestWithParam<FaultRow> {
  public:
    void SetUp() override {
        desktop::MovePointer(0, 0); // away from the buttons: button 1 stays selected
        installed = Windows("Flarvex.scr");
        temporary = installed + ".new";
        profile = Windows("system.ini");
        payload = ReadFileBytes(desktop::BuildDir() + "/Flarvex.scr");
        savedProfile = ReadFileBytes(profile);
        ASSERT_FALSE(payload.empty());
    }

    void TearDown() override {
        chmod(Windows("").c_str(), 0755);
        for (const std::string& name : {installed, temporary, profile})
            unlink(name.c_str()); // the name itself, link or not
        Write(profile, savedProfile);
        if (!fullDisk.empty())
            desktop::RunCommand({"umount", "-l", fullDisk});
    }

    static std::string Windows(const std::string& name) {
        return desktop::WindowsDirPath(name);
    }
    static bool Exists(const std::string& path) {
        struct stat s;
        return lstat(path.c_str(), &s) == 0;
    }
    static long long ModificationTime(const std::string& path) {
        struct stat s = {};
        stat(path.c_str(), &s);
        return s.st_mtim.tv_sec * 1000000000LL + s.st_mtim.tv_nsec;
    }
    static void Write(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
    }

    // Answers the next box, whatever its caption, with OK; it must be the box expected.
    static void ExpectTold(const ExpectedBox& expected) {
        EXPECT_TRUE(ShowsBox(AnswerBox("*", "ok"), expected));
    }
    // Installs with Enter on button 1, which is selected at the start.
    static void Install(const ExpectedBox& expected) {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        setup.Press("Return");
        ExpectTold(expected);
        EXPECT_EQ(setup.ExitWithEscape(), 0);
    }

    // Starts an install and kills the setup at the first event of mask on name in the Windows
    // directory, as a crash or a power cut would.
    static void InstallKilledAt(const char* name, uint32_t mask) {
        int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(watch, Windows("").c_str(), mask), 0);
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        setup.Press("Return");
        bool seen = false;
        alignas(inotify_event) char events[4096];
        for (double end = desktop::Now() + 10; !seen && desktop::Now() < end;) {
            pollfd ready = {watch, POLLIN, 0};
            ssize_t length = poll(&ready, 1, 100) > 0 ? read(watch, events, sizeof events) : 0;
            for (ssize_t at = 0; at < length && !seen;) {
                const inotify_event* event = reinterpret_cast<const inotify_event*>(events + at);
                seen = event->len > 0 && strcmp(event->name, name) == 0;
                at += sizeof *event + event->len;
            }
        }
        if (seen)
            kill(setup.Pid(), SIGKILL);
        close(watch);
        ASSERT_TRUE(seen) << "no event " << mask << " on " << name << " within 10 s";
    }

    // After a cut-short install: the old file, the new one whole, or none; never a part. The
    // next install then succeeds and leaves no temporary file.
    void ExpectRecovered() {
        std::string now = ReadFileBytes(installed);
        EXPECT_TRUE(!Exists(installed) || now == OldScreenSaver || now == payload)
            << "the installed file holds " << now.size() << " bytes of something else";
        Install(told::Installed);
        EXPECT_TRUE(ReadFileBytes(installed) == payload);
        EXPECT_FALSE(Exists(temporary));
        EXPECT_NE(ReadFileBytes(profile).find(ProfileEntry), std::string::npos);
    }

    std::string installed, temporary, profile, payload, savedProfile;
    std::string kept;       // a file's bytes that the row must find unchanged
    long long keptTime = 0; // and the time it was last written
    std::string fullDisk;   // a small file system mounted for the row
    ScratchFolder elsewhere;
};

// A system.ini of size bytes, its first section named first, on a file system of one 4 KiB
// page: the system's rewrite with a new entry does not fit. (Wine rewrites the file; Windows
// keeps this entry in the registry.)
void PlantFullDisk(Faults& f, const std::string& first, size_t size) {
    f.fullDisk = f.elsewhere.Path("full");
    mkdir(f.fullDisk.c_str(), 0755);
    int status = -1;
    desktop::RunCommand({"mount", "-t", "tmpfs", "-o", "size=4k", "tmpfs", f.fullDisk}, 10,
                        &status);
    if (status != 0) {
        f.fullDisk.clear();
        GTEST_SKIP() << "this machine does not allow mounting a small tmpfs";
    }
    std::string ini = "[" + first + "]\r\n[mci]\r\n";
    for (int i = 0; ini.size() < size; ++i)
        ini += "pad" + std::to_string(i) + "=" + std::string(40, 'x') + "\r\n";
    ini.resize(size - 2);
    ini += "\r\n";
    std::string full = f.fullDisk + "/system.ini";
    Faults::Write(full, ini);
    unlink(f.profile.c_str());
    ASSERT_EQ(symlink(full.c_str(), f.profile.c_str()), 0);
}

const FaultRow Rows[] = {
    {"AnUninstallThatLeavesTheFileIsAFailure", Who::Unprivileged,
     [](Faults& f) {
         Faults::Write(f.installed, f.payload);
         chmod(Faults::Windows("").c_str(), 0555); // the name cannot be removed
     },
     [](Faults&) {
         SetupRun setup;
         ASSERT_TRUE(setup.Started());
         setup.Press("Down");
         setup.Press("Return");
         ASSERT_TRUE(BoxAnswered(told::UninstallQuestion, "ok"));
         Faults::ExpectTold(told::RemoveFailed);
         setup.Press("Return");
         EXPECT_TRUE(BoxAnswered(told::UninstallQuestion, "cancel"))
             << "the file is still there, so the setup offers to remove it again";
         EXPECT_EQ(setup.ExitWithEscape(), 0);
     },
     [](Faults& f) { EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload); }},

    {"AHardLinkAtTheTemporaryNameIsNotWrittenThrough", Who::Root,
     [](Faults& f) {
         f.kept = ReadFileBytes(Faults::Windows("win.ini"));
         ASSERT_EQ(link(Faults::Windows("win.ini").c_str(), f.temporary.c_str()), 0);
     },
     [](Faults&) { Faults::Install(told::Installed); },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(Faults::Windows("win.ini")) == f.kept) << "win.ini changed";
         EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload);
         EXPECT_FALSE(Faults::Exists(f.temporary));
     }},

    // Wine resolves a link before it deletes it, so the setup leaves the link alone and says
    // so; Windows would remove the link itself and install.
    {"ASymbolicLinkAtTheTemporaryNameIsLeftAlone", Who::Root,
     [](Faults& f) {
         f.kept = "a file of another program's";
         f.elsewhere.Write("other", f.kept);
         ASSERT_EQ(symlink(f.elsewhere.Path("other").c_str(), f.temporary.c_str()), 0);
     },
     [](Faults&) { Faults::Install(told::CreateFailed); },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(f.elsewhere.Path("other")) == f.kept);
         EXPECT_TRUE(Faults::Exists(f.temporary)) << "the link stays";
         EXPECT_FALSE(Faults::Exists(f.installed));
     }},

    {"AReadOnlyLeftoverIsReplacedNotReused", Who::Both,
     [](Faults& f) {
         Faults::Write(f.temporary, "MZ an install cut short");
         chmod(f.temporary.c_str(), 0444);
     },
     [](Faults&) { Faults::Install(told::Installed); },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload);
         struct stat s = {};
         stat(f.installed.c_str(), &s);
         EXPECT_TRUE(s.st_mode & S_IWUSR) << "the installed file is not read-only";
         EXPECT_FALSE(Faults::Exists(f.temporary));
     }},

    // The new entry is lost at the end of a full page, or, in a boot section at the start of
    // the file, survives while the end of another section is cut off.
    {"AFullDiskWhileSystemIniGrowsIsAFailure", Who::Root,
     [](Faults& f) { PlantFullDisk(f, "drivers", 4096); },
     [](Faults&) { Faults::Install(told::ProfileFailed); },
     [](Faults& f) { EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload); }},
    {"AFullDiskThatCutsAnotherSectionIsAFailure", Who::Root,
     [](Faults& f) { PlantFullDisk(f, "boot", 4085); },
     [](Faults&) { Faults::Install(told::ProfileFailed); },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload);
         EXPECT_NE(ReadFileBytes(f.profile).find(ProfileEntry), std::string::npos)
             << "the entry itself was written";
     }},

    {"AReinstallLeavesSystemIniAlone", Who::Root,
     [](Faults& f) {
         Faults::Write(f.installed, f.payload);
         f.kept = f.savedProfile + "[boot]\r\n" + ProfileEntry + "\r\n";
         Faults::Write(f.profile, f.kept);
         f.keptTime = Faults::ModificationTime(f.profile);
     },
     [](Faults&) { Faults::Install(told::Installed); },
     [](Faults& f) {
         EXPECT_EQ(ReadFileBytes(f.profile), f.kept);
         EXPECT_EQ(Faults::ModificationTime(f.profile), f.keptTime) << "system.ini was rewritten";
     }},

    {"KilledOnceTheTemporaryFileIsMade", Who::Root,
     [](Faults& f) { Faults::Write(f.installed, OldScreenSaver); },
     [](Faults&) { Faults::InstallKilledAt("Flarvex.scr.new", IN_CREATE); },
     [](Faults& f) { f.ExpectRecovered(); }},
    {"KilledOnceTheTemporaryFileIsWritten", Who::Root,
     [](Faults& f) { Faults::Write(f.installed, OldScreenSaver); },
     [](Faults&) { Faults::InstallKilledAt("Flarvex.scr.new", IN_CLOSE_WRITE); },
     [](Faults& f) { f.ExpectRecovered(); }},
    {"KilledOnceTheFileIsInPlace", Who::Root,
     [](Faults& f) { Faults::Write(f.installed, OldScreenSaver); },
     [](Faults&) { Faults::InstallKilledAt("Flarvex.scr", IN_MOVED_TO); },
     [](Faults& f) { f.ExpectRecovered(); }},
    {"KilledWhileSystemIniIsWritten", Who::Root, [](Faults&) {},
     [](Faults&) { Faults::InstallKilledAt("system.ini", IN_MODIFY); },
     [](Faults& f) { f.ExpectRecovered(); }},

    // Under Wine the link is followed by the deletion; on Windows the link itself would go.
    {"AnUninstallThroughASymbolicLinkRemovesNothing", Who::Root,
     [](Faults& f) {
         f.kept = "a file of another program's";
         f.elsewhere.Write("other", f.kept);
         ASSERT_EQ(symlink(f.elsewhere.Path("other").c_str(), f.installed.c_str()), 0);
     },
     [](Faults&) {
         SetupRun setup;
         ASSERT_TRUE(setup.Started());
         setup.Press("Down");
         setup.Press("Return");
         ASSERT_TRUE(BoxAnswered(told::UninstallQuestion, "ok"));
         Faults::ExpectTold(told::RemoveFailed);
         EXPECT_EQ(setup.ExitWithEscape(), 0);
     },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(f.elsewhere.Path("other")) == f.kept);
         EXPECT_TRUE(Faults::Exists(f.installed)) << "the link stays";
     }},

    // A quiet install holds the one place for a setup and has no window to bring forward. It
    // never waits for anything, so it is held from outside as it first looks at system.ini:
    // after it took the place, before it wrote its entry.
    {"AWindowStartWhileAQuietInstallRunsSaysSo", Who::Root, [](Faults&) {},
     [](Faults& f) {
         desktop::WineProgram first({desktop::BuildDir() + "/setup.exe", "/install", "/quiet"},
                                    desktop::WindowsDirPath("system.ini"));
         ASSERT_TRUE(first.WaitUntilHeld(30)) << "the install never reached system.ini";
         desktop::WineProgram second({desktop::BuildDir() + "/setup.exe"});
         EXPECT_TRUE(BoxAnswered(told::SetupRunning, "ok"));
         int code = -1;
         EXPECT_TRUE(second.WaitForExit(15, &code));
         EXPECT_EQ(code, 15);
         EXPECT_FALSE(desktop::WindowExists(" Setup")) << "the second start opened its window";
         EXPECT_EQ(ReadFileBytes(f.profile).find(ProfileEntry), std::string::npos)
             << "the install was not held before its entry";
         first.LetGo(30);
         ASSERT_TRUE(first.WaitForExit(0, &code));
         EXPECT_EQ(code, 0);
     },
     [](Faults& f) {
         EXPECT_TRUE(ReadFileBytes(f.installed) == f.payload);
         EXPECT_NE(ReadFileBytes(f.profile).find(ProfileEntry), std::string::npos);
     }},

    {"ASecondSetupHandsOverToTheFirst", Who::Root, [](Faults&) {},
     [](Faults&) {
         SetupRun first;
         ASSERT_TRUE(first.Started());
         desktop::WineProgram other({desktop::BuildDir() + "/test-tools/window_host.exe"});
         ASSERT_TRUE(desktop::WaitUntil(10, [] { return ProbeWindow("Window host").foreground; }))
             << "another program's window did not come to the front";
         desktop::WineProgram second({desktop::BuildDir() + "/setup.exe"});
         int code = -1;
         ASSERT_TRUE(second.WaitForExit(15, &code)) << "the second setup did not end";
         EXPECT_EQ(code, 0);
         EXPECT_TRUE(ProbeWindow(" Setup").foreground) << "the first setup's window is in front";
         EXPECT_FALSE(AnswerBox("*", "none", 1).Shown) << "the second setup said nothing";
         EXPECT_EQ(first.ExitWithEscape(), 0);
     },
     [](Faults& f) { EXPECT_FALSE(Faults::Exists(f.installed)); }},
};

TEST_P(Faults, HoldTheDiskToWhatTheUserIsTold) {
    const FaultRow& row = GetParam();
    row.arrange(*this);
    if (IsSkipped() || HasFatalFailure())
        return;
    row.act(*this);
    if (!HasFatalFailure())
        row.check(*this);
}

// The rows for whoever runs the test; the run as the other user takes the rest.
std::vector<FaultRow> RowsForThisUser() {
    Who other = geteuid() == 0 ? Who::Unprivileged : Who::Root;
    std::vector<FaultRow> rows;
    for (const FaultRow& row : Rows)
        if (row.who != other)
            rows.push_back(row);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, Faults, ::testing::ValuesIn(RowsForThisUser()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
