// The codec measured on wallpaper-sized pictures against the floor (memset and memcpy of the
// decoded picture) and against two well-known codecs decompressing the same pixels. Prints
// Google Benchmark's report, then each median and minimum as a ratio to memcpy's.
//
//   pixel_stream_bench [picture.rle ...] [benchmark flags]
//
// Without pictures it measures the ones the build names. Each stream is checked first: the
// decoders must give back the picture and the encoder the stream, byte for byte.
#include "pixel_stream.h"

#include <benchmark/benchmark.h>

#include <lz4.h>
#include <lz4hc.h>
#include <stdio.h>
#include <string.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct Picture {
    std::string Name;
    std::vector<uint8_t> Stream;
    std::vector<uint8_t> Pixels;
    std::vector<uint8_t> Lz4;  // the pixels, LZ4 HC at its highest level
    std::vector<uint8_t> Zlib; // the pixels, zlib at level 9
};

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// Loads and checks a picture; prints why and returns false when it cannot be measured.
bool LoadPicture(const std::string& path, Picture& picture) {
    picture.Name = path.substr(path.find_last_of('/') + 1);
    picture.Stream = ReadWholeFile(path);
    if (picture.Stream.empty()) {
        fprintf(stderr, "%s: cannot read it or it is empty; not measured\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> pixels(64u << 20);
    const PixelStreamDecodeResult decoded =
        DecodePixelStreamBounded(picture.Stream.data(), uint32_t(picture.Stream.size()),
                                 pixels.data(), uint32_t(pixels.size()));
    if (decoded.Status != PixelStreamComplete) {
        fprintf(stderr, "%s: %s at offset %u; not measured\n", path.c_str(),
                DescribePixelStreamStatus(decoded.Status), decoded.Offset);
        return false;
    }
    pixels.resize(decoded.ByteCount);
    picture.Pixels = pixels;

    std::vector<uint8_t> check(pixels.size());
    if (DecodePixelStream(picture.Stream.data(), check.data()) != pixels.size() ||
        check != pixels) {
        fprintf(stderr, "%s: DecodePixelStream disagrees with the bounded decoder\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> stream(pixels.size() + 8 + pixels.size() / 65536);
    stream.resize(EncodePixelStream(pixels.data(), stream.data(), uint32_t(pixels.size())));
    if (stream != picture.Stream) {
        fprintf(stderr, "%s: EncodePixelStream does not give back the stream\n", path.c_str());
        return false;
    }

    picture.Lz4.resize(size_t(LZ4_compressBound(int(pixels.size()))));
    picture.Lz4.resize(size_t(LZ4_compress_HC(
        reinterpret_cast<const char*>(pixels.data()), reinterpret_cast<char*>(picture.Lz4.data()),
        int(pixels.size()), int(picture.Lz4.size()), LZ4HC_CLEVEL_MAX)));
    uLongf zlibSize = compressBound(uLong(pixels.size()));
    picture.Zlib.resize(zlibSize);
    compress2(picture.Zlib.data(), &zlibSize, pixels.data(), uLong(pixels.size()), 9);
    picture.Zlib.resize(zlibSize);
    return true;
}

// Runs body once per iteration over the picture's decoded size, and checks its output once.
template <typename Body>
void Measure(benchmark::State& state, const Picture& picture, std::vector<uint8_t>& out,
             Body body) {
    for (auto _ : state) {
        body();
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.Pixels.size()));
}

void RegisterPicture(const Picture& picture) {
    const Picture* p = &picture;
    const size_t size = picture.Pixels.size();
    auto add = [&](const char* what, auto body) {
        benchmark::RegisterBenchmark((picture.Name + "/" + what).c_str(),
                                     [p, body](benchmark::State& state) {
                                         std::vector<uint8_t> out(p->Pixels.size() + 64);
                                         body(state, out);
                                     })
            ->Unit(benchmark::kMicrosecond)
            ->ComputeStatistics("min", [](const std::vector<double>& times) {
                return *std::min_element(times.begin(), times.end());
            });
    };
    add("memset", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] { memset(out.data(), 0, size); });
    });
    add("memcpy", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] { memcpy(out.data(), p->Pixels.data(), size); });
    });
    add("DecodePixelStream", [p](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] { DecodePixelStream(p->Stream.data(), out.data()); });
    });
    add("DecodePixelStreamBounded", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] {
            DecodePixelStreamBounded(p->Stream.data(), uint32_t(p->Stream.size()), out.data(),
                                     uint32_t(size));
        });
    });
    add("EncodePixelStream", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        out.resize(size + 8 + size / 65536);
        Measure(state, *p, out,
                [&] { EncodePixelStream(p->Pixels.data(), out.data(), uint32_t(size)); });
    });
    add("LZ4 HC decompress", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] {
            LZ4_decompress_safe(reinterpret_cast<const char*>(p->Lz4.data()),
                                reinterpret_cast<char*>(out.data()), int(p->Lz4.size()), int(size));
        });
    });
    add("zlib inflate", [p, size](benchmark::State& state, std::vector<uint8_t>& out) {
        Measure(state, *p, out, [&] {
            uLongf outSize = uLongf(size);
            uncompress(out.data(), &outSize, p->Zlib.data(), uLong(p->Zlib.size()));
        });
    });
}

