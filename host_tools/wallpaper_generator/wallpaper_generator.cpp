// Paints the setup window's wallpaper: a slanted close-up of a clock movement (a large wheel,
// the next wheel of the train on its pinion, a bridge with a polished edge, two screws and a
// jewel) in warm sepia, reduced to 13 colours, written as a 366 x 275 RGB PNG.
//
//   wallpaper_generator <output.png>
//
// The picture is built for what the setup window draws over it: the left strip, where the
// buttons sit, and the lower right, where the title goes, are kept dark and calm.
//
// Every run paints the same pixels on every machine: the arithmetic is +, -, *, / and sqrt
// on doubles (correctly rounded by IEEE 754) with the build forbidding contraction into fused
// multiply-adds, and sine and arc tangent come from series in this file rather than from the
// C library, whose last bits differ between versions.
#include "png_file.h"

#include <math.h>
#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace {

constexpr int Width = 366;
constexpr int Height = 275;
constexpr int LevelCount = 13;
constexpr int SamplesPerAxis = 3; // 9 samples a pixel smooth the edges
constexpr double Pi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------
// Arithmetic

double Clamp(double x, double low, double high) {
    return x < low ? low : (x > high ? high : x);
}

double Mix(double a, double b, double t) {
    return a + (b - a) * t;
}

