// Running programs from tests: exit status and both streams kept apart, arguments untouched,
// input from /dev/null, the time limit that kills, and scratch folders that leave nothing.
#include "file_bytes.h"
#include "program_run.h"
#include "scratch_folder.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

double Now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Points one of the test's own standard streams at a file until the object goes.
class StreamToFile {
  public:
    StreamToFile(int stream, const std::string& path, int flags) : stream_(stream) {
        fflush(nullptr);
        saved_ = dup(stream);
        const int file = open(path.c_str(), flags, 0600);
        EXPECT_GE(file, 0) << "cannot open " << path;
        dup2(file, stream);
        close(file);
    }
    ~StreamToFile() {
        fflush(nullptr);
        dup2(saved_, stream_);
        close(saved_);
    }
    StreamToFile(const StreamToFile&) = delete;
    StreamToFile& operator=(const StreamToFile&) = delete;

  private:
    int stream_, saved_;
};

struct RunCase {
    const char* What;
    std::vector<std::string> Command;
    int ExitStatus;
    std::string Output;
    std::string Errors;
};

class ProgramRunCases : public testing::TestWithParam<RunCase> {};

TEST_P(ProgramRunCases, GivesStatusAndBothStreams) {
    const ProgramRun run = RunProgram(GetParam().Command, 30);
    EXPECT_EQ(run.ExitStatus, GetParam().ExitStatus);
    EXPECT_EQ(run.Output, GetParam().Output);
    EXPECT_EQ(run.Errors, GetParam().Errors);
}

// More than a pipe holds on standard error before anything on standard output: a runner that
// read one stream to its end before the other would stall here.
const std::string Zeros(300000, '\0');

INSTANTIATE_TEST_SUITE_P(
    ProgramRun, ProgramRunCases,
    testing::Values(
        RunCase{"StatusAndStreamsApart",
                {"sh", "-c", "printf out; printf err >&2; exit 3"},
                3,
                "out",
                "err"},
        RunCase{"ArgumentsReachTheProgramAsGiven",
                {"printf", "%s|", "a b", "$HOME", "*", "", "'q'"},
                0,
                "a b|$HOME|*||'q'|",
                ""},
        RunCase{"ASignalGivesMinusOne", {"sh", "-c", "printf x; kill -KILL $$"}, -1, "x", ""},
        RunCase{"ManyBytesOnBothStreams",
                {"sh", "-c", "head -c 300000 /dev/zero >&2; head -c 300000 /dev/zero"},
                0,
                Zeros,
                Zeros}),
    [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.What); });

TEST(ProgramRun, PassesStandardErrorThroughWhenAsked) {
    ScratchFolder folder;
    ProgramRun run;
    {
        StreamToFile errors(2, folder.Path("stderr"), O_WRONLY | O_CREAT | O_TRUNC);
        run = RunProgram({"sh", "-c", "printf out; printf err >&2; exit 4"}, 30,
                         ErrorStream::PassThrough);
    }
    EXPECT_EQ(run.ExitStatus, 4);
    EXPECT_EQ(run.Output, "out");
    EXPECT_EQ(run.Errors, "");
    EXPECT_EQ(ReadFileBytes(folder.Path("stderr")), "err");
}

// Whatever the test's own input is, the program reads nothing from it.
TEST(ProgramRun, InputIsDevNull) {
    ScratchFolder folder;
    folder.Write("typed", "typed by someone\n");
    StreamToFile input(0, folder.Path("typed"), O_RDONLY);
    const ProgramRun run = RunProgram({"sh", "-c", "cat; readlink /proc/self/fd/0"});
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_EQ(run.Output, "/dev/null\n");

    const pid_t pid = StartProgram({"sh", "-c", "sleep 0.2; test -z \"$(cat)\" && exit 7"});
    ASSERT_GT(pid, 0);
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "StartProgram waited for the program";
    const double end = Now() + 10;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        if (Now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the started program did not end within 10 s";
        }
        usleep(10000);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7) << "the started program read something";
}

TEST(ProgramRun, KillsAProgramPastItsLimitAndSaysSo) {
    ProgramRun run;
    const double start = Now();
    EXPECT_NONFATAL_FAILURE(run = RunProgram({"sh", "-c", "echo $$; exec sleep 30"}, 0.5),
                            "'sh -c echo $$; exec sleep 30' did not finish within 0.5 s");
    EXPECT_LT(Now() - start, 5) << "the limit did not cut the wait short";
    EXPECT_EQ(run.ExitStatus, -1);
    // What it said before the limit is kept; the process it named is gone.
    const pid_t pid = static_cast<pid_t>(atoi(run.Output.c_str()));
    ASSERT_GT(pid, 0) << run.Output;
    EXPECT_EQ(kill(pid, 0), -1) << "process " << pid << " is still there";
    EXPECT_EQ(errno, ESRCH);
}

TEST(ProgramRun, AProgramThatCannotStartFailsTheTest) {
    ProgramRun run;
    EXPECT_NONFATAL_FAILURE(run = RunProgram({"/nonexistent/program", "x"}),
                            "could not start /nonexistent/program: No such file or directory");
    EXPECT_EQ(run.ExitStatus, -1);
    EXPECT_NONFATAL_FAILURE(StartProgram({"/nonexistent/program"}), "could not start");
}

TEST(ScratchFolder, HoldsWhatIsWrittenAndGoesWithEverythingInIt) {
    ScratchFolder outside;
    outside.Write("keep.txt", "kept");
    std::string path;
    {
        ScratchFolder folder;
        path = folder.Path("");
        const std::string binary("\0\xff\r\n", 4);
        folder.Write("b.bin", binary);
        folder.Write("a.txt", "a longer first text");
        folder.Write("a.txt", "new");
        ASSERT_EQ(mkdir(folder.Path("inner").c_str(), 0700), 0);
        folder.Write("inner/deep.txt", "deep");
        // Removing the folder must take the link, not what it points at.
        ASSERT_EQ(symlink(outside.Path("").c_str(), folder.Path("link").c_str()), 0);

        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a.txt", "b.bin", "inner", "link"}));
        EXPECT_EQ(ReadFileBytes(folder.Path("b.bin")), binary);
        EXPECT_EQ(ReadFileBytes(folder.Path("a.txt")), "new");
        EXPECT_EQ(ReadFileBytes(folder.Path("inner/deep.txt")), "deep");
        EXPECT_NONFATAL_FAILURE(folder.Write("missing/x.txt", "x"),
                                "cannot create " + folder.Path("missing/x.txt"));
    }
    struct stat info;
    EXPECT_NE(lstat(path.c_str(), &info), 0) << path << " was left behind";
    EXPECT_EQ(ReadFileBytes(outside.Path("keep.txt")), "kept");
    EXPECT_EQ(ReadFileBytes(path + "keep.txt"), "");
}

} // namespace
