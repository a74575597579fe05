// Colour reduction through libimagequant.
#include "picture_tool_colors.h"

#include <libimagequant.h>

#include <memory>
#include <vector>

namespace {

struct AttrDeleter {
    void operator()(liq_attr* attr) const {
        liq_attr_destroy(attr);
    }
};
struct ImageDeleter {
    void operator()(liq_image* image) const {
        liq_image_destroy(image);
    }
};
struct ResultDeleter {
    void operator()(liq_result* result) const {
        liq_result_destroy(result);
    }
};

} // namespace

bool ReduceColors(Picture& picture, int colors, float dither, std::string& error) {
    const size_t count = size_t(picture.Width) * picture.Height;
    std::vector<uint8_t> rgba(count * 4);
    for (size_t i = 0; i < count; ++i) {
        rgba[4 * i] = picture.Pixels[4 * i + 2];
        rgba[4 * i + 1] = picture.Pixels[4 * i + 1];
        rgba[4 * i + 2] = picture.Pixels[4 * i];
        rgba[4 * i + 3] = 255;
    }
    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), colors) != LIQ_OK) {
        error = "cannot reduce to " + std::to_string(colors) + " colours (2 to 256 can be had)";
        return false;
    }
    std::unique_ptr<liq_image, ImageDeleter> image(
        liq_image_create_rgba(attr.get(), rgba.data(), int(picture.Width), int(picture.Height), 0));
    liq_result* quantized = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &quantized) != LIQ_OK) {
        error = "colour reduction failed";
        return false;
    }
    std::unique_ptr<liq_result, ResultDeleter> result(quantized);
    liq_set_dithering_level(result.get(), dither);
    std::vector<uint8_t> indexes(count);
    if (liq_write_remapped_image(result.get(), image.get(), indexes.data(), indexes.size()) !=
        LIQ_OK) {
        error = "colour reduction failed";
        return false;
    }
    const liq_palette* palette = liq_get_palette(result.get());
    for (size_t i = 0; i < count; ++i) {
        const liq_color& color = palette->entries[indexes[i]];
        picture.Pixels[4 * i] = color.b;
        picture.Pixels[4 * i + 1] = color.g;
        picture.Pixels[4 * i + 2] = color.r;
        picture.Pixels[4 * i + 3] = 0;
    }
    return true;
}
