// The font forms, one row each.
#include "fonts/font_forms.h"

#include "fonts/gfx_font.h"
#include "fonts/vlw_font.h"

namespace {

bool WriteGfx(const FontGlyphs& glyphs, const std::string& name, const std::string& about, std::string* out,
              std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    *out = GfxFontText(font, name, about);
    return true;
}

bool DescribeGfx(const FontGlyphs& glyphs, std::string* text, std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    char line[256];
    std::snprintf(line, sizeof line,
                  "Adafruit GFX font: 0x%02X to 0x%02X, bitmaps %zu bytes (of 65,536), %zu glyph entries", font.first,
                  font.last, font.bitmap.size(), font.glyphs.size());
    *text = line;
    if (font.gaps) *text += ", " + std::to_string(font.gaps) + " of them empty for characters not in the set";
    *text += "; " + std::to_string(GfxFontBytes(font, true)) + " bytes on an AVR, " +
             std::to_string(GfxFontBytes(font, false)) + " on a 32-bit board\n";
    return true;
}

bool WriteVlwFile(const FontGlyphs& glyphs, const std::string&, const std::string&, std::string* out,
                  std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    out->assign(bytes.begin(), bytes.end());
    return true;
}

bool WriteVlwArray(const FontGlyphs& glyphs, const std::string& name, const std::string& about, std::string* out,
                   std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    *out = VlwArrayText(bytes, name, about);
    return true;
}

bool DescribeVlw(const FontGlyphs& glyphs, std::string* text, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    *text = "TFT_eSPI smooth font: " + std::to_string(bytes.size()) + " bytes, 8-bit alpha; lines " +
            std::to_string(VlwLineHeight(glyphs)) + " pixels apart as drawGlyph() takes them\n";
    return true;
}

}  // namespace

const std::vector<FontFormRow>& FontForms() {
    // format, flag, extension, library, bits, text, layout, write, describe
    static const std::vector<FontFormRow> kForms = {
        {FontFormat::AdafruitGfx, "--gfx-font", ".h", "Adafruit GFX", 1, true, LayOutGfxText, WriteGfx, DescribeGfx},
        {FontFormat::VlwFile, "--vlw", ".vlw", "TFT_eSPI", 8, false, LayOutVlwText, WriteVlwFile, DescribeVlw},
        {FontFormat::VlwArray, "--vlw-array", ".h", "TFT_eSPI", 8, true, LayOutVlwText, WriteVlwArray, DescribeVlw},
    };
    return kForms;
}

const FontFormRow* FontFormOf(FontFormat format) {
    for (const FontFormRow& row : FontForms())
        if (row.format == format) return &row;
    return nullptr;
}
