// Feeds arbitrary bytes to the font path: FreeType's reading of them as a
// font, the glyphs of a set gathered and rendered, the u8g2 and Adafruit
// GFX fonts made of them, a header, and a sample. What it checks: a
// refusal says why in one line; a font's glyphs are sorted, each within
// its bitmap, and u8g2's and Adafruit's loops over the fonts' bytes draw
// the sample the glyphs draw.
// The same bytes also go to the glyph set and text readers as text.
//   byte 0: the size in pixels, 4 to 35 (a bitmap font: its own)
//   byte 1: the hinting (modulo 3); bit 7: every glyph's text too; bit 6:
//           8-bit coverage into TFT_eSPI's smooth font instead
//           bit 5: an LVGL font instead, at 1, 2, 4 or 8 bits (byte 2's
//           bits 2 and 3)
//   byte 2: the set: ascii, latin1, digits or 0x00-0xFF (modulo 4)
#include <cstdint>
#include <string>
#include <vector>

#include "fonts/c_font_reader.h"
#include "fonts/font_face.h"
#include "fonts/font_sample.h"
#include "fonts/gfx_font.h"
#include "fonts/lvgl_font.h"
#include "fonts/u8g2_font.h"
#include "fonts/vlw_font.h"
#include "fuzz/fuzz_check.h"
#include "tests/fonts/u8g2_model.h"

namespace {

const size_t kLead = 3;

// Adafruit_GFX's write() and drawChar() over the font's own bytes; false
// when the glyphs read past the bitmap.
bool ModelDraws(const GfxFont& font, const CodePoints& text, const PixelImage& sample, const SamplePen& pen) {
    std::vector<uint8_t> canvas(static_cast<size_t>(sample.Width()) * sample.Height(), 0);
    int x = 0, y = 0;
    for (uint32_t c : text) {
        if (c == '\n') {
            x = 0;
            y += font.yAdvance;
            continue;
        }
        if (c < font.first || c > font.last) continue;
        const GfxGlyph& g = font.glyphs[c - font.first];
        uint32_t bo = g.bitmapOffset, bit = 0;
        uint8_t bits = 0;
        for (int yy = 0; yy < g.height; ++yy)
            for (int xx = 0; xx < g.width; ++xx) {
                if (!(bit++ & 7)) {
                    if (bo >= font.bitmap.size()) return false;
                    bits = font.bitmap[bo++];
                }
                const int px = pen.x + x + g.xOffset + xx, py = pen.y + y + g.yOffset + yy;
                if ((bits & 0x80) && px >= 0 && py >= 0 && px < static_cast<int>(sample.Width()) &&
                    py < static_cast<int>(sample.Height()))
                    canvas[static_cast<size_t>(py) * sample.Width() + px] = 1;
                bits <<= 1;
            }
        x += g.xAdvance;
    }
    for (uint32_t py = 0; py < sample.Height(); ++py)
        for (uint32_t px = 0; px < sample.Width(); ++px)
            if (canvas[static_cast<size_t>(py) * sample.Width() + px] != sample.Get(px, py)) return false;
    return true;
}

struct U8g2Canvas {
    uint32_t width, height;
    std::vector<uint8_t> set;
    bool outside = false;
};

void U8g2Pixel(void* context, int x, int y) {
    U8g2Canvas* c = static_cast<U8g2Canvas*>(context);
    if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= c->width || static_cast<uint32_t>(y) >= c->height)
        c->outside = true;
    else
        c->set[static_cast<size_t>(y) * c->width + x] = 1;
}

// u8g2's reading code, modelled, over the font's own bytes draws the
// sample's lines as our picture of them.
bool U8g2ModelDraws(const FontGlyphs& glyphs, const U8g2Font& font, const CodePoints& text) {
    PixelImage sample;
    SamplePen pen;
    if (!DrawSample(glyphs, LayOutU8g2Text(glyphs, text), &sample, &pen)) return true;
    if (uint64_t(sample.Width()) * sample.Height() > (uint64_t(1) << 22)) return true;
    U8g2Canvas canvas{sample.Width(), sample.Height(), std::vector<uint8_t>(size_t(sample.Width()) * sample.Height())};
    u8g2_model_t model = {};
    u8g2_model_set_font(&model, font.bytes.data());
    model.pixel = U8g2Pixel;
    model.context = &canvas;
    u8g2_model_draw_lines(&model, pen.x, pen.y, text.data(), text.size());
    for (uint32_t py = 0; py < sample.Height(); ++py)
        for (uint32_t px = 0; px < sample.Width(); ++px)
            if ((canvas.set[size_t(py) * sample.Width() + px] != 0) != (sample.Get(px, py) != 0)) return false;
    return !canvas.outside;
}

