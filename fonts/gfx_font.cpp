#include "fonts/gfx_font.h"

#include <algorithm>
#include <cstdio>

namespace {

bool Fits(int64_t value, int64_t low, int64_t high) { return value >= low && value <= high; }

std::string GlyphLimit(const Glyph& g, const std::string& what) { return CodePointText(g.codePoint) + " " + what; }

}  // namespace

// Adafruit_GFX::write(): a line break moves the pen to the next line's
// start; a carriage return does nothing; a character of the font draws its
// bitmap (when it has one) at the pen plus its offsets, then advances.
// The pen stands on the row above the baseline: yOffset is 1 - top.
SampleLayout LayOutGfxText(const FontGlyphs& glyphs, const CodePoints& text) {
    SampleLayout layout;
    const int64_t line = glyphs.metrics.lineHeight;
    int64_t x = 0, y = 0, lines = 1;
    for (uint32_t c : text) {
        if (c == '\n') {
            x = 0;
            y += line;
            ++lines;
            continue;
        }
        const Glyph* g = c == '\r' ? nullptr : FindGlyph(glyphs, c);
        if (!g) continue;
        if (g->width > 0 && g->height > 0) layout.glyphs.push_back({g, x + g->left, y + 1 - g->top});
        x += g->advance;
        layout.right = std::max(layout.right, x);
    }
    layout.top = 1 - glyphs.metrics.ascent;
    layout.bottom = layout.top + lines * line;
    return layout;
}

bool MakeGfxFont(const FontGlyphs& glyphs, GfxFont* font, std::string* error) {
    *font = GfxFont();
    if (glyphs.glyphs.empty()) {
        *error = "no glyph to make a font of";
        return false;
    }
    const uint32_t first = glyphs.glyphs.front().codePoint, last = glyphs.glyphs.back().codePoint;
    if (last > 0xFF) {
        *error = CodePointText(last) +
                 " is past 0xFF: Adafruit GFX draws characters 0x00 to 0xFF (its write() takes one byte)";
        return false;
    }
    if (!Fits(glyphs.metrics.lineHeight, 0, 255)) {
        *error = "the line is " + std::to_string(glyphs.metrics.lineHeight) +
                 " pixels high; a GFXfont's yAdvance is at most 255 (uint8_t)";
        return false;
    }
    font->first = static_cast<uint16_t>(first);
    font->last = static_cast<uint16_t>(last);
    font->yAdvance = static_cast<uint8_t>(glyphs.metrics.lineHeight);
    size_t next = 0;
    for (uint32_t c = first; c <= last; ++c) {
        const Glyph* g =
            next < glyphs.glyphs.size() && glyphs.glyphs[next].codePoint == c ? &glyphs.glyphs[next++] : nullptr;
        if (!g) {
            font->glyphs.push_back({static_cast<uint16_t>(font->bitmap.size() & 0xFFFF), 0, 0, 0, 0, 0});
            ++font->gaps;
            continue;
        }
        if (g->width > 255 || g->height > 255) {
            *error = GlyphLimit(*g, "is " + std::to_string(g->width) + " x " + std::to_string(g->height) +
                                        " pixels; a GFXfont glyph is at most 255 x 255 (uint8_t)");
            return false;
        }
        if (!Fits(g->advance, 0, 255)) {
            *error = GlyphLimit(
                *g, "advances " + std::to_string(g->advance) + " pixels; a GFXfont's xAdvance is 0 to 255 (uint8_t)");
            return false;
        }
        if (!Fits(g->left, -128, 127) || !Fits(1 - static_cast<int64_t>(g->top), -128, 127)) {
            *error = GlyphLimit(*g, "stands " + std::to_string(g->left) + ", " + std::to_string(1 - g->top) +
                                        " pixels from the pen; a GFXfont's offsets are -128 to 127 (int8_t)");
            return false;
        }
        const size_t offset = font->bitmap.size();
        // drawChar counts its way through the bitmap in a uint16_t: every
        // byte a glyph reads must lie within the first 65,536.
        const size_t bytes = (static_cast<size_t>(g->width) * g->height + 7) / 8;
        if (offset + bytes > 65536) {
            *error = "the glyphs' bitmaps pass 65,536 bytes at " + CodePointText(c) +
                     "; a GFXfont's offsets are 16-bit: make fewer glyphs or a smaller size";
            return false;
        }
        font->glyphs.push_back({static_cast<uint16_t>(offset), static_cast<uint8_t>(g->width),
                                static_cast<uint8_t>(g->height), static_cast<uint8_t>(g->advance),
                                static_cast<int8_t>(g->left), static_cast<int8_t>(1 - g->top)});
        // The rows run on, most significant bit first; the glyph's last
        // byte is filled with zeros.
        uint32_t bit = 0;
        uint8_t byte = 0;
        for (uint8_t c : g->coverage) {
            if (c >= 128) byte |= static_cast<uint8_t>(0x80 >> bit);
            if (++bit == 8) {
                font->bitmap.push_back(byte);
                bit = 0;
                byte = 0;
            }
        }
        if (bit) font->bitmap.push_back(byte);
    }
    return true;
}

