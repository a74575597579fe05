// Run statistics of a pixel stream.
#include "picture_tool_stats.h"

#include "count_code.h"

#include <stdio.h>

namespace {

int WidthIndex(uint32_t width) {
    return width == ShortCodeWidth ? 0 : width == MediumCodeWidth ? 1 : 2;
}

std::string Pixels(uint64_t count) {
    return WithSeparators(count) + (count == 1 ? " pixel" : " pixels");
}

} // namespace

std::string WithSeparators(uint64_t number) {
    std::string digits = std::to_string(number);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

PixelStreamDecodeResult ReadStreamStatistics(const uint8_t* stream, uint64_t size,
                                             StreamStatistics& statistics) {
    statistics = StreamStatistics();
    statistics.StreamBytes = size;
    uint64_t at = 0;
    PixelStreamStatus status = PixelStreamTruncated;
    if (size == 0)
        return {PixelStreamTruncated, 0, 0};
    statistics.StartByte = stream[0];
    at = 1;
    for (bool fill = (stream[0] & StartsWithFill) != 0;; fill = !fill) {
        if (size - at < EndMarkSize)
            break;
        const uint32_t word = LoadWord(stream + at);
        if (IsEndMark(word)) {
            if (word != 0) {
                status = PixelStreamBadEndMark;
            } else if (size - at > EndMarkSize) {
                status = PixelStreamTrailingBytes;
                at += EndMarkSize;
            } else {
                status = PixelStreamComplete;
            }
            break;
        }
        uint32_t width;
        const uint64_t count = ReadCountCode(word, width);
        const uint64_t pixelBytes = fill ? PixelSize : count * PixelSize;
        if (size - at - width < pixelBytes)
            break;
        statistics.CodeBytes += width;
        if (fill) {
            statistics.FillCodes[WidthIndex(width)] += 1;
            statistics.ShortestFill = statistics.FillRuns == 0 || count < statistics.ShortestFill
                                          ? count
                                          : statistics.ShortestFill;
            statistics.FillRuns += 1;
            statistics.FillPixels += count;
            statistics.LongestFill =
                count > statistics.LongestFill ? count : statistics.LongestFill;
            statistics.FillPixelBytes += pixelBytes;
        } else {
            statistics.LiteralCodes[WidthIndex(width)] += 1;
            statistics.LiteralRuns += 1;
            statistics.LiteralPixels += count;
            statistics.EmptyLiterals += count == 0 ? 1 : 0;
            statistics.LongestLiteral =
                count > statistics.LongestLiteral ? count : statistics.LongestLiteral;
            statistics.LiteralPixelBytes += pixelBytes;
        }
        statistics.LastRunIsFill = fill;
        at += width + pixelBytes;
    }
    const uint64_t decodedBytes = statistics.DecodedPixels() * PixelSize;
    return {status, uint32_t(at > 0xFFFFFFFFu ? 0xFFFFFFFFu : at),
            uint32_t(decodedBytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : decodedBytes)};
}

std::string FormatStreamStatistics(const StreamStatistics& s) {
    std::string text;
    text += "start byte " + std::to_string(s.StartByte) +
            ((s.StartByte & StartsWithFill) ? " (the picture begins with a fill run)\n"
                                            : " (the picture begins with a literal run)\n");
    text += WithSeparators(s.FillRuns) + " fill runs covering " + Pixels(s.FillPixels);
    if (s.FillRuns > 0)
        text += ", none shorter than " + Pixels(s.ShortestFill) + ", the longest " +
                Pixels(s.LongestFill);
    text += "\n";
    text += WithSeparators(s.LiteralRuns) + " literal runs covering " + Pixels(s.LiteralPixels);
    if (s.LiteralRuns > 0)
        text += ", " + WithSeparators(s.EmptyLiterals) + " of them empty, the longest " +
                Pixels(s.LongestLiteral);
    text += "\n";
    const char* widths[] = {"1-byte", "2-byte", "4-byte"};
    text += "count codes:";
    for (int i = 0; i < 3; ++i)
        text += std::string(i == 0 ? " " : "; ") + widths[i] + " " +
                WithSeparators(s.LiteralCodes[i]) + " literal, " + WithSeparators(s.FillCodes[i]) +
                " fill";
    text += "\n";
    if (s.FillRuns + s.LiteralRuns == 0)
        text += "no runs: the end mark follows the start byte\n";
    else if (s.LastRunIsFill)
        text += "the last run is a fill run, so the end mark stands in a literal run's place\n";
    else
        text += "the last run is a literal run, so the end mark stands in a fill run's place\n";
    const uint64_t decodedBytes = s.DecodedPixels() * PixelSize;
    text += WithSeparators(s.StreamBytes) + " bytes: the start byte, " +
            WithSeparators(s.CodeBytes) + " bytes of count codes, " +
            WithSeparators(s.LiteralPixelBytes) + " bytes of literal pixels, " +
            WithSeparators(s.FillPixelBytes) + " bytes of fill-run pixels and the 4-byte end mark";
    if (decodedBytes > 0) {
        char share[32];
        snprintf(share, sizeof share, "%.1f %%",
                 100.0 * double(s.StreamBytes) / double(decodedBytes));
        text += ": " + std::string(share) + " of the decoded size (" +
                WithSeparators(decodedBytes) + " bytes, " + Pixels(s.DecodedPixels()) + ")";
    }
    text += "\n";
    return text;
}
