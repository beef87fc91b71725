// A sample text drawn with a font's glyphs as a display library draws it.
// Each font form lays the text out as its library's own drawing code
// does (where its pen starts, how far it moves, what a line break and a
// missing character do); this draws that layout.
#pragma once

#include <cstdint>
#include <vector>

#include "core/pixel_image.h"
#include "fonts/glyph.h"

// One glyph's bitmap, its top-left from the first line's pen.
struct PlacedGlyph {
    const Glyph* glyph;
    int64_t x, y;
};

// An outline a library draws (TFT_eSPI's box for a character it lacks).
struct PlacedBox {
    int64_t x, y, width, height;
};

struct SampleLayout {
    std::vector<PlacedGlyph> glyphs;
    std::vector<PlacedBox> boxes;
    // The lines' own box, from the first pen: x from 0 to `right`, y from
    // `top` to `bottom`. Glyphs may stand outside it; the picture takes
    // them in too.
    int64_t top = 0, bottom = 0, right = 0;
};

// How a library lays out a text with a font's glyphs.
typedef SampleLayout (*LayOutText)(const FontGlyphs& font, const CodePoints& text);

// Where the pen of the first line stands in the picture.
struct SamplePen {
    int32_t x = 0, y = 0;
};

// The layout drawn into `picture`: 1 bit a pixel for a 1-bit font (1 where
// a glyph is), else 8-bit coverage (255 full), each glyph's covered pixels
// over what was there. The picture is the lines'
// box and every glyph's. False when the picture would not fit in memory
// or is past 65535 pixels either way.
bool DrawSample(const FontGlyphs& font, const SampleLayout& layout, PixelImage* picture, SamplePen* pen);

// The default sample: the set's first glyphs, up to `count`, with a line
// break after each 16.
CodePoints DefaultSample(const FontGlyphs& font, size_t count = 48);
