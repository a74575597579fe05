// Drives the real setup.exe from outside for end-to-end tests: starts it under Wine, finds
// its window, presses keys, moves the pointer in its client coordinates, reads its message
// boxes and window facts through small Windows helper programs.
#pragma once
#include "desktop.h"
#include "setup_boxes.h"

#include <memory>
#include <string>

struct WindowFacts {
    std::string className, caption;
    desktop::Rect frame = {}, client = {}; // screen coordinates
    uint32_t style = 0, exStyle = 0;
    int captionHeight = 0, frameBorder = 0;
    bool foreground = false; // the window the user works with now
};

// A button caption rendered by caption_render.exe through DrawTextA, as a button of the
// setup window shows it, selected or not: the button's size, in the button's colours.
desktop::Image RenderCaption(const std::string& text, bool selected);

// How many pixels of button i's caption band in client differ from caption, rendered by
// RenderCaption; -1 when caption is not a rendered caption.
int CaptionDifferences(const desktop::Image& client, int i, const desktop::Image& caption);

// What window_probe.exe reports of the top-level window with this exact caption; an empty
// class name when none appeared within seconds.
WindowFacts ProbeWindow(const std::string& caption, double seconds = 10);

// Waits for a message box with this caption ("*": any), reads it and answers it ("ok",
// "cancel", "close" or "none").
SeenBox AnswerBox(const std::string& caption, const std::string& answer, double seconds = 10);

// Waits for a message box with expected's caption and answers it; success when it showed
// everything expected says.
testing::AssertionResult BoxAnswered(const ExpectedBox& expected, const std::string& answer);

// Whether a program under Wine could open the file at windowsPath now, with no sharing.
bool OpenableInWine(const std::string& windowsPath);

class SetupRun {
  public:
    // Starts build/setup.exe and waits for its window (the test fails when none appears).
    SetupRun();
    bool Started() const {
        return window_ != 0;
    }
    // Keys go to the setup window, by X keysym name ("Return", "Escape", "alt+F4").
    void Press(const std::string& keys);
    // Moves the pointer to a point of the client area.
    void MoveTo(int x, int y);
    // The client area's origin on the screen.
    int Left() const {
        return client_.x;
    }
    int Top() const {
        return client_.y;
    }
    // The client area as the screen shows it now.
    desktop::Image Client() const;
    // Waits for the program to end; its exit code, or -1 after seconds without an end.
    int WaitForExit(double seconds);
    // Presses Escape, as the user leaves, and waits up to 10 s; the exit code as WaitForExit.
    int ExitWithEscape();
    // The program's process, for ending it from outside.
    pid_t Pid() const {
        return program_->Pid();
    }

  private:
    std::unique_ptr<desktop::WineProgram> program_;
    unsigned long window_ = 0;
    desktop::Rect client_ = {};
};