// 0 at or below edge0, 1 at or beyond edge1, smooth between (either order).
double Smoothstep(double edge0, double edge1, double x) {
    const double t = Clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double Power(double x, int exponent) {
    double result = 1.0;
    while (exponent > 0) {
        if (exponent & 1)
            result *= x;
        x *= x;
        exponent >>= 1;
    }
    return result;
}

double Sine(double x) {
    x -= 2.0 * Pi * floor(x / (2.0 * Pi) + 0.5); // now in [-pi, pi]
    if (x > Pi / 2.0)
        x = Pi - x;
    else if (x < -Pi / 2.0)
        x = -Pi - x;
    const double x2 = x * x;
    double term = x, sum = x;
    for (int k = 1; k <= 9; ++k) {
        term *= -x2 / ((2.0 * k) * (2.0 * k + 1.0));
        sum += term;
    }
    return sum;
}

double Cosine(double x) {
    return Sine(x + Pi / 2.0);
}

// Arc tangent for |t| <= tan(pi/8), where the series converges fast.
double SmallArcTangent(double t) {
    const double t2 = t * t;
    double power = t, sum = t;
    for (int k = 1; k <= 12; ++k) {
        power *= -t2;
        sum += power / (2.0 * k + 1.0);
    }
    return sum;
}

double ArcTangent2(double y, double x) {
    const double ax = fabs(x), ay = fabs(y);
    if (ax == 0.0 && ay == 0.0)
        return 0.0;
    const bool swapped = ay > ax;
    double t = swapped ? ax / ay : ay / ax; // in [0, 1]
    double angle;
    const double tanPiOver8 = 0.41421356237309504880;
    if (t > tanPiOver8)
        angle = Pi / 4.0 + SmallArcTangent((t - 1.0) / (t + 1.0));
    else
        angle = SmallArcTangent(t);
    if (swapped)
        angle = Pi / 2.0 - angle;
    if (x < 0.0)
        angle = Pi - angle;
    return y < 0.0 ? -angle : angle;
}

double Fraction(double x) {
    return x - floor(x);
}

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(x) * 0x85EBCA6Bu ^
                 static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Uniform in [0, 1).
double HashUnit(int32_t x, int32_t y, uint32_t seed) {
    return (Hash(x, y, seed) >> 8) * (1.0 / 16777216.0);
}

struct Vec2 {
    double X, Y;
};

struct Vec3 {
    double X, Y, Z;
};

Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.X + b.X, a.Y + b.Y};
}
Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.X - b.X, a.Y - b.Y};
}
Vec2 operator*(Vec2 a, double s) {
    return {a.X * s, a.Y * s};
}
double Length(Vec2 a) {
    return sqrt(a.X * a.X + a.Y * a.Y);
}
Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
Vec3 operator*(Vec3 a, double s) {
    return {a.X * s, a.Y * s, a.Z * s};
}
double Dot(Vec3 a, Vec3 b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
Vec3 Normalised(Vec3 a) {
    return a * (1.0 / sqrt(Dot(a, a)));
}

// ---------------------------------------------------------------------------------------
// Camera: the movement lies in planes parallel to the main plate, seen at a slant through a
// lens with mild perspective. Plane coordinates are in about pixel units near the middle of
// the picture; a height lifts a part off the plate towards the camera.

constexpr double FocalLength = 620.0;
constexpr double PlateDistance = 620.0;
constexpr double Tilt = 0.62;  // radians the plate leans away at the top
constexpr double Roll = -0.17; // radians the picture is turned, for the slant
constexpr double CentreX = Width / 2.0, CentreY = Height / 2.0;

struct Camera {
    double RollCos, RollSin;
    Vec3 AxisU, AxisV, Normal; // plate axes and the normal towards the camera
};

Camera MakeCamera() {
    Camera camera;
    camera.RollCos = Cosine(Roll);
    camera.RollSin = Sine(Roll);
    const double c = Cosine(Tilt), s = Sine(Tilt);
    camera.AxisU = {1.0, 0.0, 0.0};
    camera.AxisV = {0.0, c, -s};
    camera.Normal = {0.0, -s, -c};
    return camera;
}

Vec3 Ray(const Camera& camera, double x, double y) {
    const double dx = x - CentreX, dy = y - CentreY;
    return {dx * camera.RollCos - dy * camera.RollSin, dx * camera.RollSin + dy * camera.RollCos,
            FocalLength};
}

// Where the ray through picture point (x, y) meets the plane at `height`.
Vec2 ToPlane(const Camera& camera, double x, double y, double height) {
    const Vec3 ray = Ray(camera, x, y);
    const Vec3 origin = Vec3{0.0, 0.0, PlateDistance} + camera.Normal * height;
    const double t = Dot(camera.Normal, origin) / Dot(camera.Normal, ray);
    const Vec3 hit = ray * t + origin * -1.0;
    return {Dot(hit, camera.AxisU), Dot(hit, camera.AxisV)};
}

// The direction from the plate towards the camera, in plate axes (u, v, up).
Vec3 ViewDirection(const Camera& camera, double x, double y) {
    const Vec3 ray = Ray(camera, x, y);
    return Normalised({-Dot(ray, camera.AxisU), -Dot(ray, camera.AxisV), -Dot(ray, camera.Normal)});
}

// ---------------------------------------------------------------------------------------
// Parts of the movement, as signed distances in plane units (negative inside).

// Light from the upper left, fairly low, so the polished edges catch it.
const Vec3 Light = Normalised({-0.6, -0.6, 0.5});

// The plate itself is matt and dark; these are the parts on it.
enum class Finish {
    Wheel,  // brass with circular graining and polished chamfers
    Bridge, // dark, matt, with a polished chamfer
    Steel,  // polished screw heads and arbors
    Jewel,  // dark red stone in a polished sink
};

struct Wheel {
    Vec2 Centre;
    double Tip, Root; // radius at the tips and at the roots of the teeth
    int Teeth;
    double Phase;    // turn of the teeth, in teeth
    double RimInner; // crossings: the rim's inner edge, the hub's radius, the spokes
    double Hub;
    int Spokes;
    double SpokeWidth, SpokeBend, SpokeTurn;
};

enum class Shape {
    Toothed, // a wheel or pinion
    Round,   // a disc: arbors, jewels, the bridge (a large disc reaching in from outside)
    Screw,   // a disc with a slot across it
};

struct Part {
    double Height;
    Finish Surface;
    double Chamfer; // width of the polished edge, plane units
    Shape Kind;
    Wheel Teeth;      // Toothed
    Vec2 Centre;      // Round and Screw
    double Radius;    // Round and Screw
    double SlotAngle; // Screw
};

Part ToothedPart(double height, Finish surface, double chamfer, const Wheel& wheel) {
    return {height, surface, chamfer, Shape::Toothed, wheel, {}, 0.0, 0.0};
}

Part RoundPart(double height, Finish surface, double chamfer, Vec2 centre, double radius) {
    return {height, surface, chamfer, Shape::Round, {}, centre, radius, 0.0};
}

Part ScrewPart(double height, double chamfer, Vec2 centre, double radius, double slotAngle) {
    return {height, Finish::Steel, chamfer, Shape::Screw, {}, centre, radius, slotAngle};
}

double TeethDistance(const Wheel& wheel, double r, double angle) {
    if (wheel.Teeth == 0)
        return r - wheel.Tip;
    const double pitch = 2.0 * Pi / wheel.Teeth;
    const double phase = Fraction(angle / pitch + wheel.Phase);
    const double fromMiddle = fabs(phase - 0.5); // 0 in the middle of a tooth, 0.5 in a gap
    // The tooth narrows from 0.28 of the pitch at the root to 0.15 at the tip, rounded off.
    const double along = Clamp((r - wheel.Root) / (wheel.Tip - wheel.Root), 0.0, 1.0);
    const double halfWidth = Mix(0.28, 0.15, along * along);
    const double sideways = (fromMiddle - halfWidth) * pitch * r;
    const double tooth = fmax(sideways, r - wheel.Tip);
    return fmin(r - wheel.Root, tooth);
}

// Distance of a point to the edge of a convex corner of three straight sides, rounded by
// `radius` (the sides are given as signed distances, negative inside).
double RoundedCorner(double a, double b, double c, double radius) {
    const double qa = fmax(a + radius, 0.0), qb = fmax(b + radius, 0.0), qc = fmax(c + radius, 0.0);
    const double outside = sqrt(qa * qa + qb * qb + qc * qc);
    const double inside = fmin(fmax(a, fmax(b, c)) + radius, 0.0);
    return outside + inside - radius;
}

double WheelDistance(const Wheel& wheel, Vec2 point) {
    const Vec2 p = point - wheel.Centre;
    const double r = Length(p);
    const double angle = ArcTangent2(p.Y, p.X);
    double distance = TeethDistance(wheel, r, angle);
    if (wheel.Spokes > 0 && r > wheel.Hub - 4.0 && r < wheel.RimInner + 4.0) {
        // The window between two spokes that this point lies in, if any.
        const double along = Clamp((r - wheel.Hub) / (wheel.RimInner - wheel.Hub), 0.0, 1.0);
        const double spokeAngle = wheel.SpokeTurn + wheel.SpokeBend * along;
        const double sector = 2.0 * Pi / wheel.Spokes;
        const double within = Fraction((angle - spokeAngle) / sector); // 0..1 between spokes
        const double toSpoke = fmin(within, 1.0 - within) * sector * r;
        const double window =
            RoundedCorner(wheel.Hub - r, r - wheel.RimInner, wheel.SpokeWidth / 2.0 - toSpoke, 5.0);
        distance = fmax(distance, -window);
    }
    return distance;
}

double PartDistance(const Part& part, Vec2 p) {
    if (part.Kind == Shape::Toothed)
        return WheelDistance(part.Teeth, p);
    return Length(p - part.Centre) - part.Radius;
}

// The movement, highest first: a point takes the surface of the first part it lies in.
std::vector<Part> Movement(const Camera& camera) {
    auto at = [&](double x, double y, double height) { return ToPlane(camera, x, y, height); };

    // The large wheel, upper right, with its pinion and arbor above it.
    const double bigHeight = 14.0;
    const Vec2 bigCentre = at(268.0, 62.0, bigHeight);
    const Wheel big = {bigCentre, 112.0, 105.5, 90, 0.3, 91.0, 23.0, 5, 14.0, 0.55, 0.4};
    const Wheel bigPinion = {bigCentre, 17.0, 12.0, 12, 0.2, 0.0, 0.0, 0, 0.0, 0.0, 0.0};
    // The next wheel of the train, lower and to the left, driven through a pinion of 10 leaves
    // that meshes with the large wheel's teeth.
    const double pinionTip = 12.0;
    const double toNext = big.Tip + pinionTip - 6.0;
    const double nextTurn = 2.0; // radians round the large wheel's centre
    const Vec2 nextCentre = bigCentre + Vec2{Cosine(nextTurn), Sine(nextTurn)} * toNext;
    const Wheel nextPinion = {nextCentre, pinionTip, 7.5, 10, 0.0, 0.0, 0.0, 0, 0.0, 0.0, 0.0};
    const Wheel next = {nextCentre, 52.0, 48.0, 48, 0.1, 39.0, 12.0, 4, 8.0, -0.35, 1.1};
    // The bridge in the lower right, under the title: its edge sweeps from the bottom of the
    // picture up to the right-hand side, past the point given here.
    const double bridgeHeight = 22.0;
    const Vec2 bridgeCentre = at(420.0, 330.0, bridgeHeight);
    const double bridgeRadius = Length(at(250.0, 172.0, bridgeHeight) - bridgeCentre);

    return {
        RoundPart(bigHeight + 16.0, Finish::Steel, 2.0, bigCentre, 5.5),
        ScrewPart(bridgeHeight + 3.0, 2.5, at(352.0, 262.0, bridgeHeight + 3.0), 13.0, 0.7),
        ToothedPart(bigHeight + 9.0, Finish::Steel, 1.5, bigPinion),
        RoundPart(bridgeHeight, Finish::Bridge, 3.0, bridgeCentre, bridgeRadius),
        RoundPart(bigHeight + 3.0, Finish::Steel, 1.5, nextCentre, 3.5),
        ToothedPart(bigHeight, Finish::Wheel, 2.2, big),
        ToothedPart(bigHeight, Finish::Steel, 1.2, nextPinion),
        ToothedPart(6.0, Finish::Wheel, 1.8, next),
        // On the plate, below the buttons: a screw and a jewel.
        ScrewPart(2.5, 2.5, at(64.0, 236.0, 2.5), 17.0, 2.2),
        RoundPart(0.8, Finish::Jewel, 3.0, at(150.0, 252.0, 0.8), 7.0),
    };
}

// ---------------------------------------------------------------------------------------
// Shading

struct Scene {
    Camera View;
    std::vector<Part> Parts;
};

// Outward direction of a part's edge at p, from the change of its distance.
Vec2 EdgeDirection(const Part& part, Vec2 p) {
    const double e = 0.35;
    const double dx = PartDistance(part, p + Vec2{e, 0.0}) - PartDistance(part, p - Vec2{e, 0.0});
    const double dy = PartDistance(part, p + Vec2{0.0, e}) - PartDistance(part, p - Vec2{0.0, e});
    const double length = sqrt(dx * dx + dy * dy);
    return length > 0.0 ? Vec2{dx / length, dy / length} : Vec2{0.0, 0.0};
}

// How much light reaches point p at `height`: parts above cast soft shadows along the light.
double LightReaching(const Scene& scene, size_t below, Vec2 p, double height) {
    double light = 1.0;
    for (size_t i = 0; i < below; ++i) {
        const Part& part = scene.Parts[i];
        const double rise = part.Height - height;
        if (rise <= 0.0)
            continue;
        const Vec2 shifted = p + Vec2{Light.X, Light.Y} * (rise / Light.Z);
        const double softness = 0.8 + 0.12 * rise;
        light *= Smoothstep(-softness, softness, PartDistance(part, shifted));
    }
    return light;
}

// Darkening where a surface meets the foot of a part standing on it.
double Occlusion(const Scene& scene, size_t below, Vec2 p, double height) {
    double open = 1.0;
    for (size_t i = 0; i < below; ++i) {
        const Part& part = scene.Parts[i];
        const double rise = part.Height - height;
        if (rise <= 0.0 || rise > 24.0)
            continue;
        const double reach = 2.0 + 0.5 * rise;
        open *= 1.0 - 0.45 * (1.0 - Smoothstep(0.0, reach, PartDistance(part, p)));
    }
    return open;
}

struct Surface {
    double Albedo;
    double Shine;  // strength of the highlight
    int Sharpness; // its exponent
    bool Circular; // grained along circles round the part's centre
    double Grain;  // film grain added before the colours are reduced, in colour steps
};

// The highlight of a surface brushed along `tangent` (in the plate), or of a smooth one.
double Highlight(const Surface& surface, Vec3 normal, Vec3 view, Vec2 tangent) {
    const Vec3 half = Normalised(Light + view);
    if (!surface.Circular)
        return Power(fmax(Dot(normal, half), 0.0), surface.Sharpness);
    const double along = tangent.X * half.X + tangent.Y * half.Y;
    const double across = sqrt(fmax(1.0 - along * along, 0.0));
    return Power(across, surface.Sharpness);
}

Surface SurfaceOf(Finish finish) {
    switch (finish) {
    case Finish::Wheel:
        return {0.32, 0.9, 60, true, 0.35};
    case Finish::Bridge:
        return {0.06, 0.04, 6, false, 0.0};
    case Finish::Steel:
        return {0.30, 0.9, 80, true, 0.25};
    case Finish::Jewel:
        return {0.10, 1.2, 60, false, 0.2};
    }
    return {0.0, 0.0, 1, false, 0.0};
}

Vec2 CentreOf(const Part& part) {
    return part.Kind == Shape::Toothed ? part.Teeth.Centre : part.Centre;
}

// Where the light falls on the plate: a pool round the wheels, in picture coordinates.
constexpr double PoolX = 300.0, PoolY = 150.0, PoolEdge = 190.0, PoolFalloff = 90.0;

// What the camera sees at one point of the picture, before tone mapping.
struct Sample {
    double Radiance;
    double Grain;  // film grain the surface there takes, in colour steps
    double Height; // of the surface above the plate, for the depth of field
};

Sample See(const Scene& scene, double x, double y) {
    const Vec3 view = ViewDirection(scene.View, x, y);
    size_t hit = scene.Parts.size();
    Vec2 p = {};
    double inside = 0.0;
    for (size_t i = 0; i < scene.Parts.size(); ++i) {
        p = ToPlane(scene.View, x, y, scene.Parts[i].Height);
        inside = -PartDistance(scene.Parts[i], p);
        if (inside >= 0.0) {
            hit = i;
            break;
        }
    }

    if (hit == scene.Parts.size()) {
        // The plate: matt and dark, lit only by what passes the parts above it, and only in a
        // pool of light round the wheels; the left, under the buttons, stays in the dark.
        p = ToPlane(scene.View, x, y, 0.0);
        const double light = LightReaching(scene, hit, p, 0.0);
        const double open = Occlusion(scene, hit, p, 0.0);
        const double fromPool = Length(Vec2{x - PoolX, (y - PoolY) * 1.25});
        const double pool = Smoothstep(PoolEdge, PoolEdge - PoolFalloff, fromPool);
        return {0.07 * (0.10 + 0.9 * Light.Z * light) * open * (0.06 + 0.94 * pool), 0.3, 0.0};
    }

    const Part& part = scene.Parts[hit];
    Surface surface = SurfaceOf(part.Surface);
    Vec3 normal = {0.0, 0.0, 1.0};
    if (inside < part.Chamfer) {
        // On the polished chamfer the surface leans outwards by 25 degrees.
        const Vec2 out = EdgeDirection(part, p);
        normal = Normalised({out.X * 0.42, out.Y * 0.42, 0.91});
        surface.Circular = false;
        surface.Shine = fmax(surface.Shine, 1.6);
        surface.Sharpness = 30;
    }
    if (part.Kind == Shape::Screw) {
        // The slot across the screw head, dark and deep.
        const Vec2 d = p - part.Centre;
        const double across = fabs(d.X * -Sine(part.SlotAngle) + d.Y * Cosine(part.SlotAngle));
        if (across < part.Radius * 0.16 && inside > part.Chamfer * 0.5)
            return {0.015, 0.1, part.Height};
    }
    Vec2 tangent = {0.0, 0.0};
    if (surface.Circular) {
        const Vec2 d = p - CentreOf(part);
        const double r = Length(d);
        tangent = r > 0.0 ? Vec2{-d.Y / r, d.X / r} : Vec2{1.0, 0.0};
    }
    const double light = LightReaching(scene, hit, p, part.Height);
    const double open = Occlusion(scene, hit, p, part.Height);
    const double diffuse = fmax(Dot(normal, Light), 0.0);
    const double shine = Highlight(surface, normal, view, tangent);
    return {(surface.Albedo * (0.12 + 0.88 * diffuse * light) + surface.Shine * shine * light) *
                open,
            surface.Grain, part.Height};
}

// ---------------------------------------------------------------------------------------
// Picture

struct Colour {
    uint8_t Red, Green, Blue;
};

// Thirteen warm sepia tones from a near-black red-brown to a pale cream.
Colour SepiaLevel(int level) {
    static const Colour Levels[LevelCount] = {
        {47, 10, 10},    {76, 22, 14},    {104, 37, 20},   {129, 54, 28},  {151, 72, 38},
        {171, 91, 50},   {189, 111, 64},  {205, 132, 80},  {219, 153, 98}, {231, 175, 119},
        {241, 197, 142}, {249, 224, 175}, {255, 251, 214},
    };
    return Levels[level];
}

// Brightness -> a level of the ramp, with film grain of `grain` steps from a hash of the
// pixel: enough to break up the bands where the picture shades, and nothing where it is flat.
int ToneLevel(double radiance, double grain, int x, int y) {
    const double exposed = radiance * 2.2;
    const double shouldered = exposed / (1.0 + exposed);
    const double toned = sqrt(shouldered * sqrt(shouldered)); // to the power 3/4
    const double noise = (HashUnit(x, y, 1) - 0.5) * grain;
    const int level = static_cast<int>(floor(toned * (LevelCount - 1) * 1.18 + 0.5 + noise));
    return level < 0 ? 0 : (level >= LevelCount ? LevelCount - 1 : level);
}

// The picture before its colours are reduced, one sample per pixel.
struct Exposure {
    std::vector<Sample> Pixels; // rows from the top
    Sample& At(int x, int y) {
        return Pixels[size_t(y) * Width + x];
    }
};

Exposure Expose(const Scene& scene) {
    Exposure exposure;
    exposure.Pixels.resize(size_t(Width) * Height);
    const double count = SamplesPerAxis * SamplesPerAxis;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            Sample sum = {0.0, 0.0, 0.0};
            for (int sy = 0; sy < SamplesPerAxis; ++sy) {
                for (int sx = 0; sx < SamplesPerAxis; ++sx) {
                    const Sample sample = See(scene, x + (sx + 0.5) / SamplesPerAxis,
                                              y + (sy + 0.5) / SamplesPerAxis);
                    sum.Radiance += sample.Radiance;
                    sum.Grain += sample.Grain;
                    sum.Height += sample.Height;
                }
            }
            // Light falls off towards the corners.
            const double dx = (x - Width * 0.62) / Width, dy = (y - Height * 0.42) / Height;
            const double vignette = 1.0 / (1.0 + 1.2 * (dx * dx + dy * dy));
            exposure.At(x, y) = {sum.Radiance / count * vignette, sum.Grain / count,
                                 sum.Height / count};
        }
    }
    return exposure;
}

