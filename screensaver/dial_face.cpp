// Drawing the clockwork face and keeping it up to date.
#include "dial_face.h"

namespace {

constexpr int PerMille = 1000;
constexpr int Margin = 2; // pixels around the dial inside its square
constexpr int SmallestRadius = 4, LargestRadius = 4096;
constexpr int HalfPixel = SubPixel / 2;

// A hand is a long kite: a point at its tip and at the end of its tail, and its widest part
// at the shoulders, all along its axis through the centre.
struct HandShape {
    int Tip, Tail, Shoulder, HalfWidth;
    uint32_t Colour;
};

constexpr HandShape HourHand = {HourHandTip, 110, 90, 42, HourHandColour};
constexpr HandShape MinuteHand = {MinuteHandTip, 130, 100, 30, MinuteHandColour};
constexpr HandShape SecondHand = {SecondHandTip, 220, -60, 9, SecondHandColour};

constexpr int HubRadius = 48, CapRadius = 22, PinRadius = 8;
constexpr int SecondHandPieces = DialChangeLimit - 3;
constexpr int RimOuter = 1000, RimPolish = 965, RimInner = 935;
constexpr int MinuteTickInner = 880, MinuteTickHalfWidth = 5;
constexpr int HourMarkHalfWidth = 22, QuarterMarkHalfWidth = 34;
constexpr int OpeningRadius = 255;

// The wheel behind the cut-out turns once a minute, a tooth's width every few seconds; the
// pinion it drives turns the other way, faster by the ratio of their teeth.
constexpr int WheelTeeth = 15, WheelSpokes = 5, PinionLeaves = 6;
constexpr int WheelShift = -70, PinionDistance = 214;
constexpr int WheelRoot = 130, WheelTip = 165, WheelRootHalf = 20, WheelTipHalf = 10;
constexpr int WheelRimOuter = 145, WheelRimInner = 108, SpokeInner = 28, SpokeHalfWidth = 9;
constexpr int WheelHub = 36, Jewel = 14;
constexpr int PinionRoot = 45, PinionTip = 75, PinionRootHalf = 17, PinionTipHalf = 9;
constexpr int PinionBody = 52, PinionJewel = 12;
// The wheel's turn at which a gap between its teeth faces the pinion, whose leaf then points
// back at the wheel (three quarters of a turn): from there on the two roll on each other.
constexpr int MeshingWheelTurn = FullTurn / 4 - FullTurn * 7 / (2 * WheelTeeth);
constexpr int MeshingPinionTurn = FullTurn * 3 / 4;

const uint32_t* const Tones = SepiaTones;

// In 32 bits: the radius is at most LargestRadius pixels.
int Scaled(const DialFace& face, int perMille) {
    return face.Radius * perMille / PerMille;
}

// A trapezoid standing on the circle of radius inner, reaching out to outer, turned by turn.
void FillSpoke(const PixelSurface& surface, const PixelRect& clip, SubPoint centre, int turn,
               int inner, int innerHalf, int outer, int outerHalf, uint32_t colour) {
    const SubPoint corners[4] = {
        PointAt(centre, turn, inner, -innerHalf), PointAt(centre, turn, inner, innerHalf),
        PointAt(centre, turn, outer, outerHalf), PointAt(centre, turn, outer, -outerHalf)};
    FillConvex(surface, clip, corners, 4, colour);
}

// Teeth of a wheel, count of them evenly spaced from turn on.
void FillTeeth(const DialFace& face, const PixelSurface& surface, const PixelRect& clip,
               SubPoint centre, int turn, int count, int root, int rootHalf, int tip, int tipHalf,
               uint32_t colour) {
    for (int i = 0; i < count; ++i)
        FillSpoke(surface, clip, centre, turn + i * FullTurn / count, Scaled(face, root),
                  Scaled(face, rootHalf), Scaled(face, tip), Scaled(face, tipHalf), colour);
}

SubPoint CutOutCentre(const DialFace& face) {
    return {face.Centre.X, face.Centre.Y + Scaled(face, CutOutDrop)};
}

PixelRect BoxAround(SubPoint centre, int radius) {
    const SubPoint box[2] = {{centre.X - radius, centre.Y - radius},
                             {centre.X + radius, centre.Y + radius}};
    return BoundsOf(box, 2);
}

void DrawClockwork(const DialFace& face, const PixelSurface& surface, const PixelRect& clip,
                   int second) {
    SubPoint cut = CutOutCentre(face);
    FillRing(surface, clip, cut, Scaled(face, OpeningRadius), 0, Tones[0]);

    SubPoint wheel = {cut.X + Scaled(face, WheelShift), cut.Y};
    int wheelTurn = second * FullTurn / 60;
    FillTeeth(face, surface, clip, wheel, wheelTurn, WheelTeeth, WheelRoot, WheelRootHalf, WheelTip,
              WheelTipHalf, Tones[8]);
    FillRing(surface, clip, wheel, Scaled(face, WheelRimOuter), Scaled(face, WheelRimInner),
             Tones[8]);
    for (int i = 0; i < WheelSpokes; ++i)
        FillSpoke(surface, clip, wheel, wheelTurn + i * FullTurn / WheelSpokes,
                  Scaled(face, SpokeInner), Scaled(face, SpokeHalfWidth),
                  Scaled(face, WheelRimInner + SpokeHalfWidth), Scaled(face, SpokeHalfWidth),
                  Tones[8]);
    FillRing(surface, clip, wheel, Scaled(face, WheelHub), 0, Tones[8]);
    FillRing(surface, clip, wheel, Scaled(face, Jewel), 0, Tones[2]);

    SubPoint pinion = {wheel.X + Scaled(face, PinionDistance), wheel.Y};
    int pinionTurn = MeshingPinionTurn - (wheelTurn - MeshingWheelTurn) * WheelTeeth / PinionLeaves;
    FillTeeth(face, surface, clip, pinion, pinionTurn, PinionLeaves, PinionRoot, PinionRootHalf,
              PinionTip, PinionTipHalf, Tones[9]);
    FillRing(surface, clip, pinion, Scaled(face, PinionBody), 0, Tones[9]);
    FillRing(surface, clip, pinion, Scaled(face, PinionJewel), 0, Tones[2]);

    // The cut-out's bezel, over whatever of the wheels reaches it.
    FillRing(surface, clip, cut, Scaled(face, CutOutRadius), Scaled(face, OpeningRadius), Tones[7]);
}

// The dial with its marks and the clockwork at second, inside clip.
void DrawDial(const DialFace& face, const PixelSurface& surface, const PixelRect& clip,
              int second) {
    for (int y = clip.Top; y < clip.Bottom; ++y)
        for (int x = clip.Left; x < clip.Right; ++x)
            surface.Pixels[y * surface.Stride + x] = DialBackground;
    FillRing(surface, clip, face.Centre, Scaled(face, RimOuter), 0, Tones[6]);
    FillRing(surface, clip, face.Centre, Scaled(face, RimPolish), 0, Tones[9]);
    FillRing(surface, clip, face.Centre, Scaled(face, RimInner), 0, DialPlateColour);
    int tickHalf = Scaled(face, MinuteTickHalfWidth);
    if (tickHalf < HalfPixel / 2)
        tickHalf = HalfPixel / 2;
    for (int minute = 0; minute < 60; ++minute) {
        int turn = minute * FullTurn / 60;
        if (minute % 5 != 0) {
            FillSpoke(surface, clip, face.Centre, turn, Scaled(face, MinuteTickInner), tickHalf,
                      Scaled(face, HourMarkOuter), tickHalf, Tones[5]);
            continue;
        }
        int half = Scaled(face, minute % 15 == 0 ? QuarterMarkHalfWidth : HourMarkHalfWidth);
        FillSpoke(surface, clip, face.Centre, turn, Scaled(face, HourMarkInner), half,
                  Scaled(face, HourMarkOuter), half, HourMarkColour);
    }
    DrawClockwork(face, surface, clip, second);
}

// Half the hand's width at its shoulders; at least half a pixel, so that it always shows.
int HalfWidthOf(const DialFace& face, const HandShape& hand) {
    int half = Scaled(face, hand.HalfWidth);
    return half < HalfPixel ? HalfPixel : half;
}

void HandCorners(const DialFace& face, const HandShape& hand, int turn, SubPoint* corners) {
    int half = HalfWidthOf(face, hand);
    corners[0] = PointAt(face.Centre, turn, Scaled(face, hand.Tip), 0);
    corners[1] = PointAt(face.Centre, turn, Scaled(face, hand.Shoulder), half);
    corners[2] = PointAt(face.Centre, turn, -Scaled(face, hand.Tail), 0);
    corners[3] = PointAt(face.Centre, turn, Scaled(face, hand.Shoulder), -half);
}

void FillHand(const DialFace& face, const PixelSurface& surface, const PixelRect& clip,
              const HandShape& hand, int turn) {
    SubPoint corners[4];
    HandCorners(face, hand, turn, corners);
    FillConvex(surface, clip, corners, 4, hand.Colour);
}

// Where the part of a hand at turn between distances from and to along its axis may touch:
// as wide as the hand at its shoulders all along, which a thin hand hardly is less.
PixelRect PieceBounds(const DialFace& face, const HandShape& hand, int turn, int from, int to) {
    int half = HalfWidthOf(face, hand);
    const SubPoint corners[4] = {
        PointAt(face.Centre, turn, from, half), PointAt(face.Centre, turn, from, -half),
        PointAt(face.Centre, turn, to, half), PointAt(face.Centre, turn, to, -half)};
    return BoundsOf(corners, 4);
}

// Where a hand moving from one turn to another changes the picture, in pieces along its
// length (a long hand at a slant would otherwise take a large square): writes pieces
// rectangles to rects. The first piece holds the hub, which is drawn over the hands' roots.
void HandChange(const DialFace& face, const HandShape& hand, int from, int to, int pieces,
                PixelRect* rects) {
    int tail = -Scaled(face, hand.Tail), length = Scaled(face, hand.Tip) - tail;
    PixelRect hub = BoxAround(face.Centre, Scaled(face, HubRadius));
    for (int i = 0; i < pieces; ++i) {
        int start = tail + length * i / pieces, end = tail + length * (i + 1) / pieces;
        rects[i] = Union(PieceBounds(face, hand, from, start, end),
                         PieceBounds(face, hand, to, start, end));
        if (i == 0)
            rects[i] = Union(rects[i], hub);
    }
}

void DrawHands(const DialFace& face, const PixelSurface& surface, const PixelRect& clip,
               const HandTurns& turns) {
    FillHand(face, surface, clip, HourHand, turns.Hour);
    FillHand(face, surface, clip, MinuteHand, turns.Minute);
    FillRing(surface, clip, face.Centre, Scaled(face, HubRadius), 0, Tones[9]);
    if (face.SecondHand) {
        FillHand(face, surface, clip, SecondHand, turns.Second);
        FillRing(surface, clip, face.Centre, Scaled(face, CapRadius), 0, SecondHandColour);
    }
    FillRing(surface, clip, face.Centre, Scaled(face, PinRadius), 0, Tones[12]);
}

// The frame inside rect made again: the cache, and the hands over it.
void Compose(const DialFace& face, const PixelRect& rect, const HandTurns& turns) {
    CopyPixels(face.Frame, face.Cache, rect);
    DrawHands(face, face.Frame, rect, turns);
}

} // namespace

