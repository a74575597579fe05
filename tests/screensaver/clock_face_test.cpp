// The clock face as drawn: the time reads back from the pixels, the face fits where it is
// put, and nothing is drawn outside the surface.
#include "clock_face.h"
#include "clock_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t Guard = SurfaceColour(1, 2, 3);

struct Canvas {
    int Width, Height;
    std::vector<uint32_t> Pixels;
    Canvas(int width, int height, uint32_t colour)
        : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, colour) {}
    PixelSurface Surface() {
        return {Pixels.data(), Width, Height, Width};
    }
    ClockReading Read() const {
        return ReadClock(Pixels.data(), Width, Height, Width, BackgroundColour);
    }
};

void ExpectReadsBack(int thickness, ClockTime time) {
    FaceSize face = FaceSizeFor(thickness);
    const int left = 3, top = 2;
    Canvas canvas(face.Width + 7, face.Height + 5, BackgroundColour);
    DrawClockFace(canvas.Surface(), left, top, thickness, time);
    ClockReading reading = canvas.Read();
    ASSERT_TRUE(reading.Found) << "thickness " << thickness << ": " << reading.Problem;
    EXPECT_EQ(reading.Hours, time.Hours) << "thickness " << thickness;
    EXPECT_EQ(reading.Minutes, time.Minutes) << "thickness " << thickness;
    EXPECT_EQ(reading.Seconds, time.Seconds) << "thickness " << thickness;
    EXPECT_EQ(reading.Left, left);
    EXPECT_EQ(reading.Top, top);
    EXPECT_EQ(reading.Width, face.Width) << "thickness " << thickness;
    EXPECT_EQ(reading.Height, face.Height) << "thickness " << thickness;
}

TEST(ClockFace, EveryMinuteOfTheDayReadsBackAtPreviewSizes) {
    for (int thickness : {1, 2, 3, 4})
        for (int minute = 0; minute < 24 * 60; ++minute) {
            ClockTime time = {minute / 60, minute % 60, (minute * 7) % 60};
            ExpectReadsBack(thickness, time);
            if (testing::Test::HasFailure())
                return;
        }
}

TEST(ClockFace, ReadsBackAtScreenSizes) {
    const ClockTime times[] = {{0, 0, 0}, {12, 34, 56}, {23, 59, 59}, {19, 8, 47}, {20, 15, 31}};
    for (int thickness : {7, 16, 25, 61})
        for (ClockTime time : times)
            ExpectReadsBack(thickness, time);
}

TEST(ClockFace, LargestThicknessThatFits) {
    for (int percent : {62, 86, 100})
        for (int width = 0; width <= 4000; width += 37)
            for (int height = 0; height <= 2200; height += 53) {
                int t = FaceThicknessFor(width, height, percent);
                FaceSize face = FaceSizeFor(t), larger = FaceSizeFor(t + 1);
                ASSERT_LE(face.Width * 100, width * percent) << width << "x" << height;
                ASSERT_LE(face.Height * 3, height) << width << "x" << height;
                ASSERT_TRUE(larger.Width * 100 > width * percent || larger.Height * 3 > height)
                    << width << "x" << height << " at " << percent << "% has room for " << t + 1;
            }
    EXPECT_EQ(FaceThicknessFor(-5, 100, 62), 0);
    EXPECT_EQ(FaceThicknessFor(100000000, 100000000, 62), FaceThicknessFor(1 << 20, 1 << 30, 62));
}

// A face drawn partly off the surface: the pixels inside are those of the whole face, and
// nothing outside the surface is touched.
TEST(ClockFace, ClipsAtTheSurfaceEdges) {
    const int t = 5, margin = 10;
    FaceSize face = FaceSizeFor(t);
    ClockTime time = {8, 8, 8};
    Canvas whole(face.Width, face.Height, BackgroundColour);
    DrawClockFace(whole.Surface(), 0, 0, t, time);

    const int width = 100, height = 30;
    const int places[][2] = {{-40, -20}, {60, 5}, {-190, 10}, {30, -40}, {-500, 0}, {0, 100}};
    for (const auto& place : places) {
        Canvas canvas(width + 2 * margin, height + 2 * margin, Guard);
        PixelSurface inner = {canvas.Pixels.data() + margin * canvas.Width + margin, width, height,
                              canvas.Width};
        FillRectangle(inner, 0, 0, width, height, BackgroundColour);
        DrawClockFace(inner, place[0], place[1], t, time);
        for (int y = 0; y < canvas.Height; ++y)
            for (int x = 0; x < canvas.Width; ++x) {
                int ix = x - margin, iy = y - margin;
                bool inside = ix >= 0 && ix < width && iy >= 0 && iy < height;
                int fx = ix - place[0], fy = iy - place[1];
                bool onFace = fx >= 0 && fx < face.Width && fy >= 0 && fy < face.Height;
                uint32_t expected = !inside  ? Guard
                                    : onFace ? whole.Pixels[fy * face.Width + fx]
                                             : BackgroundColour;
                ASSERT_EQ(canvas.Pixels[y * canvas.Width + x], expected)
                    << "face at (" << place[0] << ", " << place[1] << "), pixel (" << ix << ", "
                    << iy << ")";
            }
    }
}

TEST(ClockFace, FillRectangleClips) {
    Canvas canvas(12, 8, Guard);
    PixelSurface inner = {canvas.Pixels.data() + 2 * 12 + 2, 8, 4, 12};
    FillRectangle(inner, -3, -3, 100, 100, BackgroundColour);
    FillRectangle(inner, 6, 2, -4, 9, Guard); // nothing: negative width
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            bool inside = x >= 2 && x < 10 && y >= 2 && y < 6;
            ASSERT_EQ(canvas.Pixels[y * 12 + x], inside ? BackgroundColour : Guard)
                << "pixel (" << x << ", " << y << ")";
        }
}

TEST(ClockFace, ZeroThicknessDrawsNothing) {
    Canvas canvas(40, 10, BackgroundColour);
    DrawClockFace(canvas.Surface(), 0, 0, 0, {12, 0, 0});
    DrawClockFace(canvas.Surface(), 0, 0, -3, {12, 0, 0});
    EXPECT_FALSE(canvas.Read().Found);
}

} // namespace
