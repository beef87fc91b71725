#include "forms/c_forms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/array_text.h"
#include "core/level_image.h"
#include "core/line_packer.h"
#include "core/output_block.h"
#include "core/packed_grid.h"
#include "image/presets.h"

namespace {

// msbReverse, bitHorizontal, byteHorizontal, fillOnes.
const ConvertOptions kXbmLayout = {1, 1, 1, 0, {}};  // XBM, u8g2's drawXBMP: rows, first pixel in bit 0
const ConvertOptions kI1Layout = {0, 1, 1, 0, {}};   // LVGL's I1: rows, first pixel in bit 7

const uint32_t kLongestLine = 4096;  // values; --per-line keeps to it

// A file name is free text to the file system but must not end the comment
// it is shown in, nor break its line.
std::string CommentSafe(const std::string& text) {
    std::string safe;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool endsComment = c == '*' && i + 1 < text.size() && text[i + 1] == '/';
        safe += (c < 0x20 || c == 0x7F || endsComment) ? '?' : text[i];
    }
    return safe;
}

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return upper;
}

bool IsCDeclaration(CStyle style) { return style == CStyle::Plain || style == CStyle::Arduino; }

// Text into a block, from strings of any length.
void PutText(OutputBlock& text, const std::string& piece) {
    for (size_t at = 0; at < piece.size();) {
        const uint32_t size = static_cast<uint32_t>(std::min<size_t>(piece.size() - at, text.Capacity()));
        char* to = text.Reserve(size);
        text.Commit(std::copy_n(piece.data() + at, size, to));
        at += size;
    }
}

bool Put(const std::string& piece, ByteSink sink, void* context) {
    OutputBlock text(sink, context, piece.size());
    PutText(text, piece);
    return text.Finish();
}

// Bytes as lines of "    0xA0, 0x60, ..." values, each line ended by a
// comma, `perLine` values a line whatever the packed lines are; or with
// `wordBytes` 2 or 4, values of that many bytes, the first the least
// significant ("0x07E0").
class ValueLines {
public:
    ValueLines(OutputBlock& text, uint32_t perLine, uint32_t wordBytes = 1)
        : text(text),
          wordBytes(wordBytes),
          perLine(std::max<uint32_t>(1, std::min(perLine, kLongestLine)) * wordBytes) {
        pending.reserve(this->perLine);
    }
    void Put(const uint8_t* bytes, uint32_t count) {
        while (count > 0) {
            const uint32_t take = std::min<uint32_t>(count, perLine - static_cast<uint32_t>(pending.size()));
            pending.insert(pending.end(), bytes, bytes + take);
            bytes += take;
            count -= take;
            if (pending.size() == perLine) EndLine();
        }
    }
    void Finish() {
        if (!pending.empty()) EndLine();
    }

private:
    // The items go two characters in, so that the indent covers the first
    // item's ", ".
    void EndLine() {
        const uint32_t count = static_cast<uint32_t>(pending.size());
        char* at = text.Reserve(count * kArrayItemChars + 4);
        char* end = wordBytes == 1 ? PutArrayItems(at + 2, pending.data(), count) : PutWords(at + 2, count);
        std::memcpy(at, "    ", 4);
        *end++ = ',';
        *end++ = '\n';
        text.Commit(end);
        pending.clear();
    }

    // ", 0x07E0" for each whole value pending.
    char* PutWords(char* at, uint32_t count) const {
        static const char kHex[] = "0123456789ABCDEF";
        for (uint32_t i = 0; i + wordBytes <= count; i += wordBytes) {
            *at++ = ',';
            *at++ = ' ';
            *at++ = '0';
            *at++ = 'x';
            for (uint32_t b = wordBytes; b-- > 0;) {
                *at++ = kHex[pending[i + b] >> 4];
                *at++ = kHex[pending[i + b] & 15];
            }
        }
        return at;
    }

    OutputBlock& text;
    const uint32_t wordBytes;
    const uint32_t perLine;  // bytes a line
    std::vector<uint8_t> pending;
};

