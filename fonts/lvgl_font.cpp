#include "fonts/lvgl_font.h"

#include <algorithm>
#include <cstdio>

#include "fonts/lvgl_font_rle.h"

namespace {

// A run of consecutive code points this long or longer is a map of its
// own (16 bytes, no list); shorter ones share sparse maps (2 bytes a
// character), each within 65535 code points and never across another map,
// since LVGL takes the first map whose range holds a character.
const size_t kOwnMap = 6;

void MakeCmaps(const std::vector<uint32_t>& points, size_t ownMap, std::vector<LvglCmap>* cmaps) {
    cmaps->clear();
    LvglCmap sparse;
    bool open = false;
    auto close = [&]() {
        if (open) cmaps->push_back(sparse);
        open = false;
    };
    for (size_t i = 0; i < points.size();) {
        size_t j = i;
        while (j + 1 < points.size() && points[j + 1] == points[j] + 1) ++j;
        const size_t run = j - i + 1;
        const auto id = static_cast<uint16_t>(i + 1);
        if (run >= ownMap) {
            close();
            cmaps->push_back({points[i], static_cast<uint16_t>(run), id, {}});
        } else {
            for (size_t k = i; k <= j; ++k) {
                if (open && points[k] - sparse.rangeStart > 65534) close();
                if (!open) sparse = {points[k], 0, static_cast<uint16_t>(k + 1), {}}, open = true;
                sparse.unicodeList.push_back(static_cast<uint16_t>(points[k] - sparse.rangeStart));
                sparse.rangeLength = static_cast<uint16_t>(points[k] - sparse.rangeStart + 1);
            }
        }
        i = j + 1;
    }
    close();
}

// Coverage 0 to 255 as a value of `bpp` bits: the level nearest, which is
// the coverage itself where the glyph was rendered at those bits.
uint32_t Level(uint8_t coverage, uint32_t bpp) {
    const uint32_t top = (1u << bpp) - 1;
    return (coverage * top + 127) / 255;
}

}  // namespace

