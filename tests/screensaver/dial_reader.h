// Reads the clockwork face back from a picture: where the dial is, where each hand points and
// which hour marks show. For the tests of the drawing, the preview and the full-screen saver.
// Portable.
#pragma once
#include <stdint.h>

#include <string>

struct DialReading {
    bool Found = false;
    std::string Problem; // why nothing was read, when Found is false
    // The dial's centre and radius in pixels, from the rectangle its pixels fill.
    double CentreX = 0, CentreY = 0, Radius = 0;
    // Where the hands point, in degrees clockwise from twelve; -1 for a hand not seen.
    double Hour = -1, Minute = -1, Second = -1;
    int HourMarks = 0;    // of the 12 hour positions, how many show a mark
    int MarksBetween = 0; // of the 12 half-hour positions, how many show a mark's colour
};

// Reads the face inside the width x height rectangle at (left, top) of a picture of
// 0x00RRGGBB pixels, rows from the top, stride pixels apart. Every pixel in the rectangle
// that is not background belongs to the dial; a hand is known by its colour.
DialReading ReadDial(const uint32_t* pixels, int stride, int left, int top, int width, int height,
                     uint32_t background);

// How far apart two angles in degrees are, the short way round.
double AngleBetween(double a, double b);

// Whether the minute hand at minute degrees hides so much of the hour hand at hour degrees
// that the hour hand's angle does not read exactly.
bool MinuteHandCovers(double hour, double minute);

// The hands' angles for messages: "hour 90.0, minute 0.0, second 0.0".
std::string HandsText(const DialReading& reading);
