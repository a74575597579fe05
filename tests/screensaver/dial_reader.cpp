// Reading hands and hour marks from pixels.
#include "dial_reader.h"

#include "dial_face.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double Pi = 3.14159265358979323846;
// Hands are read between their tails and the hour marks.
constexpr double HandsFrom = 0.25, HandsTo = 0.76;
// Marks are read beyond the second hand's tip, between the minute ticks.
constexpr double MarkRadius = (SecondHandTip + HourMarkOuter) / 2000.0;
constexpr int FewestPixels = 3;

// The angle of a hand, from the pixels of exactly its colour: the direction of their middle.
double HandAngle(const uint32_t* pixels, int stride, const DialReading& dial, int left, int top,
                 int width, int height, uint32_t colour) {
    double sumX = 0, sumY = 0;
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            if ((pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF) != colour)
                continue;
            double dx = x + 0.5 - dial.CentreX, dy = y + 0.5 - dial.CentreY;
            double distance = std::sqrt(dx * dx + dy * dy);
            if (distance < HandsFrom * dial.Radius || distance > HandsTo * dial.Radius)
                continue;
            sumX += dx;
            sumY += dy;
            ++count;
        }
    if (count < FewestPixels)
        return -1;
    double angle = std::atan2(sumX, -sumY) * 180 / Pi;
    return angle < 0 ? angle + 360 : angle;
}

uint32_t PixelAtAngle(const uint32_t* pixels, int stride, const DialReading& dial, double degrees,
                      double radius) {
    double turn = degrees * Pi / 180;
    int x = static_cast<int>(std::floor(dial.CentreX + std::sin(turn) * radius));
    int y = static_cast<int>(std::floor(dial.CentreY - std::cos(turn) * radius));
    return pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF;
}

} // namespace

DialReading ReadDial(const uint32_t* pixels, int stride, int left, int top, int width, int height,
                     uint32_t background) {
    DialReading reading;
    int first = left + width, last = -1, upper = top + height, lower = -1;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if ((pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF) != background) {
                first = x < first ? x : first;
                last = x > last ? x : last;
                upper = y < upper ? y : upper;
                lower = y > lower ? y : lower;
            }
    if (last < 0) {
        reading.Problem = "every pixel is background";
        return reading;
    }
    int across = last - first + 1, down = lower - upper + 1;
    if (std::abs(across - down) > 1) {
        reading.Problem = "the face is " + std::to_string(across) + " x " + std::to_string(down) +
                          " pixels, not round";
        return reading;
    }
    reading.CentreX = (first + last + 1) / 2.0;
    reading.CentreY = (upper + lower + 1) / 2.0;
    reading.Radius = across / 2.0;
    reading.Hour = HandAngle(pixels, stride, reading, left, top, width, height, HourHandColour);
    reading.Minute = HandAngle(pixels, stride, reading, left, top, width, height, MinuteHandColour);
    reading.Second = HandAngle(pixels, stride, reading, left, top, width, height, SecondHandColour);
    for (int hour = 0; hour < 12; ++hour) {
        double radius = MarkRadius * reading.Radius;
        reading.HourMarks +=
            PixelAtAngle(pixels, stride, reading, hour * 30, radius) == HourMarkColour;
        reading.MarksBetween +=
            PixelAtAngle(pixels, stride, reading, hour * 30 + 15, radius) == HourMarkColour;
    }
    reading.Found = true;
    return reading;
}

double AngleBetween(double a, double b) {
    double difference = std::fmod(std::fabs(a - b), 360.0);
    return difference > 180 ? 360 - difference : difference;
}

bool MinuteHandCovers(double hour, double minute) {
    return AngleBetween(hour, minute) < 20;
}

std::string HandsText(const DialReading& reading) {
    char text[80];
    std::snprintf(text, sizeof text, "hour %.1f, minute %.1f, second %.1f", reading.Hour,
                  reading.Minute, reading.Second);
    return text;
}
