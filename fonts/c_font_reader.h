// Fonts read back from their C text, to draw and check someone else's
// font: an Adafruit GFX GFXfont header (its bitmap, glyph table and
// GFXfont, as fontconvert and we write them), a u8g2 font array (a
// string, as u8g2's bdfconv writes it, or bytes, as we do) and an LVGL
// font's C file (its designated initializers, as lv_font_conv and we
// write them: the bitmaps, descriptors, tiny maps and kerning). Their glyphs
// come back as the renderer's would, so that any font form writes or
// draws them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts/glyph.h"

enum class CFontKind {
    AdafruitGfx,
    U8g2,
    Lvgl,  // LVGL's lv_font_fmt_txt font in C, plain bitmaps (lv_font_conv's or ours)
};

struct CFont {
    CFontKind kind;
    std::string name;  // the GFXfont's or the array's C name
    FontGlyphs glyphs;
    std::vector<uint8_t> bytes;  // a u8g2 font's array, as it holds it
};

// True when a text looks like a font in C: it names GFXfont,
// lv_font_fmt_txt_glyph_dsc_t, or an array in U8G2_FONT_SECTION or
// U8X8_FONT_SECTION. Says nothing of its bytes.
bool LooksLikeCFont(const std::string& text);

// The font a C text holds. False with `error` (one line naming what is
// wrong) for a text that holds none, or whose tables run past their
// arrays or contradict each other.
bool ReadCFont(const std::string& text, CFont* font, std::string* error);

// The glyphs of a u8g2 font's bytes, as u8g2_font_decode_glyph() reads
// each. False with `error` for bytes u8g2 would read past.
bool ReadU8g2Bytes(const std::vector<uint8_t>& bytes, FontGlyphs* glyphs, std::string* error);
