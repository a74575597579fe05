// An independent reading of a pixel stream into its runs, for tests to check streams against:
// written from the format's layout, sharing no code with the codec.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

struct StreamRun {
    bool Fill;
    uint32_t Count;
    uint32_t CodeWidth; // 1, 2 or 4
    size_t CodeOffset;  // where the count code stands
    size_t PixelOffset; // the first (for a fill run the only) pixel's offset
};

struct StreamRuns {
    uint8_t StartByte = 0;
    std::vector<StreamRun> Runs;
    size_t EndMarkOffset = 0;
    std::string Error; // empty when the stream was read to its end mark, at its last 4 bytes
};

StreamRuns ReadStreamRuns(const std::vector<uint8_t>& stream);

// The decoded pixels of runs read from stream.
std::vector<uint32_t> ExpandStreamRuns(const std::vector<uint8_t>& stream, const StreamRuns& runs);
