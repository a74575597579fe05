// A pixel stream's run statistics: how its runs and bytes divide up, to judge how well a
// picture suits the format.
#pragma once
#include "pixel_stream.h"

#include <stdint.h>

#include <string>
#include <vector>

struct StreamStatistics {
    uint64_t StreamBytes = 0;
    uint8_t StartByte = 0;
    uint64_t FillRuns = 0, FillPixels = 0, ShortestFill = 0, LongestFill = 0;
    uint64_t LiteralRuns = 0, LiteralPixels = 0, EmptyLiterals = 0, LongestLiteral = 0;
    // Count codes by width: index 0 for the 1-byte form, 1 for 2 bytes, 2 for 4 bytes.
    uint64_t FillCodes[3] = {}, LiteralCodes[3] = {};
    uint64_t CodeBytes = 0, LiteralPixelBytes = 0, FillPixelBytes = 0;
    bool LastRunIsFill = false; // false too when there is no run
    uint64_t DecodedPixels() const {
        return FillPixels + LiteralPixels;
    }
};

// Reads the runs of the size bytes at stream under the bounded decoder's rules (the end mark
// as the last four bytes, no run reaching past the end), whatever the picture's size. On a
// malformed stream returns the reason and offset, and the statistics hold what came before.
PixelStreamDecodeResult ReadStreamStatistics(const uint8_t* stream, uint64_t size,
                                             StreamStatistics& statistics);

// The statistics as lines of text, numbers with thousands separators.
std::string FormatStreamStatistics(const StreamStatistics& statistics);

// 1234567 -> "1,234,567".
std::string WithSeparators(uint64_t number);
