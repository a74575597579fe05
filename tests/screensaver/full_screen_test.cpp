// The full-screen saver as a user meets it, driven from outside on two virtual monitors side
// by side: a clockwork face centred on each monitor, showing the current time with a sweeping
// second hand; the style chosen in the settings dialog; and the end on a key, a click or a real
// pointer move, but not on a pointer that merely trembles.
#include "clock_face.h"
#include "clock_reader.h"
#include "desktop.h"
#include "dial_reader.h"
#include "saver_scene.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The monitors of the session (tools/wine-session --screens 1024x768,800x600).
constexpr desktop::Rect Monitors[] = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};
constexpr int ScreenWidth = 1024 + 800, ScreenHeight = 768;
// Where the pointer rests during a test: on the first monitor, for Xephyr moves the pointer
// from the second one back to the first only from near their common edge.
constexpr int RestingX = 1000, RestingY = 700;
constexpr int SecondsPerDay = 24 * 60 * 60;
constexpr double StartLimit = 20; // seconds for Wine to start the saver and show the clock
constexpr double EndLimit = 1.0;  // seconds in which the saver must end after the input
constexpr char WindowName[] = "Flarvex clock";
constexpr char DialogName[] = "Flarvex clock settings";

std::string SaverPath() {
    return desktop::BuildDir() + "/Flarvex.scr";
}

