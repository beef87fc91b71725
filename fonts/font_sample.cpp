#include "fonts/font_sample.h"

#include <algorithm>
#include <climits>

namespace {

// Calls `draw(glyph, penX, penY)` for each glyph of the text, pens from
// (0, 0); returns the pen's furthest x.
template <typename Draw>
int64_t WalkText(const FontGlyphs& font, const CodePoints& text, const SampleRules& rules, Draw draw) {
    int64_t x = 0, y = 0, furthest = 0;
    for (uint32_t c : text) {
        if (c == '\n') {
            x = 0;
            y += rules.lineHeight;
            continue;
        }
        const Glyph* glyph = FindGlyph(font, c);
        if (!glyph) continue;
        draw(*glyph, x, y);
        x += glyph->advance;
        furthest = std::max(furthest, x);
    }
    return furthest;
}

}  // namespace

bool DrawSample(const FontGlyphs& font, const CodePoints& text, const SampleRules& rules, PixelImage* picture,
                SamplePen* pen) {
    // The box: the pens' lines, then every glyph's bitmap.
    const int64_t lines = 1 + std::count(text.begin(), text.end(), uint32_t('\n'));
    int64_t left = 0, right = 0, top = 0, bottom = 0;
    const int64_t furthest = WalkText(font, text, rules, [&](const Glyph& g, int64_t x, int64_t y) {
        if (g.width == 0 || g.height == 0) return;
        const int64_t gx = x + g.left, gy = y + rules.rowFromTop - g.top;
        left = std::min(left, gx);
        right = std::max(right, gx + g.width);
        top = std::min(top, gy);
        bottom = std::max(bottom, gy + g.height);
    });
    right = std::max(right, furthest);
    // A line's height below its pen row: the font's line, less its ascent.
    const int64_t lineTop = rules.rowFromTop - font.metrics.ascent;
    top = std::min(top, lineTop);
    bottom = std::max(bottom, lineTop + lines * rules.lineHeight);
    const int64_t width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) return picture->Create(0, 0, PixelFormat::Mono);
    const PixelFormat format = font.bits == 1 ? PixelFormat::Mono : PixelFormat::Grey8;
    if (!picture->Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), format)) return false;
    pen->x = static_cast<int32_t>(-left);
    pen->y = static_cast<int32_t>(-top);
    WalkText(font, text, rules, [&](const Glyph& g, int64_t x, int64_t y) {
        const int64_t gx = x + g.left - left, gy = y + rules.rowFromTop - g.top - top;
        for (uint32_t r = 0; r < g.height; ++r)
            for (uint32_t col = 0; col < g.width; ++col) {
                const uint8_t c = g.coverage[static_cast<size_t>(r) * g.width + col];
                if (c == 0) continue;
                const auto px = static_cast<uint32_t>(gx + col), py = static_cast<uint32_t>(gy + r);
                const uint32_t was = picture->Get(px, py);
                picture->Set(px, py, format == PixelFormat::Mono ? 1 : std::max<uint32_t>(was, c));
            }
    });
    return true;
}

CodePoints DefaultSample(const FontGlyphs& font, size_t count) {
    CodePoints text;
    size_t taken = 0;
    for (const Glyph& g : font.glyphs) {
        if (taken == count) break;
        if (taken > 0 && taken % 16 == 0) text.push_back('\n');
        text.push_back(g.codePoint);
        ++taken;
    }
    return text;
}
