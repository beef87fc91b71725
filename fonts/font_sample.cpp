#include "fonts/font_sample.h"

#include <algorithm>

bool DrawSample(const FontGlyphs& font, const SampleLayout& layout, PixelImage* picture, SamplePen* pen) {
    int64_t left = 0, right = layout.right, top = layout.top, bottom = layout.bottom;
    for (const PlacedGlyph& p : layout.glyphs) {
        if (p.glyph->width == 0 || p.glyph->height == 0) continue;
        left = std::min(left, p.x);
        right = std::max(right, p.x + p.glyph->width);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y + p.glyph->height);
    }
    for (const PlacedBox& b : layout.boxes) {
        left = std::min(left, b.x);
        right = std::max(right, b.x + b.width);
        top = std::min(top, b.y);
        bottom = std::max(bottom, b.y + b.height);
    }
    const int64_t width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0) return picture->Create(0, 0, PixelFormat::Mono);
    if (width > 65535 || height > 65535) return false;
    const PixelFormat format = font.bits == 1 ? PixelFormat::Mono : PixelFormat::Grey8;
    if (!picture->Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), format)) return false;
    pen->x = static_cast<int32_t>(-left);
    pen->y = static_cast<int32_t>(-top);
    const uint32_t full = format == PixelFormat::Mono ? 1 : 255;
    // A later glyph's pixels replace what is under them, as the libraries
    // write a glyph's pixels over the background colour.
    auto put = [&](int64_t x, int64_t y, uint32_t value) {
        picture->Set(static_cast<uint32_t>(x - left), static_cast<uint32_t>(y - top), value);
    };
    for (const PlacedGlyph& p : layout.glyphs) {
        const Glyph& g = *p.glyph;
        for (uint32_t r = 0; r < g.height; ++r)
            for (uint32_t c = 0; c < g.width; ++c) {
                const uint8_t coverage = g.coverage[static_cast<size_t>(r) * g.width + c];
                if (coverage) put(p.x + c, p.y + r, format == PixelFormat::Mono ? 1 : coverage);
            }
    }
    for (const PlacedBox& b : layout.boxes)
        for (int64_t y = b.y; y < b.y + b.height; ++y)
            for (int64_t x = b.x; x < b.x + b.width; ++x)
                if (y == b.y || y == b.y + b.height - 1 || x == b.x || x == b.x + b.width - 1) put(x, y, full);
    return true;
}

CodePoints DefaultSample(const FontGlyphs& font, size_t count) {
    CodePoints text;
    size_t taken = 0;
    for (const Glyph& g : font.glyphs) {
        if (taken == count) break;
        // A font's own line break or carriage return would break the sample's lines.
        if (g.codePoint == '\n' || g.codePoint == '\r') continue;
        if (taken > 0 && taken % 16 == 0) text.push_back('\n');
        text.push_back(g.codePoint);
        ++taken;
    }
    return text;
}