std::vector<uint32_t> Pixels(const desktop::Image& image) {
    std::vector<uint32_t> pixels(image.pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = image.pixels[i].Value();
    return pixels;
}

DialReading ReadMonitor(const std::vector<uint32_t>& pixels, const desktop::Rect& monitor) {
    return ReadDial(pixels.data(), ScreenWidth, monitor.x, monitor.y, monitor.width, monitor.height,
                    DialBackground);
}

// True when every monitor shows a whole clockwork face: each window paints in its own time.
bool ShowsDial(const desktop::Image& screen) {
    std::vector<uint32_t> pixels = Pixels(screen);
    for (const desktop::Rect& monitor : Monitors) {
        DialReading dial = ReadMonitor(pixels, monitor);
        if (!dial.Found || dial.HourMarks != 12)
            return false;
    }
    return true;
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

tm LocalTime() {
    time_t now = time(nullptr);
    tm local;
    localtime_r(&now, &local);
    return local;
}

// Runs the saver with the pointer resting at (x, y) and waits until the clock is on the
// screen; the reading it saw goes to *reading.
class FullScreenSaver : public testing::Test {
  protected:
    void SetUp() override {
        // Every test starts from the default settings.
        desktop::RunWine({"reg", "delete", "HKCU\\Software\\Flarvex\\Clock", "/f"});
    }

    // Runs the saver and waits until shown(screenshot) holds.
    void Start(int x, int y, const std::function<bool(const desktop::Image&)>& shown = ShowsDial) {
        desktop::MovePointer(x, y);
        // Wine answers GetCursorPos from the last position one of its windows saw for 100 ms
        // after it saw it, and none saw this move: let that pass, or the saver starts with
        // the old position and takes the real one for a move.
        desktop::Sleep(0.25);
        saver_ =
            std::make_unique<desktop::WineProgram>(std::vector<std::string>{SaverPath(), "/s"});
        ASSERT_NE(desktop::WaitForWindow(WindowName, StartLimit), 0u);
        bool seen = desktop::WaitUntil(StartLimit, [&] { return shown(desktop::Screenshot()); });
        if (!seen)
            desktop::SavePng(desktop::Screenshot(), "full_screen_no_clock.png");
        ASSERT_TRUE(seen) << "no clock could be read on the screen within " << StartLimit
                          << " s; the screen is in full_screen_no_clock.png";
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

TEST_F(FullScreenSaver, ShowsTheTimeCentredOnEachMonitor) {
    desktop::MovePointer(RestingX, RestingY);
    ASSERT_FALSE(PointerInvisible()) << "the pointer is invisible before the saver starts";
    ASSERT_NO_FATAL_FAILURE(Start(RestingX, RestingY));
    tm now = LocalTime();
    desktop::Image screen = desktop::Screenshot();
    desktop::SavePng(screen, "full_screen.png");
    std::vector<uint32_t> pixels = Pixels(screen);
    double minute = (now.tm_min * 60 + now.tm_sec) / 10.0;
    double hour = (now.tm_hour % 12) * 30 + minute / 12;
    double second = now.tm_sec * 6;
    for (const desktop::Rect& monitor : Monitors) {
        DialReading dial = ReadMonitor(pixels, monitor);
        std::string where = "on the monitor at " + std::to_string(monitor.x);
        ASSERT_TRUE(dial.Found) << where << ": " << dial.Problem;
        EXPECT_NEAR(dial.CentreX, monitor.x + monitor.width / 2.0, 1) << where;
        EXPECT_NEAR(dial.CentreY, monitor.y + monitor.height / 2.0, 1) << where;
        EXPECT_NEAR(dial.Radius, monitor.height * FullScreenDialPercent / 200.0, 1.5) << where;
        EXPECT_EQ(dial.HourMarks, 12) << where;
        // The time now, taken in whole seconds after the picture.
        EXPECT_LE(AngleBetween(dial.Minute, minute), 1.0) << where << ": " << HandsText(dial);
        if (!MinuteHandCovers(hour, minute)) {
            EXPECT_LE(AngleBetween(dial.Hour, hour), 1.0) << where << ": " << HandsText(dial);
        }
        EXPECT_LE(AngleBetween(dial.Second, second), 13.0) << where << ": " << HandsText(dial);
    }

    // The second hand sweeps: from one picture to a later one it has moved on, by at most 6
    // degrees a second and a step of the sweep.
    double start = desktop::Now();
    DialReading before = ReadMonitor(Pixels(desktop::Screenshot()), Monitors[0]), after;
    double moved = 0;
    desktop::WaitUntil(2, [&] {
        after = ReadMonitor(Pixels(desktop::Screenshot()), Monitors[0]);
        moved = AngleBetween(before.Second, after.Second);
        return moved > 0.5;
    });
    double end = desktop::Now();
    EXPECT_GT(moved, 0.5) << HandsText(before) << " then " << HandsText(after);
    EXPECT_LT(moved, 6 * (end - start) + 1) << HandsText(before) << " then " << HandsText(after);
    EXPECT_TRUE(desktop::WaitUntil(2, PointerInvisible))
        << "the pointer still showed 2 s after the clock appeared";
    EXPECT_TRUE(saver_->Running()) << "the saver ended by itself";
    ExpectEndsAfter([] { desktop::PressKey("space"); }, "the space bar");
}

// The digital clock chosen in the settings dialog, with the keyboard, is what /s shows then.
TEST_F(FullScreenSaver, ShowsTheStyleChosenInTheDialog) {
    desktop::WineProgram settings({SaverPath(), "/c"});
    unsigned long dialog = desktop::WaitForWindow(DialogName, StartLimit);
    ASSERT_NE(dialog, 0u);
    desktop::Rect box = desktop::WindowGeometry(dialog);
    desktop::MovePointer(box.x + box.width / 2, box.y + 5);
    desktop::PressKey("alt+d", dialog);
    desktop::PressKey("Return", dialog);
    int code = -1;
    ASSERT_TRUE(settings.WaitForExit(5, &code)) << "the dialog did not close on Return";
    EXPECT_EQ(code, 0);

    auto digits = [](const desktop::Image& screen) {
        std::vector<uint32_t> pixels = Pixels(screen);
        const desktop::Rect& m = Monitors[1];
        return ReadClock(pixels.data() + m.x, m.width, m.height, ScreenWidth, BackgroundColour)
            .Found;
    };
    ASSERT_NO_FATAL_FAILURE(Start(RestingX, RestingY, digits));
    tm now = LocalTime();
    std::vector<uint32_t> pixels = Pixels(desktop::Screenshot());
    for (const desktop::Rect& m : Monitors) {
        ClockReading clock =
            ReadClock(pixels.data() + m.x, m.width, m.height, ScreenWidth, BackgroundColour);
        ASSERT_TRUE(clock.Found) << "monitor at " << m.x << ": " << clock.Problem;
        int shown = SecondOfDay(clock.Hours, clock.Minutes, clock.Seconds);
        int behind = ((SecondOfDay(now.tm_hour, now.tm_min, now.tm_sec) - shown) % SecondsPerDay +
                      SecondsPerDay) %
                     SecondsPerDay;
        EXPECT_LE(behind, 2) << "monitor at " << m.x << " showed " << ClockText(clock);
    }
    ExpectEndsAfter([] { desktop::PressKey("Escape"); }, "the Escape key");
}

// On the edge between the monitors, where the pointer passes from one window to the other.
TEST_F(FullScreenSaver, IgnoresAPointerThatOnlyTrembles) {
    const int x = 1023, y = 300;
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
    // Last: Xephyr may keep the pointer on the second monitor afterwards.
    {"PointerMoveToTheOtherMonitor", "a pointer move onto the other monitor",
     [] { desktop::MovePointer(1030, ScreenHeight / 2 - 100); }},
};

INSTANTIATE_TEST_SUITE_P(Inputs, FullScreenSaverEnding, testing::ValuesIn(EndingInputs),
                         [](const testing::TestParamInfo<EndingInput>& info) {
                             return std::string(info.param.Id);
                         });

} // namespace
