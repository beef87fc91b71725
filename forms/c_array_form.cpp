// --c-array: the packed bytes as a C declaration, in the plain, Arduino or
// u8g2 flavour; one image a file, or several in one header with tables.
#include <cstdio>
#include <vector>

#include "core/bytes_grid.h"
#include "core/packed_grid.h"
#include "forms/binary_form.h"
#include "forms/c_source.h"
#include "image/presets.h"

namespace {

// "static const unsigned char NAME[N] = {": an array's opening in the style.
std::string Declaration(const FormOptions& options, const std::string& name, uint64_t bytes) {
    switch (options.style) {
    case CStyle::Plain:
        return DataQualifier(options) + ValueType(options.wordBytes) + name + "[" +
               std::to_string(bytes / std::max<uint32_t>(1, options.wordBytes)) + "] = {\n";
    case CStyle::Arduino:
        return DataQualifier(options) + ValueType(options.wordBytes) + name + "[] PROGMEM = {\n";
    case CStyle::U8g2:
        break;
    }
    return "static const unsigned char " + name + "_bits[] U8X8_PROGMEM = {\n";
}

class CArray : public OutputForm {
public:
    bool Opening(const FormOptions& options, const std::string& collection, ByteSink sink,
                 void* context) const override {
        std::string text = GuardOpening(collection);
        if (options.wordBytes > 1) text += "#include <stdint.h>\n\n";
        if (options.style == CStyle::Arduino) {
            // The AVR core's flash attribute comes from avr-libc; the ESP8266
            // and ESP32 cores provide <pgmspace.h>; elsewhere constants stay
            // in flash.
            text +=
                "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif defined(ESP8266) || defined(ESP32)\n"
                "#include <pgmspace.h>\n#endif\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n\n";
        } else if (options.style == CStyle::U8g2) {
            // As u8x8.h defines it, for a header included before U8g2lib.h.
            text +=
                "#ifndef U8X8_PROGMEM\n#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#define U8X8_PROGMEM PROGMEM\n"
                "#else\n#define U8X8_PROGMEM\n#endif\n#endif\n\n";
        }
        return text.empty() || WriteText(text, sink, context);
    }

    bool Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
               const BufferSizes& sizes) const override {
        const uint64_t bytes = static_cast<uint64_t>(image.grid->ItemsPerLine()) * image.grid->LineCount();
        const std::string& name = image.name;
        const ArraySource& source = image.source;
        const bool u8g2 = options.style == CStyle::U8g2;
        if (options.compression != Compression::None) return Compressed(image, options, sink, context, sizes);
        std::string before = SourceComment(source, bytes, "") + SizeConstants(u8g2, name, source.width, source.height);
        // Two planes are two arrays of half the bytes each: GxEPD2's
        // drawImage(black, color, ...) takes two pointers.
        const bool twoPlanes = !options.colourPlane.empty();
        const uint64_t arrayBytes = twoPlanes ? bytes / 2 : bytes;
        Enclosure around = {before + Declaration(options, twoPlanes ? name + "_black" : name, arrayBytes), "};\n"};
        if (twoPlanes) {
            around.splitAt = arrayBytes;
            around.between = "};\n" + Declaration(options, name + "_" + options.colourPlane, arrayBytes);
        }
        return WriteValues(*image.grid, around, options, sink, context, sizes);
    }

    // The bytes as quillgrid_rle.h decodes them, with the size of a line and
    // the lines, for the band buffer: NAME_line_bytes, NAME_lines.
    static bool Compressed(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
                           const BufferSizes& sizes) {
        std::vector<uint8_t> data;
        if (!McuRlePackedBytes(image, &data)) return false;
        const uint64_t raw = static_cast<uint64_t>(image.grid->ItemsPerLine()) * image.grid->LineCount();
        const bool u8g2 = options.style == CStyle::U8g2;
        const std::string& name = image.name;
        char what[160];
        std::snprintf(what, sizeof what,
                      ", compressed for quillgrid_rle.h: %zu of %llu bytes (%.1f %%), %u lines of %u", data.size(),
                      static_cast<unsigned long long>(raw),
                      raw ? 100.0 * static_cast<double>(data.size()) / static_cast<double>(raw) : 0.0,
                      image.grid->LineCount(), image.grid->ItemsPerLine());
        const std::string lines =
            u8g2 ? "#define " + name + "_line_bytes " + std::to_string(image.grid->ItemsPerLine()) + "\n#define " +
                       name + "_lines " + std::to_string(image.grid->LineCount()) + "\n"
                 : "enum { " + name + "_line_bytes = " + std::to_string(image.grid->ItemsPerLine()) + ", " + name +
                       "_lines = " + std::to_string(image.grid->LineCount()) + " };\n";
        const std::string before = SourceComment(image.source, data.size(), what) +
                                   SizeConstants(u8g2, name, image.source.width, image.source.height) + lines +
                                   Declaration(options, name, data.size());
        BytesGrid grid(data);
        return WriteValues(grid, {before, "};\n"}, options, sink, context, sizes);
    }

    bool Collection(const FormCollection& collection, const FormOptions& options, ByteSink sink,
                    void* context) const override {
        const bool u8g2 = options.style == CStyle::U8g2;
        const std::string type = ValueType(options.wordBytes);
        const std::string& colour = options.colourPlane;
        if (!colour.empty()) {
            // A table for each plane: NAME_images_black and NAME_images_red.
            const std::string black = "_black", other = "_" + colour;
            const TableStyle blacks = {DataQualifier(options), "unsigned char", "",
                                       black.c_str(),          false,           black.c_str()};
            const TableStyle colours = {DataQualifier(options), "unsigned char", "",
                                        other.c_str(),          false,           other.c_str()};
            return WriteText(CollectionTables(blacks, collection) + CollectionTables(colours, collection, true), sink,
                             context);
        }
        const TableStyle style = {u8g2 ? "static const " : DataQualifier(options), type.substr(0, type.size() - 1), "",
                                  u8g2 ? "_bits" : "", u8g2};
        return WriteText(CollectionTables(style, collection), sink, context);
    }

    bool Closing(const FormOptions&, ByteSink sink, void* context) const override {
        return WriteText(GuardClosing(), sink, context);
    }

    // u8g2's drawXBMP reads the xbm preset's layout: rows, the first pixel in bit 0.
    const ConvertOptions* FixedLayout(const FormOptions& options) const override {
        return options.style == CStyle::U8g2 ? &FindPreset("xbm")->layout : nullptr;
    }

    // Arduino's starts from the adafruit-gfx layout, which drawBitmap reads.
    const ConvertOptions* StartingLayout(const FormOptions& options) const override {
        if (options.style == CStyle::Arduino) return &FindPreset("adafruit-gfx")->layout;
        return FixedLayout(options);
    }

    std::vector<std::string> NamesOfImage(const FormOptions& options, const std::string& name) const override {
        if (options.compression != Compression::None) {
            const std::string array = options.style == CStyle::U8g2 ? name + "_bits" : name;
            return {array, name + "_width", name + "_height", name + "_line_bytes", name + "_lines"};
        }
        if (options.style == CStyle::U8g2) return {name + "_bits", name + "_width", name + "_height"};
        if (!options.colourPlane.empty())
            return {name + "_black", name + "_" + options.colourPlane, name + "_width", name + "_height"};
        return {name, name + "_width", name + "_height"};
    }

    std::vector<std::string> NamesOfCollection(const std::string& name) const override { return CollectionNames(name); }
};

}  // namespace

const OutputForm& CArrayForm() {
    static const CArray form;
    return form;
}
