// The clock face: the time as seven-segment digits, drawn into a 32-bit pixel surface.
// Portable; drawing depends on no font and no graphics library.
//
// Everything is measured in the segment thickness T. A digit cell is 5T wide and 9T high;
// its segments are bars with pointed ends. The face is three pairs of digits with two colons,
// 39T wide and 9T high:
//
//   |<-5T->| T |<-5T->| T |:| T |<-5T->| T |<-5T->| T |:| T |<-5T->| T |<-5T->|
//      H          H          :       M          M          :       S          S
//
// Segments that are off are drawn too, faintly, as on a real display, so the face covers the
// same rectangle whatever the time.
#pragma once
#include "pixel_surface.h"

// The setup program's warm sepia palette.
constexpr uint32_t BackgroundColour = SurfaceColour(47, 10, 10);
constexpr uint32_t UnlitSegmentColour = SurfaceColour(74, 24, 19);
constexpr uint32_t SegmentRimColour = SurfaceColour(230, 190, 120);
constexpr uint32_t SegmentCoreColour = SurfaceColour(255, 251, 214);
constexpr uint32_t ColonColour = SegmentRimColour;

constexpr int FaceWidthUnits = 39;
constexpr int FaceHeightUnits = 9;

struct ClockTime {
    int Hours, Minutes, Seconds;
    // An hour below 10 shows an unlit first digit rather than a 0 (on a 12-hour clock).
    bool BlankHourTens = false;
};

struct FaceSize {
    int Width, Height;
};

// The largest thickness whose face is at most widthPercent of areaWidth wide and a third of
// areaHeight high; 0 when not even a thickness of 1 fits.
int FaceThicknessFor(int areaWidth, int areaHeight, int widthPercent);

// The face's size for a thickness (0 x 0 for 0).
FaceSize FaceSizeFor(int thickness);

// Fills a rectangle; the parts outside the surface are left out.
void FillRectangle(const PixelSurface& surface, int left, int top, int width, int height,
                   uint32_t colour);

// Draws the face for time with its top left corner at (left, top). Only the pixels of
// segments and colons are written, and only those inside the surface. Hours, minutes and
// seconds are shown modulo 100; a thickness of 0 or less draws nothing.
void DrawClockFace(const PixelSurface& surface, int left, int top, int thickness, ClockTime time);
