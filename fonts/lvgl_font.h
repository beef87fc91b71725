// LVGL 9's built-in font format, lv_font_fmt_txt_dsc_t
// (src/font/fmt_txt/lv_font_fmt_txt.h), as lv_font_get_glyph_dsc_fmt_txt()
// and lv_font_get_bitmap_fmt_txt() read it: every glyph's bitmap at 1, 2,
// 4 or 8 bits a pixel, its pixels run on from the most significant bits,
// each glyph starting on a byte; a descriptor a glyph (glyph 0 reserved:
// "none"); character maps from code points to glyphs, each a range of
// them (FORMAT0_TINY) or a sorted list of offsets in a range
// (SPARSE_TINY); and the lv_font_t with its line height and baseline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

struct LvglGlyph {
    uint32_t bitmapIndex;
    uint32_t advance16;  // adv_w, in 1/16 pixel
    uint8_t width, height;
    int8_t ofsX, ofsY;  // ofs_y: from the baseline up to the bitmap's bottom
};

struct LvglCmap {
    uint32_t rangeStart;
    uint16_t rangeLength;
    uint16_t glyphIdStart;
    std::vector<uint16_t> unicodeList;  // SPARSE_TINY's offsets; empty for FORMAT0_TINY
};

struct LvglFont {
    uint32_t bpp = 4;
    // bitmap_format: 0 plain, 1 compressed with the line prefilter, 2
    // compressed without it.
    uint32_t bitmapFormat = 0;
    std::vector<uint8_t> bitmap;
    std::vector<LvglGlyph> glyphs;  // glyphs[0] is the reserved "none"
    std::vector<LvglCmap> cmaps;
    int32_t lineHeight = 0, baseLine = 0;
    // Kerning pairs, sorted by left then right glyph id, each a whole
    // number of pixels (kern_scale 256: a value is 16/16 pixel).
    std::vector<std::pair<uint16_t, uint16_t>> kernIds;
    std::vector<int8_t> kernValues;
};

// The font `glyphs` make, their coverage at `bpp` (1, 2, 4 or 8) bits;
// with `compress` (at 2 and 4 bits, which LVGL's decoder reads), its
// bitmaps compressed with or without the line prefilter, or plain,
// whichever is smallest. False
// with `error` (one line naming the limit) past LVGL's: a glyph wider or
// higher than 255, advancing 256 pixels or more, offsets past -128 to 127,
// bitmaps of 1 MiB or more, more than 65534 glyphs.
bool MakeLvglFont(const FontGlyphs& glyphs, uint32_t bpp, bool compress, LvglFont* font, std::string* error);

// The C file: the bitmaps, the descriptors, the maps and `const lv_font_t
// NAME`, for LV_FONT_DECLARE(NAME) and lv_obj_set_style_text_font().
std::string LvglFontText(const LvglFont& font, const std::string& name, const std::string& about);

// A text as LVGL's label draws it: the pen at the line's top, each glyph
// at its ofs_x and (line_height - base_line) - box_h - ofs_y, the pen
// moving by adv_w and the kerning with the next letter, rounded to a
// pixel; a character the font lacks is left out (LVGL draws a placeholder
// of its own).
SampleLayout LayOutLvglText(const FontGlyphs& glyphs, const CodePoints& text);
