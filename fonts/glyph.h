// A font's glyphs as the renderer gives them, before any library's form:
// each glyph's coverage and where it stands from the pen, and the font's
// lines. Positions are in whole pixels, y up from the baseline.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/glyph_set.h"

struct Glyph {
    uint32_t codePoint = 0;
    uint32_t width = 0, height = 0;  // of the bitmap; 0 x 0 for a space
    int32_t left = 0;                // from the pen to the bitmap's left column
    int32_t top = 0;                 // from the baseline up to the top of the bitmap's first row
    int32_t advance = 0;             // how far the pen moves after it
    std::vector<uint8_t> coverage;   // width x height, row by row: 0 empty to 255 covered
};

struct FontMetrics {
    uint32_t pixelSize = 0;  // the em, in pixels
    int32_t ascent = 0;      // above the baseline
    int32_t descent = 0;     // below it, as a positive number
    int32_t lineHeight = 0;  // from one baseline to the next
};

// How far the pen moves less or more between two glyphs than their
// advances say, in whole pixels, from the font's kerning table.
struct KernPair {
    uint32_t left, right;  // code points
    int32_t pixels;
};

// Every glyph of a set, from one or several fonts (the first that has a
// character gives it), sorted by code point.
struct FontGlyphs {
    FontMetrics metrics;  // the first font's
    uint32_t bits = 1;    // 1: each coverage is 0 or 255; 2, 4 or 8: levels of coverage
    std::vector<Glyph> glyphs;
    CodePoints missing;              // asked for, in no font
    std::vector<uint32_t> fromFont;  // the index of the font each glyph came from
    std::vector<KernPair> kerning;   // sorted by left, then right; asked for only
    // 'A', '1', 'g' and '(' where the set lacks them and a font has them,
    // untrimmed, as the font's box of each stands: u8g2's header measures
    // its letters by them. Asked for only.
    std::vector<Glyph> references;
};

// The glyph of a code point, or null.
const Glyph* FindGlyph(const FontGlyphs& font, uint32_t codePoint);

// The kerning of a pair, 0 where the font has none.
int32_t KerningOf(const FontGlyphs& font, uint32_t left, uint32_t right);
