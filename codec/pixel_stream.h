// Run-length pixel streams: a picture as alternating literal and fill runs of 32-bit pixels.
//
//   +------------+-------+-------+-------+- ... -+-------------+
//   | start byte | run 1 | run 2 | run 3 |       | 00 00 00 00 |
//   +------------+-------+-------+-------+- ... -+-------------+
//
//   start byte   bit 0 set: run 1 is a fill run; clear: a literal run. Bits 1-7 are ignored;
//                the encoder writes exactly 0 or 1.
//   runs         alternate strictly between the two kinds:
//                  literal run  +-------+----------+----------+- ... -+
//                               | count | pixel 1  | pixel 2  |       |   N pixels, N >= 0
//                               +-------+----------+----------+- ... -+
//                  fill run     +-------+----------+
//                               | count |  pixel   |                      N copies of the pixel
//                               +-------+----------+
//   end mark     four zero bytes where the next count would stand, after either kind of run.
//
//   count        little-endian; the low bits of its first byte give its width:
//                  bits  7..........1 0
//                       [   count    |0]                    1 byte    counts below 128
//                  bits 15..................2 1 0
//                       [       count       |0|1]           2 bytes   counts below 16,384
//                  bits 31...........................3 2 1 0
//                       [            count           |r|1|1] 4 bytes  counts below 2^29
//                r is reserved: written 0, ignored. The encoder writes the narrowest form; the
//                decoders accept any form for any count.
//
//   A count position whose first two bytes are zero is the end mark, so the 1-byte zero count
//   (00) may stand only before a non-zero byte. The encoder writes it only for an empty literal
//   run, and that is always followed by a fill run's count, never zero.
//
// A pixel is four bytes in memory order; the codec compares and copies pixels as whole 32-bit
// values and never looks inside one. It knows nothing of rows: runs cross row ends freely.
#pragma once
#include <stdint.h>

constexpr uint32_t PixelSize = 4;
constexpr uint32_t StartsWithFill = 0x01; // start byte bit

// Encodes the byteCount / 4 pixels at source (1 to 3 trailing bytes are ignored) into
// destination and returns the stream's length in bytes, start byte and end mark included.
//
// Equal neighbours always begin a fill run, which then takes every following pixel of the same
// value; all other pixels go into literal runs, with an empty literal run between two fill runs
// that meet. So fill runs cover at least 2 pixels and are maximal, a literal run holds no two
// equal neighbours, and the start byte is 1 exactly when the first two pixels are equal.
//
// destination must hold 4n + 8 + n / 16,384 bytes for n pixels (byteCount + 8 + byteCount /
// 65,536 suffices); it is not checked. The encoder reads exactly the n pixels.
//
// Returns 0 and writes nothing for 2^29 pixels or more: a run that long would not fit its count
// code, and the stream's length would no longer fit the result.
uint32_t EncodePixelStream(const void* source, void* destination, uint32_t byteCount);

// Both decoders come in two builds, one using SSE2 and one for any i686, and pick one on their
// first call (decoder_path.h); that choice is the only state the codec keeps.

// Decodes the stream at source into destination and returns the number of bytes written, four
// per pixel. Trusts the stream completely: it must be well formed and end in its end mark, and
// destination must hold the whole picture; nothing is checked. Reads nothing past the end mark
// and writes nothing past the decoded picture.
uint32_t DecodePixelStream(const void* source, void* destination);

enum PixelStreamStatus : uint32_t {
    PixelStreamComplete,      // decoded; the end mark is the stream's last four bytes
    PixelStreamTruncated,     // the stream ends inside a run, or before its end mark
    PixelStreamTooLarge,      // a run would take the picture past the destination's capacity
    PixelStreamBadEndMark,    // the end mark's last two bytes are not zero
    PixelStreamTrailingBytes, // bytes follow the end mark
};

struct PixelStreamDecodeResult {
    PixelStreamStatus Status;
    // Where the stream went wrong: the offset of the count code (or end mark) of the offending
    // run; for trailing bytes, of the first one. The stream's size when complete.
    uint32_t Offset;
    // Bytes of whole runs written to the destination, four per pixel.
    uint32_t ByteCount;
};

// Decodes the sourceSize bytes at source into the capacity bytes at destination, checking
// every run against both ends before it touches them: never reads outside the source or
// writes outside the destination, whatever the bytes. A well-formed stream whose picture fits
// decodes exactly as DecodePixelStream decodes it, and the stream must end with its end mark.
// On failure the result says why and where; the destination then holds the runs before the
// offending one, and up to 8 bytes past them may have been overwritten (within capacity).
PixelStreamDecodeResult DecodePixelStreamBounded(const void* source, uint32_t sourceSize,
                                                 void* destination, uint32_t capacity);

// A short English phrase for status, for messages.
const char* DescribePixelStreamStatus(PixelStreamStatus status);
