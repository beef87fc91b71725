// The forms a font is written in, one row each: a new font form is one
// file and one row here. Each takes the glyphs as FreeType gave them and
// writes what its library reads; its sample rules say where that library
// puts each glyph, so that a sample drawn with them is what it draws.
#pragma once

#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

enum class FontFormat {
    AdafruitGfx,  // GFXfont, for Adafruit GFX's setFont()
};

struct FontFormRow {
    FontFormat format;
    const char* flag;       // "--gfx-font"
    const char* extension;  // of an output file
    const char* library;    // "Adafruit GFX"
    uint32_t bits;          // the bits a pixel it takes, as a mask: 1 << 1 for 1 bit
    SampleRules (*rules)(const FontGlyphs& glyphs);
    // The font's C text named `name`, with `about` as its first comment
    // line. False with `error` (one line) for glyphs it cannot hold.
    bool (*write)(const FontGlyphs& glyphs, const std::string& name, const std::string& about, std::string* text,
                  std::string* error);
    // Its size and limits, lines for --info. False with `error` as write's.
    bool (*describe)(const FontGlyphs& glyphs, std::string* text, std::string* error);
};

const std::vector<FontFormRow>& FontForms();
const FontFormRow* FontFormOf(FontFormat format);
