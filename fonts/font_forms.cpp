// The font forms, one row each.
#include "fonts/font_forms.h"

#include "fonts/gfx_font.h"

namespace {

bool WriteGfx(const FontGlyphs& glyphs, const std::string& name, const std::string& about, std::string* text,
              std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    *text = GfxFontText(font, name, about);
    return true;
}

bool DescribeGfx(const FontGlyphs& glyphs, std::string* text, std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    char line[256];
    std::snprintf(
        line, sizeof line,
        "Adafruit GFX font: 0x%02X to 0x%02X, bitmaps %zu bytes (of 65,536), %zu glyph entries"
        "%s; %u bytes on an AVR, %u on a 32-bit board\n",
        font.first, font.last, font.bitmap.size(), font.glyphs.size(),
        font.gaps ? (", " + std::to_string(font.gaps) + " of them empty for characters not in the set").c_str() : "",
        GfxFontBytes(font, true), GfxFontBytes(font, false));
    *text = line;
    return true;
}

}  // namespace

const std::vector<FontFormRow>& FontForms() {
    // format, flag, extension, library, bits, sample rules, write, describe
    static const std::vector<FontFormRow> kForms = {
        {FontFormat::AdafruitGfx, "--gfx-font", ".h", "Adafruit GFX", 1u << 1, GfxSampleRules, WriteGfx, DescribeGfx},
    };
    return kForms;
}

const FontFormRow* FontFormOf(FontFormat format) {
    for (const FontFormRow& row : FontForms())
        if (row.format == format) return &row;
    return nullptr;
}
