// Helpers for the codec's tests.
#include "codec_test_support.h"

#include "guarded_buffer.h"
#include "stream_runs.h"

#include <string.h>

#include <sstream>

namespace {

uint32_t NamedPixel(const std::string& name) {
    if (name == "A")
        return PixelA;
    if (name == "B")
        return PixelB;
    if (name == "P")
        return PixelP;
    abort();
}

void AppendPixel(std::vector<uint8_t>& bytes, uint32_t pixel) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(pixel >> (8 * i)));
}

std::string Hex(uint32_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

} // namespace

std::vector<uint32_t> PixelsFromText(const std::string& text) {
    std::vector<uint32_t> pixels;
    std::istringstream words(text);
    for (std::string word; words >> word;)
        pixels.push_back(NamedPixel(word));
    return pixels;
}

std::vector<uint8_t> BytesFromText(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (word == "END")
            AppendPixel(bytes, 0);
        else if (word.size() == 1)
            AppendPixel(bytes, NamedPixel(word));
        else
            bytes.push_back(uint8_t(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

std::vector<uint8_t> PixelBytes(const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> bytes;
    for (uint32_t pixel : pixels)
        AppendPixel(bytes, pixel);
    return bytes;
}

std::vector<uint8_t> Encode(const std::vector<uint32_t>& pixels, uint32_t trailingBytes,
                            std::vector<uint8_t>* rest) {
    std::vector<uint8_t> input = PixelBytes(pixels);
    for (uint32_t i = 0; i < trailingBytes; ++i)
        input.push_back(uint8_t(0x5A + i));
    GuardedBuffer source(input);
    const size_t n = pixels.size();
    GuardedBuffer destination(4 * n + 8 + n / 16384);
    memset(destination.data(), 0xEE, destination.size());
    const uint32_t length =
        EncodePixelStream(source.data(), destination.data(), uint32_t(input.size()));
    std::vector<uint8_t> stream = destination.bytes();
    stream.resize(length < stream.size() ? length : stream.size());
    if (rest != nullptr)
        rest->assign(destination.data() + stream.size(), destination.data() + destination.size());
    return stream;
}

Decoded DecodeTrusting(const std::vector<uint8_t>& stream, size_t pixelCount) {
    GuardedBuffer source(stream);
    GuardedBuffer destination(4 * pixelCount);
    Decoded decoded;
    decoded.Result = DecodePixelStream(source.data(), destination.data());
    decoded.Pixels.resize(pixelCount);
    if (pixelCount > 0)
        memcpy(decoded.Pixels.data(), destination.data(), 4 * pixelCount);
    return decoded;
}

DecodedBounded DecodeBounded(const std::vector<uint8_t>& stream, uint32_t capacity, uint8_t fill) {
    GuardedBuffer source(stream);
    GuardedBuffer destination(capacity);
    memset(destination.data(), fill, capacity);
    DecodedBounded decoded;
    decoded.Result = DecodePixelStreamBounded(source.data(), uint32_t(stream.size()),
                                              destination.data(), capacity);
    decoded.Bytes = destination.bytes();
    return decoded;
}

std::string FirstMismatch(const std::vector<uint32_t>& expected,
                          const std::vector<uint32_t>& actual) {
    const size_t common = expected.size() < actual.size() ? expected.size() : actual.size();
    for (size_t i = 0; i < common; ++i) {
        if (expected[i] != actual[i])
            return "first mismatch at pixel " + std::to_string(i) + " (byte offset " +
                   std::to_string(4 * i) + "): expected " + Hex(expected[i]) + ", got " +
                   Hex(actual[i]);
    }
    if (expected.size() != actual.size())
        return "lengths differ: expected " + std::to_string(expected.size()) + " pixels, got " +
               std::to_string(actual.size());
    return "";
}

std::string CheckEncoderOutput(const std::vector<uint32_t>& pixels,
                               const std::vector<uint8_t>& stream) {
    const StreamRuns runs = ReadStreamRuns(stream);
    if (!runs.Error.empty())
        return "unreadable stream: " + runs.Error;
    const size_t n = pixels.size();
    const std::string mismatch = FirstMismatch(pixels, ExpandStreamRuns(stream, runs));
    if (!mismatch.empty())
        return "stream does not hold the input: " + mismatch;
    if (stream.size() > 4 * n + 8 + n / 16384 || (n == 0 && stream.size() != 5))
        return "stream of " + std::to_string(stream.size()) + " bytes over the size bound";
    const uint8_t startByte = n >= 2 && pixels[0] == pixels[1] ? 1 : 0;
    if (runs.StartByte != startByte)
        return "start byte " + std::to_string(runs.StartByte);

    size_t i = 0; // first pixel of the run
    for (size_t r = 0; r < runs.Runs.size(); ++r) {
        const StreamRun& run = runs.Runs[r];
        const std::string where =
            "run " + std::to_string(r) + " at offset " + std::to_string(run.CodeOffset) + ": ";
        const uint32_t narrowest = run.Count < 128 ? 1 : run.Count < 16384 ? 2 : 4;
        if (run.CodeWidth != narrowest)
            return where + "count " + std::to_string(run.Count) + " in a " +
                   std::to_string(run.CodeWidth) + "-byte code";
        if (run.CodeWidth == 4 && (stream[run.CodeOffset] & 4) != 0)
            return where + "reserved bit set";
        const size_t end = i + run.Count;
        if (run.Fill) {
            if (run.Count < 2)
                return where + "fill run of " + std::to_string(run.Count);
            if (end < n && pixels[end] == pixels[i])
                return where + "fill run not maximal";
        } else if (run.Count == 0) {
            const bool betweenFills = r > 0 && r + 1 < runs.Runs.size();
            if (!betweenFills || pixels[i - 1] == pixels[i])
                return where + "empty literal run not between two different fill runs";
        } else {
            for (size_t k = i; k + 1 < end; ++k) {
                if (pixels[k] == pixels[k + 1])
                    return where + "equal neighbours inside a literal run";
            }
            if (end < n && pixels[end - 1] == pixels[end])
                return where + "literal run ends on the next fill run's value";
        }
        i = end;
    }
    return "";
}
