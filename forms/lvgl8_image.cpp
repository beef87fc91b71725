#include "forms/lvgl8_image.h"

#include <cstdio>
#include <vector>

#include "core/bytes_grid.h"
#include "core/pixel_image.h"
#include "forms/c_source.h"
#include "forms/lvgl_form.h"

namespace {

// The colour of each LV_COLOR_DEPTH, as lv_color.h's lv_color8_t,
// lv_color16_t and lv_color32_t hold it in memory.
struct Depth {
    const char* condition;
    const char* what;
};
const Depth kDepths[] = {
    {"LV_COLOR_DEPTH == 1 || LV_COLOR_DEPTH == 8", "RGB332"},
    {"LV_COLOR_DEPTH == 16 && LV_COLOR_16_SWAP == 0", "RGB565, little-endian"},
    {"LV_COLOR_DEPTH == 16 && LV_COLOR_16_SWAP != 0", "RGB565, the high byte first"},
    {"LV_COLOR_DEPTH == 32", "B, G, R, 0xFF"},  // alpha in place of the 0xFF where kept
};

void PutColour(std::vector<uint8_t>* out, int depth, const uint8_t rgba[4]) {
    const uint32_t rgb565 = (rgba[0] >> 3) << 11 | (rgba[1] >> 2) << 5 | rgba[2] >> 3;
    switch (depth) {
    case 0:
        out->push_back(static_cast<uint8_t>((rgba[0] >> 5) << 5 | (rgba[1] >> 5) << 2 | rgba[2] >> 6));
        break;
    case 1:
        out->insert(out->end(), {static_cast<uint8_t>(rgb565), static_cast<uint8_t>(rgb565 >> 8)});
        break;
    case 2:
        out->insert(out->end(), {static_cast<uint8_t>(rgb565 >> 8), static_cast<uint8_t>(rgb565)});
        break;
    default:
        out->insert(out->end(), {rgba[2], rgba[1], rgba[0], 0xFF});
        break;
    }
}

std::vector<uint8_t> TrueColour(const PixelImage& picture, int depth, bool alpha) {
    std::vector<uint8_t> bytes;
    for (uint32_t y = 0; y < picture.Height(); ++y)
        for (uint32_t x = 0; x < picture.Width(); ++x) {
            uint8_t rgba[4];
            picture.ShownColour(x, y, rgba);
            PutColour(&bytes, depth, rgba);
            if (alpha) {
                if (depth == 3)
                    bytes.back() = rgba[3];
                else
                    bytes.push_back(rgba[3]);
            }
        }
    return bytes;
}

// lv_img_dsc_t without designated initializers: the header's bit-fields
// (cf, always_zero, reserved, w, h; reversed on a big-endian LVGL), then
// data_size and data.
std::string Descriptor(const std::string& name, const ArraySource& source, const char* cf, bool header) {
    const std::string w = std::to_string(source.width), h = std::to_string(source.height);
    std::string text = header ? "\nstatic const lv_img_dsc_t " + name + " = {\n"
                              : "\nextern const lv_img_dsc_t " + name + ";\nconst lv_img_dsc_t " + name + " = {\n";
    text += "#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM\n";
    text += "    {" + h + ", " + w + ", 0, 0, " + cf + "},\n";
    text += "#else\n";
    text += "    {" + std::string(cf) + ", 0, 0, " + w + ", " + h + "}, /* cf, always_zero, reserved, w, h */\n";
    text += "#endif\n";
    text += "    sizeof(" + name + "_map), /* data_size */\n";
    text += "    " + name + "_map, /* data */\n";
    return text + "};\n";
}

}  // namespace

const char* Lvgl8FormatName(const LvglFormatRow& lvgl) {
    static const char* const kIndexed[] = {"LV_IMG_CF_INDEXED_1BIT", "LV_IMG_CF_INDEXED_2BIT", "LV_IMG_CF_INDEXED_4BIT",
                                           "LV_IMG_CF_INDEXED_8BIT"};
    static const char* const kAlpha[] = {"LV_IMG_CF_ALPHA_1BIT", "LV_IMG_CF_ALPHA_2BIT", "LV_IMG_CF_ALPHA_4BIT",
                                         "LV_IMG_CF_ALPHA_8BIT"};
    const uint32_t bits = BitsOf(lvgl.format), step = bits == 1 ? 0 : bits == 2 ? 1 : bits == 4 ? 2 : 3;
    if (lvgl.indexed) return kIndexed[step];
    if (IsAlphaOnly(lvgl.format)) return kAlpha[step];
    if (lvgl.swapped || !IsDirect(lvgl.format) || lvgl.format == PixelFormat::Argb8565 ||
        lvgl.format == PixelFormat::Rgb565A8)
        return nullptr;
    return KeepsAlpha(lvgl.format) ? "LV_IMG_CF_TRUE_COLOR_ALPHA" : "LV_IMG_CF_TRUE_COLOR";
}

bool WriteLvgl8Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
                     const BufferSizes& sizes) {
    const ArraySource& source = image.source;
    // RGB332, which LVGL 9 lacks, has no row: LVGL 8 takes it as true colour.
    const char* cf = options.lvgl ? Lvgl8FormatName(*options.lvgl) : nullptr;
    if (!cf) {
        // The colour formats LVGL 8 lacks are refused before any image is read;
        // with --color, a format of alpha is LVGL 8's true colour with alpha.
        cf = KeepsAlpha(image.image.Format()) ? "LV_IMG_CF_TRUE_COLOR_ALPHA" : "LV_IMG_CF_TRUE_COLOR";
    }
    FormOptions bytes = options;
    bytes.wordBytes = 1;
    const std::string declaration = "static const LV_ATTRIBUTE_MEM_ALIGN uint8_t " + image.name + "_map[] = {\n";
    const std::string after = "};\n" + Descriptor(image.name, source, cf, options.header);
    if (!IsDirect(image.image.Format())) {
        const std::vector<uint8_t> data = LvglImageData(image, options);
        BytesGrid grid(data);
        const std::string what = std::string(", LVGL 8 ") + cf;
        return WriteValues(grid, {SourceComment(source, data.size(), what) + declaration, after}, bytes, sink, context,
                           sizes);
    }
    const bool alpha = std::string(cf) == "LV_IMG_CF_TRUE_COLOR_ALPHA";
    const uint64_t depth16 = static_cast<uint64_t>(source.width) * source.height * (alpha ? 3 : 2);
    std::string text = SourceComment(source, depth16,
                                     std::string(", LVGL 8 ") + cf + ", for each LV_COLOR_DEPTH" +
                                         (alpha ? ", each colour then its alpha" : "") + " (the bytes at 16 bits)") +
                       declaration;
    if (!WriteText(text, sink, context)) return false;
    for (int depth = 0; depth < 4; ++depth) {
        const std::vector<uint8_t> data = TrueColour(image.image, depth, alpha);
        BytesGrid grid(data);
        const std::string what =
            depth == 3 && alpha ? "B, G, R, A" : std::string(kDepths[depth].what) + (alpha ? ", then alpha" : "");
        const std::string opening = std::string("#if ") + kDepths[depth].condition + "\n    /* " + what + " */\n";
        if (!WriteValues(grid, {opening, "#endif\n"}, bytes, sink, context, sizes)) return false;
    }
    return WriteText(after, sink, context);
}
