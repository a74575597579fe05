// The clockwork face as drawn: hands and hour marks read back from the pixels at fixed times,
// a picture kept up to date step by step equal to one drawn afresh, and the style switch.
#include "clock_reader.h"
#include "dial_reader.h"
#include "saver_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A picture of one screen and the cache its scene needs.
struct Screen {
    int Width, Height;
    std::vector<uint32_t> Picture, Cache;
    SaverScene Scene = {};

    Screen(int width, int height, const SaverSettings& settings, DialTime time)
        : Width(width), Height(height), Picture(static_cast<size_t>(width) * height, 0x123456) {
        int side = SceneCacheSize(settings, width, height, true);
        Cache.resize(static_cast<size_t>(side) * side);
        StartScene(Scene, settings, true, {Picture.data(), width, height, width},
                   {Cache.data(), side, side, side}, time);
    }
    DialReading Dial() const {
        return ReadDial(Picture.data(), Width, 0, 0, Width, Height, DialBackground);
    }
};

DialTime TimeAt(int millisecondOfDay) {
    int second = millisecondOfDay / 1000;
    return {second / 3600, second / 60 % 60, second % 60, millisecondOfDay % 1000};
}

// Hour: 30 degrees an hour and 0.5 a minute; minute: 6 a minute and 0.1 a second; second:
// 6 a second, sweeping with the milliseconds.
TEST(DialFace, HandsAndHourMarksReadBack) {
    constexpr double Tolerance = 0.5; // degrees
    const struct {
        DialTime Time;
        bool SecondHand;
        double Hour, Minute, Second; // degrees; -1: no second hand
    } cases[] = {
        {{9, 30, 15, 500}, true, 285.125, 181.5, 93},
        {{6, 15, 45, 250}, true, 187.875, 94.5, 271.5},
        {{10, 10, 40, 0}, true, 305 + 1.0 / 3, 64, 240},
        {{0, 45, 0, 900}, true, 22.5, 270, 5.4},
        {{23, 40, 59, 999}, false, 350.491, 245.9, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Time.Hours << ":" << c.Time.Minutes << ":"
                                        << c.Time.Seconds << "." << c.Time.Milliseconds);
        Screen screen(520, 480, {ClockStyle::Clockwork, c.SecondHand, true}, c.Time);
        DialReading dial = screen.Dial();
        ASSERT_TRUE(dial.Found) << dial.Problem;
        EXPECT_NEAR(dial.CentreX, 260, 0.5);
        EXPECT_NEAR(dial.CentreY, 240, 0.5);
        EXPECT_NEAR(dial.Radius, 480 * FullScreenDialPercent / 200.0, 1.0);
        EXPECT_LE(AngleBetween(dial.Hour, c.Hour), Tolerance) << HandsText(dial);
        EXPECT_LE(AngleBetween(dial.Minute, c.Minute), Tolerance) << HandsText(dial);
        if (c.Second < 0) {
            EXPECT_EQ(dial.Second, -1) << HandsText(dial);
        } else {
            EXPECT_LE(AngleBetween(dial.Second, c.Second), Tolerance) << HandsText(dial);
        }
        EXPECT_EQ(dial.HourMarks, 12);
        EXPECT_EQ(dial.MarksBetween, 0);
    }
}

// Steps over a change of minute, each drawing only what changed: the picture equals one drawn
// afresh, and nothing changed outside the rectangles reported.
TEST(DialFace, StepByStepEqualsDrawnAfresh) {
    const int width = 300, height = 260;
    SaverSettings settings = {ClockStyle::Clockwork, true, true};
    const int start = ((7 * 60 + 59) * 60 + 58) * 1000 + 700;
    Screen screen(width, height, settings, TimeAt(start));
    // Every fourth step comes late, as under load, and the hands have moved far.
    for (int step = 1, now = start; step <= 30; ++step) {
        now += step % 4 == 0 ? 1300 : 100;
        DialTime time = TimeAt(now);
        std::vector<uint32_t> before = screen.Picture;
        PixelRect changed[SceneChangeLimit];
        int count = AdvanceScene(screen.Scene, time, changed);
        Screen fresh(width, height, settings, time);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                size_t i = static_cast<size_t>(y) * width + x;
                ASSERT_EQ(screen.Picture[i], fresh.Picture[i])
                    << "step " << step << ": first difference at (" << x << ", " << y << ")";
                bool reported = false;
                for (int c = 0; c < count; ++c)
                    reported = reported || (x >= changed[c].Left && x < changed[c].Right &&
                                            y >= changed[c].Top && y < changed[c].Bottom);
                ASSERT_TRUE(reported || screen.Picture[i] == before[i])
                    << "step " << step << ": (" << x << ", " << y << ") changed unreported";
            }
    }
}