// Google Benchmark's console report, keeping each benchmark's median and minimum (or its only
// time) to print them as ratios to memcpy's at the end. On a busy machine the median carries
// the other load; the minimum is what the code does when left alone.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit RatioReporter(const std::vector<Picture>& pictures) : pictures_(pictures) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            Times& times = times_[run.run_name.function_name];
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                times.Median = times.Minimum = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times.Median = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                times.Minimum = run.GetAdjustedRealTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const Picture& picture : pictures_) {
            printf("\n%s: %zu-byte stream, %zu pixels (%zu bytes decoded)\n", picture.Name.c_str(),
                   picture.Stream.size(), picture.Pixels.size() / 4, picture.Pixels.size());
            printf("  %-26s %12s %9s %12s %9s\n", "real time", "median (us)", "x memcpy",
                   "min (us)", "x memcpy");
            const Times base = Find(picture, "memcpy");
            for (const char* what :
                 {"memset", "memcpy", "DecodePixelStream", "DecodePixelStreamBounded",
                  "EncodePixelStream", "LZ4 HC decompress", "zlib inflate"}) {
                const Times times = Find(picture, what);
                if (times.Median > 0)
                    printf("  %-26s %12.2f %9.2f %12.2f %9.2f\n", what, times.Median,
                           times.Median / base.Median, times.Minimum, times.Minimum / base.Minimum);
            }
            const Times bounded = Find(picture, "DecodePixelStreamBounded");
            const Times trusting = Find(picture, "DecodePixelStream");
            if (bounded.Median > 0 && trusting.Median > 0)
                printf("  bounded / unbounded decoder: %.2f (medians), %.2f (minimums)\n",
                       bounded.Median / trusting.Median, bounded.Minimum / trusting.Minimum);
            printf("  compressed: LZ4 HC %zu bytes, zlib %zu bytes\n", picture.Lz4.size(),
                   picture.Zlib.size());
        }
    }

  private:
    struct Times {
        double Median = 0;
        double Minimum = 0;
    };

    Times Find(const Picture& picture, const std::string& what) const {
        const auto found = times_.find(picture.Name + "/" + what);
        return found == times_.end() ? Times() : found->second;
    }

    const std::vector<Picture>& pictures_;
    std::map<std::string, Times> times_;
};

} // namespace

int main(int argc, char** argv) {
    // Defaults that make medians; flags on the command line come later and win.
    std::vector<char*> args{argv[0]};
    std::string repetitions = "--benchmark_repetitions=15";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    args.push_back(repetitions.data());
    args.push_back(aggregates.data());
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (strncmp(argv[i], "--", 2) == 0)
            args.push_back(argv[i]);
        else
            paths.push_back(argv[i]);
    }
    if (paths.empty())
        paths = {FLARVEX_BENCH_PICTURES};
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;

    std::vector<Picture> pictures;
    pictures.reserve(paths.size());
    for (const std::string& path : paths) {
        Picture picture;
        if (!LoadPicture(path, picture))
            return 1;
        pictures.push_back(std::move(picture));
    }
    for (const Picture& picture : pictures)
        RegisterPicture(picture);
    RatioReporter reporter(pictures);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
