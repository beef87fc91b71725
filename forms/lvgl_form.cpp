#include "forms/lvgl_form.h"

#include <cstdio>
#include <cstring>

#include "core/packed_grid.h"
#include "core/pixel_image.h"
#include "forms/c_source.h"
#include "image/presets.h"

const LvglFormatRow kLvglFormats[] = {
    {"I1", PixelFormat::Mono, true},
    {"I2", PixelFormat::Grey2, true},
    {"I4", PixelFormat::Grey4, true},
    {"I8", PixelFormat::Grey8, true},
    {"L8", PixelFormat::Grey8, false},
    {"A1", PixelFormat::Alpha1, false},
    {"A2", PixelFormat::Alpha2, false},
    {"A4", PixelFormat::Alpha4, false},
    {"A8", PixelFormat::Alpha8, false},
    {"RGB565", PixelFormat::Rgb565, false},
    {"RGB565A8", PixelFormat::Rgb565A8, false},
    {"RGB888", PixelFormat::Rgb888, false},
    {"ARGB8888", PixelFormat::Argb8888, false},
};
const size_t kLvglFormatCount = sizeof kLvglFormats / sizeof kLvglFormats[0];

const LvglFormatRow* LvglFormatNamed(const char* name) {
    for (const LvglFormatRow& row : kLvglFormats)
        if (std::strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

// The first row that takes the format, so grey levels of 8 bits are I8
// rather than L8, which is only ever named.
const LvglFormatRow* LvglFormatOf(PixelFormat format) {
    for (const LvglFormatRow& row : kLvglFormats) {
        const bool indexedFits =
            row.indexed && !IsDirect(format) && !IsAlphaOnly(format) && BitsOf(row.format) == BitsOf(format);
        if (indexedFits || (!row.indexed && row.format == format)) return &row;
    }
    return nullptr;
}

namespace {

// LVGL v9's lv_image_dsc_t, its fields in the order lv_image_dsc.h
// declares them, without designated initializers (C++17 has none): the
// header's bit-fields (reversed on a big-endian LVGL), data_size, data,
// reserved, and reserved_2 from LVGL 9.3 on. In a source file the extern
// declaration gives the descriptor external linkage in C++ too, as
// LV_IMAGE_DECLARE expects; in a header it is static, as its data is.
std::string Descriptor(const std::string& name, const ArraySource& source, const char* format, uint32_t stride,
                       bool header) {
    const std::string w = std::to_string(source.width), h = std::to_string(source.height);
    const std::string s = std::to_string(stride), cf = std::string("LV_COLOR_FORMAT_") + format;
    std::string text = header ? "\nstatic const lv_image_dsc_t " + name + " = {\n"
                              : "\nextern const lv_image_dsc_t " + name + ";\nconst lv_image_dsc_t " + name + " = {\n";
    text += "#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM\n";
    text += "    {0, " + s + ", " + h + ", " + w + ", 0, " + cf + ", LV_IMAGE_HEADER_MAGIC},\n";
    text += "#else\n";
    text += "    {LV_IMAGE_HEADER_MAGIC, " + cf + ", 0, " + w + ", " + h + ", " + s +
            ", 0}, /* magic, cf, flags, w, h, stride */\n";
    text += "#endif\n";
    text += "    sizeof(" + name + "_map), /* data_size */\n";
    text += "    " + name + "_map, /* data */\n";
    text += "    NULL, /* reserved */\n";
    text += "#if defined(LVGL_VERSION_MAJOR) && \\\n";
    text += "    (LVGL_VERSION_MAJOR > 9 || (LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR >= 3))\n";
    text += "    NULL, /* reserved_2 */\n";
    text += "#endif\n";
    return text + "};\n";
}

// Bytes a row: the packed line's, or for direct colour the width's values
// (RGB565A8's colour rows; its alpha rows follow, a byte a pixel).
uint32_t Stride(const LvglFormatRow& format, const PackedGrid& grid, const ArraySource& source) {
    return IsDirect(format.format) ? source.width * BytesOfValue(format.format) : grid.ItemsPerLine();
}

// The palette of an indexed LVGL image, entries in B, G, R, A: the
// palette's colours, the entries past them transparent white as
// LVGLImage.py pads them; or entry v the grey of level v, and at one bit
// without a palette a set bit dark (index 1 black).
std::string Palette(const LvglFormatRow& format, const std::vector<Rgb>& palette) {
    if (!format.indexed) return std::string();
    const uint32_t depth = BitsOf(format.format), colours = 1u << depth;
    if (depth == 1 && palette.empty()) return "    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,\n";
    std::string text;
    for (uint32_t v = 0; v < colours; ++v) {
        char entry[40];
        const uint32_t grey = GreyOfLevel(v, depth);
        Rgb colour = {static_cast<uint8_t>(grey), static_cast<uint8_t>(grey), static_cast<uint8_t>(grey)};
        uint32_t alpha = 0xFF;
        if (!palette.empty()) {
            colour = v < palette.size() ? palette[v] : Rgb{0xFF, 0xFF, 0xFF};
            alpha = v < palette.size() ? 0xFF : 0x00;
        }
        std::snprintf(entry, sizeof entry, "%s0x%02X, 0x%02X, 0x%02X, 0x%02X,%s", v % 4 == 0 ? "    " : " ", colour.b,
                      colour.g, colour.r, alpha, v % 4 == 3 || v + 1 == colours ? "\n" : "");
        text += entry;
    }
    return text;
}

class Lvgl : public OutputForm {
public:
    bool Opening(const FormOptions& options, const std::string& collection, ByteSink sink,
                 void* context) const override {
        std::string text = GuardOpening(collection);
        if (options.wordBytes > 1) text += "#include <stdint.h>\n\n";
        text +=
            "#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n#include \"lvgl.h\"\n#else\n#include \"lvgl/lvgl.h\"\n#endif\n\n"
            "#ifndef LV_ATTRIBUTE_MEM_ALIGN\n#define LV_ATTRIBUTE_MEM_ALIGN\n#endif\n\n";
        return WriteText(text, sink, context);
    }

    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        const LvglFormatRow& format = *options.lvgl;
        const ArraySource& source = image.source;
        const uint64_t bytes = static_cast<uint64_t>(image.grid->ItemsPerLine()) * image.grid->LineCount();
        const std::string palette = Palette(format, image.image.Palette());
        const uint32_t colours = palette.empty() ? 0 : 1u << BitsOf(format.format);
        const uint32_t stride = Stride(format, *image.grid, source);
        std::string what = std::string(", LVGL v9 LV_COLOR_FORMAT_") + format.name + ": ";
        if (colours) what += "a palette of " + std::to_string(colours) + " colours (B, G, R, A), then ";
        what += std::to_string(source.height) + " rows of " + std::to_string(stride) + " bytes";
        if (IsAlphaOnly(format.format)) what += " of coverage";
        if (IsDirect(format.format) && DirectRowOf(format.format)->alphaPlane)
            what += ", then " + std::to_string(source.height) + " rows of alpha";
        const std::string before = SourceComment(source, bytes + colours * 4, what) +
                                   "static const LV_ATTRIBUTE_MEM_ALIGN uint8_t " + image.name + "_map[] = {\n" +
                                   palette;
        return WriteValues(*image.grid,
                           {before, "};\n" + Descriptor(image.name, source, format.name, stride, options.header)},
                           options, sink, context, sizes);
    }

    bool Collection(const FormCollection& collection, const FormOptions& options, ByteSink sink,
                    void* context) const override {
        const TableStyle style = {DataQualifier(options), "lv_image_dsc_t", "&", "", false};
        return WriteText(CollectionTables(style, collection), sink, context);
    }

    bool Closing(const FormOptions&, ByteSink sink, void* context) const override {
        return WriteText(GuardClosing(), sink, context);
    }

    // LVGL's rows, the first pixel in the high bits: the adafruit-gfx preset's.
    const ConvertOptions* FixedLayout(const FormOptions&) const override { return &FindPreset("adafruit-gfx")->layout; }

    std::vector<std::string> NamesOfImage(const FormOptions&, const std::string& name) const override {
        return {name, name + "_map"};
    }

    std::vector<std::string> NamesOfCollection(const std::string& name) const override { return CollectionNames(name); }
};

}  // namespace

const OutputForm& LvglForm() {
    static const Lvgl form;
    return form;
}
