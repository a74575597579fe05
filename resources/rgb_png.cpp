// 24-bit RGB PNG files through libpng.
#include "rgb_png.h"

#include <errno.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t OutputMode = 0644;

// libpng reports failures by longjmp; these carry its message out.
void OnPngError(png_structp png, png_const_charp message) {
    std::string* error = static_cast<std::string*>(png_get_error_ptr(png));
    *error = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

bool ReadOpenPng(FILE* file, RgbPicture& picture, std::string& error) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != size_t(width) * 3) {
        error = "unexpected pixel layout";
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    picture.Width = static_cast<int>(width);
    picture.Height = static_cast<int>(height);
    picture.Pixels.assign(rowBytes * height, 0);
    // Row by row, so that no local object needs destroying when libpng jumps out.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, picture.Pixels.data() + y * rowBytes, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool WriteOpenPng(FILE* file, const RgbPicture& picture, std::string& error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory";
        return false;
    }
    std::vector<png_bytep> rows(static_cast<size_t>(picture.Height));
    for (int y = 0; y < picture.Height; ++y)
        rows[y] = const_cast<png_bytep>(picture.Pixels.data()) + size_t(y) * picture.Width * 3;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.Width, picture.Height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool ReadRgbPng(const std::string& path, RgbPicture& picture, std::string& error) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("cannot open: ") + strerror(errno);
        return false;
    }
    unsigned char signature[8];
    const bool isPng = fread(signature, 1, sizeof signature, file) == sizeof signature &&
                       png_sig_cmp(signature, 0, sizeof signature) == 0;
    if (!isPng) {
        fclose(file);
        error = "not a PNG file";
        return false;
    }
    rewind(file);
    const bool read = ReadOpenPng(file, picture, error);
    fclose(file);
    return read;
}

bool WriteRgbPng(const std::string& path, const RgbPicture& picture, std::string& error) {
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Pixels.size() != size_t(picture.Width) * picture.Height * 3) {
        error = "the picture's size and pixels do not agree";
        return false;
    }
    std::string temporary = path + ".XXXXXX";
    const int descriptor = mkstemp(&temporary[0]);
    if (descriptor < 0) {
        error = std::string("cannot create a temporary file beside it: ") + strerror(errno);
        return false;
    }
    fchmod(descriptor, OutputMode); // mkstemp makes it private; the output is an ordinary file
    FILE* file = fdopen(descriptor, "wb");
    if (!file) {
        error = std::string("cannot write: ") + strerror(errno);
        close(descriptor);
        unlink(temporary.c_str());
        return false;
    }
    bool written = WriteOpenPng(file, picture, error);
    if (fclose(file) != 0 && written) {
        error = std::string("cannot write: ") + strerror(errno);
        written = false;
    }
    if (written && rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::string("cannot rename into place: ") + strerror(errno);
        written = false;
    }
    if (!written)
        unlink(temporary.c_str());
    return written;
}
