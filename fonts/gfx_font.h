// Adafruit GFX's font, GFXfont (gfxfont.h), as Adafruit_GFX::drawChar
// reads it: one bitmap of every glyph's rows run on, most significant bit
// first, each glyph starting on a byte; a table of glyphs from `first` to
// `last`; the line's height. Glyphs stand as Adafruit's fontconvert places
// them: yOffset is 1 - top, counted from the pen, which stands on the row
// above the baseline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

struct GfxGlyph {
    uint16_t bitmapOffset;
    uint8_t width, height, xAdvance;
    int8_t xOffset, yOffset;
};

struct GfxFont {
    std::vector<uint8_t> bitmap;
    std::vector<GfxGlyph> glyphs;  // first to last
    uint16_t first = 0, last = 0;
    uint8_t yAdvance = 0;
    uint32_t gaps = 0;  // characters between first and last that no font has: empty glyphs
};

// The font `glyphs` make. False with `error` (one line naming the limit)
// when GFXfont cannot hold them: characters past 0xFF (Adafruit GFX's
// write() takes a byte), a glyph wider, higher or advancing more than 255,
// offsets past -128 to 127, bitmaps past 65,536 bytes (16-bit offsets), a
// line higher than 255.
bool MakeGfxFont(const FontGlyphs& glyphs, GfxFont* font, std::string* error);

// Its bytes on an AVR (a glyph 7 bytes, the font 7) and on a 32-bit board
// (a glyph 8 bytes, the font 16).
uint32_t GfxFontBytes(const GfxFont& font, bool avr);

// The C header: NAMEBitmaps, NAMEGlyphs and the GFXfont NAME, for
// display.setFont(&NAME). `about` is the comment's first line. Static in
// a header, so that any number of files may include it.
std::string GfxFontText(const GfxFont& font, const std::string& name, const std::string& about);

// A text as Adafruit GFX's write() lays it out.
SampleLayout LayOutGfxText(const FontGlyphs& glyphs, const CodePoints& text);
