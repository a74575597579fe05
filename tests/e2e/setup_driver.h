// Drives the real setup.exe from outside for end-to-end tests: starts it under Wine, finds
// its window, presses keys, moves the pointer in its client coordinates, reads its message
// boxes and window facts through small Windows helper programs.
#pragma once
#include "desktop.h"
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
// setup window shows it: 75 x 30 pixels, fill and text colours as 0xRRGGBB.
desktop::Image RenderCaption(const std::string& text, uint32_t fill, uint32_t colour);

// What window_probe.exe reports of the top-level window with this exact caption; an empty
// class name when none appeared within seconds.
WindowFacts ProbeWindow(const std::string& caption, double seconds = 10);

struct BoxFacts {
    bool shown = false;
    std::string caption, text;
    unsigned flags = 0;
};

// Waits for a message box with this caption ("*": any), reads it and answers it ("ok",
// "cancel", "close" or "none").
BoxFacts AnswerBox(const std::string& caption, const std::string& answer, double seconds = 10);

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
    // The program's process, for ending it from outside.
    pid_t Pid() const {
        return program_->Pid();
    }

  private:
    std::unique_ptr<desktop::WineProgram> program_;
    unsigned long window_ = 0;
    desktop::Rect client_ = {};
};
