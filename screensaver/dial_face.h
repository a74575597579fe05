// The clockwork face: an analogue dial in the setup's sepia tones, with a ring of hour marks,
// hour, minute and second hands, and a wheel and pinion turning behind a cut-out in the dial.
// Portable.
//
// The face lives in a square of pixels. The dial, its marks and the clockwork as it stands at
// the current second are drawn once into a cache of that square; the picture shown is the
// cache with the hands over it. When the time moves on, only the rectangles that the hands
// cover (where they were and where they are now) and, at a new second, the cut-out are
// composed again from the cache.
//
// Sizes are in thousandths of the dial's radius. The cut-out's centre lies 400 below the
// dial's; hands turn about the dial's centre:
//
//   rim            935 to 1000     minute hand   tip 740, tail 130
//   hour marks     790 to 905      hour hand     tip 500, tail 110
//   cut-out        radius 285      second hand   tip 840, tail 220
#pragma once
#include "coverage_drawing.h"

// The setup's sepia tones, darkest to lightest, as the face uses them.
constexpr uint32_t SepiaTones[13] = {
    SurfaceColour(47, 10, 10),    SurfaceColour(76, 22, 14),    SurfaceColour(104, 37, 20),
    SurfaceColour(129, 54, 28),   SurfaceColour(151, 72, 38),   SurfaceColour(171, 91, 50),
    SurfaceColour(189, 111, 64),  SurfaceColour(205, 132, 80),  SurfaceColour(219, 153, 98),
    SurfaceColour(231, 175, 119), SurfaceColour(241, 197, 142), SurfaceColour(249, 224, 175),
    SurfaceColour(255, 251, 214)};

constexpr uint32_t DialBackground = SepiaTones[0];
constexpr uint32_t DialPlateColour = SepiaTones[1];
constexpr uint32_t HourMarkColour = SepiaTones[11];
constexpr uint32_t HourHandColour = SepiaTones[11];
constexpr uint32_t MinuteHandColour = SepiaTones[10];
constexpr uint32_t SecondHandColour = SepiaTones[6];

constexpr int HourMarkInner = 790, HourMarkOuter = 905;
constexpr int HourHandTip = 500, MinuteHandTip = 740, SecondHandTip = 840;
constexpr int CutOutDrop = 400, CutOutRadius = 285;

// A moment of the day to the millisecond.
struct DialTime {
    int Hours, Minutes, Seconds, Milliseconds;
};

// Where each hand points, in 1/65536 of a turn clockwise from twelve: the second hand sweeps
// with the milliseconds, the others move on once a second.
struct HandTurns {
    int Hour, Minute, Second;
};

HandTurns HandTurnsAt(DialTime time);

// One face and what it shows.
struct DialFace {
    PixelSurface Cache; // the dial, its marks and the clockwork, Size x Size
    PixelSurface Frame; // the square of the picture that shows the face, Size x Size
    int Size;
    SubPoint Centre;
    int Radius; // sub-pixels
    bool SecondHand;
    // What the frame shows now.
    int ClockworkSecond;
    HandTurns Shown;
};

// The side of the square for a dial whose diameter is percent of the smaller side of a
// width x height screen; 0 when no dial fits.
int DialSizeFor(int width, int height, int percent);

// Takes two Size x Size surfaces (the cache and the square of the picture) and draws the
// whole face into both for time; with secondHand false the face has no second hand.
void StartDial(DialFace& face, const PixelSurface& cache, const PixelSurface& frame, int size,
               bool secondHand, DialTime time);

// At most this many rectangles change in one step.
constexpr int DialChangeLimit = 8;

// Brings the frame to time, composing again only what changed. Writes the rectangles of the
// square that changed to changed (room for DialChangeLimit) and returns how many there are.
int AdvanceDial(DialFace& face, DialTime time, PixelRect* changed);