void CheckText(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // As a font in C: refused in a line, or glyphs each the size it says.
    CFont font;
    std::string why;
    if (!ReadCFont(text, &font, &why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
    } else {
        for (const Glyph& g : font.glyphs.glyphs)
            FUZZ_CHECK(g.coverage.size() == static_cast<size_t>(g.width) * g.height);
    }
    for (bool asText : {false, true}) {
        CodePoints set;
        std::string error;
        const bool taken = asText ? AddTextCharacters(text, &set, &error) : ParseGlyphSet(text, &set, &error);
        if (!taken) {
            FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
            continue;
        }
        for (size_t i = 0; i < set.size(); ++i) {
            FUZZ_CHECK(set[i] <= 0x10FFFF && !(set[i] >= 0xD800 && set[i] <= 0xDFFF));
            if (i) FUZZ_CHECK(set[i - 1] < set[i]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kLead) return 0;
    if (size < 4096) CheckText(data + kLead, size - kLead);
    FontFace face;
    std::string why;
    if (!face.Open(std::vector<uint8_t>(data + kLead, data + size), 0, &why) ||
        !face.SetSize(face.Scalable() ? 4u + data[0] % 32 : 0, &why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    static const char* const kSets[] = {"ascii", "latin1", "digits", "0x00-0xFF"};
    CodePoints set;
    FUZZ_CHECK(ParseGlyphSet(kSets[data[2] % 4], &set, &why));
    const bool smooth = (data[1] & 0x40) != 0, lvgl = !smooth && (data[1] & 0x20) != 0;
    const uint32_t bits = smooth ? 8u : lvgl ? 1u << (data[2] >> 2 & 3) : 1u;
    GlyphRendering rendering = {bits, static_cast<Hinting>(data[1] % 3)};
    rendering.references = true;
    FontGlyphs glyphs;
    if (!GatherGlyphs({&face}, set, rendering, &glyphs, &why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(glyphs.glyphs.size() + glyphs.missing.size() == set.size());
    size_t pixels = 0;
    for (const Glyph& g : glyphs.glyphs) {
        FUZZ_CHECK(g.coverage.size() == static_cast<size_t>(g.width) * g.height);
        for (uint8_t c : g.coverage) FUZZ_CHECK(bits == 8 || c % (255 / ((1u << bits) - 1)) == 0);
        pixels += g.coverage.size();
    }
    if (lvgl) {
        // Every glyph found through the maps, as LVGL looks it up, and
        // every bitmap within the bitmaps.
        LvglFont font;
        if (!MakeLvglFont(glyphs, bits, (data[2] & 0x10) != 0 && (bits == 2 || bits == 4), &font, &why)) {
            FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
            return 0;
        }
        FUZZ_CHECK(font.glyphs.size() == glyphs.glyphs.size() + 1 && font.cmaps.size() <= 511);
        for (size_t i = 0; i < glyphs.glyphs.size(); ++i) {
            const uint32_t letter = glyphs.glyphs[i].codePoint;
            uint32_t id = 0;
            for (const LvglCmap& cmap : font.cmaps) {
                const uint32_t rcp = letter - cmap.rangeStart;
                if (rcp >= cmap.rangeLength) continue;
                if (cmap.unicodeList.empty()) id = cmap.glyphIdStart + rcp;
                for (size_t k = 0; k < cmap.unicodeList.size(); ++k)
                    if (cmap.unicodeList[k] == rcp) id = cmap.glyphIdStart + static_cast<uint32_t>(k);
                break;
            }
            FUZZ_CHECK(id == i + 1 || letter == 0);
            const LvglGlyph& g = font.glyphs[i + 1];
            FUZZ_CHECK(g.bitmapIndex + (size_t(g.width) * g.height * bits + 7) / 8 <= font.bitmap.size());
        }
        return 0;
    }
    if (smooth) {
        // The file holds its header, a record a glyph and every glyph's
        // alpha; its count is the glyphs'.
        std::vector<uint8_t> bytes;
        if (!MakeVlwFont(glyphs, &bytes, &why)) {
            FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
            return 0;
        }
        FUZZ_CHECK(bytes.size() == 24 + 28 * glyphs.glyphs.size() + pixels);
        FUZZ_CHECK((size_t(bytes[2]) << 8 | bytes[3]) == glyphs.glyphs.size());
        PixelImage sample;
        SamplePen pen;
        DrawSample(glyphs, LayOutVlwText(glyphs, DefaultSample(glyphs, glyphs.glyphs.size())), &sample, &pen);
        return 0;
    }
    const CodePoints text = DefaultSample(glyphs, glyphs.glyphs.size());
    U8g2Font u8g2;
    if (MakeU8g2Font(glyphs, &u8g2, &why))
        FUZZ_CHECK(U8g2ModelDraws(glyphs, u8g2, text));
    else
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
    GfxFont font;
    if (!MakeGfxFont(glyphs, &font, &why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(font.glyphs.size() == static_cast<size_t>(font.last - font.first + 1) && font.bitmap.size() <= 65536);
    if (data[1] & 0x80) FUZZ_CHECK(!GfxFontText(font, "fuzz", "a fuzzed font").empty());
    PixelImage sample;
    SamplePen pen;
    if (!DrawSample(glyphs, LayOutGfxText(glyphs, text), &sample, &pen)) return 0;
    if (sample.Width() == 0 || uint64_t(sample.Width()) * sample.Height() > (uint64_t(1) << 22)) return 0;
    FUZZ_CHECK(ModelDraws(font, text, sample, pen));
    return 0;
}
