// What one screen shows: the chosen style of clock, drawn into that screen's picture and kept
// up to date, each change reported as the rectangles it touched. Portable.
#pragma once
#include "clock_drift.h"
#include "clock_face.h"
#include "dial_face.h"
#include "saver_settings.h"

// How much of the screen the clock takes: the dial's diameter as a share of the screen's
// smaller side, the digital clock's width as a share of its width; nearly all of a preview,
// which is only a few dozen pixels high.
constexpr int FullScreenDialPercent = 80, PreviewDialPercent = 92;
constexpr int FullScreenDigitsPercent = 62, PreviewDigitsPercent = 86;

// Milliseconds between two pictures of a sweeping second hand. At this rate its tip moves
// a few pixels a step on a large screen, and two full-screen faces cost under 2 % of a
// processor core (bench/README.md).
constexpr int SweepInterval = 100;

// At most this many rectangles change in one step.
constexpr int SceneChangeLimit = DialChangeLimit;

struct SaverScene {
    SaverSettings Settings;
    PixelSurface Picture; // the whole screen's
    // The clockwork face, in a square of the picture.
    DialFace Dial;
    int DialLeft, DialTop;
    // The digital clock, drifting over the picture.
    int Thickness;
    FaceSize Digits;
    Drift Position;
    int ShownSecond;
};

// The side of the square that the scene needs as a cache beside its picture (0 for none).
int SceneCacheSize(const SaverSettings& settings, int width, int height, bool fullScreen);

// Draws the first picture of the clock for time. cache is a square of SceneCacheSize's side.
void StartScene(SaverScene& scene, const SaverSettings& settings, bool fullScreen,
                const PixelSurface& picture, const PixelSurface& cache, DialTime time);

// Brings the picture to time. Writes the rectangles of the picture that changed to changed
// (room for SceneChangeLimit) and returns how many there are.
int AdvanceScene(SaverScene& scene, DialTime time, PixelRect* changed);

// The time as the digital clock shows it: the hour from 1 to 12 without a leading zero
// unless hours24.
ClockTime DigitalTime(DialTime time, bool hours24);
