// Driving Windows programs under Wine from outside: processes, xdotool, screenshots.
#include "desktop.h"

#include "program_run.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace desktop {

double Now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void Sleep(double seconds) {
    usleep(static_cast<useconds_t>(seconds * 1e6));
}

std::string BuildDir() {
    return FLARVEX_BUILD_DIR;
}

std::string WindowsDirPath(const std::string& name) {
    const char* prefix = getenv("WINEPREFIX");
    if (prefix == nullptr) {
        ADD_FAILURE() << "WINEPREFIX is not set: run this test inside tools/wine-session";
        return name;
    }
    return std::string(prefix) + "/drive_c/windows/" + name;
}

WineProgram::WineProgram(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"wine"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    pid_ = StartProgram(command);
}

WineProgram::WineProgram(const std::vector<std::string>& arguments, const std::string& holdAt) {
    char name[] = "/tmp/flarvex-held-XXXXXX";
    int file = mkstemp(name);
    if (file < 0) {
        ADD_FAILURE() << "no file for strace's account: " << strerror(errno);
        return;
    }
    close(file);
    traceFile_ = name;
    // strace exits with its program's exit code. Each kind of system call that names the file
    // stops the program the first time it is made (when=1 counts each kind on its own).
    std::vector<std::string> command = {"strace", "-f", "-qq", "-o", traceFile_, "-P", holdAt};
    command.insert(command.end(), {"-e", "inject=%file:signal=SIGSTOP:when=1", "wine"});
    command.insert(command.end(), arguments.begin(), arguments.end());
    pid_ = StartProgram(command);
}

WineProgram::~WineProgram() {
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
        if (held_ > 0) // once strace is gone, a program it stopped stays stopped
            kill(held_, SIGKILL);
    }
    if (!traceFile_.empty())
        unlink(traceFile_.c_str());
}

bool WineProgram::WaitUntilHeld(double seconds) {
    // strace says "<pid> --- stopped by SIGSTOP ---" once the stop has taken hold.
    return WaitUntil(seconds, [this] {
        std::ifstream trace(traceFile_);
        std::string line;
        while (std::getline(trace, line))
            if (line.find("--- stopped by SIGSTOP ---") != std::string::npos) {
                held_ = static_cast<pid_t>(atoi(line.c_str()));
                return held_ > 0;
            }
        return false;
    });
}

void WineProgram::LetGo(double seconds) {
    if (held_ <= 0) // kill() would take 0 and -1 for whole groups of processes
        return;
    WaitUntil(seconds, [this] {
        kill(held_, SIGCONT);
        return !Running();
    });
}

bool WineProgram::Running() {
    if (pid_ <= 0 || ended_)
        return false;
    if (waitpid(pid_, &status_, WNOHANG) == pid_)
        ended_ = true;
    return !ended_;
}

bool WineProgram::WaitForExit(double seconds, int* exitCode) {
    WaitUntil(seconds, [this] { return !Running(); });
    if (!ended_)
        return false;
    if (exitCode)
        *exitCode = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    return true;
}

std::string RunCommand(const std::vector<std::string>& arguments, double seconds, int* status) {
    const ProgramRun run = RunProgram(arguments, seconds, ErrorStream::PassThrough);
    if (status)
        *status = run.ExitStatus;
    return run.Output;
}

