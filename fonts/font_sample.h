// A sample text drawn with a font's glyphs as a display library draws it:
// the pen starts at the left of the first line, each glyph stands where
// the library puts it from the pen, and a line break starts a new line.
#pragma once

#include <cstdint>

#include "core/pixel_image.h"
#include "fonts/glyph.h"

// How a library places glyphs from its pen.
struct SampleRules {
    // Rows from the pen's row down to a glyph's top row are `rowFromTop -
    // top`: Adafruit GFX's pen stands on the row just above the baseline,
    // so 1 there.
    int32_t rowFromTop = 0;
    int32_t lineHeight = 0;  // from one line's pen to the next
};

// Where the pen of the first line stands in the picture.
struct SamplePen {
    int32_t x = 0, y = 0;
};

// The text's code points drawn into `picture`: 1 bit a pixel for a 1-bit
// font (1 where a glyph is), else 8-bit coverage (255 full). The picture
// is the text's box: every line's pen run from 0, and every glyph's
// bitmap. Characters the font lacks are left out, as the libraries do.
// False when the picture would not fit in memory.
bool DrawSample(const FontGlyphs& font, const CodePoints& text, const SampleRules& rules, PixelImage* picture,
                SamplePen* pen);

// The default sample: the set's first glyphs, up to `count`, with a line
// break after each 16.
CodePoints DefaultSample(const FontGlyphs& font, size_t count = 48);