HandTurns HandTurnsAt(DialTime time) {
    // Unsigned 32 bits hold a half day's seconds, or a minute's milliseconds, times FullTurn.
    uint32_t second = time.Seconds, minute = time.Minutes * 60 + second;
    uint32_t hour = (time.Hours % 12) * 3600 + minute;
    uint32_t millisecond = second * 1000 + time.Milliseconds;
    return {static_cast<int>(hour * FullTurn / (12 * 3600)),
            static_cast<int>(minute * FullTurn / 3600),
            static_cast<int>(millisecond * FullTurn / 60000)};
}

int DialSizeFor(int width, int height, int percent) {
    int side = width < height ? width : height;
    int radius = side / 2 * percent / 100;
    if (radius > LargestRadius)
        radius = LargestRadius;
    return radius < SmallestRadius ? 0 : 2 * (radius + Margin);
}

void StartDial(DialFace& face, const PixelSurface& cache, const PixelSurface& frame, int size,
               bool secondHand, DialTime time) {
    face.Cache = cache;
    face.Frame = frame;
    face.Size = size;
    face.Centre = {size * HalfPixel, size * HalfPixel};
    face.Radius = (size / 2 - Margin) * SubPixel;
    face.SecondHand = secondHand;
    face.ClockworkSecond = time.Seconds;
    face.Shown = HandTurnsAt(time);
    PixelRect all = {0, 0, size, size};
    DrawDial(face, cache, all, time.Seconds);
    Compose(face, all, face.Shown);
}