std::string Comment(const ArraySource& source, uint64_t bytes, const std::string& more) {
    std::string depth;
    if (source.colour != DirectFormat::None) {
        depth = std::string(", ") + DirectFormatName(source.colour);
        if (BytesOfValue(source.colour) > 1) depth += source.bigEndian ? " big-endian" : " little-endian";
    } else if (!source.palette.empty()) {
        depth = ", " + std::to_string(source.depth) + (source.depth == 1 ? " bit" : " bits") + " a pixel of palette " +
                CommentSafe(source.palette);
        if (source.inkPlanes) depth += " as its black plane and its colour plane";
    } else if (source.depth > 1) {
        depth = ", " + std::to_string(source.depth) + " bits a pixel";
    }
    if (source.planes && !source.inkPlanes)
        depth += " as " + std::to_string(source.planes) + " planes, the high bit's first";
    return "/* " + CommentSafe(source.fileName) + ": " + std::to_string(source.width) + " x " +
           std::to_string(source.height) + " pixels" + depth + ", " + LayoutInWords(source.options, source.invert) +
           more + "; " + std::to_string(bytes) + " bytes */\n";
}

std::string SizeConstants(CStyle style, const std::string& name, uint32_t width, uint32_t height) {
    if (IsCDeclaration(style))
        return "enum { " + name + "_width = " + std::to_string(width) + ", " + name +
               "_height = " + std::to_string(height) + " };\n";
    return "#define " + name + "_width " + std::to_string(width) + "\n#define " + name + "_height " +
           std::to_string(height) + "\n";
}

