// Reads the time back from a picture of the clock, the way a person would: finds the face,
// splits it into digit and colon columns, and looks at the middle of each of a digit's seven
// segments. For the tests of the drawing, the preview and the full-screen saver. Portable.
#pragma once
#include <stdint.h>

#include <string>

struct ClockReading {
    bool Found = false;
    std::string Problem; // why nothing was read, when Found is false
    // The rectangle that holds every pixel other than the background.
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Hours = 0, Minutes = 0, Seconds = 0;
};

// Reads width x height pixels, 0x00RRGGBB, rows from the top, stride pixels apart. Every
// pixel that is not background belongs to the face; a segment counts as lit when the
// pixel in its middle is bright. A first digit with no segment lit reads as 0.
ClockReading ReadClock(const uint32_t* pixels, int width, int height, int stride,
                       uint32_t background);

// "hh:mm:ss", for messages.
std::string ClockText(const ClockReading& reading);
