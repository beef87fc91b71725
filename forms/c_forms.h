// The image as C source a sketch or a firmware can include as it is: a
// plain declaration, the Arduino and u8g2 flavours, an XBM file, an LVGL
// v9 image descriptor; one image a file, or several in one header with
// tables of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"
#include "core/colour.h"
#include "core/convert_options.h"

class PackedGrid;

enum class CStyle {
    Plain,    // const unsigned char NAME[N], NAME_width and NAME_height as enum constants
    Arduino,  // const unsigned char NAME[] PROGMEM, <avr/pgmspace.h> on AVR, <pgmspace.h> on ESP
    U8g2,     // static const unsigned char NAME_bits[] U8X8_PROGMEM, #define NAME_width, u8g2's drawXBMP
    Xbm,      // an XBM file: #define NAME_width, static unsigned char NAME_bits[]
    Lvgl,     // LVGL v9: a palette and rows in NAME_map, const lv_image_dsc_t NAME, LV_COLOR_FORMAT_I1
};

// The LVGL v9 colour formats the LVGL form writes (src/misc/lv_color.h):
// indexed (a palette of greys or of the palette's colours, then the
// indices), L8 (the grey itself), alpha only (the coverage, for an icon
// LVGL tints), or direct colour.
enum class LvglFormat { I1, I2, I4, I8, L8, A1, A2, A4, A8, RGB565, RGB565A8, RGB888, ARGB8888 };

// "I4": the format's name after LV_COLOR_FORMAT_.
const char* LvglFormatName(LvglFormat format);
// Its bits a pixel.
uint32_t LvglFormatDepth(LvglFormat format);
bool LvglFormatIsAlpha(LvglFormat format);
// The direct colour format it takes; DirectFormat::None for the others.
DirectFormat LvglFormatColour(LvglFormat format);
// The LVGL format of a direct colour format; false for one LVGL lacks.
bool LvglFormatOfColour(DirectFormat colour, LvglFormat* format);
// The indexed format of that depth.
LvglFormat LvglIndexedFormat(uint32_t depth);

struct CForm {
    CStyle style = CStyle::Plain;
    uint32_t perLine = 16;  // values a line
    LvglFormat lvgl = LvglFormat::I1;
    uint32_t wordBytes = 1;    // 2 or 4: the packed bytes as uint16_t or uint32_t values, little-endian
    std::vector<Rgb> palette;  // an indexed LVGL image's colours; empty: greys
};

// What the comment above an image tells about its source.
struct ArraySource {
    std::string fileName;  // shown as given, without control characters
    uint32_t width = 0;
    uint32_t height = 0;
    ConvertOptions options = {};
    bool invert = false;
    uint32_t depth = 1;      // bits a pixel
    uint32_t planes = 0;     // the depth's bits written as that many 1-bit planes, or 0
    std::string palette;     // the palette's name or colours, for a palette's values
    bool inkPlanes = false;  // the planes are a three-colour palette's black and ink planes
    DirectFormat colour = DirectFormat::None;
    bool bigEndian = false;
};

// The layout a style's reader takes; null for the plain and Arduino
// styles, which take any.
const ConvertOptions* LayoutOfStyle(CStyle style);

// The layout a style starts from when no option sets one: the one its
// reader takes, the adafruit-gfx preset's for Arduino (drawBitmap reads
// it), or null for the plain style (the defaults).
const ConvertOptions* StartingLayoutOfStyle(CStyle style);

// The names an image of that name declares, the array first.
std::vector<std::string> NamesOfImage(CStyle style, const std::string& name);

// The names a header of several images declares beside them (the tables).
std::vector<std::string> NamesOfTables(CStyle style, const std::string& name);

// What comes before the images: the includes a style needs and, for a
// header of several images named `tables`, the include guard.
bool EmitCOpening(const CForm& form, const std::string& tables, ByteSink sink, void* context);

// One image, named `name` (a C identifier), from its packed bytes.
bool EmitCImage(PackedGrid& grid, const ArraySource& source, const std::string& name, const CForm& form, ByteSink sink,
                void* context, const BufferSizes& sizes = BufferSizes());

// After several images: `tables`_images (pointers to each), `tables`_widths,
// `tables`_heights and `tables`_count, in the order given, and the end of
// the include guard.
struct TableEntry {
    std::string name;
    uint32_t width, height;
};
bool EmitCTables(const CForm& form, const std::string& tables, const std::vector<TableEntry>& images, ByteSink sink,
                 void* context);

// After an animation's frames, named `frames`: `name`_frames (pointers to
// each, in order), `name`_delays (milliseconds), `name`_frame_count, and
// `name`_width and `name`_height, which every frame shares; then the end of
// the include guard.
bool EmitCFrameTables(const CForm& form, const std::string& name, const std::vector<std::string>& frames,
                      const std::vector<uint32_t>& delays, uint32_t width, uint32_t height, ByteSink sink,
                      void* context);
