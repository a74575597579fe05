// What the codec's tests share: pictures and streams written as short texts, the codec run on
// buffers that fault on the first byte past their end, and the checks every encoder output
// must pass.
#pragma once
#include "decoder_path.h"
#include "pixel_stream.h"

#include <stdint.h>

#include <string>
#include <vector>

// The path the decoders chose for this processor before the tests began (codec_test_main.cpp).
extern PixelDecoderPath AutomaticDecoderPath;

// Named pixels for the texts below; their bytes all differ, so byte order mistakes show.
constexpr uint32_t PixelA = 0x11223344;
constexpr uint32_t PixelB = 0xA5B6C7D8;
constexpr uint32_t PixelP = 0x00FF8040;

// "A A B" -> the pixels A, A, B.
std::vector<uint32_t> PixelsFromText(const std::string& text);

// "01 04 A END" -> bytes 01 04, pixel A's four bytes, the four zero bytes of the end mark.
std::vector<uint8_t> BytesFromText(const std::string& text);

std::vector<uint8_t> PixelBytes(const std::vector<uint32_t>& pixels);

// Encodes pixels followed by trailingBytes extra bytes (byteCount = 4n + trailingBytes) into a
// buffer of exactly 4n + 8 + n / 16,384 bytes, filled with 0xEE beforehand; rest, when given,
// receives the buffer's bytes past the stream afterwards.
std::vector<uint8_t> Encode(const std::vector<uint32_t>& pixels, uint32_t trailingBytes = 0,
                            std::vector<uint8_t>* rest = nullptr);

struct Decoded {
    uint32_t Result;
    std::vector<uint32_t> Pixels;
};

// Decodes stream, copied to a buffer of exactly its size, into exactly pixelCount pixels.
Decoded DecodeTrusting(const std::vector<uint8_t>& stream, size_t pixelCount);

struct DecodedBounded {
    PixelStreamDecodeResult Result;
    std::vector<uint8_t> Bytes; // the whole destination afterwards
};

DecodedBounded DecodeBounded(const std::vector<uint8_t>& stream, uint32_t capacity,
                             uint8_t fill = 0xEE);

// "" when equal, else where they first differ.
std::string FirstMismatch(const std::vector<uint32_t>& expected,
                          const std::vector<uint32_t>& actual);

// "" when stream is what the encoder must make of pixels, else the first rule it breaks.
std::string CheckEncoderOutput(const std::vector<uint32_t>& pixels,
                               const std::vector<uint8_t>& stream);
