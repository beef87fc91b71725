// LVGL's compression of a font's glyphs (lv_font_fmt_txt.c: rle_next and
// decompress): each glyph a stream of its own, from a byte, read a value of
// `bpp` bits at a time. A value equal to the one before it starts repeats:
// a 1 bit each repeats it again, a 0 bit and a value end them; after
// eleven 1 bits, six bits count the repeats that follow (the last of them
// a new value). With the line prefilter, each line after the first is
// stored XORed with the line above it.
#pragma once

#include <cstdint>
#include <vector>

// A glyph's levels (width x height, each below 1 << bpp) as LVGL's
// decoder reads them back, appended to `out`.
void CompressLvglGlyph(const std::vector<uint8_t>& levels, uint32_t width, uint32_t height, uint32_t bpp,
                       bool prefilter, std::vector<uint8_t>* out);
