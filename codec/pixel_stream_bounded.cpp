// The checking decoder, for streams from outside the program: every run is checked against the
// end of the stream and the end of the destination before anything is read or written.
#include "count_code.h"
#include "pixel_blocks.h"
#include "pixel_stream.h"
#include "short_runs.h"

#include <stddef.h>
#include <stdint.h>

PixelStreamDecodeResult DecodePixelStreamBounded(const void* source, uint32_t sourceSize,
                                                 void* destination, uint32_t capacity) {
    const uint8_t* const first = static_cast<const uint8_t*>(source);
    const uint8_t* const inEnd = first + sourceSize;
    uint8_t* const start = static_cast<uint8_t*>(destination);
    uint8_t* const outEnd = start + capacity;
    const uint8_t* in = first;
    uint8_t* out = start;
    PixelStreamStatus status = PixelStreamTruncated;
    // Short pairs may start up to here: far enough from both ends that they cannot reach past
    // them (see short_runs.h).
    const uintptr_t inFastLast =
        sourceSize >= ShortPairMaxRead ? uintptr_t(inEnd) - ShortPairMaxRead : 0;
    const uintptr_t outFastLast =
        capacity >= ShortPairMaxWrite ? uintptr_t(outEnd) - ShortPairMaxWrite : 0;

    if (sourceSize == 0)
        goto fail;
    {
        bool fill = (*in++ & StartsWithFill) != 0;
        for (;;) {
            uint32_t word, width, count;
            if (fill) {
                DecodeShortPairs(
                    in, out, [inFastLast, outFastLast](const uint8_t* at, uint8_t* to) {
                        return uintptr_t(at) <= inFastLast && uintptr_t(to) <= outFastLast;
                    });
                if (inEnd - in < ptrdiff_t(EndMarkSize))
                    goto fail;
                word = LoadWord(in);
                if (IsEndMark(word))
                    break;
                count = ReadCountCode(word, width);
                if (size_t(inEnd - in) - width < PixelSize)
                    goto fail;
                if (count > size_t(outEnd - out) / PixelSize) {
                    status = PixelStreamTooLarge;
                    goto fail;
                }
                FillPixels(out, LoadWord(in + width), count);
                in += width + PixelSize;
                out += size_t(count) * PixelSize;
            }
            if (inEnd - in < ptrdiff_t(EndMarkSize))
                goto fail;
            word = LoadWord(in);
            if (IsEndMark(word))
                break;
            count = ReadCountCode(word, width);
            if (count > (size_t(inEnd - in) - width) / PixelSize)
                goto fail;
            if (count > size_t(outEnd - out) / PixelSize) {
                status = PixelStreamTooLarge;
                goto fail;
            }
            CopyPixels(out, in + width, count);
            in += width + size_t(count) * PixelSize;
            out += size_t(count) * PixelSize;
            fill = true;
        }
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
        return PixelStreamDecodeResult{PixelStreamComplete, sourceSize, uint32_t(out - start)};
    }

fail:
    return PixelStreamDecodeResult{status, uint32_t(in - first), uint32_t(out - start)};
}

const char* DescribePixelStreamStatus(PixelStreamStatus status) {
    switch (status) {
    case PixelStreamComplete:
        return "complete";
    case PixelStreamTruncated:
        return "the stream ends inside a run or before its end mark";
    case PixelStreamTooLarge:
        return "the picture is larger than the space given for it";
    case PixelStreamBadEndMark:
        return "the end mark is not four zero bytes";
    case PixelStreamTrailingBytes:
        return "bytes follow the end mark";
    }
    return "unknown status";
}
