// Drives Windows programs under Wine from outside, as a user would: starts them, finds their
// windows, moves the pointer, presses keys and takes screenshots. For end-to-end tests that
// run inside a session of tools/wine-session (DISPLAY and WINEPREFIX set). Every wait is
// bounded and fails the test with what it waited for.
#pragma once
#include <stdint.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace desktop {

// The top build folder, where setup.exe and the test helpers land.
std::string BuildDir();
// A path inside the session's Windows directory (C:\windows), as a Linux path.
std::string WindowsDirPath(const std::string& name);

// A program started under Wine; killed (with the whole prefix's processes) when destroyed
// while it still runs.
class WineProgram {
  public:
    explicit WineProgram(const std::vector<std::string>& arguments);
    // Started under strace, which stops it with SIGSTOP as it first names the file holdAt (a
    // Linux path) in a system call: a known step at which to hold a program that never waits
    // for anything.
    WineProgram(const std::vector<std::string>& arguments, const std::string& holdAt);
    ~WineProgram();
    WineProgram(const WineProgram&) = delete;
    WineProgram& operator=(const WineProgram&) = delete;

    // Waits up to seconds for the program to end. True when it ended; exitCode receives its
    // exit code (or -1 when a signal ended it).
    bool WaitForExit(double seconds, int* exitCode);
    bool Running();
    // For a program started with holdAt: waits up to seconds for it to be held there.
    bool WaitUntilHeld(double seconds);
    // Lets a held program go on, and on again whenever it stops at the file, until it ends or
    // seconds pass.
    void LetGo(double seconds);
    pid_t Pid() const {
        return pid_;
    }

  private:
    pid_t pid_ = -1;
    int status_ = -1;
    bool ended_ = false;
    std::string traceFile_; // strace's account, for a held program
    pid_t held_ = -1;       // the Wine process that strace stopped
};

// Runs a command to its end (at most seconds), returning its standard output; the exit status
// goes to *status when given. Standard error passes through to the test's log; input comes
// from /dev/null.
std::string RunCommand(const std::vector<std::string>& arguments, double seconds = 30,
                       int* status = nullptr);

// Runs a Windows program under Wine to its end and returns its standard output.
std::string RunWine(const std::vector<std::string>& arguments, double seconds = 30,
                    int* status = nullptr);

// The X window whose name is exactly name, once it is on screen; 0 after seconds without one
// (the caller fails).
unsigned long WaitForWindow(const std::string& name, double seconds);
// True while some window is named exactly name.
bool WindowExists(const std::string& name);
// Waits until no window is named exactly name; false after seconds.
bool WaitForWindowGone(const std::string& name, double seconds);

struct Rect {
    int x, y, width, height;
};
Rect WindowGeometry(unsigned long window);

void MovePointer(int x, int y);
void PressButton(int button);   // pointer button down
void ReleaseButton(int button); // pointer button up
void Click(int button);
// Keys by X keysym name ("Return", "Escape", "Up", "alt+F4"), sent to the focused window.
void PressKey(const std::string& keys, unsigned long window = 0);

struct Rgb {
    uint8_t r, g, b;
    // As 0x00RRGGBB, the form tests state colours in.
    uint32_t Value() const {
        return static_cast<uint32_t>(r << 16 | g << 8 | b);
    }
    bool operator==(const Rgb& o) const {
        return r == o.r && g == o.g && b == o.b;
    }
    bool operator!=(const Rgb& o) const {
        return !(*this == o);
    }
};

struct Image {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

// The whole screen as it is now (the pointer is not in it).
Image Screenshot();

// The pointer's current shape, as the X server shows it.
struct PointerShape {
    int width = 0, height = 0, hotX = 0, hotY = 0;
    std::vector<uint32_t> argb;
};
PointerShape CurrentPointerShape();
// Saves an image as PNG (for looking at a failure, and for the README's picture).
void SavePng(const Image& image, const std::string& path);

// Polls condition every 50 ms until it holds or seconds pass; returns whether it held.
template <typename Condition> bool WaitUntil(double seconds, Condition condition);

void Sleep(double seconds);
double Now();

template <typename Condition> bool WaitUntil(double seconds, Condition condition) {
    double end = Now() + seconds;
    for (;;) {
        if (condition())
            return true;
        if (Now() > end)
            return false;
        Sleep(0.05);
    }
}

} // namespace desktop
