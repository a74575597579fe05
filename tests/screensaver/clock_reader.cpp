// Reading seven-segment digits from pixels.
#include "clock_reader.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int DigitGroups = 6;
constexpr int ColumnGroups = 8; // six digits and two colons
// Red channel at or above which a segment's middle counts as lit.
constexpr uint32_t LitRed = 160;

// Seven-segment patterns, bit 0 = top, then upper right, lower right, bottom, lower left,
// upper left, middle.
constexpr uint8_t Patterns[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

struct Span {
    int First, End;
};

ClockReading Failure(ClockReading reading, const std::string& problem) {
    reading.Found = false;
    reading.Problem = problem;
    return reading;
}

} // namespace

ClockReading ReadClock(const uint32_t* pixels, int width, int height, int stride,
                       uint32_t background) {
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * stride + x] & 0xFFFFFF; };
    ClockReading reading;
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return Failure(reading, "every pixel is background");
    reading.Left = left;
    reading.Top = top;
    reading.Width = right - left + 1;
    reading.Height = bottom - top + 1;

    std::vector<Span> groups;
    for (int x = left; x <= right + 1; ++x) {
        bool used = false;
        for (int y = top; y <= bottom && x <= right && !used; ++y)
            used = at(x, y) != background;
        if (used && (groups.empty() || groups.back().End != x))
            groups.push_back({x, x + 1});
        else if (used)
            groups.back().End = x + 1;
    }
    if (groups.size() != ColumnGroups)
        return Failure(reading, "the face splits into " + std::to_string(groups.size()) +
                                    " groups of columns, not 8 (six digits, two colons)");
    int widest = 0;
    for (const Span& g : groups)
        widest = std::max(widest, g.End - g.First);
    const int colonIndexes[2] = {2, 5};
    for (int i = 0; i < ColumnGroups; ++i) {
        bool narrow = 2 * (groups[i].End - groups[i].First) < widest;
        bool colon = i == colonIndexes[0] || i == colonIndexes[1];
        if (narrow != colon)
            return Failure(reading, "column group " + std::to_string(i) +
                                        (colon ? " should be a narrow colon"
                                               : " should be a digit as wide as the others"));
    }

    int digits[DigitGroups];
    int h = reading.Height;
    for (int d = 0, g = 0; d < DigitGroups; ++g) {
        if (g == colonIndexes[0] || g == colonIndexes[1])
            continue;
        int x0 = groups[g].First, w = groups[g].End - groups[g].First;
        // The middles of the segments: a digit is 5 thicknesses wide and 9 high.
        const int middles[7][2] = {
            {x0 + w / 2, top + h / 18},               // top
            {x0 + w - 1 - w / 10, top + h * 5 / 18},  // upper right
            {x0 + w - 1 - w / 10, top + h * 13 / 18}, // lower right
            {x0 + w / 2, top + h - 1 - h / 18},       // bottom
            {x0 + w / 10, top + h * 13 / 18},         // lower left
            {x0 + w / 10, top + h * 5 / 18},          // upper left
            {x0 + w / 2, top + h / 2},                // middle
        };
        int lit = 0;
        for (int s = 0; s < 7; ++s)
            if ((at(middles[s][0], middles[s][1]) >> 16) >= LitRed)
                lit |= 1 << s;
        int value = -1;
        for (int v = 0; v < 10; ++v)
            if (Patterns[v] == lit)
                value = v;
        // A 12-hour clock leaves the first digit of an hour below 10 dark.
        if (d == 0 && lit == 0)
            value = 0;
        if (value < 0) {
            char text[80];
            snprintf(text, sizeof text, "digit %d shows segments 0x%02X, which is no digit", d,
                     lit);
            return Failure(reading, text);
        }
        digits[d++] = value;
    }
    reading.Hours = digits[0] * 10 + digits[1];
    reading.Minutes = digits[2] * 10 + digits[3];
    reading.Seconds = digits[4] * 10 + digits[5];
    reading.Found = true;
    return reading;
}

std::string ClockText(const ClockReading& reading) {
    char text[16];
    snprintf(text, sizeof text, "%02d:%02d:%02d", reading.Hours, reading.Minutes, reading.Seconds);
    return text;
}
