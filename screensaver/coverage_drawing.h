// Antialiased drawing in fixed point: convex polygons and discs whose edge pixels are blended
// by how much of them the shape covers. Integer arithmetic only, so that every build of the
// saver and of its tests draws the very same pixels. Portable.
//
// Positions are in 1/256 of a pixel (SubPixel): the centre of pixel (x, y) is at
// (256 x + 128, 256 y + 128). An edge pixel's coverage is estimated from its centre's
// distance to the edge, as a box filter one pixel wide would see a straight edge.
#pragma once
#include "pixel_surface.h"

constexpr int SubPixel = 256;

// An angle in 1/65536 of a turn, clockwise from twelve o'clock.
constexpr int FullTurn = 65536;

// sin and cos of a turn in 1/65536, as multiples of 65536 (within 1/65536 of the exact value).
int SineOf(int turn);
int CosineOf(int turn);

// A point in sub-pixels.
struct SubPoint {
    int X, Y;
};

// The point at distance `along` from centre in the direction of turn (0 up, a quarter turn to
// the right), shifted `across` to the right of that direction; distances in sub-pixels.
SubPoint PointAt(SubPoint centre, int turn, int along, int across);

// Blends colour into every pixel of the convex polygon of count corners (3 to 8, in either
// order) by its coverage, inside clip only.
void FillConvex(const PixelSurface& surface, const PixelRect& clip, const SubPoint* corners,
                int count, uint32_t colour);

// Blends colour into the ring between inner and outer radius (sub-pixels) around centre; an
// inner radius of 0 fills the whole disc. Inside clip only.
void FillRing(const PixelSurface& surface, const PixelRect& clip, SubPoint centre, int outer,
              int inner, uint32_t colour);

// The whole pixels an antialiased polygon with these corners may touch.
PixelRect BoundsOf(const SubPoint* corners, int count);
