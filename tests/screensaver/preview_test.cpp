// The preview: the clock in the chosen style drawn inside a window that another program
// gives, ending with it; and no preview in a window that never goes away.
#include "clock_face.h"
#include "clock_reader.h"
#include "dial_reader.h"
#include "other_process.h"
#include "pixel_canvas.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// The size of the little monitor picture in the screen-saver settings, where window_host.exe
// shows its window.
constexpr int PreviewWidth = 152, PreviewHeight = 112;
constexpr int HostLeft = 200, HostTop = 150;
constexpr DWORD StartLimit = 15000;
constexpr DWORD EndLimit = 3000;
constexpr DWORD OrphanLimit = 2000; // once the parent window is gone
constexpr int SecondsPerDay = 24 * 60 * 60;

// A plain white window of another process standing in for the settings' preview.
struct PreviewHost {
    OtherProcess Process{"window_host.exe", ""};
    std::string Handle = Process.ReadLine(); // in decimal, as the saver is given it
    HWND Window() const {
        return Handle.empty() ? nullptr
                              : reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoul(Handle)));
    }
};

// Keeps a picture for looking at a failure, as a PPM file in the working directory.
void SavePicture(const std::vector<uint32_t>& pixels, int width, int height, const char* name) {
    FILE* file = fopen(name, "wb");
    if (file == nullptr)
        return;
    fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (uint32_t p : pixels) {
        unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
        fwrite(rgb, 1, 3, file);
    }
    fclose(file);
}

int LocalSecondOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
}

// Chooses the style the saver reads at its start: 0 the clockwork face, 1 the digital clock.
void ChooseStyle(DWORD style) {
    EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Flarvex\\Clock", "Style", REG_DWORD,
                              &style, sizeof style),
              ERROR_SUCCESS);
}

// The clockwork face, the default style, with its hands where the time says.
TEST(Preview, DrawsTheClockworkFaceScaledToTheWindow) {
    ChooseStyle(0);
    PreviewHost host;
    ASSERT_NE(host.Window(), nullptr) << "the window host gave no window";
    SaverProcess saver("/p " + host.Handle);
    ASSERT_TRUE(saver.Started());
    DialReading dial;
    std::vector<uint32_t> pixels;
    bool shown = PumpUntil(StartLimit, [&] {
        pixels = ScreenPixels(host.Window());
        dial = ReadDial(pixels.data(), PreviewWidth, 0, 0, PreviewWidth, PreviewHeight,
                        BackgroundColour);
        return dial.Found && dial.HourMarks == 12;
    });
    if (!shown)
        SavePicture(pixels, PreviewWidth, PreviewHeight, "preview_no_dial.ppm");
    ASSERT_TRUE(shown) << "no clockwork face in the preview within " << StartLimit
                       << " ms: " << dial.Problem << "; the preview is in preview_no_dial.ppm";
    SYSTEMTIME now;
    GetLocalTime(&now);
    double minute = (now.wMinute * 60 + now.wSecond) / 10.0;
    double hour = (now.wHour % 12) * 30 + minute / 12;
    // A few pixels long, a hand's angle reads to a few degrees.
    EXPECT_LE(AngleBetween(dial.Minute, minute), 4) << HandsText(dial);
    if (!MinuteHandCovers(hour, minute)) {
        EXPECT_LE(AngleBetween(dial.Hour, hour), 4) << HandsText(dial);
    }
    EXPECT_NEAR(dial.CentreX, PreviewWidth / 2, 1);
    EXPECT_NEAR(dial.CentreY, PreviewHeight / 2, 1);
    EXPECT_GE(dial.Radius, PreviewHeight * 0.45);
    host.Process.WriteLine("destroy");
    EXPECT_TRUE(saver.WaitForExit(EndLimit)) << "the saver outlived its preview window";
}