bool MakeLvglFont(const FontGlyphs& glyphs, uint32_t bpp, bool compress, LvglFont* font, std::string* error) {
    *font = LvglFont();
    font->bpp = bpp;
    if (glyphs.glyphs.empty()) {
        *error = "no glyph to make a font of";
        return false;
    }
    if (glyphs.glyphs.size() > 65534) {
        *error = std::to_string(glyphs.glyphs.size()) + " glyphs; an LVGL font's glyph ids are 16-bit (65534 glyphs)";
        return false;
    }
    font->lineHeight = glyphs.metrics.ascent + glyphs.metrics.descent;
    font->baseLine = glyphs.metrics.descent;
    font->glyphs.push_back({0, 0, 0, 0, 0, 0});
    if (compress && bpp != 2 && bpp != 4) {
        *error = "LVGL 9 decompresses fonts of 2, 3 and 4 bits a pixel only, not " + std::to_string(bpp);
        return false;
    }
    std::vector<uint32_t> points;
    std::vector<std::vector<uint8_t>> levels;
    for (const Glyph& g : glyphs.glyphs) {
        const std::string name = CodePointText(g.codePoint);
        const int64_t ofsY = int64_t(g.top) - g.height;
        if (g.width > 255 || g.height > 255) {
            *error = name + " is " + std::to_string(g.width) + " x " + std::to_string(g.height) +
                     " pixels; an LVGL glyph's box is at most 255 x 255";
            return false;
        }
        if (g.advance < 0 || g.advance > 255) {
            *error = name + " advances " + std::to_string(g.advance) +
                     " pixels; LVGL keeps an advance in 12 bits of 1/16 pixel (0 to 255)";
            return false;
        }
        if (g.left < -128 || g.left > 127 || ofsY < -128 || ofsY > 127) {
            *error = name + " stands " + std::to_string(g.left) + ", " + std::to_string(ofsY) +
                     " pixels from the pen; LVGL's ofs_x and ofs_y are -128 to 127";
            return false;
        }
        const size_t index = font->bitmap.size();
        if (index >= (1u << 20)) {
            *error = "the glyphs' bitmaps pass 1 MiB at " + name + "; LVGL's bitmap_index is 20 bits";
            return false;
        }
        font->glyphs.push_back({static_cast<uint32_t>(index), static_cast<uint32_t>(g.advance) * 16,
                                static_cast<uint8_t>(g.width), static_cast<uint8_t>(g.height),
                                static_cast<int8_t>(g.left), static_cast<int8_t>(ofsY)});
        levels.emplace_back();
        for (uint8_t c : g.coverage) levels.back().push_back(static_cast<uint8_t>(Level(c, bpp)));
        // The pixels run on, most significant bits first; the glyph's last
        // byte is filled with zeros.
        uint32_t bits = 0, used = 0;
        for (uint8_t level : levels.back()) {
            bits = bits << bpp | level;
            used += bpp;
            if (used == 8) {
                font->bitmap.push_back(static_cast<uint8_t>(bits));
                bits = used = 0;
            }
        }
        if (used) font->bitmap.push_back(static_cast<uint8_t>(bits << (8 - used)));
        points.push_back(g.codePoint);
    }
    if (compress) {
        // Both ways, each glyph from a byte; the smallest of them and the
        // plain bitmaps is kept (small glyphs at 2 bits compress to more).
        // The decoder may read a byte past a glyph's stream: one more closes it.
        std::vector<uint8_t> best = font->bitmap;
        std::vector<uint32_t> bestIndex;
        for (size_t i = 1; i < font->glyphs.size(); ++i) bestIndex.push_back(font->glyphs[i].bitmapIndex);
        for (uint32_t format : {1u, 2u}) {
            std::vector<uint8_t> bytes;
            std::vector<uint32_t> index;
            for (size_t i = 0; i < levels.size(); ++i) {
                index.push_back(static_cast<uint32_t>(bytes.size()));
                CompressLvglGlyph(levels[i], font->glyphs[i + 1].width, font->glyphs[i + 1].height, bpp, format == 1,
                                  &bytes);
            }
            bytes.push_back(0);
            if (bytes.size() < best.size()) best.swap(bytes), bestIndex.swap(index), font->bitmapFormat = format;
        }
        if (best.size() > (1u << 20)) {
            *error = "the compressed bitmaps pass 1 MiB; LVGL's bitmap_index is 20 bits";
            return false;
        }
        font->bitmap.swap(best);
        for (size_t i = 0; i < bestIndex.size(); ++i) font->glyphs[i + 1].bitmapIndex = bestIndex[i];
    }
    // Kerning pairs by glyph id (the glyphs are in code point order, ids
    // from 1), in LVGL's int8 values.
    for (const KernPair& k : glyphs.kerning) {
        const Glyph* left = FindGlyph(glyphs, k.left);
        const Glyph* right = FindGlyph(glyphs, k.right);
        if (!left || !right) continue;
        if (k.pixels < -128 || k.pixels > 127) {
            *error = "the kerning of " + CodePointText(k.left) + " and " + CodePointText(k.right) + " is " +
                     std::to_string(k.pixels) + " pixels; LVGL keeps it in 8 bits (-128 to 127)";
            return false;
        }
        font->kernIds.emplace_back(static_cast<uint16_t>(left - glyphs.glyphs.data() + 1),
                                   static_cast<uint16_t>(right - glyphs.glyphs.data() + 1));
        font->kernValues.push_back(static_cast<int8_t>(k.pixels));
    }
    // Fewer maps where LVGL's 9 bits for their count would overflow.
    for (size_t ownMap = kOwnMap;; ownMap *= 4) {
        MakeCmaps(points, ownMap, &font->cmaps);
        if (font->cmaps.size() <= 511 || ownMap > points.size()) break;
    }
    if (font->cmaps.size() > 511) {
        *error = std::to_string(font->cmaps.size()) + " character maps; an LVGL font holds at most 511";
        return false;
    }
    return true;
}

