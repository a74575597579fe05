// Writes the pixels of a pixel stream as one LZ4 block, LZ4 HC at its highest level, for the
// Windows build of the benchmark: Debian has no LZ4 compressor for that target, and so the
// Windows build decompresses exactly the block that the host's liblz4 makes.
//
//   lz4_block picture.rle picture.rle.lz4
#include "pixel_stream.h"

#include <lz4.h>
#include <lz4hc.h>
#include <stdint.h>
#include <stdio.h>

#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: lz4_block picture.rle block.lz4\n");
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    const std::vector<uint8_t> stream(std::istreambuf_iterator<char>(input), {});
    std::vector<uint8_t> pixels(64u << 20);
    const PixelStreamDecodeResult decoded = DecodePixelStreamBounded(
        stream.data(), uint32_t(stream.size()), pixels.data(), uint32_t(pixels.size()));
    if (decoded.Status != PixelStreamComplete) {
        fprintf(stderr, "%s: %s at offset %u\n", argv[1], DescribePixelStreamStatus(decoded.Status),
                decoded.Offset);
        return 1;
    }
    std::vector<char> block(size_t(LZ4_compressBound(int(decoded.ByteCount))));
    const int size = LZ4_compress_HC(reinterpret_cast<const char*>(pixels.data()), block.data(),
                                     int(decoded.ByteCount), int(block.size()), LZ4HC_CLEVEL_MAX);
    std::ofstream output(argv[2], std::ios::binary);
    if (size <= 0 || !output.write(block.data(), size)) {
        fprintf(stderr, "%s: cannot write the LZ4 block\n", argv[2]);
        return 1;
    }
    return 0;
}
