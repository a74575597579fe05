// The event pump with a real window and real input: pointer moves, button presses and keys go
// through Wine's input queue and are fetched by the pump itself.
#include "event_pump.h"
#include "plain_window.h"
#include "setup_look.h"
#include "setup_state.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace {

// The test window's client area starts at this screen point.
constexpr int Origin = 100;

struct Record {
    int hovers[4];
    int clicks[4];
    int repaints;
    HCURSOR cursorInHover;
    POINT lastHoverPoint;
} Seen;

HWND Window;
ButtonList* CallerTable;

void Hover(int i) {
    ++Seen.hovers[i];
    Seen.cursorInHover = GetCursor();
    Seen.lastHoverPoint = PumpMessage.pt;
}
// Procedure slots take no argument: one procedure for each button.
template <int I> void HoverOn() {
    Hover(I);
}
template <int I> void ClickOn() {
    ++Seen.clicks[I];
}
void Repaint() {
    ++Seen.repaints;
}

// What a user does, step by step, from another thread while the pump runs.
using Step = std::function<void()>;

void Send(INPUT input) {
    SendInput(1, &input, sizeof input);
}

Step Mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    return [=] { Send(input); };
}

Step MoveTo(int x, int y) { // client coordinates of the test window
    // Absolute moves are in 65536ths of the screen; rounded up, they land on the pixel meant.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                 ((Origin + x) * 65536 + width - 1) / width,
                 ((Origin + y) * 65536 + height - 1) / height);
}

Step Button(DWORD flag) {
    return Mouse(flag);
}

Step Key(WORD key) {
    return [=] {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        Send(input);
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        Send(input);
    };
}

Step Post(UINT message, WPARAM wParam) {
    return [=] { PostMessageA(Window, message, wParam, 0); };
}

class EventPumpTest : public ::testing::Test {
  protected:
    // One window for all tests: destroying a window takes Wine about two seconds.
    static void SetUpTestSuite() {
        Window = NewWindow();
    }

    static void TearDownTestSuite() {
        DestroyWindow(Window);
    }

    static HWND NewWindow() {
        HWND window = MakePlainWindow({"EventPumpTest", "pump", Origin, Origin, 300, 300, 0,
                                       nullptr, LoadCursorA(nullptr, IDC_ARROW)});
        SetForegroundWindow(window);
        UpdateWindow(window);
        return window;
    }

    void SetUp() override {
        ASSERT_NE(Window, nullptr);
        hand = LoadCursorA(nullptr, IDC_HAND);
        table = {};
        table.Entries[0].OnClick = Repaint;
        const Procedure hovers[] = {nullptr, HoverOn<1>, HoverOn<2>, HoverOn<3>};
        const Procedure clicks[] = {nullptr, ClickOn<1>, ClickOn<2>, ClickOn<3>};
        for (int i = 1; i <= look::ButtonCount; ++i) {
            const look::Box& b = look::Buttons[i];
            table.Entries[i] = {static_cast<uint16_t>(b.Left),
                                static_cast<uint16_t>(b.Top),
                                static_cast<uint16_t>(b.Right),
                                static_cast<uint16_t>(b.Bottom),
                                hand,
                                clicks[i],
                                hovers[i]};
        }
        CallerTable = &table;
        // Start every test with the pointer away from the buttons, the left button up and
        // the queue empty.
        Run({MoveTo(250, 250), Button(MOUSEEVENTF_LEFTUP), Key(VK_F2)});
        Seen = {};
    }

    // Plays the steps 60 ms apart on another thread while the pump runs here; returns what
    // the pump returned. A pump that never returns fails the test after 10 s.
    uint16_t Run(const std::vector<Step>& steps, uint16_t buttonCount = 3) {
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread user([&] {
            for (const Step& step : steps) {
                Sleep(60);
                step();
            }
            if (WaitForSingleObject(done, 10000) != WAIT_OBJECT_0) {
                fprintf(stderr, "the event pump did not return within 10 s of the last step\n");
                ExitProcess(3);
            }
        });
        uint16_t key = RunEventPump(Window, buttonCount, table);
        SetEvent(done);
        user.join();
        CloseHandle(done);
        return key;
    }

    ButtonList table;
    HCURSOR hand;
};

