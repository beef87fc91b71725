#include "forms/lvgl_form.h"

#include <cstdio>
#include <cstring>

#include "compress/lvgl_rle.h"
#include "compress/lz4_block.h"
#include "core/bytes_grid.h"
#include "core/packed_grid.h"
#include "core/pixel_image.h"
#include "forms/binary_form.h"
#include "forms/c_source.h"
#include "forms/lvgl8_image.h"
#include "image/presets.h"

const LvglFormatRow kLvglFormats[] = {
    {"I1", PixelFormat::Mono, true, 0x07},
    {"I2", PixelFormat::Grey2, true, 0x08},
    {"I4", PixelFormat::Grey4, true, 0x09},
    {"I8", PixelFormat::Grey8, true, 0x0A},
    {"L8", PixelFormat::Grey8, false, 0x06},
    {"A1", PixelFormat::Alpha1, false, 0x0B},
    {"A2", PixelFormat::Alpha2, false, 0x0C},
    {"A4", PixelFormat::Alpha4, false, 0x0D},
    {"A8", PixelFormat::Alpha8, false, 0x0E},
    {"RGB565", PixelFormat::Rgb565, false, 0x12},
    {"RGB565A8", PixelFormat::Rgb565A8, false, 0x14},
    {"RGB888", PixelFormat::Rgb888, false, 0x0F},
    {"ARGB8888", PixelFormat::Argb8888, false, 0x10},
    {"RGB565_SWAPPED", PixelFormat::Rgb565, false, 0x1B, true},
    {"ARGB8565", PixelFormat::Argb8565, false, 0x13},
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

uint32_t LvglStride(const LvglFormatRow& format, uint32_t width) {
    if (IsDirect(format.format)) return width * BytesOfValue(format.format);
    return static_cast<uint32_t>((static_cast<uint64_t>(width) * BitsOf(format.format) + 7) / 8);
}

namespace {

// The palette of an indexed LVGL image, entries in B, G, R, A: the
// palette's colours, the entries past them transparent white as
// LVGLImage.py pads them; or entry v the grey of level v, and at one bit
// without a palette a set bit dark (index 1 black).
std::vector<uint8_t> PaletteBytes(const LvglFormatRow& format, const std::vector<Rgb>& palette) {
    if (!format.indexed) return {};
    const uint32_t depth = BitsOf(format.format), colours = 1u << depth;
    if (depth == 1 && palette.empty()) return {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF};
    std::vector<uint8_t> bytes;
    for (uint32_t v = 0; v < colours; ++v) {
        const uint8_t grey = static_cast<uint8_t>(GreyOfLevel(v, depth));
        Rgb colour = {grey, grey, grey};
        uint8_t alpha = 0xFF;
        if (!palette.empty()) {
            colour = v < palette.size() ? palette[v] : Rgb{0xFF, 0xFF, 0xFF};
            alpha = v < palette.size() ? 0xFF : 0x00;
        }
        bytes.insert(bytes.end(), {colour.b, colour.g, colour.r, alpha});
    }
    return bytes;
}

// The palette's entries four to a line.
std::string PaletteText(const std::vector<uint8_t>& bytes) {
    std::string text;
    const size_t colours = bytes.size() / 4;
    for (size_t v = 0; v < colours; ++v) {
        char entry[40];
        const uint8_t* e = &bytes[v * 4];
        std::snprintf(entry, sizeof entry, "%s0x%02X, 0x%02X, 0x%02X, 0x%02X,%s", v % 4 == 0 ? "    " : " ", e[0], e[1],
                      e[2], e[3], v % 4 == 3 || v + 1 == colours ? "\n" : "");
        text += entry;
    }
    return text;
}

void PutLittle32(std::vector<uint8_t>* out, uint64_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> LvglImageData(const FormImage& image, const FormOptions& options) {
    std::vector<uint8_t> data = PaletteBytes(*options.lvgl, image.image.Palette());
    AppendPackedBytes(*image.grid, &data);
    return data;
}

bool LvglCompress(const std::vector<uint8_t>& data, const LvglFormatRow& format, Compression method,
                  std::vector<uint8_t>* out) {
    std::vector<uint8_t> stream;
    if (method == Compression::Rle)
        stream = LvglRleCompress(data.data(), data.size(), (BitsOf(format.format) + 7) / 8);
    else if (!Lz4Compress(data.data(), data.size(), &stream))
        return false;
    if (stream.size() > 0xFFFFFFFFu - 12 || data.size() > 0xFFFFFFFFu) return false;
    out->clear();
    PutLittle32(out, LvglCompressionMethod(method));
    PutLittle32(out, stream.size());
    PutLittle32(out, data.size());
    out->insert(out->end(), stream.begin(), stream.end());
    return true;
}

std::string LvglCompressionInfo(const PixelImage& picture, PackedGrid& grid, const FormOptions& options) {
    const FormImage image = {picture, &grid, ArraySource(), std::string()};
    const std::vector<uint8_t> raw = LvglImageData(image, options);
    std::vector<uint8_t> data;
    if (!LvglCompress(raw, *options.lvgl, options.compression, &data)) return "lvgl: too large to compress\n";
    char text[200];
    std::snprintf(text, sizeof text,
                  "lvgl format: %s\nlvgl data: %zu bytes\nlvgl %s: %zu bytes (%.1f %% of the data)\n",
                  options.lvgl->name, raw.size(), CompressionName(options.compression), data.size(),
                  raw.empty() ? 0.0 : 100.0 * static_cast<double>(data.size()) / static_cast<double>(raw.size()));
    return text;
}

namespace {

// LVGL v9's lv_image_dsc_t, its fields in the order lv_image_dsc.h
// declares them, without designated initializers (C++17 has none): the
// header's bit-fields (reversed on a big-endian LVGL), data_size, data,
// reserved, and reserved_2 from LVGL 9.3 on. In a source file the extern
// declaration gives the descriptor external linkage in C++ too, as
// LV_IMAGE_DECLARE expects; in a header it is static, as its data is.
std::string Descriptor(const std::string& name, const ArraySource& source, const char* format, uint32_t stride,
                       bool compressed, bool header) {
    const std::string w = std::to_string(source.width), h = std::to_string(source.height);
    const std::string s = std::to_string(stride), cf = std::string("LV_COLOR_FORMAT_") + format;
    const std::string flags = compressed ? "LV_IMAGE_FLAGS_COMPRESSED" : "0";
    std::string text = header ? "\nstatic const lv_image_dsc_t " + name + " = {\n"
                              : "\nextern const lv_image_dsc_t " + name + ";\nconst lv_image_dsc_t " + name + " = {\n";
    text += "#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM\n";
    text += "    {0, " + s + ", " + h + ", " + w + ", " + flags + ", " + cf + ", LV_IMAGE_HEADER_MAGIC},\n";
    text += "#else\n";
    text += "    {LV_IMAGE_HEADER_MAGIC, " + cf + ", " + flags + ", " + w + ", " + h + ", " + s +
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

// "RLE: 30,596 of 40,012 bytes (76.5 %)".
std::string CompressedInWords(Compression method, uint64_t compressed, uint64_t raw) {
    char text[120];
    std::snprintf(text, sizeof text, "%s-compressed, %llu of %llu bytes (%.1f %%)",
                  method == Compression::Rle ? "RLE" : "LZ4", static_cast<unsigned long long>(compressed),
                  static_cast<unsigned long long>(raw), raw ? 100.0 * static_cast<double>(compressed) / raw : 0.0);
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
        if (options.lvglVersion == 8) return WriteLvgl8Image(image, options, sink, context, sizes);
        const LvglFormatRow& format = *options.lvgl;
        const ArraySource& source = image.source;
        const uint64_t bytes = static_cast<uint64_t>(image.grid->ItemsPerLine()) * image.grid->LineCount();
        const std::vector<uint8_t> paletteBytes = PaletteBytes(format, image.image.Palette());
        const uint32_t colours = static_cast<uint32_t>(paletteBytes.size() / 4);
        const uint32_t stride = LvglStride(format, source.width);
        if (options.compression != Compression::None) return Compressed(image, options, sink, context, sizes);
        const std::string palette = PaletteText(paletteBytes);
        std::string what = std::string(", LVGL v9 LV_COLOR_FORMAT_") + format.name + ": ";
        if (colours) what += "a palette of " + std::to_string(colours) + " colours (B, G, R, A), then ";
        what += std::to_string(source.height) + " rows of " + std::to_string(stride) + " bytes";
        if (IsAlphaOnly(format.format)) what += " of coverage";
        if (IsDirect(format.format) && DirectRowOf(format.format)->alphaPlane)
            what += ", then " + std::to_string(source.height) + " rows of alpha";
        const std::string before = SourceComment(source, bytes + colours * 4, what) +
                                   "static const LV_ATTRIBUTE_MEM_ALIGN uint8_t " + image.name + "_map[] = {\n" +
                                   palette;
        return WriteValues(
            *image.grid, {before, "};\n" + Descriptor(image.name, source, format.name, stride, false, options.header)},
            options, sink, context, sizes);
    }

    // The data compressed: the lv_image_compressed_t header and stream as
    // bytes, the descriptor flagged LV_IMAGE_FLAGS_COMPRESSED.
    static bool Compressed(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
                           const BufferSizes& sizes) {
        const LvglFormatRow& format = *options.lvgl;
        const ArraySource& source = image.source;
        const std::vector<uint8_t> raw = LvglImageData(image, options);
        std::vector<uint8_t> data;
        if (!LvglCompress(raw, format, options.compression, &data)) return false;
        const std::string what = std::string(", LVGL v9 LV_COLOR_FORMAT_") + format.name + ", " +
                                 CompressedInWords(options.compression, data.size(), raw.size());
        const std::string before = SourceComment(source, data.size(), what) +
                                   "static const LV_ATTRIBUTE_MEM_ALIGN uint8_t " + image.name + "_map[] = {\n";
        const std::string after = "};\n" + Descriptor(image.name, source, format.name, LvglStride(format, source.width),
                                                      true, options.header);
        BytesGrid grid(data);
        FormOptions bytes = options;
        bytes.wordBytes = 1;
        return WriteValues(grid, {before, after}, bytes, sink, context, sizes);
    }

    bool Collection(const FormCollection& collection, const FormOptions& options, ByteSink sink,
                    void* context) const override {
        const TableStyle style = {DataQualifier(options), options.lvglVersion == 8 ? "lv_img_dsc_t" : "lv_image_dsc_t",
                                  "&", "", false};
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
