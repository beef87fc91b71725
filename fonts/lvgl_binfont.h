// LVGL's binary font, the file lv_binfont_create() loads
// (src/font/binfont_loader/lv_binfont_loader.c): sections, each its length
// and a four-letter label, little-endian: "head" (the font's lines, its
// bits a pixel and the widths of the glyphs' fields), "cmap" (the
// character maps), "loca" (where each glyph starts), "glyf" (each glyph's
// advance, offsets and box in a bit stream, most significant bit first,
// its bitmap following in the same stream), and "kern" (the pairs) when
// the font kerns. It holds what the C form holds.
#pragma once

#include <cstdint>
#include <vector>

#include "fonts/lvgl_font.h"

std::vector<uint8_t> LvglBinFont(const LvglFont& font, uint32_t pixelSize);
