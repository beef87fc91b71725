// u8g2's fonts (csrc/u8g2_font.c), as u8g2_read_font_info(),
// u8g2_font_get_glyph_data() and u8g2_font_decode_glyph() read them, and
// written as u8g2's own converter, bdfconv, writes them in its default,
// proportional mode (-b 0): a 23-byte header; the glyphs of codes 0 to 255,
// each its code, its size and a bit stream (its box, then runs of unset
// and set pixels with a repeat bit, from the top row down, least
// significant bit first); a table of jumps into the glyphs past 0xFF, a
// jump each 101 glyphs; those glyphs, each with a two-byte code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

// A glyph's box as u8g2 keeps it: x from the pen, y from the baseline up to
// the bottom row, w and h its size.
struct U8g2Box {
    int32_t x = 0, y = 0, w = 0, h = 0;
};

struct U8g2Font {
    std::vector<uint8_t> bytes;
    U8g2Box max;            // every glyph's box and the pen's start
    uint32_t glyphs = 0;    // the byte at 0 holds the low 8 bits of this
    uint32_t unicode = 0;   // of them past 0xFF
    uint32_t bitsZero = 0;  // the run lengths' bits, the smallest font's
    uint32_t bitsOne = 0;
};

// A glyph's bytes, its size being a byte. (bdfconv stops at 255 too, which
// u8g2 reads as well: that glyph is written.)
constexpr uint32_t kU8g2LargestGlyph = 255;
// avr-gcc's largest array; bdfconv leaves larger fonts out unless
// U8G2_USE_LARGE_FONTS is defined.
constexpr size_t kU8g2AvrLimit = 32760;

// The font `glyphs` make. False with `error` (one line naming the limit)
// for a character past 0xFFFF (u8g2's codes are 16-bit), a glyph wider
// than 255 or higher than 127 pixels, standing or advancing past -128 to
// 127, or of more than 255 bytes.
bool MakeU8g2Font(const FontGlyphs& glyphs, U8g2Font* font, std::string* error);

// The C header: a `static const uint8_t NAME[]` in U8G2_FONT_SECTION, for
// u8g2.setFont(NAME). `about` is the comment's first line.
std::string U8g2FontText(const U8g2Font& font, const std::string& name, const std::string& about);

// u8g2's kind of font for a set of glyphs, the letters its fonts' names end
// in: "_tn" (32, 42 to 58), "_tu" (32 to 95), "_tr" (32 to 127), "_tf" (32
// to 255), "_t_" for any other.
std::string U8g2Kind(const FontGlyphs& glyphs);

// A text as u8g2_DrawUTF8() draws it from the pen on the baseline: each
// glyph at x + its x offset, its top row h + y above the baseline; the pen
// moving by its advance; a character the font lacks draws nothing. Each
// line is one call, the next u8g2_GetMaxCharHeight() lower.
SampleLayout LayOutU8g2Text(const FontGlyphs& glyphs, const CodePoints& text);
