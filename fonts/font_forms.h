// The forms a font is written in, one row each: a new font form is one
// file and one row here. Each takes the glyphs as FreeType gave them and
// writes what its library reads; its layout places a sample's glyphs as
// that library's drawing code does, so that the sample is what it draws.
#pragma once

#include <string>
#include <vector>

#include "fonts/font_sample.h"
#include "fonts/glyph.h"

enum class FontFormat {
    AdafruitGfx,  // GFXfont, for Adafruit GFX's setFont()
    VlwFile,      // TFT_eSPI's smooth font file, for loadFont("name") from a file system
    VlwArray,     // the same bytes as a C array, for loadFont(array)
    Lvgl,         // LVGL 9's lv_font_t in C
    LvglBin,      // the same font as LVGL's binary font file, for lv_binfont_create()
    U8g2,         // u8g2's font array, for setFont()
};

// What a run asks of a font form beyond the glyphs.
struct FontWriteOptions {
    bool compress = false;  // --font-compress: LVGL's compressed bitmaps
};

struct FontFormRow {
    FontFormat format;
    const char* flag;       // "--gfx-font"
    const char* extension;  // of an output file
    const char* library;    // "Adafruit GFX"
    uint32_t bits;          // the bits a pixel of coverage it writes unless asked otherwise
    uint32_t bitsTaken;     // those it can write, as a mask: 1 << bits
    bool text;              // C text, not a file's bytes
    bool kerns;             // its library kerns pairs of glyphs
    bool measures;          // it measures the font by 'A', '1', 'g' and '(' (FontGlyphs::references)
    bool compresses;        // --font-compress applies
    LayOutText layout;
    // The font named `name`, with `about` as its first comment line, and
    // in `note` a line for the terminal about what it wrote (a board it is
    // too large for), empty when there is none. False with `error` (one
    // line) for glyphs it cannot hold.
    bool (*write)(const FontGlyphs& glyphs, const std::string& name, const std::string& about,
                  const FontWriteOptions& options, std::string* out, std::string* note, std::string* error);
    // Its size and limits, a line for --info. False with `error` as write's.
    bool (*describe)(const FontGlyphs& glyphs, const FontWriteOptions& options, std::string* text, std::string* error);
};

const std::vector<FontFormRow>& FontForms();
const FontFormRow* FontFormOf(FontFormat format);