TEST_F(EventPumpTest, HoverRunsOnEveryMoveOverAButtonWithItsCursor) {
    uint16_t key = Run({MoveTo(40, 40), MoveTo(41, 40), MoveTo(41, 41), MoveTo(110, 60),
                        MoveTo(111, 61), MoveTo(40, 100), Key('A')});
    EXPECT_EQ(key, 'A');
    EXPECT_EQ(Seen.hovers[1], 4) << "every move over button 1, its far corner included";
    EXPECT_EQ(Seen.hovers[2], 1);
    EXPECT_EQ(Seen.hovers[3], 0);
    EXPECT_EQ(Seen.cursorInHover, hand) << "the button's cursor is set before its hover runs";
    EXPECT_EQ(Seen.lastHoverPoint.x, 40) << "points are the message's, in client coordinates";
    EXPECT_EQ(Seen.lastHoverPoint.y, 100);
}

TEST_F(EventPumpTest, ReleaseClicksTheButtonOfTheLastMove) {
    Run({MoveTo(200, 200), Button(MOUSEEVENTF_LEFTDOWN), MoveTo(50, 45), Button(MOUSEEVENTF_LEFTUP),
         Key(VK_F2)});
    EXPECT_EQ(Seen.clicks[1], 1);
    EXPECT_EQ(Seen.clicks[2] + Seen.clicks[3], 0);
}

TEST_F(EventPumpTest, ButtonDownAloneDoesNothingAndAReleaseOutsideClicksNothing) {
    Run({MoveTo(50, 150), Button(MOUSEEVENTF_LEFTDOWN), Key(VK_F2)});
    EXPECT_EQ(Seen.clicks[3], 0) << "a press is not a click";
    Run({MoveTo(200, 150), Button(MOUSEEVENTF_LEFTUP), Key(VK_F2)});
    EXPECT_EQ(Seen.clicks[1] + Seen.clicks[2] + Seen.clicks[3], 0);
}

TEST_F(EventPumpTest, EveryKeyDownReturnsButSystemKeysDoNot) {
    for (int key : {VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN, int('Q'), VK_SPACE, VK_F1})
        EXPECT_EQ(Run({Key(static_cast<WORD>(key))}), key);
    EXPECT_EQ(Run({Post(WM_SYSKEYDOWN, 'X'), Post(WM_KEYUP, 'Q'), Post(WM_CHAR, 'q'),
                   Post(WM_KEYDOWN, 'Z')}),
              'Z');
}

TEST_F(EventPumpTest, WorksOnItsOwnCopyOfTheTable) {
    table.Entries[1].OnHover = [] {
        Hover(1);
        CallerTable->Entries[1].OnClick = ClickOn<3>; // too late for the running pump
        CallerTable->Entries[1].Right = 0;
    };
    Run({MoveTo(60, 40), MoveTo(100, 40), Button(MOUSEEVENTF_LEFTDOWN), Button(MOUSEEVENTF_LEFTUP),
         Key(VK_F2)});
    EXPECT_EQ(Seen.hovers[1], 2) << "the caller's shrunken button is not seen";
    EXPECT_EQ(Seen.clicks[1], 1);
    EXPECT_EQ(Seen.clicks[3], 0);
}

TEST_F(EventPumpTest, NoButtonsNoHoversNoClicks) {
    Run({MoveTo(40, 40), Button(MOUSEEVENTF_LEFTDOWN), Button(MOUSEEVENTF_LEFTUP), Key(VK_F2)}, 0);
    EXPECT_EQ(Seen.hovers[1] + Seen.clicks[1], 0);
}

TEST_F(EventPumpTest, EachCallStartsWithAHitTestWhereThePointerRests) {
    Run({MoveTo(40, 160), Key(VK_F2)});
    ASSERT_EQ(Seen.hovers[3], 1);
    Run({Key(VK_F2)}); // no move at all
    EXPECT_EQ(Seen.hovers[3], 2);
}

TEST_F(EventPumpTest, PaintRequestsRunTheRepaintSlot) {
    Run({[] { InvalidateRect(Window, nullptr, FALSE); }, Key(VK_F2)});
    EXPECT_GE(Seen.repaints, 1);
    EXPECT_EQ(GetUpdateRect(Window, nullptr, FALSE), FALSE) << "the window was validated";
}

TEST_F(EventPumpTest, ReturnsWhenItsWindowIsDestroyed) {
    HWND shared = Window;
    Window = NewWindow();
    table.Entries[2].OnHover = [] { DestroyWindow(Window); };
    EXPECT_EQ(Run({MoveTo(40, 100)}), PumpWindowGone);
    Window = shared;
    SetForegroundWindow(Window);
}

} // namespace