// LVGL v9's lv_image_dsc_t, its fields in the order lv_image_dsc.h
// declares them, without designated initializers (C++17 has none): the
// header's bit-fields (reversed on a big-endian LVGL), data_size, data,
// reserved, and reserved_2 from LVGL 9.3 on. The extern declaration gives
// the descriptor external linkage in C++ too, as LV_IMAGE_DECLARE expects.
std::string LvglDescriptor(const std::string& name, const ArraySource& source, const char* format, uint32_t stride) {
    const std::string w = std::to_string(source.width), h = std::to_string(source.height);
    const std::string s = std::to_string(stride), cf = std::string("LV_COLOR_FORMAT_") + format;
    std::string text = "\nextern const lv_image_dsc_t " + name + ";\n";
    text += "const lv_image_dsc_t " + name + " = {\n";
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

bool IsIndexed(LvglFormat format) { return format <= LvglFormat::I8; }

// Bytes a row: the packed line's, or for direct colour the width's values
// (RGB565A8's colour rows; its alpha rows follow, a byte a pixel).
uint32_t LvglStride(LvglFormat format, const PackedGrid& grid, const ArraySource& source) {
    const DirectFormat colour = LvglFormatColour(format);
    return colour == DirectFormat::None ? grid.ItemsPerLine() : source.width * BytesOfValue(colour);
}

// The palette of an indexed LVGL image, entries in B, G, R, A: the
// palette's colours, the entries past them transparent white as
// LVGLImage.py pads them; or entry v the grey of level v, and at one bit
// without a palette a set bit dark (index 1 black).
std::string LvglPalette(LvglFormat format, const std::vector<Rgb>& palette) {
    if (!IsIndexed(format)) return std::string();
    if (format == LvglFormat::I1 && palette.empty()) return "    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,\n";
    const uint32_t depth = LvglFormatDepth(format), colours = 1u << depth;
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

}  // namespace

const char* LvglFormatName(LvglFormat format) {
    static const char* const kNames[] = {"I1", "I2", "I4",     "I8",       "L8",     "A1",      "A2",
                                         "A4", "A8", "RGB565", "RGB565A8", "RGB888", "ARGB8888"};
    return kNames[static_cast<int>(format)];
}

uint32_t LvglFormatDepth(LvglFormat format) {
    static const uint32_t kDepths[] = {1, 2, 4, 8, 8, 1, 2, 4, 8, 16, 16, 24, 32};
    return kDepths[static_cast<int>(format)];
}

bool LvglFormatIsAlpha(LvglFormat format) { return format >= LvglFormat::A1 && format <= LvglFormat::A8; }

DirectFormat LvglFormatColour(LvglFormat format) {
    switch (format) {
    case LvglFormat::RGB565:
        return DirectFormat::Rgb565;
    case LvglFormat::RGB565A8:
        return DirectFormat::Rgb565A8;
    case LvglFormat::RGB888:
        return DirectFormat::Rgb888;
    case LvglFormat::ARGB8888:
        return DirectFormat::Argb8888;
    default:
        return DirectFormat::None;
    }
}

bool LvglFormatOfColour(DirectFormat colour, LvglFormat* format) {
    for (LvglFormat f : {LvglFormat::RGB565, LvglFormat::RGB565A8, LvglFormat::RGB888, LvglFormat::ARGB8888}) {
        if (LvglFormatColour(f) == colour) {
            *format = f;
            return true;
        }
    }
    return false;
}

LvglFormat LvglIndexedFormat(uint32_t depth) {
    return depth == 8 ? LvglFormat::I8 : depth == 4 ? LvglFormat::I4 : depth == 2 ? LvglFormat::I2 : LvglFormat::I1;
}

const ConvertOptions* LayoutOfStyle(CStyle style) {
    switch (style) {
    case CStyle::U8g2:
    case CStyle::Xbm:
        return &kXbmLayout;
    case CStyle::Lvgl:
        return &kI1Layout;
    case CStyle::Plain:
    case CStyle::Arduino:
        break;
    }
    return nullptr;
}

const ConvertOptions* StartingLayoutOfStyle(CStyle style) {
    if (style == CStyle::Arduino) return &FindPreset("adafruit-gfx")->options;
    return LayoutOfStyle(style);
}

std::vector<std::string> NamesOfImage(CStyle style, const std::string& name) {
    switch (style) {
    case CStyle::U8g2:
    case CStyle::Xbm:
        return {name + "_bits", name + "_width", name + "_height"};
    case CStyle::Lvgl:
        return {name, name + "_map"};
    case CStyle::Plain:
    case CStyle::Arduino:
        break;
    }
    return {name, name + "_width", name + "_height"};
}

std::vector<std::string> NamesOfTables(CStyle, const std::string& name) {
    return {name + "_images", name + "_widths", name + "_heights", name + "_count"};
}

bool EmitCOpening(const CForm& form, const std::string& tables, ByteSink sink, void* context) {
    std::string text;
    if (!tables.empty())
        text += "#ifndef QUILLGRID_" + Upper(tables) + "_H\n#define QUILLGRID_" + Upper(tables) + "_H\n\n";
    if (form.wordBytes > 1) text += "#include <stdint.h>\n\n";
    switch (form.style) {
    case CStyle::Arduino:
        // The AVR core's flash attribute comes from avr-libc; the ESP8266 and
        // ESP32 cores provide <pgmspace.h>; elsewhere constants stay in flash.
        text +=
            "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif defined(ESP8266) || defined(ESP32)\n"
            "#include <pgmspace.h>\n#endif\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n\n";
        break;
    case CStyle::U8g2:
        // As u8x8.h defines it, for a header included before U8g2lib.h.
        text +=
            "#ifndef U8X8_PROGMEM\n#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#define U8X8_PROGMEM PROGMEM\n"
            "#else\n#define U8X8_PROGMEM\n#endif\n#endif\n\n";
        break;
    case CStyle::Lvgl:
        text +=
            "#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n#include \"lvgl.h\"\n#else\n#include \"lvgl/lvgl.h\"\n#endif\n\n"
            "#ifndef LV_ATTRIBUTE_MEM_ALIGN\n#define LV_ATTRIBUTE_MEM_ALIGN\n#endif\n\n";
        break;
    case CStyle::Plain:
    case CStyle::Xbm:
        break;
    }
    return text.empty() || Put(text, sink, context);
}

bool EmitCImage(PackedGrid& grid, const ArraySource& source, const std::string& name, const CForm& form, ByteSink sink,
                void* context, const BufferSizes& sizes) {
    const uint64_t rows = static_cast<uint64_t>(grid.ItemsPerLine()) * grid.LineCount();
    const uint32_t words = std::max<uint32_t>(1, form.wordBytes);
    const uint32_t lineBytes = std::min(form.perLine, kLongestLine) * (kArrayItemChars + 2 * words) + 16;
    OutputBlock text(sink, context, OutputBlock::kSize, std::max(TextBytesFor(sizes), lineBytes));
    const std::string type = words == 2 ? "uint16_t " : words == 4 ? "uint32_t " : "unsigned char ";
    switch (form.style) {
    case CStyle::Plain:
        PutText(text, Comment(source, rows, "") + SizeConstants(form.style, name, source.width, source.height) +
                          "const " + type + name + "[" + std::to_string(rows / words) + "] = {\n");
        break;
    case CStyle::Arduino:
        PutText(text, Comment(source, rows, "") + SizeConstants(form.style, name, source.width, source.height) +
                          "const " + type + name + "[] PROGMEM = {\n");
        break;
    case CStyle::U8g2:
        PutText(text, Comment(source, rows, "") + SizeConstants(form.style, name, source.width, source.height) +
                          "static const unsigned char " + name + "_bits[] U8X8_PROGMEM = {\n");
        break;
    case CStyle::Xbm:
        PutText(text, SizeConstants(form.style, name, source.width, source.height) + "static unsigned char " + name +
                          "_bits[] = {\n");
        break;
    case CStyle::Lvgl: {
        const std::string palette = LvglPalette(form.lvgl, form.palette);
        const uint32_t colours = palette.empty() ? 0 : 1u << LvglFormatDepth(form.lvgl);
        std::string what = std::string(", LVGL v9 LV_COLOR_FORMAT_") + LvglFormatName(form.lvgl) + ": ";
        if (colours) what += "a palette of " + std::to_string(colours) + " colours (B, G, R, A), then ";
        what += std::to_string(source.height) + " rows of " + std::to_string(LvglStride(form.lvgl, grid, source)) +
                " bytes";
        if (LvglFormatIsAlpha(form.lvgl)) what += " of coverage";
        if (form.lvgl == LvglFormat::RGB565A8) what += ", then " + std::to_string(source.height) + " rows of alpha";
        PutText(text, Comment(source, rows + colours * 4, what) + "static const LV_ATTRIBUTE_MEM_ALIGN uint8_t " +
                          name + "_map[] = {\n" + palette);
        break;
    }
    }
    ValueLines values(text, form.perLine, words);
    PackedLines lines(grid, sizes);
    const uint8_t* bytes;
    uint32_t count;
    bool endsLine;
    while (lines.Next(&bytes, &count, &endsLine)) values.Put(bytes, count);
    values.Finish();
    PutText(text, "};\n");
    if (form.style == CStyle::Lvgl)
        PutText(text, LvglDescriptor(name, source, LvglFormatName(form.lvgl), LvglStride(form.lvgl, grid, source)));
    return text.Finish();
}

bool EmitCTables(const CForm& form, const std::string& tables, const std::vector<TableEntry>& images, ByteSink sink,
                 void* context) {
    const bool u8g2 = form.style == CStyle::U8g2, lvgl = form.style == CStyle::Lvgl;
    const std::string qualifier = u8g2 ? "static const " : "const ";
    std::string text = "\n" + qualifier +
                       (lvgl                  ? "lv_image_dsc_t"
                        : form.wordBytes == 2 ? "uint16_t"
                        : form.wordBytes == 4 ? "uint32_t"
                                              : "unsigned char") +
                       "* const " + tables + "_images[] = {\n";
    for (const TableEntry& image : images)
        text += "    " + std::string(lvgl ? "&" : "") + image.name + (u8g2 ? "_bits" : "") + ",\n";
    text += "};\n";
    for (const char* axis : {"widths", "heights"}) {
        text += qualifier + "unsigned int " + tables + "_" + axis + "[] = {";
        for (size_t i = 0; i < images.size(); ++i)
            text += (i ? ", " : "") + std::to_string(axis[0] == 'w' ? images[i].width : images[i].height);
        text += "};\n";
    }
    text += u8g2 ? "#define " + tables + "_count " + std::to_string(images.size()) + "\n"
                 : "enum { " + tables + "_count = " + std::to_string(images.size()) + " };\n";
    text += "\n#endif\n";
    return Put(text, sink, context);
}

bool EmitCFrameTables(const CForm& form, const std::string& name, const std::vector<std::string>& frames,
                      const std::vector<uint32_t>& delays, uint32_t width, uint32_t height, ByteSink sink,
                      void* context) {
    const bool u8g2 = form.style == CStyle::U8g2, lvgl = form.style == CStyle::Lvgl;
    const std::string qualifier = u8g2 ? "static const " : "const ";
    const std::string type = lvgl                 ? "lv_image_dsc_t"
                             : form.wordBytes == 2 ? "uint16_t"
                             : form.wordBytes == 4 ? "uint32_t"
                                                   : "unsigned char";
    std::string text = "\n" + qualifier + type + "* const " + name + "_frames[] = {\n";
    for (const std::string& frame : frames) text += "    " + std::string(lvgl ? "&" : "") + frame + (u8g2 ? "_bits" : "") + ",\n";
    text += "};\n" + qualifier + "unsigned int " + name + "_delays[] = {";
    for (size_t i = 0; i < delays.size(); ++i) text += (i ? ", " : "") + std::to_string(delays[i]);
    text += "};\n";
    const std::string count = std::to_string(frames.size()), w = std::to_string(width), h = std::to_string(height);
    if (u8g2) {
        text += "#define " + name + "_frame_count " + count + "\n#define " + name + "_width " + w + "\n#define " +
                name + "_height " + h + "\n";
    } else {
        text += "enum { " + name + "_frame_count = " + count + ", " + name + "_width = " + w + ", " + name +
                "_height = " + h + " };\n";
    }
    return Put(text + "\n#endif\n", sink, context);
}
