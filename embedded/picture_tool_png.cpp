// PNG reading and writing through libpng's simplified interface, which reports errors by
// result instead of by long jump.
#include "picture_tool_png.h"

#include <png.h>
#include <string.h>

namespace {

constexpr size_t PngSignatureSize = 8;
// Pictures up to 16,384 pixels a side, so that the codec's 32-bit sizes hold them.
constexpr uint32_t MaxPictureSide = 1u << 14;

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
    for (size_t i = 3; i < picture.Pixels.size(); i += 4)
        picture.Pixels[i] = 0;
    return true;
}

bool WritePng(const Picture& picture, std::vector<uint8_t>& file, std::string& error) {
    std::vector<uint8_t> rgb(size_t(picture.Width) * picture.Height * 3);
    for (size_t i = 0, j = 0; i < picture.Pixels.size(); i += 4, j += 3) {
        rgb[j] = picture.Pixels[i + 2];
        rgb[j + 1] = picture.Pixels[i + 1];
        rgb[j + 2] = picture.Pixels[i];
    }
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.Width;
    image.height = picture.Height;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
        error = std::string("cannot make a PNG picture: ") + image.message;
        return false;
    }
    file.resize(size);
    if (!png_image_write_to_memory(&image, file.data(), &size, 0, rgb.data(), 0, nullptr)) {
        error = std::string("cannot make a PNG picture: ") + image.message;
        return false;
    }
    file.resize(size);
    return true;
}