uint32_t GfxFontBytes(const GfxFont& font, bool avr) {
    return static_cast<uint32_t>(font.bitmap.size() + font.glyphs.size() * (avr ? 7 : 8) + (avr ? 7 : 16));
}

std::string GfxFontText(const GfxFont& font, const std::string& name, const std::string& about) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    char line[160];
    std::string text = "// " + about + "\n";
    std::snprintf(line, sizeof line,
                  "// For Adafruit GFX: display.setFont(&%s); then print(). %u glyphs, 0x%02X to 0x%02X;\n"
                  "// %u bytes on an AVR, %u on a 32-bit board.\n",
                  name.c_str(), static_cast<unsigned>(font.glyphs.size() - font.gaps), font.first, font.last,
                  GfxFontBytes(font, true), GfxFontBytes(font, false));
    text += line;
    text += "#ifndef " + upper + "_GFXFONT_H\n#define " + upper + "_GFXFONT_H\n\n";
    text +=
        "#include <stdint.h>\n"
        "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n"
        "#elif defined(ESP8266) || defined(ESP32)\n#include <pgmspace.h>\n#endif\n"
        "#ifndef PROGMEM\n#define PROGMEM\n#endif\n"
        "#ifdef __cplusplus\n#include <Adafruit_GFX.h>\n#else\n#include <gfxfont.h>\n#endif\n\n";
    text += "static const uint8_t " + name + "Bitmaps[] PROGMEM = {";
    for (size_t i = 0; i < font.bitmap.size(); ++i) {
        std::snprintf(line, sizeof line, "%s0x%02X", i % 12 == 0 ? "\n    " : " ", font.bitmap[i]);
        text += line;
        if (i + 1 < font.bitmap.size()) text += ",";
    }
    // An empty array is not C: a font of spaces alone holds one zero.
    if (font.bitmap.empty()) text += "\n    0x00";
    text += "};\n\nstatic const GFXglyph " + name + "Glyphs[] PROGMEM = {\n";
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const GfxGlyph& g = font.glyphs[i];
        const unsigned c = font.first + static_cast<unsigned>(i);
        std::snprintf(line, sizeof line, "    {%5u, %3u, %3u, %3u, %4d, %4d}%s  // 0x%02X", g.bitmapOffset, g.width,
                      g.height, g.xAdvance, g.xOffset, g.yOffset, i + 1 < font.glyphs.size() ? "," : " ", c);
        text += line;
        if (c > 0x20 && c < 0x7F && c != '\\') text += std::string(" '") + static_cast<char>(c) + "'";
        text += "\n";
    }
    std::snprintf(line, sizeof line, "    0x%02X, 0x%02X, %u};\n\n", font.first, font.last, font.yAdvance);
    text += "};\n\nstatic const GFXfont " + name + " PROGMEM = {\n    (uint8_t *)" + name +
            "Bitmaps,\n    (GFXglyph *)" + name + "Glyphs,\n" + line;
    text += "#endif\n";
    return text;
}
