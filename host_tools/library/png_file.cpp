// PNG reading through libpng's simplified interface, which reports errors by result; writing
// through the full one, which alone sets the compression level.
#include "png_file.h"

#include "whole_file.h"

#include <png.h>
#include <string.h>

namespace {

constexpr size_t PngSignatureSize = 8;
constexpr uint32_t MaxPictureSide = 1u << 14;
constexpr int TightestCompression = 9;

// The full interface reports failures by long jump; these carry its message out.
void OnPngError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void AppendToFile(png_structp png, png_bytep data, png_size_t length) {
    std::vector<uint8_t>* file = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    file->insert(file->end(), data, data + length);
}

void FlushNothing(png_structp) {}

} // namespace

bool ReadPng(const std::vector<uint8_t>& file, Picture& picture, std::string& error) {
    if (file.size() < PngSignatureSize || png_sig_cmp(file.data(), 0, PngSignatureSize) != 0) {
        error = "not a PNG picture";
        return false;
    }
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        error = std::string("not a readable PNG picture: ") + image.message;
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > MaxPictureSide ||
        image.height > MaxPictureSide) {
        error = "a PNG picture of " + std::to_string(image.width) + " x " +
                std::to_string(image.height) + " pixels, too large to take";
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    picture.Width = image.width;
    picture.Height = image.height;
    picture.Pixels.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, picture.Pixels.data(), 0, nullptr)) {
        error = std::string("a damaged PNG picture: ") + image.message;
        return false;
    }
    for (size_t i = 3; i < picture.Pixels.size(); i += PictureBytesPerPixel)
        picture.Pixels[i] = 0;
    return true;
}

bool WritePng(const Picture& picture, std::vector<uint8_t>& file, std::string& error) {
    const size_t pixels = size_t(picture.Width) * picture.Height;
    if (pixels == 0 || picture.Pixels.size() != pixels * PictureBytesPerPixel) {
        error = "the picture's size and pixels do not agree";
        return false;
    }
    std::vector<uint8_t> rgb(pixels * 3);
    for (size_t i = 0, j = 0; i < picture.Pixels.size(); i += PictureBytesPerPixel, j += 3) {
        rgb[j] = picture.Pixels[i + 2];
        rgb[j + 1] = picture.Pixels[i + 1];
        rgb[j + 2] = picture.Pixels[i];
    }
    std::vector<png_bytep> rows(picture.Height);
    for (uint32_t y = 0; y < picture.Height; ++y)
        rows[y] = rgb.data() + size_t(y) * picture.Width * 3;

    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "cannot make a PNG picture: out of memory";
        return false;
    }
    file.clear();
    // Everything that needs destroying exists before this point, so a jump back loses nothing.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot make a PNG picture: " + error;
        file.clear();
        return false;
    }
    png_set_write_fn(png, &file, AppendToFile, FlushNothing);
    png_set_IHDR(png, info, picture.Width, picture.Height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, TightestCompression);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool ReadPngFile(const std::string& path, Picture& picture, std::string& error) {
    std::vector<uint8_t> file;
    return ReadWholeFile(path, file, error) && ReadPng(file, picture, error);
}

bool WritePngFile(const std::string& path, const Picture& picture, std::string& error) {
    std::vector<uint8_t> file;
    return WritePng(picture, file, error) && WriteWholeFile(path, file, error);
}
