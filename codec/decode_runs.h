// The one decoding core behind both decoders, specialised at compile time. Checked = false is
// DecodePixelStream: it trusts the stream and the destination. Checked = true is
// DecodePixelStreamBounded: every run is checked against the end of the stream and the end of
// the destination before anything is read or written. The two are the same code with the checks
// compiled in or out, so they cannot drift apart. The core mirrors the encoder: a fill run, then
// a literal run, around the same loop.
//
// Wide = true moves pixels 16 bytes at a time and takes the fast path of short_runs.h wherever
// it can; both need SSE2 to pay. Without it runs are filled a word at a time and copied with
// memcpy, which keeps the path for processors without SSE2 less than half the size
// (decoder_path.h).
#pragma once
#include "count_code.h"
#include "pixel_blocks.h"
#include "pixel_stream.h"
#include "short_runs.h"

#include <stddef.h>
#include <stdint.h>
#include <string.h>

// The SSE2 path exists on x86 only; its functions ask for SSE2 themselves (decoder_path.h).
#if defined(__i386__) || defined(__x86_64__)
#define CODEC_SSE2_PATH 1
#define CODEC_SSE2 __attribute__((target("sse2")))
#else
#define CODEC_SSE2_PATH 0
#define CODEC_SSE2
#endif

// Decodes the stream at first into start. Unchecked, sourceSize and capacity are not read and the
// result's ByteCount is all that counts; checked, see DecodePixelStreamBounded.
template <bool Checked, bool Wide>
CODEC_ALWAYS_INLINE PixelStreamDecodeResult DecodeRuns(const uint8_t* const first,
                                                       const uint32_t sourceSize,
                                                       uint8_t* const start,
                                                       const uint32_t capacity) {
    const uint8_t* const inEnd = first + sourceSize;
    uint8_t* const outEnd = start + capacity;
    const uint8_t* in = first;
    uint8_t* out = start;
    PixelStreamStatus status = PixelStreamTruncated;
    uint32_t word, width, count;
    bool fill;

    if (Checked && sourceSize == 0)
        goto fail;
    // One run a turn, fill and literal runs taking turns: one count code reader and one set of
    // checks serve both kinds, which keeps the loop small.
    fill = (*in++ & StartsWithFill) != 0;
    for (;;) {
        if (Wide && fill)
            DecodeShortPairs<Checked>(in, out, inEnd, outEnd);
        if (Checked && inEnd - in < ptrdiff_t(EndMarkSize))
            goto fail;
        word = LoadWord(in);
        if (IsEndMark(word))
            break;
        count = ReadCountCode(word, width);
        // A fill run's one pixel, or a literal run's count of them, follows the code.
        const size_t pixelBytes = (fill ? 1 : size_t(count)) * PixelSize;
        if (Checked && pixelBytes > size_t(inEnd - in) - width)
            goto fail;
        if (Checked && count > size_t(outEnd - out) / PixelSize) {
            status = PixelStreamTooLarge;
            goto fail;
        }
        in += width;
        if (fill && Wide)
            FillPixels(out, LoadWord(in), count);
        else if (fill)
            FillWords(out, LoadWord(in), count);
        else if (Wide)
            CopyPixels(out, in, count);
        else
            memcpy(out, in, pixelBytes);
        in += pixelBytes;
        out += size_t(count) * PixelSize;
        fill = !fill;
    }
    if (Checked) {
        // At the end mark, with at least its four bytes left.
        if (LoadWord(in) != 0) {
            status = PixelStreamBadEndMark;
            goto fail;
        }
        if (inEnd - in > ptrdiff_t(EndMarkSize)) {
            status = PixelStreamTrailingBytes;
            in += EndMarkSize;
            goto fail;
        }
    }
    return PixelStreamDecodeResult{PixelStreamComplete, uint32_t(in + EndMarkSize - first),
                                   uint32_t(out - start)};

fail:
    return PixelStreamDecodeResult{status, uint32_t(in - first), uint32_t(out - start)};
}
