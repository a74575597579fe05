// Starting picture_tool and collecting what it says.
#include "tool_process.h"
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr int ToolTimeLimitSeconds = 30;

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

ToolRun RunPictureTool(const std::vector<std::string>& arguments) {
    ScratchFolder captures;
    const std::string outputPath = captures.Path("stdout");
    const std::string errorsPath = captures.Path("stderr");
    std::vector<char*> argv;
    std::string tool = FLARVEX_PICTURE_TOOL;
    argv.push_back(&tool[0]);
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ToolRun run;
    if (child < 0) {
        ADD_FAILURE() << "cannot start " << tool;
        return run;
    }
    int status = 0;
    const time_t deadline = time(nullptr) + ToolTimeLimitSeconds;
    for (;;) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (time(nullptr) > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << "picture_tool did not finish within " << ToolTimeLimitSeconds
                          << " s; killed";
            return run;
        }
        usleep(10000);
    }
    run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Output = ReadText(outputPath);
    run.Errors = ReadText(errorsPath);
    return run;
}

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/picture-tool-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made)
        abort();
    path_ = made;
}

ScratchFolder::~ScratchFolder() {
    for (const std::string& name : Files())
        unlink(Path(name).c_str());
    rmdir(path_.c_str());
}

std::vector<std::string> ScratchFolder::Files() const {
    std::vector<std::string> names;
    if (DIR* folder = opendir(path_.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    return names;
}
