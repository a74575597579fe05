// Drawing the seven-segment clock face.
#include "clock_face.h"

#include <stddef.h>

namespace {

constexpr int DigitWidthUnits = 5;
constexpr int DigitGapUnits = 1;
constexpr int PairWidthUnits = 2 * DigitWidthUnits + DigitGapUnits;
constexpr int ColonCellUnits = 3;

// Segment bits in the usual order: a top, b upper right, c lower right, d bottom,
// e lower left, f upper left, g middle.
enum : uint8_t { SegA = 1, SegB = 2, SegC = 4, SegD = 8, SegE = 16, SegF = 32, SegG = 64 };

constexpr uint8_t DigitSegments[10] = {
    SegA | SegB | SegC | SegD | SegE | SegF,        // 0
    SegB | SegC,                                    // 1
    SegA | SegB | SegD | SegE | SegG,               // 2
    SegA | SegB | SegC | SegD | SegG,               // 3
    SegB | SegC | SegF | SegG,                      // 4
    SegA | SegC | SegD | SegF | SegG,               // 5
    SegA | SegC | SegD | SegE | SegF | SegG,        // 6
    SegA | SegB | SegC,                             // 7
    SegA | SegB | SegC | SegD | SegE | SegF | SegG, // 8
    SegA | SegB | SegC | SegD | SegF | SegG,        // 9
};

struct Box {
    int Left, Top, Width, Height;
};

int Min(int a, int b) {
    return a < b ? a : b;
}

int Max(int a, int b) {
    return a > b ? a : b;
}

int Absolute(int a) {
    return a < 0 ? -a : a;
}

// A bar along the longer side of box whose ends are cut to points at 45 degrees; a square box
// gives a diamond. Distances are doubled so that pixel centres are whole numbers.
void DrawBar(const PixelSurface& surface, Box box, uint32_t colour) {
    if (box.Width <= 0 || box.Height <= 0)
        return;
    bool horizontal = box.Width >= box.Height;
    int rowFirst = Max(0, -box.Top), rowEnd = Min(box.Height, surface.Height - box.Top);
    int columnFirst = Max(0, -box.Left), columnEnd = Min(box.Width, surface.Width - box.Left);
    for (int row = rowFirst; row < rowEnd; ++row) {
        uint32_t* line = surface.Pixels + static_cast<ptrdiff_t>(box.Top + row) * surface.Stride;
        for (int column = columnFirst; column < columnEnd; ++column) {
            int across = horizontal ? Absolute(2 * row + 1 - box.Height)
                                    : Absolute(2 * column + 1 - box.Width);
            int along = horizontal ? Min(2 * column + 1, 2 * box.Width - 2 * column - 1)
                                   : Min(2 * row + 1, 2 * box.Height - 2 * row - 1);
            if (across <= along)
                line[box.Left + column] = colour;
        }
    }
}

// A digit below 0 shows every segment unlit.
void DrawDigit(const PixelSurface& surface, int left, int top, int t, int digit) {
    int half = t / 2;
    // Narrow dark seams between the segments, once they are thick enough to show them.
    int gap = t / 8;
    int length = 4 * t - 2 * gap;
    int across = half + gap;
    const Box segments[7] = {
        {left + across, top, length, t},                 // a
        {left + 4 * t, top + across, t, length},         // b
        {left + 4 * t, top + 4 * t + across, t, length}, // c
        {left + across, top + 8 * t, length, t},         // d
        {left, top + 4 * t + across, t, length},         // e
        {left, top + across, t, length},                 // f
        {left + across, top + 4 * t, length, t},         // g
    };
    uint8_t lit = digit < 0 ? 0 : DigitSegments[digit];
    int inset = t / 5;
    for (int i = 0; i < 7; ++i) {
        Box box = segments[i];
        if ((lit >> i & 1) == 0) {
            DrawBar(surface, box, UnlitSegmentColour);
            continue;
        }
        DrawBar(surface, box, SegmentRimColour);
        DrawBar(surface,
                {box.Left + inset, box.Top + inset, box.Width - 2 * inset, box.Height - 2 * inset},
                SegmentCoreColour);
    }
}

void DrawPair(const PixelSurface& surface, int left, int top, int t, int value,
              bool blankTens = false) {
    value %= 100;
    DrawDigit(surface, left, top, t, blankTens && value < 10 ? -1 : value / 10);
    DrawDigit(surface, left + (DigitWidthUnits + DigitGapUnits) * t, top, t, value % 10);
}

void DrawColon(const PixelSurface& surface, int left, int top, int t) {
    DrawBar(surface, {left + t, top + 2 * t, t, t}, ColonColour);
    DrawBar(surface, {left + t, top + 6 * t, t, t}, ColonColour);
}

int NonNegative(int value) {
    return value < 0 ? 0 : value;
}

} // namespace

int FaceThicknessFor(int areaWidth, int areaHeight, int widthPercent) {
    // Limited so that the products below stay in 32 bits; no screen comes near.
    constexpr int LargestArea = 1 << 20;
    int width = Min(NonNegative(areaWidth), LargestArea);
    int percent = Min(NonNegative(widthPercent), 100);
    int byWidth = width * percent / (100 * FaceWidthUnits);
    int byHeight = NonNegative(areaHeight) / (3 * FaceHeightUnits);
    return Min(byWidth, byHeight);
}

FaceSize FaceSizeFor(int thickness) {
    int t = NonNegative(thickness);
    return {FaceWidthUnits * t, FaceHeightUnits * t};
}

void FillRectangle(const PixelSurface& surface, int left, int top, int width, int height,
                   uint32_t colour) {
    int rowFirst = Max(0, top), rowEnd = Min(surface.Height, top + height);
    int columnFirst = Max(0, left), columnEnd = Min(surface.Width, left + width);
    for (int row = rowFirst; row < rowEnd; ++row) {
        uint32_t* line = surface.Pixels + static_cast<ptrdiff_t>(row) * surface.Stride;
        for (int column = columnFirst; column < columnEnd; ++column)
            line[column] = colour;
    }
}

void DrawClockFace(const PixelSurface& surface, int left, int top, int thickness, ClockTime time) {
    int t = thickness;
    if (t <= 0)
        return;
    int pairStep = (PairWidthUnits + ColonCellUnits) * t;
    DrawPair(surface, left, top, t, NonNegative(time.Hours), time.BlankHourTens);
    DrawColon(surface, left + PairWidthUnits * t, top, t);
    DrawPair(surface, left + pairStep, top, t, NonNegative(time.Minutes));
    DrawColon(surface, left + pairStep + PairWidthUnits * t, top, t);
    DrawPair(surface, left + 2 * pairStep, top, t, NonNegative(time.Seconds));
}
