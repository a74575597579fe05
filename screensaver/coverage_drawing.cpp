// Antialiased convex polygons and rings in fixed point.
#include "coverage_drawing.h"

#include <string.h>

namespace {

// Half a pixel, in the 1/65536 of a pixel that edge distances are kept in.
constexpr int HalfPixelDistance = 1 << 15;
constexpr int FullCoverage = 256;
constexpr int MaxCorners = 8;

// The terms of sin(z pi/2) = z (C1 - z^2 (C3 - z^2 (C5 - z^2 (C7 - z^2 C9)))) on [0, 1],
// in 1/2^30: the series' own coefficients, whose first term left out is below 4e-6.
constexpr int64_t SineTerms[] = {172272, 5026995, 85569306, 693598668, 1686629713};

int Min(int a, int b) {
    return a < b ? a : b;
}

int Max(int a, int b) {
    return a > b ? a : b;
}

// numerator / denominator, rounded towards 0, by long division. A division of 64-bit numbers
// would call libgcc's helper, and the linker (binutils of Debian 12) crashes when such a
// helper first turns up in the saver's whole-program link.
int64_t Quotient(int64_t numerator, uint32_t denominator) {
    bool negative = numerator < 0;
    uint64_t rest = static_cast<uint64_t>(negative ? -numerator : numerator), quotient = 0;
    uint64_t remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        remainder = remainder << 1 | (rest >> bit & 1);
        if (remainder >= denominator) {
            remainder -= denominator;
            quotient |= uint64_t{1} << bit;
        }
    }
    return negative ? -static_cast<int64_t>(quotient) : static_cast<int64_t>(quotient);
}

uint32_t SquareRoot(uint64_t value) {
    if (value >> 32 == 0) {
        // The same steps in 32 bits, for the short distances that most are.
        uint32_t small = static_cast<uint32_t>(value), root = 0, bit = uint32_t{1} << 30;
        while (bit > small)
            bit >>= 2;
        while (bit != 0) {
            if (small >= root + bit) {
                small -= root + bit;
                root = (root >> 1) + bit;
            } else {
                root >>= 1;
            }
            bit >>= 2;
        }
        return root;
    }
    uint64_t root = 0, bit = uint64_t{1} << 62;
    while (bit > value)
        bit >>= 2;
    while (bit != 0) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<uint32_t>(root);
}

// colour over pixel by coverage (0 to 256), red and blue in one step, green in another.
uint32_t Blend(uint32_t pixel, uint32_t colour, int coverage) {
    if (coverage == FullCoverage)
        return colour;
    uint32_t keep = static_cast<uint32_t>(FullCoverage - coverage);
    uint32_t cover = static_cast<uint32_t>(coverage);
    uint32_t redBlue = ((colour & 0xFF00FF) * cover + (pixel & 0xFF00FF) * keep) >> 8 & 0xFF00FF;
    uint32_t green = ((colour & 0xFF00) * cover + (pixel & 0xFF00) * keep) >> 8 & 0xFF00;
    return redBlue | green;
}

// Coverage from a signed distance to an edge (negative inside) in 1/65536 of a pixel.
int CoverageAt(int distance) {
    int coverage = (HalfPixelDistance - distance) >> 8;
    return coverage < 0 ? 0 : coverage > FullCoverage ? FullCoverage : coverage;
}

int PixelCentre(int pixel) {
    return pixel * SubPixel + SubPixel / 2;
}

PixelRect Limited(const PixelSurface& surface, const PixelRect& clip, const PixelRect& bounds) {
    return Intersection(Intersection(clip, bounds), {0, 0, surface.Width, surface.Height});
}

uint32_t* Row(const PixelSurface& surface, int y) {
    return surface.Pixels + static_cast<intptr_t>(y) * surface.Stride;
}

// A circle's radius in sub-pixels, with the squared distances from its centre within which a
// pixel is fully covered and beyond which it is not covered at all.
struct Circle {
    int Radius;
    int64_t FullUpTo, NoneFrom;
};

Circle CircleOf(int radius) {
    int64_t inside = radius - SubPixel / 2, outside = radius + SubPixel / 2;
    return {radius, inside > 0 ? inside * inside : -1, outside * outside};
}

// Coverage of a pixel whose centre lies at the square root of squared from the centre: as for
// a straight edge at that distance, the root taken only for the pixels on the rim.
int CoverageOf(const Circle& circle, int64_t squared) {
    if (squared <= circle.FullUpTo)
        return FullCoverage;
    if (squared >= circle.NoneFrom)
        return 0;
    int distance = static_cast<int>(SquareRoot(static_cast<uint64_t>(squared)));
    return CoverageAt((distance - circle.Radius) * SubPixel);
}

