// Starting another program with posix_spawnp, reading its output and error pipes together so
// that neither can fill up and stall it, and a deadline on the whole run.
#include "program_run.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

extern char** environ;

namespace {

double Now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

std::string Joined(const std::vector<std::string>& command) {
    std::string text;
    for (const std::string& part : command)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

// A pipe from the program to the test. Both ends close on exec, so that no other program
// started meanwhile holds a write end open; the program gets its copy through dup2.
class Pipe {
  public:
    Pipe() {
        if (pipe2(ends_, O_CLOEXEC) != 0)
            ends_[0] = ends_[1] = -1;
    }
    ~Pipe() {
        CloseReadEnd();
        CloseWriteEnd();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool Made() const {
        return ends_[0] >= 0;
    }
    int ReadEnd() const {
        return ends_[0];
    }
    int WriteEnd() const {
        return ends_[1];
    }
    void CloseReadEnd() {
        Close(ends_[0]);
    }
    void CloseWriteEnd() {
        Close(ends_[1]);
    }

  private:
    static void Close(int& end) {
        if (end >= 0)
            close(end);
        end = -1;
    }
    int ends_[2];
};

// Starts command with input from /dev/null and the file actions given; -1 (the test failed)
// when it cannot start.
pid_t Spawn(const std::vector<std::string>& command, posix_spawn_file_actions_t* actions) {
    if (command.empty()) {
        ADD_FAILURE() << "no program given to start";
        return -1;
    }
    std::vector<char*> argv;
    for (const std::string& part : command)
        argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ);
    if (error != 0) {
        ADD_FAILURE() << "could not start " << command[0] << ": " << strerror(error);
        return -1;
    }
    return pid;
}

} // namespace

ProgramRun RunProgram(const std::vector<std::string>& command, double seconds, ErrorStream errors) {
    ProgramRun run;
    const bool captureErrors = errors == ErrorStream::Capture;
    Pipe output, errorOutput;
    if (!output.Made() || (captureErrors && !errorOutput.Made())) {
        ADD_FAILURE() << "no pipe for '" << Joined(command) << "': " << strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output.WriteEnd(), 1);
    if (captureErrors)
        posix_spawn_file_actions_adddup2(&actions, errorOutput.WriteEnd(), 2);
    const pid_t pid = Spawn(command, &actions);
    posix_spawn_file_actions_destroy(&actions);
    // Only the program holds the write ends now, so the pipes end when it (and whatever it
    // started that kept them) is done.
    output.CloseWriteEnd();
    errorOutput.CloseWriteEnd();
    if (pid < 0)
        return run;

    pollfd streams[2] = {{output.ReadEnd(), POLLIN, 0}, {errorOutput.ReadEnd(), POLLIN, 0}};
    std::string* texts[2] = {&run.Output, &run.Errors};
    const double end = Now() + seconds;
    int status = 0;
    bool exited = false;
    for (;;) {
        const bool reading = streams[0].fd >= 0 || streams[1].fd >= 0;
        if (!reading && !exited)
            exited = waitpid(pid, &status, WNOHANG) == pid;
        if (!reading && exited)
            break;
        const double left = end - Now();
        if (left <= 0) {
            ADD_FAILURE() << "'" << Joined(command) << "' did not finish within " << seconds
                          << " s; killed";
            if (!exited) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
            }
            return run;
        }
        if (!reading) {
            usleep(static_cast<useconds_t>(std::min(left, 0.01) * 1e6));
            continue;
        }
        // poll skips an entry whose descriptor is negative: a stream that ended, or standard
        // error when it passes through.
        if (poll(streams, 2, static_cast<int>(left * 1000) + 1) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || streams[i].revents == 0)
                continue;
            char chunk[4096];
            const ssize_t count = read(streams[i].fd, chunk, sizeof chunk);
            if (count > 0)
                texts[i]->append(chunk, static_cast<size_t>(count));
            else if (count == 0 || errno != EINTR)
                streams[i].fd = -1;
        }
    }
    run.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

pid_t StartProgram(const std::vector<std::string>& command) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const pid_t pid = Spawn(command, &actions);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}