std::string LvglFontText(const LvglFont& font, const std::string& name, const std::string& about) {
    char line[256];
    std::string text = "/* " + about + "\n * For LVGL 9 (and 8): LV_FONT_DECLARE(" + name +
                       "); then lv_obj_set_style_text_font(label, &" + name + ", 0);\n * " +
                       std::to_string(font.glyphs.size() - 1) + " glyphs at " + std::to_string(font.bpp) +
                       " bits a pixel, bitmaps " + std::to_string(font.bitmap.size()) + " bytes" +
                       (font.bitmapFormat ? ", compressed: LV_USE_FONT_COMPRESSED 1 in lv_conf.h" : "") + ". */\n\n";
    text += "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n#include \"lvgl.h\"\n#else\n#include \"lvgl/lvgl.h\"\n#endif\n\n";
    text += "static const uint8_t " + name + "_glyph_bitmap[] = {";
    for (size_t i = 0; i < font.bitmap.size(); ++i) {
        std::snprintf(line, sizeof line, "%s0x%02X", i % 16 == 0 ? "\n    " : " ", font.bitmap[i]);
        text += line;
        if (i + 1 < font.bitmap.size()) text += ",";
    }
    if (font.bitmap.empty()) text += "\n    0x00";
    text += "};\n\n/* Glyph 0 is LVGL's \"none\". */\nstatic const lv_font_fmt_txt_glyph_dsc_t " + name +
            "_glyph_dsc[] = {\n";
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const LvglGlyph& g = font.glyphs[i];
        std::snprintf(line, sizeof line,
                      "    {.bitmap_index = %u, .adv_w = %u, .box_w = %u, .box_h = %u, .ofs_x = %d, .ofs_y = %d}%s\n",
                      g.bitmapIndex, g.advance16, g.width, g.height, g.ofsX, g.ofsY,
                      i + 1 < font.glyphs.size() ? "," : "");
        text += line;
    }
    text += "};\n\n";
    for (size_t m = 0; m < font.cmaps.size(); ++m) {
        const LvglCmap& c = font.cmaps[m];
        if (c.unicodeList.empty()) continue;
        text += "static const uint16_t " + name + "_unicode_list_" + std::to_string(m) + "[] = {";
        for (size_t i = 0; i < c.unicodeList.size(); ++i) {
            std::snprintf(line, sizeof line, "%s%u", i % 12 == 0 ? "\n    " : " ", c.unicodeList[i]);
            text += line;
            if (i + 1 < c.unicodeList.size()) text += ",";
        }
        text += "};\n\n";
    }
    text += "static const lv_font_fmt_txt_cmap_t " + name + "_cmaps[] = {\n";
    for (size_t m = 0; m < font.cmaps.size(); ++m) {
        const LvglCmap& c = font.cmaps[m];
        const bool sparse = !c.unicodeList.empty();
        std::snprintf(line, sizeof line,
                      "    {.range_start = %u, .range_length = %u, .glyph_id_start = %u, .unicode_list = ",
                      c.rangeStart, c.rangeLength, c.glyphIdStart);
        text += line;
        text += sparse ? name + "_unicode_list_" + std::to_string(m) : std::string("NULL");
        text += ", .glyph_id_ofs_list = NULL, .list_length = " + std::to_string(c.unicodeList.size()) +
                ", .type = " + (sparse ? "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY" : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY") +
                "}" + (m + 1 < font.cmaps.size() ? "," : "") + "\n";
    }
    text += "};\n\n";
    const bool kerns = !font.kernIds.empty();
    if (kerns) {
        // Pairs of glyph ids as bytes where every id fits one, else as 16 bits.
        const bool wide = std::any_of(font.kernIds.begin(), font.kernIds.end(),
                                      [](const auto& p) { return p.first > 255 || p.second > 255; });
        text += std::string("static const ") + (wide ? "uint16_t " : "uint8_t ") + name + "_kern_pair_glyph_ids[] = {";
        for (size_t i = 0; i < font.kernIds.size(); ++i) {
            std::snprintf(line, sizeof line, "%s%u, %u", i % 8 == 0 ? "\n    " : " ", font.kernIds[i].first,
                          font.kernIds[i].second);
            text += line;
            if (i + 1 < font.kernIds.size()) text += ",";
        }
        text += "};\n\nstatic const int8_t " + name + "_kern_pair_values[] = {";
        for (size_t i = 0; i < font.kernValues.size(); ++i) {
            std::snprintf(line, sizeof line, "%s%d", i % 16 == 0 ? "\n    " : " ", font.kernValues[i]);
            text += line;
            if (i + 1 < font.kernValues.size()) text += ",";
        }
        text += "};\n\nstatic const lv_font_fmt_txt_kern_pair_t " + name + "_kern_pairs = {\n    .glyph_ids = " + name +
                "_kern_pair_glyph_ids,\n    .values = " + name +
                "_kern_pair_values,\n    .pair_cnt = " + std::to_string(font.kernIds.size()) +
                ",\n    .glyph_ids_size = " + (wide ? "1" : "0") + ",\n};\n\n";
    }
    // LVGL 8 keeps the last glyph it looked up in a cache the font points to.
    text += "#if LVGL_VERSION_MAJOR == 8\nstatic lv_font_fmt_txt_glyph_cache_t " + name + "_cache;\n#endif\n\n";
    text += "static const lv_font_fmt_txt_dsc_t " + name + "_dsc = {\n    .glyph_bitmap = " + name +
            "_glyph_bitmap,\n    .glyph_dsc = " + name + "_glyph_dsc,\n    .cmaps = " + name +
            "_cmaps,\n    .kern_dsc = " + (kerns ? "&" + name + "_kern_pairs" : std::string("NULL")) +
            ",\n    .kern_scale = " + (kerns ? "256" : "0") +
            ",\n    .cmap_num = " + std::to_string(font.cmaps.size()) + ",\n    .bpp = " + std::to_string(font.bpp) +
            ",\n    .kern_classes = 0,\n    .bitmap_format = " + std::to_string(font.bitmapFormat) +
            ",\n#if LVGL_VERSION_MAJOR == 8\n    .cache = &" + name + "_cache,\n#endif\n};\n\n";
    text += "const lv_font_t " + name +
            " = {\n    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,\n    .get_glyph_bitmap = "
            "lv_font_get_bitmap_fmt_txt,\n    .line_height = " +
            std::to_string(font.lineHeight) + ",\n    .base_line = " + std::to_string(font.baseLine) +
            ",\n    .subpx = LV_FONT_SUBPX_NONE,\n    .underline_position = -1,\n    .underline_thickness = 1,\n"
            "    .dsc = &" +
            name + "_dsc,\n    .fallback = NULL,\n    .user_data = NULL,\n};\n";
    return text;
}

SampleLayout LayOutLvglText(const FontGlyphs& glyphs, const CodePoints& text) {
    SampleLayout layout;
    const int64_t lineHeight = glyphs.metrics.ascent + glyphs.metrics.descent;
    const int64_t aboveBase = lineHeight - glyphs.metrics.descent;
    int64_t x = 0, y = 0, lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t c = text[i];
        if (c == '\n') {
            x = 0;
            y += lineHeight;
            ++lines;
            continue;
        }
        const Glyph* g = FindGlyph(glyphs, c);
        if (!g) continue;
        const int64_t ofsY = int64_t(g->top) - g->height;
        if (g->width > 0 && g->height > 0) layout.glyphs.push_back({g, x + g->left, y + aboveBase - g->height - ofsY});
        // The kerning with the letter after, which never takes the pen back
        // past this letter's start.
        const int32_t kern = i + 1 < text.size() ? KerningOf(glyphs, c, text[i + 1]) : 0;
        x += std::max<int64_t>(0, g->advance + kern);
        layout.right = std::max(layout.right, x);
    }
    layout.bottom = lines * lineHeight;
    return layout;
}