// Pixels [First, End) of a row.
struct PixelSpan {
    int First, End;
};

// The pixels of a row, inside area, whose centres lie within the square root of room of
// middle (sub-pixels): all such pixels and perhaps a few more when wide, none but such
// pixels otherwise. Empty when room is below 0.
PixelSpan SpanWithin(int middle, int64_t room, const PixelRect& area, bool wide) {
    if (room < 0)
        return {-1, -1};
    int half = static_cast<int>(SquareRoot(static_cast<uint64_t>(room)));
    int first, end;
    if (wide) {
        first = ((middle - half) >> 8) - 1;
        end = ((middle + half) >> 8) + 2;
    } else {
        // |256 x + 128 - middle| <= half
        first = (middle - half - SubPixel / 2 + SubPixel - 1) >> 8;
        end = ((middle + half - SubPixel / 2) >> 8) + 1;
    }
    first = Max(first, area.Left);
    end = Min(end, area.Right);
    return first < end ? PixelSpan{first, end} : PixelSpan{-1, -1};
}

// One edge of a convex polygon: a point on it and its outward unit normal in 1/65536.
struct Edge {
    SubPoint From;
    int NormalX, NormalY;
};

// Distance from the centre of pixel (x, y) to the edge's line, in 1/65536 of a pixel.
int64_t DistanceAt(const Edge& edge, int x, int y) {
    return (static_cast<int64_t>(PixelCentre(x) - edge.From.X) * edge.NormalX +
            static_cast<int64_t>(PixelCentre(y) - edge.From.Y) * edge.NormalY) >>
           8;
}

// Narrows [first, end) on the row to the pixels in front of the edge's outer half pixel,
// given the distance at pixel first.
void NarrowSpan(int64_t distance, int normalX, int& first, int& end) {
    // How far the distance may grow; beyond 2^30 no row is long enough for it to matter.
    constexpr int64_t Far = 1 << 30;
    int64_t wide = HalfPixelDistance - distance;
    int room = static_cast<int>(wide > Far ? Far : wide < -Far ? -Far : wide);
    int from = first;
    if (normalX > 0) {
        int steps = room <= 0 ? 0 : (room - 1) / normalX + 1;
        if (steps < end - from)
            end = from + steps;
    } else if (normalX < 0) {
        if (room <= 0) {
            int steps = -room / -normalX + 1;
            if (steps > end - from)
                steps = end - from;
            first = Max(first, from + steps);
        }
    } else if (room <= 0) {
        end = first;
    }
}

} // namespace

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    return {Max(a.Left, b.Left), Max(a.Top, b.Top), Min(a.Right, b.Right), Min(a.Bottom, b.Bottom)};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return {Min(a.Left, b.Left), Min(a.Top, b.Top), Max(a.Right, b.Right), Max(a.Bottom, b.Bottom)};
}

void CopyPixels(const PixelSurface& to, const PixelSurface& from, const PixelRect& rect) {
    if (IsEmpty(rect))
        return;
    size_t bytes = static_cast<size_t>(rect.Right - rect.Left) * sizeof(uint32_t);
    for (int y = rect.Top; y < rect.Bottom; ++y)
        memcpy(Row(to, y) + rect.Left, Row(from, y) + rect.Left, bytes);
}

int SineOf(int turn) {
    unsigned t = static_cast<unsigned>(turn) & (FullTurn - 1);
    unsigned quadrant = t >> 14;
    int64_t part = t & (FullTurn / 4 - 1);
    if (quadrant & 1)
        part = FullTurn / 4 - part;
    int64_t z = part << 16; // the quarter turn as 2^30
    int64_t z2 = z * z >> 30;
    int64_t sum = 0;
    for (int64_t term : SineTerms)
        sum = term - (sum * z2 >> 30);
    int value = static_cast<int>(((sum * z >> 30) + (1 << 13)) >> 14);
    return quadrant >= 2 ? -value : value;
}

int CosineOf(int turn) {
    return SineOf(turn + FullTurn / 4);
}

SubPoint PointAt(SubPoint centre, int turn, int along, int across) {
    int64_t s = SineOf(turn), c = CosineOf(turn);
    int64_t half = 1 << 15;
    return {centre.X + static_cast<int>((along * s + across * c + half) >> 16),
            centre.Y + static_cast<int>((-along * c + across * s + half) >> 16)};
}

