// The setup window end to end: the real setup.exe under Wine on a virtual display, driven
// from outside with the pointer and the keyboard.
#include "file_bytes.h"
#include "pixel_art.h"
#include "setup_driver.h"
#include "setup_look.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t WsCaption = 0x00C00000, WsSysMenu = 0x00080000, WsThickFrame = 0x00040000,
                   WsMinimizeBox = 0x00020000, WsMaximizeBox = 0x00010000,
                   WsExDlgModalFrame = 0x00000001;

class SetupWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::MovePointer(0, 0); // away from the window, so no hover selects a button
    }
};

TEST_F(SetupWindow, IsCentredWithItsCaptionClassAndFrame) {
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    WindowFacts w = ProbeWindow(" Setup");
    EXPECT_EQ(w.caption, " Setup");
    EXPECT_EQ(w.className, "Flarvex clock 2.90b installation setup");

    int screenWidth = 0, screenHeight = 0;
    sscanf(desktop::RunCommand({"xdotool", "getdisplaygeometry"}).c_str(), "%d %d", &screenWidth,
           &screenHeight);
    const struct {
        int width, height, left, top;
    } screens[] = {{1024, 768, 329, 247}, {800, 600, 217, 163}};
    bool known = false;
    for (const auto& s : screens) {
        if (s.width != screenWidth || s.height != screenHeight)
            continue;
        known = true;
        EXPECT_EQ(w.frame.x, s.left);
        EXPECT_EQ(w.frame.y, s.top);
    }
    EXPECT_TRUE(known) << "run this test on a 1024 x 768 or 800 x 600 screen";
    EXPECT_EQ(w.frame.width, look::PictureWidth);
    EXPECT_EQ(w.frame.height, look::PictureHeight + w.captionHeight);
    // The client area is what the frame leaves: a dialog border all round, the caption on top.
    int b = w.frameBorder;
    EXPECT_EQ(w.client.x, w.frame.x + b);
    EXPECT_EQ(w.client.y, w.frame.y + b + w.captionHeight);
    EXPECT_EQ(w.client.width, look::PictureWidth - 2 * b);
    EXPECT_EQ(w.client.height, look::PictureHeight - 2 * b);
    // On the screen: Wine draws the frame itself, as there is no window manager.
    desktop::Rect shown = desktop::WindowGeometry(desktop::WaitForWindow(" Setup", 5));
    EXPECT_EQ(shown.x, w.frame.x);
    EXPECT_EQ(shown.y, w.frame.y);
    EXPECT_EQ(shown.width, w.frame.width);
    EXPECT_EQ(shown.height, w.frame.height);

    EXPECT_EQ(w.style & WsCaption, WsCaption);
    EXPECT_EQ(w.style & (WsSysMenu | WsThickFrame | WsMinimizeBox | WsMaximizeBox), 0u)
        << "no close, minimise or maximise box and no sizing border";
    EXPECT_EQ(w.exStyle & WsExDlgModalFrame, WsExDlgModalFrame);
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

TEST_F(SetupWindow, ThePointerOverAButtonShowsTheProgramsOwnCursor) {
    ArtLegend legend;
    PixelArt art;
    ArtProblem problem;
    ASSERT_TRUE(ParseArtLegend(ReadFileBytes(FLARVEX_SOURCE_DIR "/resources/art/palette.txt"),
                               legend, problem));
    ASSERT_TRUE(ParsePixelArt(ReadFileBytes(FLARVEX_SOURCE_DIR "/resources/art/hint_cursor.txt"),
                              legend, art, problem));
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    auto isHint = [](const desktop::PointerShape& c) { return c.hotX == 1 && c.hotY == 4; };
    for (int button = 1; button <= 3; ++button) {
        setup.MoveTo(300, 200 + button); // over the window, away from the buttons
        EXPECT_TRUE(desktop::WaitUntil(5, [&] { return !isHint(desktop::CurrentPointerShape()); }))
            << "the hint cursor stays away from the buttons";
        setup.MoveTo(look::Buttons[button].Left + 25, look::Buttons[button].Top + 15);
        ASSERT_TRUE(desktop::WaitUntil(5, [&] { return isHint(desktop::CurrentPointerShape()); }))
            << "no hint cursor over button " << button << " within 5 s";
    }
    desktop::PointerShape shown = desktop::CurrentPointerShape();
    ASSERT_EQ(shown.width, ArtSize);
    ASSERT_EQ(shown.height, ArtSize);
    for (int y = 0; y < ArtSize; ++y)
        for (int x = 0; x < ArtSize; ++x) {
            uint8_t pixel = art.Pixels[y][x];
            uint32_t expected = 0;
            if (pixel != TransparentPixel) {
                const PaletteColour& c = StandardPalette[pixel];
                expected = 0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
            }
            ASSERT_EQ(shown.argb[y * ArtSize + x], expected)
                << "cursor pixel (" << x << ", " << y << ")";
        }
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

TEST_F(SetupWindow, EscapeExitsWithCodeZeroWhateverIsSelected) {
    for (const char* moves : {"", "Down", "Down Down"}) {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        if (*moves)
            setup.Press(moves);
        EXPECT_EQ(setup.ExitWithEscape(), 0) << "after '" << moves << "'";
    }
}

TEST_F(SetupWindow, EnterOnExitExitsWithCodeZero) {
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    setup.Press("Up"); // from button 1 round to button 3, "Exit"
    setup.Press("Return");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

// Also when the left button holds the title bar: the system's move loop then destroys the
// window, and the program must not wait on for a message that never comes.
TEST_F(SetupWindow, AltF4EndsTheProcessWithCodeZeroWithinASecond) {
    for (bool holdingTheTitleBar : {false, true}) {
        SetupRun setup;
        ASSERT_TRUE(setup.Started());
        if (holdingTheTitleBar) {
            setup.MoveTo(100, -ProbeWindow(" Setup").captionHeight / 2);
            desktop::PressButton(1);
            desktop::Sleep(0.5);
        }
        setup.Press("alt+F4");
        double pressed = desktop::Now();
        if (holdingTheTitleBar)
            desktop::ReleaseButton(1);
        EXPECT_EQ(setup.WaitForExit(10), 0) << "holding the title bar: " << holdingTheTitleBar;
        EXPECT_LT(desktop::Now() - pressed, 1.0) << "took " << desktop::Now() - pressed << " s";
    }
}

TEST_F(SetupWindow, HoldsThePresentScreenSaverUntilItExits) {
    std::string installed = desktop::WindowsDirPath("Flarvex.scr");
    ASSERT_TRUE(WriteFileBytes(installed, "MZ a screen saver"));
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    EXPECT_FALSE(OpenableInWine("C:\\windows\\Flarvex.scr"))
        << "another process opened the file the setup holds";
    ASSERT_EQ(setup.ExitWithEscape(), 0);
    EXPECT_TRUE(OpenableInWine("C:\\windows\\Flarvex.scr"))
        << "the file is free once the setup has ended";
    remove(installed.c_str());
}

} // namespace
