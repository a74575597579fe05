// Reading hands and hour marks from pixels.
#include "dial_reader.h"

#include "dial_face.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double Pi = 3.14159265358979323846;
// Hands are read between their tails and the hour marks, each by its colour.
constexpr double HandsFrom = 0.25, HandsTo = 0.76;
constexpr uint32_t HandColours[3] = {HourHandColour, MinuteHandColour, SecondHandColour};
// Marks are read beyond the second hand's tip, between the minute ticks.
constexpr double MarkRadius = (SecondHandTip + HourMarkOuter) / 2000.0;
constexpr int FewestPixels = 3;

} // namespace

DialReading ReadDial(const uint32_t* pixels, int stride, int left, int top, int width, int height,
                     uint32_t background) {
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF; };
    DialReading reading;
    int first = left + width, last = -1, upper = top + height, lower = -1;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (at(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
                upper = std::min(upper, y);
                lower = std::max(lower, y);
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
    // A hand points towards the middle of the pixels of exactly its colour.
    double sumX[3] = {}, sumY[3] = {};
    int count[3] = {};
    for (int y = upper; y <= lower; ++y)
        for (int x = first; x <= last; ++x) {
            double dx = x + 0.5 - reading.CentreX, dy = y + 0.5 - reading.CentreY;
            double distance = std::hypot(dx, dy) / reading.Radius;
            if (distance < HandsFrom || distance > HandsTo)
                continue;
            for (int hand = 0; hand < 3; ++hand)
                if (at(x, y) == HandColours[hand]) {
                    sumX[hand] += dx;
                    sumY[hand] += dy;
                    ++count[hand];
                }
        }
    double* angles[3] = {&reading.Hour, &reading.Minute, &reading.Second};
    for (int hand = 0; hand < 3; ++hand)
        if (count[hand] >= FewestPixels)
            *angles[hand] = std::fmod(std::atan2(sumX[hand], -sumY[hand]) * 180 / Pi + 360, 360);
    auto markAt = [&](double degrees) {
        double turn = degrees * Pi / 180, radius = MarkRadius * reading.Radius;
        return at(static_cast<int>(std::floor(reading.CentreX + std::sin(turn) * radius)),
                  static_cast<int>(std::floor(reading.CentreY - std::cos(turn) * radius))) ==
               HourMarkColour;
    };
    for (int hour = 0; hour < 12; ++hour) {
        reading.HourMarks += markAt(hour * 30);
        reading.MarksBetween += markAt(hour * 30 + 15);
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
