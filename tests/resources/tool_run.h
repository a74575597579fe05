// Running the build tools from the tests: a private temporary folder, and a program's exit
// status and messages.
#pragma once

#include <algorithm>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

// A folder of its own for one test, removed with everything in it at the end.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        char pattern[] = "/tmp/flarvex_art_XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "";
    }
    ~TemporaryFolder() {
        for (const std::string& name : Names())
            unlink((path_ + "/" + name).c_str());
        rmdir(path_.c_str());
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const {
        return path_;
    }
    std::string File(const std::string& name) const {
        return path_ + "/" + name;
    }
    void Write(const std::string& name, const std::string& text) const {
        FILE* file = fopen(File(name).c_str(), "wb");
        if (file) {
            fwrite(text.data(), 1, text.size(), file);
            fclose(file);
        }
    }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const {
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

  private:
    std::string path_;
};

struct ProgramRun {
    int Status;           // the exit status, or -1 when the program did not exit normally
    std::string Messages; // what it wrote to standard output and standard error
};

constexpr int ProgramTimeLimitSeconds = 30;

// Runs program with arguments (no shell is involved in splitting them). A program that is still
// running after ProgramTimeLimitSeconds is killed, and the messages say so.
inline ProgramRun RunProgram(const std::string& program,
                             const std::vector<std::string>& arguments) {
    ProgramRun run = {-1, ""};
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return run;
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 1);
        dup2(pipeEnds[1], 2);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return run;
    }
    const time_t deadline = time(nullptr) + ProgramTimeLimitSeconds;
    bool timedOut = false;
    for (;;) {
        pollfd waiting = {pipeEnds[0], POLLIN, 0};
        const int left = static_cast<int>(deadline - time(nullptr));
        if (left <= 0 || poll(&waiting, 1, left * 1000) == 0) {
            timedOut = true;
            break;
        }
        char buffer[512];
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0)
            break;
        run.Messages.append(buffer, static_cast<size_t>(count));
    }
    close(pipeEnds[0]);
    if (timedOut) {
        kill(child, SIGKILL);
        run.Messages += "\n(gave up waiting for " + program + " to finish after " +
                        std::to_string(ProgramTimeLimitSeconds) + " s)";
    }
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status) && !timedOut)
        run.Status = WEXITSTATUS(status);
    return run;
}

inline std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    if (FILE* file = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, count);
        fclose(file);
    }
    return bytes;
}