// The lens is focused on the large wheel; what lies higher or lower is blurred in proportion,
// as in a close-up photograph. Each pixel gathers the neighbours whose blur reaches it; a
// sharp part in front is not smeared by the blurred plate behind it.
constexpr double FocusHeight = 14.0;
constexpr double BlurPerHeight = 0.12; // radius in pixels per unit of height out of focus
constexpr int LargestBlur = 3;

double BlurRadius(double height) {
    return fmin(BlurPerHeight * fabs(height - FocusHeight), double(LargestBlur));
}

Exposure Defocus(Exposure& sharp) {
    Exposure blurred = sharp;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const Sample& here = sharp.At(x, y);
            const double ownRadius = BlurRadius(here.Height);
            double weights = 0.0, radiance = 0.0;
            for (int dy = -LargestBlur; dy <= LargestBlur; ++dy) {
                for (int dx = -LargestBlur; dx <= LargestBlur; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= Width || ny >= Height)
                        continue;
                    const Sample& there = sharp.At(nx, ny);
                    const double radius = fmax(BlurRadius(there.Height), 0.5);
                    const double distance = sqrt(double(dx * dx + dy * dy));
                    const bool reaches = distance <= radius;
                    const bool inFront = there.Height >= here.Height - 1.0;
                    if (!reaches || (!inFront && distance > ownRadius))
                        continue;
                    const double weight = 1.0 / (radius * radius);
                    weights += weight;
                    radiance += weight * there.Radiance;
                }
            }
            blurred.At(x, y).Radiance = radiance / weights;
        }
    }
    return blurred;
}

Picture Paint() {
    Scene scene;
    scene.View = MakeCamera();
    scene.Parts = Movement(scene.View);
    Exposure exposure = Expose(scene);
    Exposure photograph = Defocus(exposure);

    Picture picture;
    picture.Width = Width;
    picture.Height = Height;
    picture.Pixels.resize(size_t(Width) * Height * PictureBytesPerPixel);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const Sample& sample = photograph.At(x, y);
            const Colour colour = SepiaLevel(ToneLevel(sample.Radiance, sample.Grain, x, y));
            uint8_t* pixel = &picture.Pixels[(size_t(y) * Width + x) * PictureBytesPerPixel];
            pixel[0] = colour.Blue;
            pixel[1] = colour.Green;
            pixel[2] = colour.Red;
        }
    }
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: wallpaper_generator <output.png>\n");
        return 2;
    }
    std::string error;
    if (!WritePngFile(argv[1], Paint(), error)) {
        fprintf(stderr, "wallpaper_generator: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
