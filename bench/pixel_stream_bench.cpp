// The codec measured on wallpaper-sized pictures against the floor (memset and memcpy of the
// decoded picture) and against LZ4 HC and zlib decompressing the same pixels, in rounds
// (round_timing.h): every figure is the median over the rounds, with the middle half of the
// rounds as its spread, and the ratios are taken within each round. The same program is built
// for the host and for 32-bit Windows, where it runs under Wine.
//
//   pixel_stream_bench [--smoke] [--rounds=N] [picture.rle ...]
//
// Without pictures it measures the ones the build names. Each is checked first: both decoders
// on both paths and every decompressor must give back the picture, and the encoder the stream,
// byte for byte. --smoke times each contender once, so that a test can see the program work.
#include "decoder_path.h"
#include "pixel_stream.h"
#include "round_timing.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#if FLARVEX_BENCH_LIBLZ4
#include <lz4.h>
#include <lz4hc.h>
#endif
#if FLARVEX_BENCH_KERNEL_LZ4
#include "kernel_lz4/kernel_lz4.h"
#endif
#if FLARVEX_BENCH_ZLIB
#include <zlib.h>
#endif

namespace {

// Bytes at a fixed offset from the start of a 4 KiB page. Where the heap puts a buffer changes
// from run to run, and with it how the loads and stores of a copy fall on the same offsets in
// their pages: memcpy of the picture ran a fifth slower with its source 16 bytes below its
// destination's page offset than elsewhere. Fixed offsets make every run alike.
class Placed {
  public:
    Placed() = default;
    Placed(const std::vector<uint8_t>& bytes, size_t offset, size_t room = 0)
        : storage_(bytes.size() + room + 2 * PageSize), offset_(offset) {
        if (!bytes.empty())
            memcpy(data(), bytes.data(), bytes.size());
    }
    uint8_t* data() {
        return reinterpret_cast<uint8_t*>((uintptr_t(storage_.data()) + PageSize - 1) &
                                          ~uintptr_t(PageSize - 1)) +
               offset_;
    }
    const uint8_t* data() const {
        return const_cast<Placed*>(this)->data();
    }

