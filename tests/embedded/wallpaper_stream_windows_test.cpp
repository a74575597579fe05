// The wallpaper block as linked into a Windows program: the very bytes of the build's
// wallpaper.rle, in read-only memory, decoding to the whole picture with the codec as built
// for the setup program.
#include "file_bytes.h"
#include "pixel_stream.h"
#include "setup_look.h"
#include "wallpaper_stream.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

constexpr uint32_t WallpaperBytes = look::PictureWidth * look::PictureHeight * 4;

std::vector<uint8_t> WallpaperFile() {
    return ReadFileVector(FLARVEX_WALLPAPER_RLE);
}

// A buffer of size bytes that ends where an inaccessible page begins.
class GuardedPixels {
  public:
    explicit GuardedPixels(size_t size) : size_(size) {
        const size_t pages = (size + 4095) / 4096;
        base_ = static_cast<uint8_t*>(
            VirtualAlloc(nullptr, (pages + 1) * 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + pages * 4096, 4096, PAGE_NOACCESS, &old);
        data_ = base_ + pages * 4096 - size;
    }
    ~GuardedPixels() {
        VirtualFree(base_, 0, MEM_RELEASE);
    }
    uint8_t* data() {
        return data_;
    }

  private:
    size_t size_;
    uint8_t* base_;
    uint8_t* data_;
};

TEST(WallpaperStream, BlockHoldsTheBuiltStreamInReadOnlyMemory) {
    const std::vector<uint8_t> file = WallpaperFile();
    ASSERT_FALSE(file.empty()) << "cannot read " << FLARVEX_WALLPAPER_RLE;
    EXPECT_EQ(memcmp(WallpaperStream, file.data(), file.size()), 0);
    MEMORY_BASIC_INFORMATION memory;
    ASSERT_NE(VirtualQuery(WallpaperStream, &memory, sizeof memory), 0u);
    EXPECT_EQ(memory.Protect, DWORD(PAGE_READONLY));
}

TEST(WallpaperStream, BlockDecodesToTheWholePicture) {
    const std::vector<uint8_t> file = WallpaperFile();
    ASSERT_FALSE(file.empty()) << "cannot read " << FLARVEX_WALLPAPER_RLE;
    GuardedPixels pixels(WallpaperBytes);
    memset(pixels.data(), 0xEE, WallpaperBytes);
    EXPECT_EQ(DecodePixelStream(WallpaperStream, pixels.data()), WallpaperBytes);
    for (uint32_t at = 3; at < WallpaperBytes; at += 4)
        ASSERT_EQ(pixels.data()[at], 0) << "fourth byte of pixel " << at / 4;

    GuardedPixels checked(WallpaperBytes);
    const PixelStreamDecodeResult result = DecodePixelStreamBounded(
        WallpaperStream, uint32_t(file.size()), checked.data(), WallpaperBytes);
    EXPECT_EQ(result.Status, PixelStreamComplete);
    EXPECT_EQ(result.ByteCount, WallpaperBytes);
    EXPECT_EQ(memcmp(pixels.data(), checked.data(), WallpaperBytes), 0);

    std::vector<uint8_t> encoded(WallpaperBytes + 16);
    encoded.resize(EncodePixelStream(pixels.data(), encoded.data(), WallpaperBytes));
    EXPECT_EQ(encoded, file);
}

} // namespace
