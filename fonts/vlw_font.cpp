#include "fonts/vlw_font.h"

#include <algorithm>
#include <cstdio>

namespace {

void PutInt32(std::vector<uint8_t>* bytes, int64_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) bytes->push_back(static_cast<uint8_t>(v >> shift));
}

// The characters loadMetrics() counts into the descent: it leaves out
// those whose glyphs "tend to give duff values".
bool CountsForDescent(uint32_t c) { return (c > 0x20 && c < 0xA0 && c != 0x7F) || c > 0xFF; }

}  // namespace

int64_t VlwLineHeight(const FontGlyphs& glyphs) {
    int64_t descent = glyphs.metrics.descent;
    for (const Glyph& g : glyphs.glyphs)
        if (CountsForDescent(g.codePoint)) descent = std::max<int64_t>(descent, int64_t(g.height) - g.top);
    return glyphs.metrics.ascent + descent;
}

bool MakeVlwFont(const FontGlyphs& glyphs, std::vector<uint8_t>* bytes, std::string* error) {
    bytes->clear();
    if (glyphs.glyphs.empty()) {
        *error = "no glyph to make a font of";
        return false;
    }
    if (glyphs.glyphs.size() > 65535) {
        *error = std::to_string(glyphs.glyphs.size()) + " glyphs; TFT_eSPI counts a font's glyphs in 16 bits (65535)";
        return false;
    }
    for (const Glyph& g : glyphs.glyphs) {
        const std::string name = CodePointText(g.codePoint);
        if (g.codePoint > 0xFFFF) {
            *error = name + " is past 0xFFFF: TFT_eSPI keeps a glyph's code point in 16 bits";
            return false;
        }
        if (g.width > 255 || g.height > 255) {
            *error = name + " is " + std::to_string(g.width) + " x " + std::to_string(g.height) +
                     " pixels; TFT_eSPI keeps a glyph's width and height in 8 bits (255)";
            return false;
        }
        if (g.advance < 0 || g.advance > 255) {
            *error =
                name + " advances " + std::to_string(g.advance) + " pixels; TFT_eSPI keeps it in 8 bits (0 to 255)";
            return false;
        }
        if (g.left < -128 || g.left > 127 || g.top < -32768 || g.top > 32767) {
            *error = name + " stands " + std::to_string(g.left) +
                     " pixels from the pen; TFT_eSPI keeps that in 8 bits (-128 to 127)";
            return false;
        }
    }
    const FontMetrics& m = glyphs.metrics;
    PutInt32(bytes, static_cast<int64_t>(glyphs.glyphs.size()));
    PutInt32(bytes, 11);  // the encoder's version, as Processing's writes it
    PutInt32(bytes, m.pixelSize);
    PutInt32(bytes, 0);
    PutInt32(bytes, m.ascent);
    PutInt32(bytes, m.descent);
    for (const Glyph& g : glyphs.glyphs) {
        for (int64_t field : {int64_t(g.codePoint), int64_t(g.height), int64_t(g.width), int64_t(g.advance),
                              int64_t(g.top), int64_t(g.left), int64_t(0)})
            PutInt32(bytes, field);
    }
    for (const Glyph& g : glyphs.glyphs) bytes->insert(bytes->end(), g.coverage.begin(), g.coverage.end());
    return true;
}

std::string VlwArrayText(const std::vector<uint8_t>& bytes, const std::string& name, const std::string& about) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    std::string text = "// " + about + "\n// For TFT_eSPI's smooth fonts: tft.loadFont(" + name +
                       "); then print(); tft.unloadFont() when done.\n// " + std::to_string(bytes.size()) +
                       " bytes, a .vlw file's.\n";
    text += "#ifndef " + upper + "_VLW_H\n#define " + upper + "_VLW_H\n\n";
    text +=
        "#include <stdint.h>\n"
        "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n"
        "#elif defined(ESP8266) || defined(ESP32)\n#include <pgmspace.h>\n#endif\n"
        "#ifndef PROGMEM\n#define PROGMEM\n#endif\n\n";
    text += "static const uint8_t " + name + "[] PROGMEM = {";
    char item[16];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(item, sizeof item, "%s0x%02X", i % 16 == 0 ? "\n    " : " ", bytes[i]);
        text += item;
        if (i + 1 < bytes.size()) text += ",";
    }
    text += "};\n\n#endif\n";
    return text;
}

SampleLayout LayOutVlwText(const FontGlyphs& glyphs, const CodePoints& text) {
    SampleLayout layout;
    const int64_t ascent = glyphs.metrics.ascent, descent = glyphs.metrics.descent;
    const int64_t space = (ascent + descent) * 2 / 7, line = VlwLineHeight(glyphs);
    int64_t x = 0, y = 0, lines = 1;
    for (uint32_t c : text) {
        if (c == 0x20) {
            x += space;
        } else if (c == '\n') {
            x = 0;
            y += line;
            ++lines;
        } else if (const Glyph* g = c <= 0xFFFF ? FindGlyph(glyphs, c) : nullptr) {
            if (x == 0) x -= g->left;
            layout.glyphs.push_back({g, x + g->left, y + ascent - g->top});
            x += g->advance;
        } else {
            // drawRect's top is the pen's plus maxAscent - ascent, which are the same here.
            layout.boxes.push_back({x, y, space, ascent});
            x += space + 1;
        }
        layout.right = std::max(layout.right, x);
    }
    layout.bottom = lines * line;
    return layout;
}
