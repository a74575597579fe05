// The codec's benchmark for the 32-bit Windows build, the code the users run: the same
// measurements as pixel_stream_bench, timed with QueryPerformanceCounter (Google Benchmark is
// not built for this target). Each figure is the median, and the minimum, of 31 samples of 40
// calls each.
//
//   pixel_stream_timing.exe [--smoke] picture.rle ...
//
// --smoke times each operation once, so that a test can see that it still builds and runs.
#include "pixel_stream.h"

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>
#if FLARVEX_TIMING_ZLIB
#include <zlib.h>
#endif

namespace {

struct Picture {
    std::string Name;
    std::vector<uint8_t> Stream;
    std::vector<uint8_t> Pixels;
    std::vector<uint8_t> Zlib;
};

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    uint8_t buffer[65536];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(file);
    return !bytes.empty();
}

bool LoadPicture(const char* path, Picture& picture) {
    const std::string name = path;
    picture.Name = name.substr(name.find_last_of("/\\") + 1);
    if (!ReadWholeFile(path, picture.Stream)) {
        fprintf(stderr, "%s: cannot read it or it is empty\n", path);
        return false;
    }
    std::vector<uint8_t> pixels(16u << 20);
    const PixelStreamDecodeResult decoded =
        DecodePixelStreamBounded(picture.Stream.data(), uint32_t(picture.Stream.size()),
                                 pixels.data(), uint32_t(pixels.size()));
    if (decoded.Status != PixelStreamComplete) {
        fprintf(stderr, "%s: %s at offset %u\n", path, DescribePixelStreamStatus(decoded.Status),
                unsigned(decoded.Offset));
        return false;
    }
    pixels.resize(decoded.ByteCount);
    picture.Pixels = pixels;
    std::vector<uint8_t> check(pixels.size());
    std::vector<uint8_t> stream(pixels.size() + 8 + pixels.size() / 65536);
    stream.resize(EncodePixelStream(pixels.data(), stream.data(), uint32_t(pixels.size())));
    if (DecodePixelStream(picture.Stream.data(), check.data()) != pixels.size() ||
        check != pixels || stream != picture.Stream) {
        fprintf(stderr, "%s: the codec does not give back the picture and its stream\n", path);
        return false;
    }
#if FLARVEX_TIMING_ZLIB
    uLongf zlibSize = compressBound(uLong(pixels.size()));
    picture.Zlib.resize(zlibSize);
    compress2(picture.Zlib.data(), &zlibSize, pixels.data(), uLong(pixels.size()), 9);
    picture.Zlib.resize(zlibSize);
#endif
    return true;
}

struct Times {
    double Median;
    double Minimum;
};

// The median and the minimum over samples of the time one call of body takes, in microseconds.
template <typename Body> Times TimeCalls(bool smoke, Body body) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int samples = smoke ? 1 : 31;
    const int calls = smoke ? 1 : 40;
    std::vector<double> times;
    body(); // warm the caches
    for (int sample = 0; sample < samples; ++sample) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int call = 0; call < calls; ++call)
            body();
        QueryPerformanceCounter(&end);
        times.push_back(double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) /
                        calls);
    }
    std::sort(times.begin(), times.end());
    return Times{times[times.size() / 2], times.front()};
}

// Keeps the compiler from dropping work whose result nobody reads.
void Consume(const void* data) {
    asm volatile("" : : "r"(data) : "memory");
}

void Measure(const Picture& picture, bool smoke) {
    const size_t size = picture.Pixels.size();
    std::vector<uint8_t> out(size + 8 + size / 65536 + 64);
    struct Row {
        const char* What;
        Times Time;
    };
    std::vector<Row> rows;
    auto time = [&](const char* what, auto body) {
        rows.push_back({what, TimeCalls(smoke, [&] {
                            body();
                            Consume(out.data());
                        })});
    };
    time("memset", [&] { memset(out.data(), 0, size); });
    time("memcpy", [&] { memcpy(out.data(), picture.Pixels.data(), size); });
    time("DecodePixelStream", [&] { DecodePixelStream(picture.Stream.data(), out.data()); });
    time("DecodePixelStreamBounded", [&] {
        DecodePixelStreamBounded(picture.Stream.data(), uint32_t(picture.Stream.size()), out.data(),
                                 uint32_t(size));
    });
    time("EncodePixelStream",
         [&] { EncodePixelStream(picture.Pixels.data(), out.data(), uint32_t(size)); });
#if FLARVEX_TIMING_ZLIB
    time("zlib inflate", [&] {
        uLongf outSize = uLongf(size);
        uncompress(out.data(), &outSize, picture.Zlib.data(), uLong(picture.Zlib.size()));
    });
#endif

    printf("%s: %u-byte stream, %u pixels (%u bytes decoded)\n", picture.Name.c_str(),
           unsigned(picture.Stream.size()), unsigned(size / 4), unsigned(size));
    printf("  %-26s %12s %9s %12s %9s\n", "time", "median (us)", "x memcpy", "min (us)",
           "x memcpy");
    const Times base = rows[1].Time;
    for (const Row& row : rows)
        printf("  %-26s %12.2f %9.2f %12.2f %9.2f\n", row.What, row.Time.Median,
               row.Time.Median / base.Median, row.Time.Minimum, row.Time.Minimum / base.Minimum);
    printf("  bounded / unbounded decoder: %.2f (medians), %.2f (minimums)\n",
           rows[3].Time.Median / rows[2].Time.Median, rows[3].Time.Minimum / rows[2].Time.Minimum);
#if !FLARVEX_TIMING_ZLIB
    printf("  (zlib not measured: built without the mingw-w64 zlib)\n");
#endif
}

} // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    std::vector<Picture> pictures;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
            continue;
        }
        Picture picture;
        if (!LoadPicture(argv[i], picture))
            return 1;
        pictures.push_back(picture);
    }
    if (pictures.empty()) {
        fprintf(stderr, "usage: pixel_stream_timing [--smoke] picture.rle ...\n");
        return 2;
    }
    // A second of work first: a freshly started Wine keeps the processors busy for a moment
    // with its own start-up, which would otherwise land in the first figures.
    if (!smoke) {
        std::vector<uint8_t> out(pictures[0].Pixels.size());
        const DWORD until = GetTickCount() + 1000;
        while (GetTickCount() < until)
            DecodePixelStream(pictures[0].Stream.data(), out.data());
    }
    for (const Picture& picture : pictures)
        Measure(picture, smoke);
    return 0;
}
