// TFT_eSPI's smooth font, the .vlw file (Smooth_font.cpp: loadFont and
// loadMetrics read it, drawGlyph draws it): six big-endian int32s (the
// glyph count, the encoder's version, the size, a field no reader uses,
// the ascent and the descent), then 28 bytes a glyph (its code point,
// height, width, advance, top from the baseline, left from the pen, and a
// field no reader uses), then each glyph's 8-bit alpha rows in that order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

// The file's bytes. False with `error` (one line naming the limit) for
// glyphs TFT_eSPI cannot hold: a code point past 0xFFFF, a glyph wider,
// higher or advancing more than 255, a left offset past -128 to 127, more
// than 65535 glyphs. `glyphs` are 8-bit coverage.
bool MakeVlwFont(const FontGlyphs& glyphs, std::vector<uint8_t>* bytes, std::string* error);

// Those bytes as a C header, for tft.loadFont(NAME).
std::string VlwArrayText(const std::vector<uint8_t>& bytes, const std::string& name, const std::string& about);

// A text as TFT_eSPI's drawGlyph() lays it out: the pen at the line's top,
// a space as (ascent + descent) * 2 / 7, the first glyph of a line moved
// to start at the pen, a box for a character the font lacks.
SampleLayout LayOutVlwText(const FontGlyphs& glyphs, const CodePoints& text);

// What drawGlyph() takes a line's height to be: the ascent, and the
// deepest of the descent and the glyphs' own.
int64_t VlwLineHeight(const FontGlyphs& glyphs);
