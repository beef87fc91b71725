// The font forms, one row each.
#include "fonts/font_forms.h"

#include "fonts/gfx_font.h"
#include "fonts/lvgl_font.h"
#include "fonts/vlw_font.h"

namespace {

bool WriteGfx(const FontGlyphs& glyphs, const std::string& name, const std::string& about, const FontWriteOptions&,
              std::string* out, std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    *out = GfxFontText(font, name, about);
    return true;
}

bool DescribeGfx(const FontGlyphs& glyphs, const FontWriteOptions&, std::string* text, std::string* error) {
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

bool WriteVlwFile(const FontGlyphs& glyphs, const std::string&, const std::string&, const FontWriteOptions&,
                  std::string* out, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    out->assign(bytes.begin(), bytes.end());
    return true;
}

bool WriteVlwArray(const FontGlyphs& glyphs, const std::string& name, const std::string& about, const FontWriteOptions&,
                   std::string* out, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    *out = VlwArrayText(bytes, name, about);
    return true;
}

bool DescribeVlw(const FontGlyphs& glyphs, const FontWriteOptions&, std::string* text, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    *text = "TFT_eSPI smooth font: " + std::to_string(bytes.size()) + " bytes, 8-bit alpha; lines " +
            std::to_string(VlwLineHeight(glyphs)) + " pixels apart as drawGlyph() takes them\n";
    return true;
}

bool WriteLvgl(const FontGlyphs& glyphs, const std::string& name, const std::string& about,
               const FontWriteOptions& options, std::string* out, std::string* error) {
    LvglFont font;
    if (!MakeLvglFont(glyphs, glyphs.bits, options.compress, &font, error)) return false;
    *out = LvglFontText(font, name, about);
    return true;
}

bool DescribeLvgl(const FontGlyphs& glyphs, const FontWriteOptions& options, std::string* text, std::string* error) {
    LvglFont font;
    if (!MakeLvglFont(glyphs, glyphs.bits, options.compress, &font, error)) return false;
    size_t sparse = 0, lists = 0;
    for (const LvglCmap& c : font.cmaps) sparse += !c.unicodeList.empty(), lists += c.unicodeList.size();
    // sizeof(lv_font_fmt_txt_glyph_dsc_t) is 8; a map 16 on a 32-bit board.
    const size_t bytes = font.bitmap.size() + font.glyphs.size() * 8 + font.cmaps.size() * 16 + lists * 2;
    *text = "LVGL font: " + std::to_string(font.bpp) + " bits a pixel, bitmaps " + std::to_string(font.bitmap.size()) +
            " bytes (of 1 MiB" +
            (font.bitmapFormat == 1   ? "; compressed, lines XORed"
             : font.bitmapFormat == 2 ? "; compressed"
             : options.compress       ? "; plain: compressed they were larger"
                                      : "") +
            "), " + std::to_string(font.cmaps.size()) + " character maps (" + std::to_string(sparse) +
            " sparse); about " + std::to_string(bytes) + " bytes on a 32-bit board; lines " +
            std::to_string(font.lineHeight) + " pixels, baseline " + std::to_string(font.baseLine) +
            " above the bottom; " + std::to_string(font.kernIds.size()) + " kerning pairs\n";
    return true;
}

}  // namespace

const std::vector<FontFormRow>& FontForms() {
    // format, flag, extension, library, bits, bits taken, text, kerns, layout, write, describe
    static const std::vector<FontFormRow> kForms = {
        {FontFormat::AdafruitGfx, "--gfx-font", ".h", "Adafruit GFX", 1, 1u << 1, true, false, LayOutGfxText, WriteGfx,
         DescribeGfx},
        {FontFormat::VlwFile, "--vlw", ".vlw", "TFT_eSPI", 8, 1u << 8, false, false, LayOutVlwText, WriteVlwFile,
         DescribeVlw},
        {FontFormat::VlwArray, "--vlw-array", ".h", "TFT_eSPI", 8, 1u << 8, true, false, LayOutVlwText, WriteVlwArray,
         DescribeVlw},
        {FontFormat::Lvgl, "--lvgl-font", ".c", "LVGL", 4, 1u << 1 | 1u << 2 | 1u << 4 | 1u << 8, true, true,
         LayOutLvglText, WriteLvgl, DescribeLvgl},
    };
    return kForms;
}

const FontFormRow* FontFormOf(FontFormat format) {
    for (const FontFormRow& row : FontForms())
        if (row.format == format) return &row;
    return nullptr;
}
