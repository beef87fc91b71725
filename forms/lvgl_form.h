// --lvgl: an LVGL v9 image descriptor. Its colour formats are names for
// pixel formats, as LVGL's src/misc/lv_color.h names them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/pixel_format.h"
#include "forms/output_form.h"

struct LvglFormatRow {
    const char* name;      // after LV_COLOR_FORMAT_: "I4"
    PixelFormat format;    // the pixels it holds; an indexed format's are a palette's values, or greys
    bool indexed;          // a palette, then the indices
    uint8_t code;          // its lv_color_format_t value, as an image file's header holds it
    bool swapped = false;  // its 2-byte values big-endian (RGB565_SWAPPED)
};

extern const LvglFormatRow kLvglFormats[];
extern const size_t kLvglFormatCount;

// The row of that name; null for none.
const LvglFormatRow* LvglFormatNamed(const char* name);

// The format --lvgl writes pixels of `format` in when none is named: the
// indexed one of their bits (a 1-bit image I1, grey levels and a palette's
// values I2 to I8), coverage's alpha format, a direct format's own. Null
// for a format LVGL lacks (RGB332).
const LvglFormatRow* LvglFormatOf(PixelFormat format);

// Bytes a row of `format` for an image `width` pixels wide: the packed
// line's, or for direct colour the width's values (RGB565A8's colour rows;
// its alpha rows follow, a byte a pixel).
uint32_t LvglStride(const LvglFormatRow& format, uint32_t width);

// The data of an LVGL image as LVGL reads it past the header, uncompressed:
// an indexed format's palette (B, G, R, A an entry), then the rows.
std::vector<uint8_t> LvglImageData(const FormImage& image, const FormOptions& options);

// What --info says of an LVGL image compressed with `options.compression`:
// "lvgl format: I1", "lvgl data: N bytes", "lvgl rle: N bytes (r % of the data)".
std::string LvglCompressionInfo(const PixelImage& picture, PackedGrid& grid, const FormOptions& options);

// The data of a compressed image: LVGL's lv_image_compressed_t header
// (method, compressed size, decompressed size: 32 bits each, little-endian)
// then the stream. RLE's blocks are a pixel's bytes (RGB565A8's 2, a byte
// for formats under 8 bits). False past LZ4's largest input.
bool LvglCompress(const std::vector<uint8_t>& data, const LvglFormatRow& format, Compression method,
                  std::vector<uint8_t>* out);