// The style switch and the digital clock's hours. (At this size the digits, if drawn with
// the face, would hide some of its marks.)
TEST(SaverScene, ShowsTheChosenStyle) {
    const struct {
        SaverSettings Settings;
        DialTime Time;
        std::string Shown; // as the digital clock reads, or "" for the clockwork face
    } cases[] = {
        {{ClockStyle::Clockwork, true, false}, {13, 5, 9, 0}, ""},
        {{ClockStyle::Digital, true, true}, {13, 5, 9, 0}, "13:05:09"},
        {{ClockStyle::Digital, false, false}, {13, 5, 9, 0}, "01:05:09"},
        {{ClockStyle::Digital, true, false}, {0, 30, 0, 0}, "12:30:00"},
        {{ClockStyle::Digital, true, false}, {12, 0, 59, 0}, "12:00:59"},
    };
    for (const auto& c : cases) {
        Screen screen(400, 300, c.Settings, c.Time);
        ClockReading digits = ReadClock(screen.Picture.data(), 400, 300, 400, BackgroundColour);
        EXPECT_EQ(digits.Found ? ClockText(digits) : "", c.Shown) << digits.Problem;
        EXPECT_EQ(screen.Dial().HourMarks, c.Shown.empty() ? 12 : 0) << c.Shown;
    }
}

// The fixed-point sine against the library's, over every angle the face can use.
TEST(CoverageDrawing, SineIsWithinAStepOfTheTrueValue) {
    for (int turn = -FullTurn; turn <= FullTurn; ++turn) {
        double exact = std::sin(turn * 2 * 3.14159265358979323846 / FullTurn) * 65536;
        ASSERT_NEAR(SineOf(turn), exact, 1.0) << "turn " << turn;
    }
}

// Antialiased shapes cover as much as their area, with soft edges. (What a clip leaves out is
// seen in the step-by-step test, which composes the face in clipped rectangles.)
TEST(CoverageDrawing, ShapesCoverTheirArea) {
    const int size = 64;
    struct ShapeCase {
        const char* Name;
        double Area;
        void (*Draw)(const PixelSurface&, const PixelRect&);
    } shapes[] = {
        {"disc of radius 20.3", 3.14159265358979 * 20.3 * 20.3,
         [](const PixelSurface& s, const PixelRect& clip) {
             FillRing(s, clip, {32 * 256 + 77, 30 * 256}, 20 * 256 + 77, 0, 0xFFFFFF);
         }},
        {"ring from 10 to 25", 3.14159265358979 * (25 * 25 - 10 * 10),
         [](const PixelSurface& s, const PixelRect& clip) {
             FillRing(s, clip, {32 * 256, 32 * 256}, 25 * 256, 10 * 256, 0xFFFFFF);
         }},
        {"square turned by 30 degrees, side 30", 900,
         [](const PixelSurface& s, const PixelRect& clip) {
             SubPoint c = {32 * 256, 32 * 256}, corners[4];
             for (int i = 0; i < 4; ++i)
                 corners[i] = PointAt(c, FullTurn / 12 + i * FullTurn / 4, 15 * 362, 0);
             FillConvex(s, clip, corners, 4, 0xFFFFFF);
         }},
    };
    for (const ShapeCase& shape : shapes) {
        std::vector<uint32_t> pixels(size * size, 0);
        PixelSurface surface = {pixels.data(), size, size, size};
        shape.Draw(surface, {0, 0, size, size});
        double covered = 0;
        int partial = 0;
        for (uint32_t p : pixels) {
            covered += (p & 0xFF) / 255.0;
            partial += (p & 0xFF) != 0 && (p & 0xFF) != 0xFF;
        }
        EXPECT_NEAR(covered, shape.Area, shape.Area * 0.01) << shape.Name;
        EXPECT_GT(partial, 20) << shape.Name << " has hard edges";
    }
}

} // namespace
