// The full-screen saver as a user meets it, driven from outside under a virtual display: it
// covers the screen with the current time, ticks every second, and ends on a key, a click or
// a real pointer move, but not on a pointer that merely trembles.
#include "clock_face.h"
#include "clock_reader.h"
#include "desktop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int ScreenWidth = 1024, ScreenHeight = 768;
constexpr int SecondsPerDay = 24 * 60 * 60;
constexpr double StartLimit = 20; // seconds for Wine to start the saver and show the clock
constexpr double EndLimit = 1.0;  // seconds in which the saver must end after the input
constexpr char WindowName[] = "Flarvex clock";

std::string SaverPath() {
    return desktop::BuildDir() + "/Flarvex.scr";
}

std::vector<uint32_t> Pixels(const desktop::Image& image) {
    std::vector<uint32_t> pixels(image.pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = SurfaceColour(image.pixels[i].r, image.pixels[i].g, image.pixels[i].b);
    return pixels;
}

ClockReading ReadScreen(const desktop::Image& image) {
    std::vector<uint32_t> pixels = Pixels(image);
    return ReadClock(pixels.data(), image.width, image.height, image.width, BackgroundColour);
}

// True when the pointer shows no pixel at all.
bool PointerInvisible() {
    desktop::PointerShape shape = desktop::CurrentPointerShape();
    for (uint32_t argb : shape.argb)
        if (argb >> 24 != 0)
            return false;
    return true;
}

int SecondOfDay(int hours, int minutes, int seconds) {
    return (hours * 60 + minutes) * 60 + seconds;
}

int LocalSecondOfDay() {
    time_t now = time(nullptr);
    tm local;
    localtime_r(&now, &local);
    return SecondOfDay(local.tm_hour, local.tm_min, local.tm_sec);
}

// Runs the saver with the pointer resting at (x, y) and waits until the clock is on the
// screen; the reading it saw goes to *reading.
class FullScreenSaver : public testing::Test {
  protected:
    void Start(int x, int y, ClockReading* reading = nullptr) {
        desktop::MovePointer(x, y);
        // Wine answers GetCursorPos from the last position one of its windows saw for 100 ms
        // after it saw it, and none saw this move: let that pass, or the saver starts with
        // the old position and takes the real one for a move.
        desktop::Sleep(0.25);
        saver_ =
            std::make_unique<desktop::WineProgram>(std::vector<std::string>{SaverPath(), "/s"});
        ASSERT_NE(desktop::WaitForWindow(WindowName, StartLimit), 0u);
        ClockReading seen;
        bool shown = desktop::WaitUntil(StartLimit, [&] {
            seen = ReadScreen(desktop::Screenshot());
            return seen.Found;
        });
        if (!shown)
            desktop::SavePng(desktop::Screenshot(), "full_screen_no_clock.png");
        ASSERT_TRUE(shown) << "no clock could be read on the screen within " << StartLimit
                           << " s (last: " << seen.Problem
                           << "); the screen is in full_screen_no_clock.png";
        if (reading)
            *reading = seen;
    }

    // Waits for the saver to end after some input; fails when it is still running after
    // EndLimit.
    void ExpectEndsAfter(const std::function<void()>& input, const char* what) {
        ASSERT_TRUE(saver_->Running()) << "the saver ended before " << what;
        double start = desktop::Now();
        input();
        int code = -1;
        bool ended = saver_->WaitForExit(EndLimit, &code);
        EXPECT_TRUE(ended) << "the saver still ran " << EndLimit << " s after " << what;
        if (ended) {
            EXPECT_EQ(code, 0);
            std::printf("ended %.2f s after %s began\n", desktop::Now() - start, what);
        }
    }

    std::unique_ptr<desktop::WineProgram> saver_;
};

TEST_F(FullScreenSaver, CoversTheScreenWithTheCurrentTimeAndTicks) {
    ClockReading first;
    desktop::MovePointer(ScreenWidth - 10, ScreenHeight - 10);
    ASSERT_FALSE(PointerInvisible()) << "the pointer is invisible before the saver starts";
    ASSERT_NO_FATAL_FAILURE(Start(ScreenWidth - 10, ScreenHeight - 10, &first));
    int now = LocalSecondOfDay();
    desktop::Rect window = desktop::WindowGeometry(desktop::WaitForWindow(WindowName, 1));
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.y, 0);
    EXPECT_EQ(window.width, ScreenWidth);
    EXPECT_EQ(window.height, ScreenHeight);

    // The time shown is the time now (read before "now" was taken, and both whole seconds).
    int shown = SecondOfDay(first.Hours, first.Minutes, first.Seconds);
    int behind = ((now - shown) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    EXPECT_LE(behind, 2) << "the clock showed " << ClockText(first) << " at second " << now
                         << " of the day";

    // Large, in the middle, and nothing else on the screen but the background.
    desktop::Image screen = desktop::Screenshot();
    desktop::SavePng(screen, "full_screen.png");
    ClockReading reading = ReadScreen(screen);
    ASSERT_TRUE(reading.Found) << reading.Problem;
    EXPECT_GE(reading.Width, ScreenWidth / 2);
    EXPECT_LT(reading.Left, ScreenWidth / 2);
    EXPECT_GT(reading.Left + reading.Width, ScreenWidth / 2);
    EXPECT_LT(reading.Top, ScreenHeight * 2 / 3);
    EXPECT_GT(reading.Top + reading.Height, ScreenHeight / 3);
    // In the palette: every pixel is the background or a colour of the face.
    int cream = 0, amber = 0, other = 0;
    for (uint32_t p : Pixels(screen)) {
        cream += p == SegmentCoreColour;
        amber += p == SegmentRimColour;
        other += p != BackgroundColour && p != SegmentCoreColour && p != SegmentRimColour &&
                 p != UnlitSegmentColour && p != ColonColour;
    }
    EXPECT_GT(cream, 0) << "no digit pixel in cream";
    EXPECT_GT(amber, 0) << "no digit pixel in amber";
    EXPECT_EQ(other, 0) << "pixels in colours the clock does not use";

    // A second later the clock shows another time, and has changed the middle of the screen.
    ClockReading later;
    bool ticked = desktop::WaitUntil(3, [&] {
        later = ReadScreen(desktop::Screenshot());
        return later.Found && later.Seconds != reading.Seconds;
    });
    EXPECT_TRUE(ticked) << "the clock still showed " << ClockText(reading) << " 3 s later";
    desktop::Image after = desktop::Screenshot();
    int changed = 0;
    for (int y = reading.Top; y < reading.Top + reading.Height; ++y)
        for (int x = reading.Left; x < reading.Left + reading.Width; ++x)
            changed += screen.At(x, y) != after.At(x, y);
    EXPECT_GT(changed, 0);
    EXPECT_TRUE(desktop::WaitUntil(2, PointerInvisible))
        << "the pointer still showed 2 s after the clock appeared";
    EXPECT_TRUE(saver_->Running()) << "the saver ended by itself";
    ExpectEndsAfter([] { desktop::PressKey("space"); }, "the space bar");
}

TEST_F(FullScreenSaver, IgnoresAPointerThatOnlyTrembles) {
    const int x = 300, y = 300;
    ASSERT_NO_FATAL_FAILURE(Start(x, y));
    const int jitter[][2] = {{1, 0}, {2, 1}, {0, 2}, {-1, -1}, {-2, 1}, {1, -2}, {0, 0}};
    for (const auto& offset : jitter) {
        desktop::MovePointer(x + offset[0], y + offset[1]);
        desktop::Sleep(0.1);
    }
    desktop::Sleep(1.5);
    EXPECT_TRUE(saver_->Running()) << "a pointer moving two pixels ended the saver";
    ExpectEndsAfter([] { desktop::PressKey("Escape"); }, "the Escape key");
}

struct EndingInput {
    const char* Id;
    const char* Name;
    std::function<void()> Input;
};

void PrintTo(const EndingInput& input, std::ostream* out) {
    *out << input.Name;
}

class FullScreenSaverEnding : public FullScreenSaver,
                              public testing::WithParamInterface<EndingInput> {};

TEST_P(FullScreenSaverEnding, EndsWithinASecond) {
    ASSERT_NO_FATAL_FAILURE(Start(ScreenWidth / 2, ScreenHeight / 2));
    // Past its start: it must not have ended on its own start-up pointer reports.
    desktop::Sleep(0.5);
    ExpectEndsAfter(GetParam().Input, GetParam().Name);
}

const EndingInput EndingInputs[] = {
    {"PointerMove", "a 50 px pointer move",
     [] { desktop::MovePointer(ScreenWidth / 2 + 50, ScreenHeight / 2); }},
    {"Key", "a key", [] { desktop::PressKey("a"); }},
    {"LeftClick", "a left click", [] { desktop::Click(1); }},
    {"RightClick", "a right click", [] { desktop::Click(3); }},
};

INSTANTIATE_TEST_SUITE_P(Inputs, FullScreenSaverEnding, testing::ValuesIn(EndingInputs),
                         [](const testing::TestParamInfo<EndingInput>& info) {
                             return std::string(info.param.Id);
                         });

} // namespace
