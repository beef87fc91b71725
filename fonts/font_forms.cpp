// The font forms, one row each.
#include "fonts/font_forms.h"

#include "fonts/gfx_font.h"
#include "fonts/lvgl_binfont.h"
#include "fonts/lvgl_font.h"
#include "fonts/u8g2_font.h"
#include "fonts/vlw_font.h"

namespace {

// avr-gcc's largest object: an array past it does not compile for an AVR.
const size_t kAvrLargestArray = 32767;

// "the font is 53085 bytes, too many for an AVR …"
std::string TooLargeForAvr(const char* whatIs, size_t bytes) {
    return std::string(whatIs) + " " + std::to_string(bytes) +
           " bytes, too many for an AVR (avr-gcc's arrays end at 32,767 bytes); 32-bit boards take them";
}

bool WriteGfx(const FontGlyphs& glyphs, const std::string& name, const std::string& about, const FontWriteOptions&,
              std::string* out, std::string* note, std::string* error) {
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, error)) return false;
    *out = GfxFontText(font, name, about);
    if (font.bitmap.size() > kAvrLargestArray) *note = TooLargeForAvr("the bitmaps are", font.bitmap.size());
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
                  std::string* out, std::string*, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!MakeVlwFont(glyphs, &bytes, error)) return false;
    out->assign(bytes.begin(), bytes.end());
    return true;
}

bool WriteVlwArray(const FontGlyphs& glyphs, const std::string& name, const std::string& about, const FontWriteOptions&,
                   std::string* out, std::string*, std::string* error) {
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
               const FontWriteOptions& options, std::string* out, std::string*, std::string* error) {
    LvglFont font;
    if (!MakeLvglFont(glyphs, glyphs.bits, options.compress, &font, error)) return false;
    *out = LvglFontText(font, name, about);
    return true;
}

bool WriteLvglBin(const FontGlyphs& glyphs, const std::string&, const std::string&, const FontWriteOptions& options,
                  std::string* out, std::string*, std::string* error) {
    LvglFont font;
    if (!MakeLvglFont(glyphs, glyphs.bits, options.compress, &font, error)) return false;
    const std::vector<uint8_t> bytes = LvglBinFont(font, glyphs.metrics.pixelSize);
    out->assign(bytes.begin(), bytes.end());
    return true;
}

bool DescribeLvglBin(const FontGlyphs& glyphs, const FontWriteOptions& options, std::string* text, std::string* error) {
    LvglFont font;
    if (!MakeLvglFont(glyphs, glyphs.bits, options.compress, &font, error)) return false;
    *text = "LVGL binary font: " + std::to_string(LvglBinFont(font, glyphs.metrics.pixelSize).size()) + " bytes, " +
            std::to_string(font.bpp) + " bits a pixel" + (font.bitmapFormat ? ", compressed" : "") + ", " +
            std::to_string(font.glyphs.size() - 1) + " glyphs, " + std::to_string(font.cmaps.size()) +
            " character maps, " + std::to_string(font.kernIds.size()) + " kerning pairs; lines " +
            std::to_string(font.lineHeight) + " pixels, baseline " + std::to_string(font.baseLine) +
            " above the bottom\n";
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

bool WriteU8g2(const FontGlyphs& glyphs, const std::string& name, const std::string& about, const FontWriteOptions&,
               std::string* out, std::string* note, std::string* error) {
    U8g2Font font;
    if (!MakeU8g2Font(glyphs, &font, error)) return false;
    *out = U8g2FontText(font, name, about);
    if (font.bytes.size() > kU8g2AvrLimit) *note = TooLargeForAvr("the font is", font.bytes.size());
    return true;
}

bool DescribeU8g2(const FontGlyphs& glyphs, const FontWriteOptions&, std::string* text, std::string* error) {
    U8g2Font font;
    if (!MakeU8g2Font(glyphs, &font, error)) return false;
    char line[320];
    std::snprintf(line, sizeof line,
                  "u8g2 font (a %s kind): %zu bytes%s, %u glyphs, %u of them past 0xFF; runs of %u and %u bits; "
                  "box %d x %d at %d, %d\n",
                  U8g2Kind(glyphs).c_str(), font.bytes.size(),
                  font.bytes.size() > kU8g2AvrLimit ? " (too many for an AVR: 32,760 at most)" : "", font.glyphs,
                  font.unicode, font.bitsZero, font.bitsOne, font.max.w, font.max.h, font.max.x, font.max.y);
    *text = line;
    return true;
}

}  // namespace

const std::vector<FontFormRow>& FontForms() {
    // format, flag, extension, library, bits, bits taken, text, kerns, measures, compresses, layout, write,
    // describe
    const uint32_t lvglBits = 1u << 1 | 1u << 2 | 1u << 4 | 1u << 8;
    static const std::vector<FontFormRow> kForms = {
        {FontFormat::AdafruitGfx, "--gfx-font", ".h", "Adafruit GFX", 1, 1u << 1, true, false, false, false,
         LayOutGfxText, WriteGfx, DescribeGfx},
        {FontFormat::VlwFile, "--vlw", ".vlw", "TFT_eSPI", 8, 1u << 8, false, false, false, false, LayOutVlwText,
         WriteVlwFile, DescribeVlw},
        {FontFormat::VlwArray, "--vlw-array", ".h", "TFT_eSPI", 8, 1u << 8, true, false, false, false, LayOutVlwText,
         WriteVlwArray, DescribeVlw},
        {FontFormat::Lvgl, "--lvgl-font", ".c", "LVGL", 4, lvglBits, true, true, false, true, LayOutLvglText, WriteLvgl,
         DescribeLvgl},
        {FontFormat::LvglBin, "--lvgl-font-bin", ".bin", "LVGL", 4, lvglBits, false, true, false, true, LayOutLvglText,
         WriteLvglBin, DescribeLvglBin},
        {FontFormat::U8g2, "--u8g2-font", ".h", "u8g2", 1, 1u << 1, true, false, true, false, LayOutU8g2Text, WriteU8g2,
         DescribeU8g2},
    };
    return kForms;
}

const FontFormRow* FontFormOf(FontFormat format) {
    for (const FontFormRow& row : FontForms())
        if (row.format == format) return &row;
    return nullptr;
}
