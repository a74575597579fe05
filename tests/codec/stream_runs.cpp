// Reads a pixel stream byte by byte, the slow and obvious way.
#include "stream_runs.h"

namespace {

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value |= uint32_t(bytes[at + i]) << (8 * i);
    return value;
}

} // namespace

StreamRuns ReadStreamRuns(const std::vector<uint8_t>& stream) {
    StreamRuns result;
    if (stream.empty()) {
        result.Error = "empty stream";
        return result;
    }
    result.StartByte = stream[0];
    bool fill = (stream[0] & 1) != 0;
    size_t at = 1;
    for (;;) {
        if (stream.size() - at < 4) {
            result.Error = "no end mark at offset " + std::to_string(at);
            return result;
        }
        if (stream[at] == 0 && stream[at + 1] == 0) {
            result.EndMarkOffset = at;
            if (stream[at + 2] != 0 || stream[at + 3] != 0)
                result.Error = "end mark not all zero";
            else if (stream.size() != at + 4)
                result.Error = "bytes after the end mark";
            return result;
        }
        StreamRun run;
        run.Fill = fill;
        run.CodeOffset = at;
        if ((stream[at] & 1) == 0) {
            run.CodeWidth = 1;
            run.Count = stream[at] >> 1;
        } else if ((stream[at] & 2) == 0) {
            run.CodeWidth = 2;
            run.Count = LittleEndian(stream, at, 2) >> 2;
        } else {
            run.CodeWidth = 4;
            run.Count = LittleEndian(stream, at, 4) >> 3;
        }
        run.PixelOffset = at + run.CodeWidth;
        const size_t pixelBytes = fill ? 4 : 4 * size_t(run.Count);
        if (stream.size() - run.PixelOffset < pixelBytes) {
            result.Error = "run at offset " + std::to_string(at) + " runs past the stream";
            return result;
        }
        at = run.PixelOffset + pixelBytes;
        result.Runs.push_back(run);
        fill = !fill;
    }
}

std::vector<uint32_t> ExpandStreamRuns(const std::vector<uint8_t>& stream, const StreamRuns& runs) {
    std::vector<uint32_t> pixels;
    for (const StreamRun& run : runs.Runs) {
        for (uint32_t i = 0; i < run.Count; ++i)
            pixels.push_back(
                LittleEndian(stream, run.PixelOffset + (run.Fill ? 0 : 4 * size_t(i)), 4));
    }
    return pixels;
}
