// The host tools' writer is all or nothing: a write that fails at any step leaves the old file
// as it was and nothing beside it; one that succeeds replaces the file whole.
#include "file_bytes.h"
#include "scratch_folder.h"
#include "whole_file.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

const std::vector<uint8_t> NewBytes(1 << 20, 0x5A);

TEST(WholeFile, AFailedWriteLeavesTheOldFileAndNoTemporaryOne) {
    signal(SIGXFSZ, SIG_IGN); // past the size limit, a write fails as on a full disk
    const struct {
        const char* What;
        std::string Target; // its name in the scratch folder
        bool TargetIsFolder;
        rlim_t SizeLimit; // 0: none
        const char* Error;
    } cases[] = {
        // A name that fits where the temporary name beside it does not.
        {"no temporary file", std::string(250, 'n'), false, 0,
         "cannot create a temporary file beside it: File name too long"},
        {"the disk fills up", "target", false, 4096, "cannot write it: File too large"},
        {"a folder in the way", "target", true, 0, "cannot put it in place: Is a directory"},
    };
    for (const auto& failed : cases) {
        ScratchFolder folder;
        std::string old = failed.Target;
        if (failed.TargetIsFolder) {
            ASSERT_EQ(mkdir(folder.Path(failed.Target).c_str(), 0755), 0);
            old += "/old";
        }
        folder.Write(old, "old");
        const std::vector<std::string> before = folder.Names();

        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = {failed.SizeLimit != 0 ? failed.SizeLimit : saved.rlim_cur, saved.rlim_max};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        std::string error;
        bool written = WriteWholeFile(folder.Path(failed.Target), NewBytes, error);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(written) << failed.What;
        EXPECT_NE(error.find(failed.Error), std::string::npos) << failed.What << ": " << error;
        EXPECT_EQ(ReadFileBytes(folder.Path(old)), "old") << failed.What;
        EXPECT_EQ(folder.Names(), before) << failed.What << ": something was left beside it";
    }
}

TEST(WholeFile, ReplacesTheFileWholeAndKeepsItsPermissions) {
    ScratchFolder folder;
    folder.Write("program", "old");
    ASSERT_EQ(chmod(folder.Path("program").c_str(), 0751), 0);
    std::string error;
    ASSERT_TRUE(WriteWholeFile(folder.Path("program"), NewBytes, error)) << error;
    EXPECT_TRUE(ReadFileVector(folder.Path("program")) == NewBytes) << "not the new bytes";
    struct stat status;
    ASSERT_EQ(stat(folder.Path("program").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0751u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"program"}));
}

} // namespace