  private:
    static constexpr size_t PageSize = 4096;
    std::vector<uint8_t> storage_;
    size_t offset_ = 0;
};

// Where in their pages the benchmark's buffers start: apart from each other.
constexpr size_t OutputOffset = 0, PixelsOffset = 2048, StreamOffset = 1024, BlockOffset = 3072;

struct Picture {
    std::string Name;
    std::vector<uint8_t> Stream;
    std::vector<uint8_t> Pixels;
    std::vector<uint8_t> Lz4;  // the pixels as one LZ4 block, LZ4 HC at its highest level
    std::vector<uint8_t> Zlib; // the pixels, zlib at level 9
    // The copies that the contenders read.
    Placed StreamAt, PixelsAt, Lz4At, ZlibAt;
};

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::string BaseName(const std::string& path) {
    return path.substr(path.find_last_of("/\\") + 1);
}

bool Fail(const std::string& path, const std::string& what) {
    fprintf(stderr, "%s: %s; not measured\n", path.c_str(), what.c_str());
    return false;
}

// The LZ4 block of the pixels: made here with liblz4 where the host has it; on Windows, where
// there is no LZ4 HC compressor, the one the host build made of the same picture.
bool MakeLz4Block(const std::string& path, Picture& picture) {
#if FLARVEX_BENCH_LIBLZ4
    (void)path;
    const std::vector<uint8_t>& pixels = picture.Pixels;
    picture.Lz4.resize(size_t(LZ4_compressBound(int(pixels.size()))));
    picture.Lz4.resize(size_t(LZ4_compress_HC(
        reinterpret_cast<const char*>(pixels.data()), reinterpret_cast<char*>(picture.Lz4.data()),
        int(pixels.size()), int(picture.Lz4.size()), LZ4HC_CLEVEL_MAX)));
    return !picture.Lz4.empty() || Fail(path, "LZ4 HC did not compress it");
#elif FLARVEX_BENCH_KERNEL_LZ4
    const std::string block = std::string(FLARVEX_BENCH_LZ4_BLOCKS) + "/" + picture.Name + ".lz4";
    picture.Lz4 = ReadWholeFile(block);
    return !picture.Lz4.empty() || Fail(path, "no LZ4 block " + block);
#else
    (void)path;
    (void)picture;
    return true;
#endif
}

// Loads and checks a picture; prints why and returns false when it cannot be measured.
bool LoadPicture(const std::string& path, Picture& picture) {
    picture.Name = BaseName(path);
    picture.Stream = ReadWholeFile(path);
    if (picture.Stream.empty())
        return Fail(path, "cannot read it or it is empty");
    std::vector<uint8_t> pixels(64u << 20);
    const PixelStreamDecodeResult decoded =
        DecodePixelStreamBounded(picture.Stream.data(), uint32_t(picture.Stream.size()),
                                 pixels.data(), uint32_t(pixels.size()));
    if (decoded.Status != PixelStreamComplete)
        return Fail(path, std::string(DescribePixelStreamStatus(decoded.Status)) + " at offset " +
                              std::to_string(decoded.Offset));
    pixels.resize(decoded.ByteCount);
    picture.Pixels = pixels;

    const PixelDecoderPath chosen = CurrentPixelDecoderPath();
    for (PixelDecoderPath decoderPath : {PixelDecoderScalar, PixelDecoderSse2}) {
        if (!UsePixelDecoderPath(decoderPath))
            continue;
        std::vector<uint8_t> trusting(pixels.size()), bounded(pixels.size());
        const bool same =
            DecodePixelStream(picture.Stream.data(), trusting.data()) == pixels.size() &&
            trusting == pixels &&
            DecodePixelStreamBounded(picture.Stream.data(), uint32_t(picture.Stream.size()),
                                     bounded.data(), uint32_t(bounded.size()))
                    .Status == PixelStreamComplete &&
            bounded == pixels;
        if (!same)
            return Fail(path, "a decoder on one of the paths disagrees with the others");
    }
    UsePixelDecoderPath(chosen);
    std::vector<uint8_t> stream(pixels.size() + 8 + pixels.size() / 65536);
    stream.resize(EncodePixelStream(pixels.data(), stream.data(), uint32_t(pixels.size())));
    if (stream != picture.Stream)
        return Fail(path, "EncodePixelStream does not give back the stream");

    if (!MakeLz4Block(path, picture))
        return false;
#if FLARVEX_BENCH_ZLIB
    uLongf zlibSize = compressBound(uLong(pixels.size()));
    picture.Zlib.resize(zlibSize);
    compress2(picture.Zlib.data(), &zlibSize, pixels.data(), uLong(pixels.size()), 9);
    picture.Zlib.resize(zlibSize);
#endif
    picture.StreamAt = Placed(picture.Stream, StreamOffset);
    picture.PixelsAt = Placed(picture.Pixels, PixelsOffset);
    picture.Lz4At = Placed(picture.Lz4, BlockOffset);
    picture.ZlibAt = Placed(picture.Zlib, BlockOffset);
    return true;
}

// Keeps the compiler from dropping work whose result nobody reads.
void Consume(const void* data) {
    asm volatile("" : : "r"(data) : "memory");
}

struct Measured {
    const char* Name;
    std::function<void(uint8_t* out)> Call;
    std::function<bool(const std::vector<uint8_t>& out)> Check; // null: nothing to check
};

std::vector<Measured> Contenders(const Picture& picture) {
    const Picture* p = &picture;
    const size_t size = picture.Pixels.size();
    const auto gives = [p](const std::vector<uint8_t>& out) {
        return memcmp(out.data(), p->Pixels.data(), p->Pixels.size()) == 0;
    };
    std::vector<Measured> all;
    all.push_back({"memset", [size](uint8_t* out) { memset(out, 0, size); }, nullptr});
    all.push_back(
        {"memcpy", [p, size](uint8_t* out) { memcpy(out, p->PixelsAt.data(), size); }, gives});
    all.push_back({"DecodePixelStream",
                   [p](uint8_t* out) {
                       UsePixelDecoderPath(PixelDecoderSse2);
                       DecodePixelStream(p->StreamAt.data(), out);
                   },
                   gives});
    all.push_back({"DecodePixelStreamBounded",
                   [p, size](uint8_t* out) {
                       UsePixelDecoderPath(PixelDecoderSse2);
                       DecodePixelStreamBounded(p->StreamAt.data(), uint32_t(p->Stream.size()), out,
                                                uint32_t(size));
                   },
                   gives});
    all.push_back({"DecodePixelStream, scalar",
                   [p](uint8_t* out) {
                       UsePixelDecoderPath(PixelDecoderScalar);
                       DecodePixelStream(p->StreamAt.data(), out);
                   },
                   gives});
    all.push_back(
        {"EncodePixelStream",
         [p, size](uint8_t* out) { EncodePixelStream(p->PixelsAt.data(), out, uint32_t(size)); },
         [p](const std::vector<uint8_t>& out) {
             return memcmp(out.data(), p->Stream.data(), p->Stream.size()) == 0;
         }});
#if FLARVEX_BENCH_LIBLZ4
    all.push_back({"LZ4 HC, liblz4",
                   [p, size](uint8_t* out) {
                       LZ4_decompress_safe(reinterpret_cast<const char*>(p->Lz4At.data()),
                                           reinterpret_cast<char*>(out), int(p->Lz4.size()),
                                           int(size));
                   },
                   gives});
#endif
#if FLARVEX_BENCH_KERNEL_LZ4
    all.push_back({"LZ4 HC, kernel's decoder",
                   [p, size](uint8_t* out) {
                       KernelLz4DecompressSafe(reinterpret_cast<const char*>(p->Lz4At.data()),
                                               reinterpret_cast<char*>(out), int(p->Lz4.size()),
                                               int(size));
                   },
                   gives});
#endif
#if FLARVEX_BENCH_ZLIB
    all.push_back({"zlib inflate",
                   [p, size](uint8_t* out) {
                       uLongf outSize = uLongf(size);
                       uncompress(out, &outSize, p->ZlibAt.data(), uLong(p->Zlib.size()));
                   },
                   gives});
#endif
    if (!PixelDecoderPathAvailable(PixelDecoderSse2))
        all.erase(all.begin() + 2, all.begin() + 4);
    return all;
}

void PrintRatio(const std::vector<double>& times, const std::vector<double>& reference) {
    const Spread ratio = SpreadOf(RatiosByRound(times, reference));
    printf("  %6.2f %5.2f-%-5.2f", ratio.Median, ratio.Low, ratio.High);
}

// Times the picture's contenders over rounds and prints the figures; false when one of them
// did not give back what it must.
bool Measure(const Picture& picture, int rounds, bool smoke) {
    const size_t size = picture.Pixels.size();
    const size_t outSize = size + 8 + size / 65536 + 64;
    Placed out(std::vector<uint8_t>(), OutputOffset, outSize);
    std::vector<Measured> measured = Contenders(picture);
    std::vector<Contender> contenders;
    for (const Measured& m : measured) {
        uint8_t* const to = out.data();
        contenders.push_back({m.Name, [&m, to] {
                                  m.Call(to);
                                  Consume(to);
                              }});
    }
    for (const Measured& m : measured) {
        memset(out.data(), 0xEE, outSize);
        m.Call(out.data());
        if (m.Check && !m.Check(std::vector<uint8_t>(out.data(), out.data() + outSize))) {
            fprintf(stderr, "%s: %s does not give back what it must\n", picture.Name.c_str(),
                    m.Name);
            return false;
        }
    }
    const std::vector<std::vector<double>> times =
        TimeRounds(contenders, smoke ? 1 : rounds, smoke ? 1 : 5, smoke ? 0 : 200e-6);

    size_t memcpyAt = 1, lz4At = 0, trustingAt = 0, boundedAt = 0, scalarAt = 0;
    for (size_t c = 0; c < measured.size(); ++c) {
        const std::string name = measured[c].Name;
        if (lz4At == 0 && name.compare(0, 6, "LZ4 HC") == 0)
            lz4At = c;
        trustingAt = name == "DecodePixelStream" ? c : trustingAt;
        boundedAt = name == "DecodePixelStreamBounded" ? c : boundedAt;
        scalarAt = name == "DecodePixelStream, scalar" ? c : scalarAt;
    }
    printf("\n%s: %zu-byte stream, %zu pixels (%zu bytes decoded); %d rounds\n",
           picture.Name.c_str(), picture.Stream.size(), size / 4, size, smoke ? 1 : rounds);
    printf("  %-26s %9s %-11s %17s", "per call", "median us", "middle half", "x memcpy");
    if (lz4At != 0)
        printf(" %17s", ("x " + std::string(measured[lz4At].Name)).c_str());
    printf("\n");
    for (size_t c = 0; c < measured.size(); ++c) {
        const Spread time = SpreadOf(times[c]);
        printf("  %-26s %9.2f %5.1f-%-5.1f", measured[c].Name, time.Median, time.Low, time.High);
        PrintRatio(times[c], times[memcpyAt]);
        if (lz4At != 0)
            PrintRatio(times[c], times[lz4At]);
        printf("\n");
    }
    if (trustingAt != 0) {
        printf("  bounded / trusting decoder:");
        PrintRatio(times[boundedAt], times[trustingAt]);
        printf("\n  scalar / SSE2 path:        ");
        PrintRatio(times[scalarAt], times[trustingAt]);
        printf("\n");
    }
    printf("  compressed: LZ4 HC %zu bytes, zlib %zu bytes\n", picture.Lz4.size(),
           picture.Zlib.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    int rounds = 201;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--smoke") == 0)
            smoke = true;
        else if (strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = atoi(argv[i] + 9);
        else if (strncmp(argv[i], "--", 2) == 0 || rounds < 1) {
            fprintf(stderr, "usage: pixel_stream_bench [--smoke] [--rounds=N] [picture.rle ...]\n");
            return 2;
        } else
            paths.push_back(argv[i]);
    }
    if (paths.empty())
        paths = {FLARVEX_BENCH_PICTURES};
#if FLARVEX_BENCH_LIBLZ4 && FLARVEX_BENCH_KERNEL_LZ4
    // The kernel's decoder is built with its functions renamed to names of their own; were the
    // renaming to reach this file, both rows would time the kernel's decoder.
    if (reinterpret_cast<void*>(&LZ4_decompress_safe) ==
        reinterpret_cast<void*>(&KernelLz4DecompressSafe)) {
        fprintf(stderr, "liblz4's decoder and the kernel's are the same function here\n");
        return 1;
    }
#endif

    std::vector<Picture> pictures(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!LoadPicture(paths[i], pictures[i]))
            return 1;
    }
    printf("Decoder path chosen for this processor: %s\n",
           CurrentPixelDecoderPath() == PixelDecoderSse2 ? "SSE2" : "scalar");
    // tools/wine-session names the emulator through which 32-bit programs run, where they do.
    if (const char* emulator = getenv("FLARVEX_I386_EMULATOR"))
        printf("Run through the 32-bit emulator %s: these times are not comparable with those "
               "of programs that run on the processor itself\n",
               emulator);
#if !FLARVEX_BENCH_KERNEL_LZ4
#if FLARVEX_BENCH_LIBLZ4
    const char* leftOut = "LZ4's decoder from the kernel source";
#else
    const char* leftOut = "LZ4 HC";
#endif
    printf("%s: skipped: the kernel source that carries it (%s) is not installed; tools/bench "
           "installs it\n",
           leftOut, FLARVEX_BENCH_KERNEL_SOURCE);
#endif
    // A second of work first: the processor's clock, and under Wine the start-up's own work,
    // settle before the first round.
    if (!smoke) {
        std::vector<uint8_t> out(pictures[0].Pixels.size());
        for (const double until = NowSeconds() + 1; NowSeconds() < until;)
            DecodePixelStream(pictures[0].Stream.data(), out.data());
    }
    for (const Picture& picture : pictures) {
        if (!Measure(picture, rounds, smoke))
            return 1;
    }
    return 0;
}