std::string RunWine(const std::vector<std::string>& arguments, double seconds, int* status) {
    std::vector<std::string> command = {"wine"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunCommand(command, seconds, status);
}

namespace {

// The windows named exactly name; with onScreen only those mapped and viewable, which alone
// take the input focus (X refuses it to the others with BadMatch).
std::vector<unsigned long> WindowsNamed(const std::string& name, bool onScreen = false) {
    std::vector<std::string> search = {"xdotool", "search", "--name", "^" + name + "$"};
    if (onScreen)
        search.insert(search.begin() + 2, "--onlyvisible");
    int status = 0;
    std::string found = RunCommand(search, 10, &status);
    std::vector<unsigned long> windows;
    for (const char* at = found.c_str(); *at;) {
        char* end = nullptr;
        unsigned long id = strtoul(at, &end, 10);
        if (end == at)
            break;
        windows.push_back(id);
        at = end;
        while (*at == '\n')
            ++at;
    }
    return windows;
}

} // namespace

unsigned long WaitForWindow(const std::string& name, double seconds) {
    unsigned long window = 0;
    WaitUntil(seconds, [&] {
        std::vector<unsigned long> found = WindowsNamed(name, true);
        if (!found.empty())
            window = found.front();
        return window != 0;
    });
    if (window == 0)
        ADD_FAILURE() << "no window named '" << name << "' appeared within " << seconds << " s";
    return window;
}

bool WindowExists(const std::string& name) {
    return !WindowsNamed(name).empty();
}

bool WaitForWindowGone(const std::string& name, double seconds) {
    return WaitUntil(seconds, [&] { return !WindowExists(name); });
}

Rect WindowGeometry(unsigned long window) {
    std::string text =
        RunCommand({"xdotool", "getwindowgeometry", "--shell", std::to_string(window)});
    Rect rect = {-1, -1, -1, -1};
    for (const char* at = text.c_str(); *at;) {
        sscanf(at, "X=%d", &rect.x);
        sscanf(at, "Y=%d", &rect.y);
        sscanf(at, "WIDTH=%d", &rect.width);
        sscanf(at, "HEIGHT=%d", &rect.height);
        const char* next = strchr(at, '\n');
        at = next ? next + 1 : at + strlen(at);
    }
    return rect;
}

void MovePointer(int x, int y) {
    // xdotool's own --sync waits for a move event, and there is none when the pointer is
    // already in place; ask where the pointer is instead.
    RunCommand({"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
    std::string target = "x:" + std::to_string(x) + " y:" + std::to_string(y) + " ";
    if (!WaitUntil(5, [&] {
            return RunCommand({"xdotool", "getmouselocation"}).compare(0, target.size(), target) ==
                   0;
        }))
        ADD_FAILURE() << "the pointer did not reach (" << x << ", " << y << ") within 5 s";
}

void PressButton(int button) {
    RunCommand({"xdotool", "mousedown", std::to_string(button)});
}

void ReleaseButton(int button) {
    RunCommand({"xdotool", "mouseup", std::to_string(button)});
}

void Click(int button) {
    RunCommand({"xdotool", "click", std::to_string(button)});
}

void PressKey(const std::string& keys, unsigned long window) {
    if (window != 0)
        RunCommand({"xdotool", "windowfocus", "--sync", std::to_string(window)});
    std::vector<std::string> command = {"xdotool", "key"};
    for (size_t at = 0; at < keys.size();) { // one argument per blank-separated key
        size_t end = keys.find(' ', at);
        if (end == std::string::npos)
            end = keys.size();
        if (end > at)
            command.push_back(keys.substr(at, end - at));
        at = end + 1;
    }
    RunCommand(command);
}

Image Screenshot() {
    // ImageMagick may write 16 bits a channel unless asked for 8.
    std::string ppm = RunCommand({"import", "-silent", "-window", "root", "-depth", "8", "ppm:-"});
    Image image;
    int maxValue = 0, consumed = 0;
    if (sscanf(ppm.c_str(), "P6 %d %d %d%n", &image.width, &image.height, &maxValue, &consumed) !=
            3 ||
        maxValue != 255) {
        ADD_FAILURE() << "the screenshot is not an 8-bit PPM picture";
        return {};
    }
    size_t start = static_cast<size_t>(consumed) + 1; // one blank after the header
    size_t count = static_cast<size_t>(image.width) * image.height;
    if (ppm.size() < start + 3 * count) {
        ADD_FAILURE() << "the screenshot is truncated";
        return {};
    }
    image.pixels.resize(count);
    memcpy(image.pixels.data(), ppm.data() + start, 3 * count);
    return image;
}

PointerShape CurrentPointerShape() {
    PointerShape shape;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        ADD_FAILURE() << "cannot open the X display to read the pointer's shape";
        return shape;
    }
    if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
        shape.width = image->width;
        shape.height = image->height;
        shape.hotX = image->xhot;
        shape.hotY = image->yhot;
        for (int i = 0; i < image->width * image->height; ++i)
            shape.argb.push_back(static_cast<uint32_t>(image->pixels[i]));
        XFree(image);
    }
    XCloseDisplay(display);
    return shape;
}

void SavePng(const Image& image, const std::string& path) {
    std::string ppm = path + ".ppm";
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << image.width << " " << image.height << "\n255\n";
        out.write(reinterpret_cast<const char*>(image.pixels.data()),
                  static_cast<std::streamsize>(3 * image.pixels.size()));
    }
    RunCommand({"convert", ppm, path});
    remove(ppm.c_str());
}

} // namespace desktop