TEST(Preview, DrawsTheDigitalClockInTheGivenWindowAndEndsWithIt) {
    ChooseStyle(1);
    PreviewHost host;
    ASSERT_NE(host.Window(), nullptr) << "the window host gave no window";
    SaverProcess saver("/p " + host.Handle);
    ASSERT_TRUE(saver.Started());

    HWND child = nullptr;
    ASSERT_TRUE(PumpUntil(StartLimit,
                          [&] {
                              child = saver.FindWindowNamed("Flarvex clock", host.Window());
                              return child != nullptr;
                          }))
        << "no child window of the saver appeared in the preview host within " << StartLimit
        << " ms";
    EXPECT_EQ(GetParent(child), host.Window());
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, HostLeft);
    EXPECT_EQ(rect.top, HostTop);
    EXPECT_EQ(rect.right - rect.left, PreviewWidth);
    EXPECT_EQ(rect.bottom - rect.top, PreviewHeight);

    ClockReading reading;
    std::vector<uint32_t> pixels;
    bool shown = PumpUntil(StartLimit, [&] {
        pixels = ScreenPixels(host.Window());
        reading =
            ReadClock(pixels.data(), PreviewWidth, PreviewHeight, PreviewWidth, BackgroundColour);
        return reading.Found;
    });
    if (!shown)
        SavePicture(pixels, PreviewWidth, PreviewHeight, "preview_no_clock.ppm");
    ASSERT_TRUE(shown) << "no clock could be read in the preview within " << StartLimit
                       << " ms: " << reading.Problem << "; the preview is in preview_no_clock.ppm";
    int now = LocalSecondOfDay();
    int shownSecond = (reading.Hours * 60 + reading.Minutes) * 60 + reading.Seconds;
    int behind = ((now - shownSecond) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    EXPECT_LE(behind, 2) << "the preview showed " << ClockText(reading);
    // Scaled to the preview, and covering all of it: not a pixel of the host's white is left.
    EXPECT_GE(reading.Width, PreviewWidth * 2 / 3);
    EXPECT_LE(reading.Width, PreviewWidth);
    for (size_t i = 0; i < pixels.size(); ++i)
        ASSERT_NE(pixels[i], 0xFFFFFFu) << "the host shows through at pixel " << i;

    host.Process.WriteLine("destroy");
    DWORD code = 0;
    EXPECT_TRUE(saver.WaitForExit(EndLimit, &code))
        << "the saver still ran " << EndLimit << " ms after its preview window was destroyed";
    EXPECT_EQ(code, 0u);
}

TEST(Preview, EndsWhenTheProcessOwningItsWindowIsKilled) {
    PreviewHost host;
    ASSERT_NE(host.Window(), nullptr) << "the window host gave no window";
    SaverProcess saver("/p " + host.Handle);
    ASSERT_TRUE(saver.Started());
    ASSERT_TRUE(
        PumpUntil(StartLimit,
                  [&] { return saver.FindWindowNamed("Flarvex clock", host.Window()) != nullptr; }))
        << "no preview appeared in the host's window within " << StartLimit << " ms";
    ASSERT_TRUE(host.Process.Kill());
    DWORD code = 0;
    EXPECT_TRUE(saver.WaitForExit(OrphanLimit, &code))
        << "the saver still ran " << OrphanLimit << " ms after its window's process was killed";
    EXPECT_EQ(code, 0u);
}

// Without a window to draw in, the preview ends at once with exit code 1.
class PreviewWithoutWindow : public testing::TestWithParam<const char*> {};

TEST_P(PreviewWithoutWindow, EndsAtOnce) {
    SaverProcess saver(GetParam());
    ASSERT_TRUE(saver.Started());
    DWORD code = 0;
    ASSERT_TRUE(saver.WaitForExit(EndLimit, &code))
        << "'" << GetParam() << "' still ran after " << EndLimit << " ms";
    EXPECT_EQ(code, 1u) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Arguments, PreviewWithoutWindow,
                         testing::Values("/p", "/p 0", "-P:zero", "/p 4294967295",
                                         "/p 99999999999"));

// The desktop never goes away, so a preview in it would never end: refused like no window.
TEST(Preview, RefusesTheDesktopWindow) {
    SaverProcess saver("/p " + std::to_string(reinterpret_cast<uintptr_t>(GetDesktopWindow())));
    ASSERT_TRUE(saver.Started());
    DWORD code = 0;
    ASSERT_TRUE(saver.WaitForExit(EndLimit, &code)) << "still ran after " << EndLimit << " ms";
    EXPECT_EQ(code, 1u);
}

} // namespace
