#include "fonts/lvgl_binfont.h"

#include <algorithm>

namespace {

void Put16(std::vector<uint8_t>* out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A section: its length (the label's eight bytes too), its label, its
// body, to a multiple of four bytes.
void Section(std::vector<uint8_t>* out, const char* label, std::vector<uint8_t> body) {
    while (body.size() % 4) body.push_back(0);
    Put32(out, static_cast<uint32_t>(body.size() + 8));
    out->insert(out->end(), label, label + 4);
    out->insert(out->end(), body.begin(), body.end());
}

uint32_t UnsignedBits(uint32_t v) {
    uint32_t bits = 0;
    for (; v; v >>= 1) ++bits;
    return bits;
}

uint32_t SignedBits(int32_t v) { return (v < 0 ? UnsignedBits(static_cast<uint32_t>(-v - 1)) : UnsignedBits(v)) + 1; }

// A bit stream, most significant bit first.
struct BitStream {
    std::vector<uint8_t> bytes;
    uint32_t used = 0;  // bits of the last byte taken
    void Put(uint32_t bits, uint32_t value) {
        while (bits--) {
            if (used == 0) bytes.push_back(0);
            bytes.back() |= static_cast<uint8_t>(((value >> bits) & 1) << (7 - used));
            used = (used + 1) & 7;
        }
    }
};

}  // namespace

std::vector<uint8_t> LvglBinFont(const LvglFont& font, uint32_t pixelSize) {
    // The fields' widths: the fewest that hold every glyph's.
    uint32_t xyBits = 1, whBits = 0, advanceBits = 0;
    for (const LvglGlyph& g : font.glyphs) {
        xyBits = std::max({xyBits, SignedBits(g.ofsX), SignedBits(g.ofsY)});
        whBits = std::max({whBits, UnsignedBits(g.width), UnsignedBits(g.height)});
        advanceBits = std::max(advanceBits, UnsignedBits(g.advance16 / 16));
    }
    const bool kerns = !font.kernIds.empty();
    const bool wideIds = font.glyphs.size() > 256;

    // glyf: glyph 0, LVGL's "none", then each glyph; loca: where each starts.
    std::vector<uint8_t> glyf;
    std::vector<uint32_t> loca;
    for (size_t i = 0; i < font.glyphs.size(); ++i) {
        const LvglGlyph& g = font.glyphs[i];
        BitStream s;
        s.Put(advanceBits, g.advance16 / 16);
        s.Put(xyBits, static_cast<uint32_t>(g.ofsX));
        s.Put(xyBits, static_cast<uint32_t>(g.ofsY));
        s.Put(whBits, g.width);
        s.Put(whBits, g.height);
        if (i > 0 && g.width * g.height) {
            const size_t end = i + 1 < font.glyphs.size() ? font.glyphs[i + 1].bitmapIndex : font.bitmap.size();
            for (size_t b = g.bitmapIndex; b < std::max<size_t>(end, g.bitmapIndex); ++b) s.Put(8, font.bitmap[b]);
        }
        loca.push_back(static_cast<uint32_t>(8 + glyf.size()));
        glyf.insert(glyf.end(), s.bytes.begin(), s.bytes.end());
    }
    const bool wideLoca = 8 + glyf.size() > 0xFFFF;

    std::vector<uint8_t> out, head, cmap, locaBody, kern;
    Put32(&head, 1);                                                       // version
    Put16(&head, kerns ? 4 : 3);                                           // tables
    Put16(&head, pixelSize);                                               // font_size
    Put16(&head, static_cast<uint32_t>(font.lineHeight - font.baseLine));  // ascent
    Put16(&head, static_cast<uint32_t>(-font.baseLine));                   // descent
    Put16(&head, static_cast<uint32_t>(font.lineHeight - font.baseLine));  // typo_ascent
    Put16(&head, static_cast<uint32_t>(-font.baseLine));                   // typo_descent
    Put16(&head, 0);                                                       // typo_line_gap
    Put16(&head, static_cast<uint32_t>(-font.baseLine));                   // min_y
    Put16(&head, static_cast<uint32_t>(font.lineHeight - font.baseLine));  // max_y
    Put16(&head, 0);                                                       // default_advance_width
    Put16(&head, kerns ? 256 : 0);                                         // kerning_scale: a value is whole pixels
    head.push_back(wideLoca ? 1 : 0);                                      // index_to_loc_format
    head.push_back(wideIds ? 1 : 0);                                       // glyph_id_format
    head.push_back(0);                                                     // advance_width_format: whole pixels
    head.push_back(static_cast<uint8_t>(font.bpp));
    head.push_back(static_cast<uint8_t>(xyBits));
    head.push_back(static_cast<uint8_t>(whBits));
    head.push_back(static_cast<uint8_t>(advanceBits));
    head.push_back(static_cast<uint8_t>(font.bitmapFormat));  // compression_id
    head.push_back(0);                                        // subpixels_mode
    head.push_back(0);                                        // padding
    Put16(&head, 0);                                          // underline_position
    Put16(&head, 0);                                          // underline_thickness

    // cmap: the count, a 16-byte record a map, then the sparse maps' lists,
    // each record's offset from the section's start.
    Put32(&cmap, static_cast<uint32_t>(font.cmaps.size()));
    size_t data = 8 + 4 + 16 * font.cmaps.size();
    std::vector<uint8_t> lists;
    for (const LvglCmap& c : font.cmaps) {
        const bool sparse = !c.unicodeList.empty();
        Put32(&cmap, sparse ? static_cast<uint32_t>(data + lists.size()) : 0);
        Put32(&cmap, c.rangeStart);
        Put16(&cmap, c.rangeLength);
        Put16(&cmap, c.glyphIdStart);
        Put16(&cmap, static_cast<uint32_t>(c.unicodeList.size()));
        cmap.push_back(sparse ? 3 : 2);  // LV_FONT_FMT_TXT_CMAP_SPARSE_TINY : FORMAT0_TINY
        cmap.push_back(0);
        for (uint16_t u : c.unicodeList) Put16(&lists, u);
    }
    cmap.insert(cmap.end(), lists.begin(), lists.end());

    Put32(&locaBody, static_cast<uint32_t>(loca.size()));
    for (uint32_t offset : loca) wideLoca ? Put32(&locaBody, offset) : Put16(&locaBody, offset);

    Section(&out, "head", head);
    Section(&out, "cmap", cmap);
    Section(&out, "loca", locaBody);
    Section(&out, "glyf", glyf);
    if (kerns) {
        kern = {0, 0, 0, 0};  // sorted pairs
        Put32(&kern, static_cast<uint32_t>(font.kernIds.size()));
        for (const auto& [left, right] : font.kernIds) {
            if (wideIds) {
                Put16(&kern, left), Put16(&kern, right);
            } else {
                kern.push_back(static_cast<uint8_t>(left)), kern.push_back(static_cast<uint8_t>(right));
            }
        }
        for (int8_t v : font.kernValues) kern.push_back(static_cast<uint8_t>(v));
        Section(&out, "kern", kern);
    }
    return out;
}