int AdvanceDial(DialFace& face, DialTime time, PixelRect* changed) {
    PixelRect all = {0, 0, face.Size, face.Size};
    HandTurns turns = HandTurnsAt(time);
    if (!face.SecondHand)
        turns.Second = face.Shown.Second;
    int count = 0;
    if (time.Seconds != face.ClockworkSecond) {
        PixelRect cut =
            Intersection(BoxAround(CutOutCentre(face), Scaled(face, CutOutRadius)), all);
        DrawDial(face, face.Cache, cut, time.Seconds);
        face.ClockworkSecond = time.Seconds;
        changed[count++] = cut;
    }
    const HandShape* hands[3] = {&HourHand, &MinuteHand, &SecondHand};
    const int shown[3] = {face.Shown.Hour, face.Shown.Minute, face.Shown.Second};
    const int now[3] = {turns.Hour, turns.Minute, turns.Second};
    // The second hand, which moves at every step, in pieces; the others, which move a little
    // once a second, whole.
    const int pieces[3] = {1, 1, SecondHandPieces};
    for (int i = 0; i < 3; ++i) {
        if (shown[i] == now[i])
            continue;
        HandChange(face, *hands[i], shown[i], now[i], pieces[i], changed + count);
        for (int end = count + pieces[i]; count < end; ++count)
            changed[count] = Intersection(changed[count], all);
    }
    face.Shown = turns;
    for (int i = 0; i < count; ++i)
        Compose(face, changed[i], turns);
    return count;
}