PixelRect BoundsOf(const SubPoint* corners, int count) {
    int left = corners[0].X, right = left, top = corners[0].Y, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = Min(left, corners[i].X);
        right = Max(right, corners[i].X);
        top = Min(top, corners[i].Y);
        bottom = Max(bottom, corners[i].Y);
    }
    // A pixel whose centre lies within half a pixel of the shape may be touched.
    return {(left >> 8) - 1, (top >> 8) - 1, (right >> 8) + 2, (bottom >> 8) + 2};
}

void FillConvex(const PixelSurface& surface, const PixelRect& clip, const SubPoint* corners,
                int count, uint32_t colour) {
    PixelRect area = Limited(surface, clip, BoundsOf(corners, count));
    if (count < 3 || count > MaxCorners || IsEmpty(area))
        return;
    int middleX = 0, middleY = 0;
    for (int i = 0; i < count; ++i) {
        middleX += corners[i].X;
        middleY += corners[i].Y;
    }
    SubPoint middle = {middleX / count, middleY / count};
    Edge edges[MaxCorners];
    int edgeCount = 0;
    for (int i = 0; i < count; ++i) {
        SubPoint from = corners[i], to = corners[(i + 1) % count];
        int64_t dx = to.X - from.X, dy = to.Y - from.Y;
        uint32_t length = SquareRoot(static_cast<uint64_t>(dx * dx + dy * dy));
        if (length == 0)
            continue;
        Edge edge = {from, static_cast<int>(Quotient(dy * 65536, length)),
                     static_cast<int>(Quotient(-dx * 65536, length))};
        // Outward: the polygon's middle is on the inner side of every edge.
        int64_t side = static_cast<int64_t>(middle.X - from.X) * edge.NormalX +
                       static_cast<int64_t>(middle.Y - from.Y) * edge.NormalY;
        if (side > 0) {
            edge.NormalX = -edge.NormalX;
            edge.NormalY = -edge.NormalY;
        }
        edges[edgeCount++] = edge;
    }
    for (int y = area.Top; y < area.Bottom; ++y) {
        int first = area.Left, end = area.Right;
        for (int e = 0; e < edgeCount && first < end; ++e)
            NarrowSpan(DistanceAt(edges[e], first, y), edges[e].NormalX, first, end);
        if (first >= end)
            continue;
        int distances[MaxCorners];
        for (int e = 0; e < edgeCount; ++e)
            distances[e] = static_cast<int>(DistanceAt(edges[e], first, y));
        uint32_t* pixel = Row(surface, y) + first;
        for (int x = first; x < end; ++x, ++pixel) {
            int coverage = FullCoverage;
            for (int e = 0; e < edgeCount; ++e) {
                coverage = Min(coverage, CoverageAt(distances[e]));
                distances[e] += edges[e].NormalX;
            }
            if (coverage > 0)
                *pixel = Blend(*pixel, colour, coverage);
        }
    }
}

void FillRing(const PixelSurface& surface, const PixelRect& clip, SubPoint centre, int outer,
              int inner, uint32_t colour) {
    if (outer <= 0)
        return;
    const SubPoint box[2] = {{centre.X - outer, centre.Y - outer},
                             {centre.X + outer, centre.Y + outer}};
    PixelRect area = Limited(surface, clip, BoundsOf(box, 2));
    Circle outerCircle = CircleOf(outer), innerCircle = CircleOf(inner);
    for (int y = area.Top; y < area.Bottom; ++y) {
        int64_t dy = PixelCentre(y) - centre.Y;
        PixelSpan reach = SpanWithin(centre.X, outerCircle.NoneFrom - dy * dy, area, true);
        // Pixels the ring covers whole, and, inside a ring, the hole it leaves alone.
        PixelSpan whole = {-1, -1}, hole = {-1, -1};
        if (inner <= 0)
            whole = SpanWithin(centre.X, outerCircle.FullUpTo - dy * dy, area, false);
        else
            hole = SpanWithin(centre.X, innerCircle.FullUpTo - dy * dy, area, false);
        uint32_t* line = Row(surface, y);
        for (int x = reach.First; x < reach.End;) {
            if (x == whole.First) {
                for (; x < whole.End; ++x)
                    line[x] = colour;
                continue;
            }
            if (x == hole.First) {
                x = hole.End;
                continue;
            }
            int64_t dx = PixelCentre(x) - centre.X;
            int64_t squared = dx * dx + dy * dy;
            int coverage = CoverageOf(outerCircle, squared);
            if (inner > 0)
                coverage = Min(coverage, FullCoverage - CoverageOf(innerCircle, squared));
            if (coverage > 0)
                line[x] = Blend(line[x], colour, coverage);
            ++x;
        }
    }
}
