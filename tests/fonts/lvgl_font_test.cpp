// LVGL 9 fonts. A model of LVGL's own reading (lv_font_fmt_txt.c:
// get_glyph_dsc_id over the character maps, lv_font_get_glyph_dsc_fmt_txt,
// lv_font_get_bitmap_fmt_txt at 1, 2, 4 and 8 bits) and of the label's
// placing of glyphs draws every glyph where our sample does, for a table of
// fonts, sizes and depths; every character of a scattered set is found
// through the maps; a BDF whose bits are known gives the bytes; each limit
// is refused by name; the C file compiles against LVGL's declarations, and
// the same model in C, linked with it, draws the sample from the file's
// own arrays.
#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "fonts/lvgl_binfont.h"
#include "fonts/lvgl_font.h"
#include "tests/fonts/font_files.h"
#include "tests/test_support.h"

namespace {

const uint8_t opa2_table[4] = {0, 85, 170, 255};
const uint8_t opa4_table[16] = {0, 17, 34, 51, 68, 85, 102, 119, 136, 153, 170, 187, 204, 221, 238, 255};

// LVGL's get_glyph_dsc_id(): the first map whose range holds the letter
// gives its glyph, or 0.
uint32_t GlyphId(const LvglFont& font, uint32_t letter) {
    if (letter == '\0') return 0;
    for (const LvglCmap& cmap : font.cmaps) {
        uint32_t rcp = letter - cmap.rangeStart;
        if (rcp >= cmap.rangeLength) continue;
        uint32_t glyph_id = 0;
        if (cmap.unicodeList.empty()) {
            glyph_id = cmap.glyphIdStart + rcp;
        } else {
            const uint16_t key = static_cast<uint16_t>(rcp);
            auto p = std::lower_bound(cmap.unicodeList.begin(), cmap.unicodeList.end(), key);
            if (p != cmap.unicodeList.end() && *p == key)
                glyph_id = cmap.glyphIdStart + static_cast<uint32_t>(p - cmap.unicodeList.begin());
        }
        return glyph_id;
    }
    return 0;
}

// LVGL's decompress(), get_bits() and rle_next(), with the state it keeps
// in a global, as lv_font_fmt_txt.c has them.
struct LvglRle {
    const std::vector<uint8_t>& bytes;
    size_t in;
    uint8_t bpp;
    enum { RLE_STATE_SINGLE, RLE_STATE_REPEATED, RLE_STATE_COUNTER } state = RLE_STATE_SINGLE;
    uint32_t rdp = 0;
    uint8_t prev_v = 0;
    uint32_t count = 0;

    uint8_t get_bits(uint32_t bit_pos, uint8_t len) {
        const uint8_t bit_mask = static_cast<uint8_t>((1u << len) - 1);
        const uint32_t byte_pos = bit_pos >> 3;
        bit_pos = bit_pos & 0x7;
        if (bit_pos + len >= 8) {
            const uint16_t in16 = static_cast<uint16_t>((bytes.at(in + byte_pos) << 8) + bytes.at(in + byte_pos + 1));
            return (in16 >> (16 - bit_pos - len)) & bit_mask;
        }
        return (bytes.at(in + byte_pos) >> (8 - bit_pos - len)) & bit_mask;
    }
    uint8_t rle_next() {
        uint8_t v = 0, ret = 0;
        if (state == RLE_STATE_SINGLE) {
            ret = get_bits(rdp, bpp);
            if (rdp != 0 && prev_v == ret) {
                count = 0;
                state = RLE_STATE_REPEATED;
            }
            prev_v = ret;
            rdp += bpp;
        } else if (state == RLE_STATE_REPEATED) {
            v = get_bits(rdp, 1);
            count++;
            rdp += 1;
            if (v == 1) {
                ret = prev_v;
                if (count == 11) {
                    count = get_bits(rdp, 6);
                    rdp += 6;
                    if (count != 0) {
                        state = RLE_STATE_COUNTER;
                    } else {
                        ret = get_bits(rdp, bpp);
                        prev_v = ret;
                        rdp += bpp;
                        state = RLE_STATE_SINGLE;
                    }
                }
            } else {
                ret = get_bits(rdp, bpp);
                prev_v = ret;
                rdp += bpp;
                state = RLE_STATE_SINGLE;
            }
        } else if (state == RLE_STATE_COUNTER) {
            ret = prev_v;
            count--;
            if (count == 0) {
                ret = get_bits(rdp, bpp);
                prev_v = ret;
                rdp += bpp;
                state = RLE_STATE_SINGLE;
            }
        }
        return ret;
    }
};

std::vector<uint8_t> Decompressed(const LvglFont& font, const LvglGlyph& g) {
    const uint8_t* opa_table = font.bpp == 2 ? opa2_table : opa4_table;
    LvglRle rle{font.bitmap, g.bitmapIndex, static_cast<uint8_t>(font.bpp)};
    std::vector<uint8_t> line_buf1(g.width), line_buf2(g.width), out;
    for (int y = 0; y < g.height; ++y) {
        std::vector<uint8_t>& line = y == 0 || font.bitmapFormat != 1 ? line_buf1 : line_buf2;
        for (int x = 0; x < g.width; ++x) line[x] = rle.rle_next();
        for (int x = 0; x < g.width; ++x) {
            if (y > 0 && font.bitmapFormat == 1) line_buf1[x] = line_buf2[x] ^ line_buf1[x];
            out.push_back(opa_table[line_buf1[x]]);
        }
    }
    return out;
}

// lv_font_get_bitmap_fmt_txt() without stride: the glyph's pixels as A8.
std::vector<uint8_t> A8Of(const LvglFont& font, uint32_t gid) {
    const LvglGlyph& gdsc = font.glyphs.at(gid);
    if (font.bitmapFormat != 0) return Decompressed(font, gdsc);
    std::vector<uint8_t> out;
    size_t in = gdsc.bitmapIndex;
    int32_t i = 0;
    for (int y = 0; y < gdsc.height; y++)
        for (int x = 0; x < gdsc.width; x++, i++) {
            const uint8_t byte = font.bitmap.at(in);
            switch (font.bpp) {
            case 1:
                i = i & 0x7;
                out.push_back(byte & (0x80 >> i) ? 0xff : 0x00);
                if (i == 7) in++;
                break;
            case 2:
                i = i & 0x3;
                out.push_back(opa2_table[(byte >> (6 - 2 * i)) & 0x3]);
                if (i == 3) in++;
                break;
            case 4:
                i = i & 0x1;
                out.push_back(opa4_table[i == 0 ? byte >> 4 : byte & 0xF]);
                if (i == 1) in++;
                break;
            default:
                out.push_back(byte);
                in++;
            }
        }
    return out;
}

// A label's glyphs: the pen at the line's top, each letter's box at
// ofs_x and (line_height - base_line) - box_h - ofs_y, the pen moving by
// adv_w rounded, each covered pixel over what was there.
// get_kern_value() for pairs: a binary search over (left, right).
int8_t KernValue(const LvglFont& font, uint32_t gid_left, uint32_t gid_right) {
    auto p = std::lower_bound(font.kernIds.begin(), font.kernIds.end(),
                              std::make_pair(static_cast<uint16_t>(gid_left), static_cast<uint16_t>(gid_right)));
    if (p == font.kernIds.end() || p->first != gid_left || p->second != gid_right) return 0;
    return font.kernValues[static_cast<size_t>(p - font.kernIds.begin())];
}

std::vector<uint8_t> ModelDraws(const LvglFont& font, const CodePoints& text, uint32_t width, uint32_t height,
                                const SamplePen& pen) {
    std::vector<uint8_t> canvas(static_cast<size_t>(width) * height, 0);
    const uint16_t kern_scale = font.kernIds.empty() ? 0 : 256;
    int32_t x = 0, y = 0;
    for (size_t t = 0; t < text.size(); ++t) {
        const uint32_t letter = text[t], letter_next = t + 1 < text.size() ? text[t + 1] : 0;
        if (letter == '\n') {
            x = 0;
            y += font.lineHeight;
            continue;
        }
        const uint32_t gid = GlyphId(font, letter);
        if (!gid) continue;
        const LvglGlyph& g = font.glyphs[gid];
        // lv_font_get_glyph_dsc_fmt_txt(): the kerning with the next letter.
        int8_t kvalue = 0;
        if (!font.kernIds.empty()) {
            const uint32_t gid_next = GlyphId(font, letter_next);
            if (gid_next) kvalue = KernValue(font, gid, gid_next);
        }
        const int32_t kv = ((int32_t)((int32_t)kvalue * kern_scale) >> 4);
        uint32_t adv_w = g.advance16;
        if ((kv < 0) && (adv_w < (uint32_t)-kv))
            adv_w = 0;
        else
            adv_w += kv;
        adv_w = (adv_w + (1 << 3)) >> 4;
        const int32_t x1 = x + g.ofsX, y1 = y + (font.lineHeight - font.baseLine) - g.height - g.ofsY;
        const std::vector<uint8_t> a8 = A8Of(font, gid);
        for (int r = 0; r < g.height; ++r)
            for (int c = 0; c < g.width; ++c) {
                const int px = pen.x + x1 + c, py = pen.y + y1 + r;
                const uint8_t value = a8[static_cast<size_t>(r) * g.width + c];
                if (value && px >= 0 && py >= 0 && px < static_cast<int>(width) && py < static_cast<int>(height))
                    canvas[static_cast<size_t>(py) * width + px] = value;
            }
        x += static_cast<int32_t>(adv_w);
    }
    return canvas;
}

std::vector<uint8_t> ValuesOf(const PixelImage& picture) {
    std::vector<uint8_t> values;
    const uint32_t full = picture.Format() == PixelFormat::Mono ? 255 : 1;
    for (uint32_t y = 0; y < picture.Height(); ++y)
        for (uint32_t x = 0; x < picture.Width(); ++x) values.push_back(static_cast<uint8_t>(picture.Get(x, y) * full));
    return values;
}

TEST(LvglFontTest, LvglsReadingDrawsEveryGlyphWhereTheSampleDoes) {
    test::ScratchDir dir;
    const std::vector<test::FontAtSize> fonts = test::FontsAtSizes(dir.File(""), {9, 16, 27});
    if (fonts.empty()) GTEST_SKIP() << "no font installed: run tools/bootstrap cli";
    CodePoints set;
    std::string error;
    ASSERT_TRUE(ParseGlyphSet("latin1,0x2013-0x2014,0x20AC,0x2190,0x2192,0x25CF,0x3042,0x30A2", &set, &error));
    for (const test::FontAtSize& at : fonts) {
        const test::FontFile& file = at.file;
        const uint32_t size = at.size;
        FontFace sized;
        ASSERT_TRUE(test::OpenFont(file.path, size, &sized));
        for (uint32_t bpp : {1u, 2u, 4u, 8u}) {
            SCOPED_TRACE(file.what + std::string(" at ") + std::to_string(size) + ", " + std::to_string(bpp) + " bits");
            FontGlyphs glyphs;
            ASSERT_TRUE(GatherGlyphs({&sized}, set, {bpp, Hinting::Font, true}, &glyphs, &error)) << error;
            LvglFont font;
            ASSERT_TRUE(MakeLvglFont(glyphs, bpp, false, &font, &error)) << error;
            for (size_t i = 0; i < glyphs.glyphs.size(); ++i)
                ASSERT_EQ(GlyphId(font, glyphs.glyphs[i].codePoint), i + 1);
            for (uint32_t missing : glyphs.missing) ASSERT_EQ(GlyphId(font, missing), 0u);
            // Every glyph, and pairs the fonts kern.
            CodePoints text = DefaultSample(glyphs, glyphs.glyphs.size());
            const CodePoints kerned = DecodeUtf8("\nAVAWAY To Te Yo LT P. F, r. \"A\" L'");
            text.insert(text.end(), kerned.begin(), kerned.end());
            PixelImage sample;
            SamplePen pen;
            ASSERT_TRUE(DrawSample(glyphs, LayOutLvglText(glyphs, text), &sample, &pen));
            EXPECT_EQ(ModelDraws(font, text, sample.Width(), sample.Height(), pen), ValuesOf(sample));
        }
    }
}

// lv_binfont_loader.c's lvgl_load_font(): the sections by their labels and
// lengths, the header's fields, the maps, each glyph's fields and bitmap
// read from its bit stream (read_bits(), most significant bit first, its
// bitmap as many bytes as reach the next glyph), the kerning pairs. False
// where LVGL's loader fails.
bool LoadBinFont(const std::vector<uint8_t>& file, LvglFont* font) {
    size_t at = 0;
    auto u32 = [&](size_t o) {
        return uint32_t(file[o]) | uint32_t(file[o + 1]) << 8 | uint32_t(file[o + 2]) << 16 |
               uint32_t(file[o + 3]) << 24;
    };
    auto u16 = [&](size_t o) { return uint32_t(file[o]) | uint32_t(file[o + 1]) << 8; };
    auto read_label = [&](size_t start, const char* label) -> int64_t {
        if (start + 8 > file.size() || std::memcmp(&file[start + 4], label, 4) != 0) return -1;
        return u32(start);
    };
    struct bit_iterator_t {
        const std::vector<uint8_t>& file;
        size_t at;
        int bit_pos = -1;
        uint8_t byte_value = 0;
        unsigned read_bits(int n_bits) {
            unsigned value = 0;
            while (n_bits--) {
                byte_value = static_cast<uint8_t>(byte_value << 1);
                if (--bit_pos < 0) bit_pos = 7, byte_value = at < file.size() ? file[at++] : 0;
                value |= ((byte_value & 0x80) ? 1u : 0u) << n_bits;
            }
            return value;
        }
        int read_bits_signed(int n_bits) {
            unsigned value = read_bits(n_bits);
            if (value & (1u << (n_bits - 1))) value |= ~0u << n_bits;
            return static_cast<int>(value);
        }
    };
    const int64_t header_length = read_label(0, "head");
    if (header_length < 48) return false;
    const int16_t ascent = static_cast<int16_t>(u16(16)), descent = static_cast<int16_t>(u16(18));
    const uint32_t tables = u16(12), index_to_loc_format = file[34], glyph_id_format = file[35];
    const uint32_t advance_width_format = file[36], xy_bits = file[38], wh_bits = file[39],
                   advance_width_bits = file[40];
    *font = LvglFont();
    font->baseLine = -descent;
    font->lineHeight = ascent - descent;
    font->bpp = file[37];
    font->bitmapFormat = file[41];
    const size_t cmaps_start = static_cast<size_t>(header_length);
    const int64_t cmaps_length = read_label(cmaps_start, "cmap");
    if (cmaps_length < 0) return false;
    at = cmaps_start + 8;
    const uint32_t cmap_num = u32(at);
    for (uint32_t i = 0; i < cmap_num; ++i) {
        const size_t t = at + 4 + 16 * i;
        LvglCmap cmap{u32(t + 4), static_cast<uint16_t>(u16(t + 8)), static_cast<uint16_t>(u16(t + 10)), {}};
        const uint32_t entries = u16(t + 12), type = file[t + 14], data = cmaps_start + u32(t);
        if (type == 3)
            for (uint32_t k = 0; k < entries; ++k) cmap.unicodeList.push_back(static_cast<uint16_t>(u16(data + 2 * k)));
        else if (type != 2)
            return false;  // the full formats, which we do not write
        font->cmaps.push_back(cmap);
    }
    const size_t loca_start = cmaps_start + static_cast<size_t>(cmaps_length);
    const int64_t loca_length = read_label(loca_start, "loca");
    if (loca_length < 0) return false;
    const uint32_t loca_count = u32(loca_start + 8);
    std::vector<uint32_t> glyph_offset;
    for (uint32_t i = 0; i < loca_count; ++i)
        glyph_offset.push_back(index_to_loc_format ? u32(loca_start + 12 + 4 * i) : u16(loca_start + 12 + 2 * i));
    const size_t glyph_start = loca_start + static_cast<size_t>(loca_length);
    const int64_t glyph_length = read_label(glyph_start, "glyf");
    if (glyph_length < 0) return false;
    const int nbits = static_cast<int>(advance_width_bits + 2 * xy_bits + 2 * wh_bits);
    for (uint32_t i = 0; i < loca_count; ++i) {
        bit_iterator_t it{file, glyph_start + glyph_offset[i]};
        LvglGlyph g{};
        g.advance16 = it.read_bits(static_cast<int>(advance_width_bits)) * (advance_width_format == 0 ? 16 : 1);
        g.ofsX = static_cast<int8_t>(it.read_bits_signed(static_cast<int>(xy_bits)));
        g.ofsY = static_cast<int8_t>(it.read_bits_signed(static_cast<int>(xy_bits)));
        g.width = static_cast<uint8_t>(it.read_bits(static_cast<int>(wh_bits)));
        g.height = static_cast<uint8_t>(it.read_bits(static_cast<int>(wh_bits)));
        if (i == 0) g = LvglGlyph{};
        g.bitmapIndex = static_cast<uint32_t>(font->bitmap.size());
        const int64_t next = i + 1 < loca_count ? glyph_offset[i + 1] : glyph_length;
        const int64_t bmp_size = next - glyph_offset[i] - nbits / 8;
        if (i > 0 && g.width * g.height) {
            for (int64_t k = 0; k < bmp_size - 1; ++k) font->bitmap.push_back(static_cast<uint8_t>(it.read_bits(8)));
            font->bitmap.push_back(static_cast<uint8_t>(it.read_bits(8 - nbits % 8) << (nbits % 8)));
        }
        font->glyphs.push_back(g);
    }
    if (tables < 4) return true;
    const size_t kern_start = glyph_start + static_cast<size_t>(glyph_length);
    if (read_label(kern_start, "kern") < 0 || file[kern_start + 8] != 0) return false;
    const uint32_t entries = u32(kern_start + 12);
    size_t ids = kern_start + 16, values = ids + entries * (glyph_id_format ? 4 : 2);
    for (uint32_t k = 0; k < entries; ++k) {
        font->kernIds.emplace_back(glyph_id_format ? u16(ids + 4 * k) : file[ids + 2 * k],
                                   glyph_id_format ? u16(ids + 4 * k + 2) : file[ids + 2 * k + 1]);
        font->kernValues.push_back(static_cast<int8_t>(file[values + k]));
    }
    return true;
}

// The binary font, loaded as LVGL loads it, draws every glyph as the C
// font does, plain and compressed, at each depth, kerning too.
TEST(LvglFontTest, TheBinaryFontLoadsAsLvglLoadsItAndDrawsTheSample) {
    test::ScratchDir dir;
    const std::vector<test::FontAtSize> fonts = test::FontsAtSizes(dir.File(""), {11, 24});
    if (fonts.empty()) GTEST_SKIP() << "no font installed: run tools/bootstrap cli";
    for (const test::FontAtSize& at : fonts)
        for (uint32_t bpp : {1u, 2u, 4u, 8u})
            for (bool compress : {false, true}) {
                if (compress && bpp != 2 && bpp != 4) continue;
                SCOPED_TRACE(at.file.what + std::string(" at ") + std::to_string(at.size) + ", " + std::to_string(bpp) +
                             " bits" + (compress ? ", compressed" : ""));
                FontGlyphs glyphs;
                ASSERT_TRUE(test::GatherFrom(at.file.path, at.size, "latin1,0x100-0x17F,0x2013,0x20AC,0x3041-0x3096",
                                             {bpp, Hinting::Font, true}, &glyphs));
                LvglFont font, loaded;
                std::string error;
                ASSERT_TRUE(MakeLvglFont(glyphs, bpp, compress, &font, &error)) << error;
                ASSERT_TRUE(LoadBinFont(LvglBinFont(font, 16), &loaded));
                EXPECT_EQ(loaded.bitmapFormat, font.bitmapFormat);
                EXPECT_EQ(loaded.kernIds, font.kernIds);
                EXPECT_EQ(loaded.lineHeight, font.lineHeight);
                EXPECT_EQ(loaded.baseLine, font.baseLine);
                ASSERT_EQ(loaded.glyphs.size(), font.glyphs.size());
                for (size_t i = 0; i < font.glyphs.size(); ++i) {
                    const LvglGlyph &a = font.glyphs[i], &b = loaded.glyphs[i];
                    EXPECT_TRUE(a.advance16 == b.advance16 && a.width == b.width && a.height == b.height &&
                                a.ofsX == b.ofsX && a.ofsY == b.ofsY)
                        << "glyph " << i;
                }
                CodePoints text = DefaultSample(glyphs, glyphs.glyphs.size());
                const CodePoints kerned = DecodeUtf8("\nAVAWAY To Te Yo LT P. F, r.");
                text.insert(text.end(), kerned.begin(), kerned.end());
                PixelImage sample;
                SamplePen pen;
                ASSERT_TRUE(DrawSample(glyphs, LayOutLvglText(glyphs, text), &sample, &pen));
                EXPECT_EQ(ModelDraws(loaded, text, sample.Width(), sample.Height(), pen), ValuesOf(sample));
            }
}

// Compressed, each glyph decodes through LVGL's own decoder to the plain
// glyph's pixels, and both ways of compressing are taken where smaller.
TEST(LvglFontTest, CompressedGlyphsDecodeAsLvglDecodesThem) {
    test::ScratchDir dir;
    const std::vector<test::FontAtSize> fonts = test::FontsAtSizes(dir.File(""), {8, 16, 40});
    if (fonts.empty()) GTEST_SKIP() << "no font installed: run tools/bootstrap cli";
    CodePoints set;
    std::string error;
    ASSERT_TRUE(ParseGlyphSet("latin1,0x2013,0x3042-0x3050", &set, &error));
    std::set<uint32_t> formats;
    for (const test::FontAtSize& at : fonts) {
        const test::FontFile& file = at.file;
        const uint32_t size = at.size;
        FontFace sized;
        ASSERT_TRUE(test::OpenFont(file.path, size, &sized));
        for (uint32_t bpp : {2u, 4u}) {
            SCOPED_TRACE(file.what + std::string(" at ") + std::to_string(size) + ", " + std::to_string(bpp));
            FontGlyphs glyphs;
            ASSERT_TRUE(GatherGlyphs({&sized}, set, {bpp, Hinting::Font}, &glyphs, &error)) << error;
            LvglFont plain, packed;
            ASSERT_TRUE(MakeLvglFont(glyphs, bpp, false, &plain, &error)) << error;
            ASSERT_TRUE(MakeLvglFont(glyphs, bpp, true, &packed, &error)) << error;
            formats.insert(packed.bitmapFormat);
            for (uint32_t gid = 1; gid < plain.glyphs.size(); ++gid)
                ASSERT_EQ(A8Of(packed, gid), A8Of(plain, gid)) << CodePointText(glyphs.glyphs[gid - 1].codePoint);
            EXPECT_LE(packed.bitmap.size(), plain.bitmap.size());
        }
    }
    EXPECT_EQ(formats.count(1), 1u);  // the prefilter wins on large outline glyphs
    EXPECT_EQ(formats.count(0), 1u);  // plain, on small glyphs at 2 bits
    // Long runs: a glyph of one value, past the six-bit counter's reach.
    FontGlyphs flat;
    Glyph g;
    g.codePoint = 'A', g.width = 200, g.height = 3, g.top = 3, g.advance = 200;
    g.coverage.assign(600, 255);
    g.coverage[150] = 0;
    flat.glyphs = {g};
    flat.bits = 4;
    LvglFont plain, packed;
    ASSERT_TRUE(MakeLvglFont(flat, 4, false, &plain, &error));
    ASSERT_TRUE(MakeLvglFont(flat, 4, true, &packed, &error));
    EXPECT_NE(packed.bitmapFormat, 0u);
    EXPECT_EQ(A8Of(packed, 1), A8Of(plain, 1));
    // Compression is LVGL's at 2 and 4 bits only.
    EXPECT_FALSE(MakeLvglFont(flat, 8, true, &packed, &error));
    EXPECT_NE(error.find("2, 3 and 4 bits"), std::string::npos) << error;
}

// A set scattered over the CJK block, as a UI's strings give: every
// character found through the maps, and few maps.
TEST(LvglFontTest, AScatteredSetIsFoundThroughFewMaps) {
    FontGlyphs glyphs;
    for (uint32_t c = 0x4E00, step = 1; c < 0x9FA0; c += step, step = step % 7 + 1) {
        Glyph g;
        g.codePoint = c, g.width = 1, g.height = 1, g.top = 1, g.advance = 2, g.coverage = {255};
        glyphs.glyphs.push_back(g);
    }
    for (uint32_t c = 0x20; c < 0x7F; ++c) {
        Glyph g;
        g.codePoint = c, g.advance = 3;
        glyphs.glyphs.push_back(g);
    }
    std::sort(glyphs.glyphs.begin(), glyphs.glyphs.end(),
              [](const Glyph& a, const Glyph& b) { return a.codePoint < b.codePoint; });
    LvglFont font;
    std::string error;
    ASSERT_TRUE(MakeLvglFont(glyphs, 4, false, &font, &error)) << error;
    for (size_t i = 0; i < glyphs.glyphs.size(); ++i) ASSERT_EQ(GlyphId(font, glyphs.glyphs[i].codePoint), i + 1);
    EXPECT_EQ(GlyphId(font, 0x4E01 + 1), 0u);  // between two of the set
    EXPECT_EQ(GlyphId(font, 0x1F600), 0u);
    EXPECT_LE(font.cmaps.size(), 4u);
}

TEST(LvglFontTest, KnownBitsGiveTheBytesLvglReads) {
    test::ScratchDir dir;
    const std::string bdf = dir.File("tiny.bdf");
    std::ofstream(bdf) << test::TinyBdf();
    FontFace face;
    ASSERT_TRUE(test::OpenFont(bdf, 0, &face));
    struct Case {
        uint32_t bpp;
        std::vector<uint8_t> bitmap;
    } cases[] = {
        // A's 30 pixels run on, then g's 24, each from a byte of its own.
        {1, {0x74, 0x63, 0xF8, 0xC4, 0x79, 0x97, 0x16}},
        {2, {0x3F, 0x30, 0x3C, 0x0F, 0xFF, 0xC0, 0xF0, 0x30, 0x3F, 0xC3, 0xC3, 0x3F, 0x03, 0x3C}},
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        std::string error;
        ASSERT_TRUE(GatherGlyphs({&face}, {'A', 'g'}, {c.bpp, Hinting::Font}, &glyphs, &error)) << error;
        LvglFont font;
        ASSERT_TRUE(MakeLvglFont(glyphs, c.bpp, false, &font, &error)) << error;
        EXPECT_EQ(font.bitmap, c.bitmap) << c.bpp;
        ASSERT_EQ(font.glyphs.size(), 3u);
        const LvglGlyph& a = font.glyphs[1];
        const LvglGlyph& g = font.glyphs[2];
        EXPECT_EQ((std::vector<int>{int(a.advance16), a.width, a.height, a.ofsX, a.ofsY}),
                  (std::vector<int>{6 * 16, 5, 6, 0, 0}));
        EXPECT_EQ((std::vector<int>{int(g.bitmapIndex), g.width, g.height, g.ofsX, g.ofsY}),
                  (std::vector<int>{int(c.bitmap.size()) - (c.bpp == 1 ? 3 : 6), 4, 6, 0, -2}));
        EXPECT_EQ(font.lineHeight, 8);
        EXPECT_EQ(font.baseLine, 2);
    }
}

TEST(LvglFontTest, EachLimitIsRefusedByName) {
    auto glyph = [](uint32_t c, uint32_t w, uint32_t h, int32_t left, int32_t top, int32_t advance) {
        Glyph g;
        g.codePoint = c, g.width = w, g.height = h, g.left = left, g.top = top, g.advance = advance;
        g.coverage.assign(static_cast<size_t>(w) * h, 255);
        return g;
    };
    struct Case {
        const char* limit;
        std::vector<Glyph> glyphs;
        const char* says;
    } cases[] = {
        {"a glyph 256 wide", {glyph('A', 256, 2, 0, 2, 3)}, "at most 255 x 255"},
        {"an advance of 256", {glyph('A', 2, 2, 0, 2, 256)}, "0 to 255"},
        {"an ofs_x of -129", {glyph('A', 2, 2, -129, 2, 3)}, "-128 to 127"},
        {"an ofs_y of 128", {glyph('A', 2, 2, 0, 130, 3)}, "-128 to 127"},
        {"no glyph", {}, "no glyph"},
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        glyphs.glyphs = c.glyphs;
        LvglFont font;
        std::string error;
        EXPECT_FALSE(MakeLvglFont(glyphs, 4, false, &font, &error)) << c.limit;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.limit << ": " << error;
    }
}

#ifndef _WIN32
// The C file compiled against LVGL 9's declarations, and linked with a
// model of LVGL's two reading functions in C, which draws a text from the
// file's own arrays through the lv_font_t.
TEST(LvglFontTest, TheCFileCompilesAndItsArraysDrawTheSample) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "needs a C compiler";
    // A Latin font that kerns, and a UI's Japanese strings from Noto Sans
    // CJK's collection (fonts-noto-cjk), its first face.
    const struct {
        const char* path;
        uint32_t size;
        const char* text;
    } cases[] = {
        {test::kDejaVuSans, 13, "LVGL \u00E9\u2013\u2192\nAVATogj!~"},
        {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", 16,
         "\u30DC\u30BF\u30F3\u3092\u62BC\u3057\u3066\nOK \u8A2D\u5B9A 21\u00B0C"},
    };
    size_t compiled = 0;
    for (const auto& font_case : cases) {
        if (!std::filesystem::exists(font_case.path)) continue;
        SCOPED_TRACE(font_case.path);
        test::ScratchDir dir;
        const CodePoints text = DecodeUtf8(font_case.text);
        CodePoints set;
        std::string error;
        ASSERT_TRUE(AddTextCharacters(font_case.text, &set, &error)) << error;
        FontGlyphs glyphs;
        FontFace face;
        ASSERT_TRUE(test::OpenFont(font_case.path, font_case.size, &face));
        ASSERT_TRUE(GatherGlyphs({&face}, set, {4, Hinting::Font, true}, &glyphs, &error)) << error;
        ASSERT_TRUE(glyphs.missing.empty());
        LvglFont font;
        ASSERT_TRUE(MakeLvglFont(glyphs, 4, false, &font, &error)) << error;
        if (font_case.path == test::kDejaVuSans) ASSERT_FALSE(font.kernIds.empty());
        std::ofstream(dir.File("ui13.c")) << LvglFontText(font, "ui13", "a test font");
        PixelImage sample;
        SamplePen pen;
        ASSERT_TRUE(DrawSample(glyphs, LayOutLvglText(glyphs, text), &sample, &pen));
        std::string letters;
        for (uint32_t c : text) letters += std::to_string(c) + "u, ";
        const std::string w = std::to_string(sample.Width()), h = std::to_string(sample.Height());
        std::ofstream(dir.File("main.c"))
            << "#include <stdio.h>\n#include \"lvgl.h\"\nLV_FONT_DECLARE(ui13)\n"
               "static const uint8_t opa2[4] = {0, 85, 170, 255};\n"
               "static uint32_t gid_of(const lv_font_fmt_txt_dsc_t* fdsc, uint32_t letter) {\n"
               "    uint16_t i;\n"
               "    for (i = 0; i < fdsc->cmap_num; i++) {\n"
               "        uint32_t rcp = letter - fdsc->cmaps[i].range_start, k;\n"
               "        if (rcp >= fdsc->cmaps[i].range_length) continue;\n"
               "        if (fdsc->cmaps[i].type == LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY) return "
               "fdsc->cmaps[i].glyph_id_start "
               "+ rcp;\n"
               "        for (k = 0; k < fdsc->cmaps[i].list_length; k++)\n"
               "            if (fdsc->cmaps[i].unicode_list[k] == rcp) return fdsc->cmaps[i].glyph_id_start + k;\n"
               "        return 0;\n"
               "    }\n"
               "    return 0;\n}\n"
               "bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t* font, lv_font_glyph_dsc_t* dsc_out, uint32_t u, "
               "uint32_t n) {\n"
               "    (void)font; (void)dsc_out; (void)u; (void)n; return false;\n}\n"
               "const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g, lv_draw_buf_t* b) { (void)g; (void)b; "
               "return NULL; }\n"
               "static unsigned char canvas[" +
                   h + "][" + w +
                   "];\n"
                   "int main(void) {\n"
                   "    static const uint32_t text[] = {" +
                   letters +
                   "0u};\n"
                   "    const lv_font_t* font = &ui13;\n"
                   "    const lv_font_fmt_txt_dsc_t* fdsc = (const lv_font_fmt_txt_dsc_t*)font->dsc;\n"
                   "    int x = 0, y = 0, t, r, c;\n"
                   "    if (font->get_glyph_dsc != lv_font_get_glyph_dsc_fmt_txt || fdsc->bpp != 4) return 1;\n"
                   "    for (t = 0; text[t]; t++) {\n"
                   "        const lv_font_fmt_txt_glyph_dsc_t* g;\n"
                   "        uint32_t gid, i = 0, in;\n"
                   "        int32_t kv, adv;\n"
                   "        if (text[t] == '\\n') { x = 0; y += font->line_height; continue; }\n"
                   "        gid = gid_of(fdsc, text[t]);\n"
                   "        if (!gid) continue;\n"
                   "        g = &fdsc->glyph_dsc[gid];\n"
                   "        kv = 0;\n"
                   "        if (fdsc->kern_dsc && text[t + 1]) {\n"
                   "            const lv_font_fmt_txt_kern_pair_t* k = (const "
                   "lv_font_fmt_txt_kern_pair_t*)fdsc->kern_dsc;\n"
                   "            uint32_t next = gid_of(fdsc, text[t + 1]), p;\n"
                   "            for (p = 0; next && p < k->pair_cnt; p++) {\n"
                   "                const uint8_t* ids = (const uint8_t*)k->glyph_ids;\n"
                   "                if (k->glyph_ids_size == 0 && ids[2 * p] == gid && ids[2 * p + 1] == next)\n"
                   "                    kv = (int32_t)k->values[p] * fdsc->kern_scale >> 4;\n"
                   "            }\n"
                   "        }\n"
                   "        in = g->bitmap_index;\n"
                   "        for (r = 0; r < g->box_h; r++)\n"
                   "            for (c = 0; c < g->box_w; c++, i++) {\n"
                   "                uint8_t byte = fdsc->glyph_bitmap[in], v = (uint8_t)((i & 1) ? (byte & 0xF) * 17 : "
                   "(byte >> 4) * 17);\n"
                   "                int px = " +
                   std::to_string(pen.x) +
                   " + x + g->ofs_x + c;\n"
                   "                int py = " +
                   std::to_string(pen.y) +
                   " + y + (font->line_height - font->base_line) - g->box_h - g->ofs_y + r;\n"
                   "                if (i & 1) in++;\n"
                   "                if (v && px >= 0 && py >= 0 && px < " +
                   w + " && py < " + h +
                   ") canvas[py][px] = v;\n"
                   "            }\n"
                   "        adv = (int32_t)g->adv_w + kv;\n"
                   "        x += (int)(((adv < 0 ? 0 : adv) + 8) >> 4);\n"
                   "    }\n"
                   "    (void)opa2;\n"
                   "    for (r = 0; r < " +
                   h +
                   "; r++) {\n"
                   "        for (c = 0; c < " +
                   w +
                   "; c++) printf(\"%02X\", canvas[r][c]);\n"
                   "        putchar('\\n');\n"
                   "    }\n"
                   "    return 0;\n}\n";
        const std::string q = "'";
        std::string expected;
        char hex[4];
        for (uint32_t y = 0; y < sample.Height(); ++y, expected += "\n")
            for (uint32_t x = 0; x < sample.Width(); ++x) {
                std::snprintf(hex, sizeof hex, "%02X", sample.Get(x, y));
                expected += hex;
            }
        // LVGL 9's declarations, and LVGL 8's.
        for (const char* version : {"", "-DQG_LVGL_8"}) {
            const std::string build = std::string(QG_C_COMPILER) + " -std=c99 -Wall -Wextra -Wpedantic -Werror " +
                                      version + " -I " + q + QG_SOURCE_DIR + "/tests/cli/stubs/lvgl" + q +
                                      " -DLV_LVGL_H_INCLUDE_SIMPLE -o " + q + dir.File("prog") + q + " " + q +
                                      dir.File("main.c") + q + " " + q + dir.File("ui13.c") + q + " 2>" + q +
                                      dir.File("build.log") + q;
            ASSERT_EQ(std::system(build.c_str()), 0) << version << test::ReadText(dir.File("build.log"));
            ASSERT_EQ(std::system((q + dir.File("prog") + q + " > " + q + dir.File("drawn.txt") + q).c_str()), 0);
            EXPECT_EQ(test::ReadText(dir.File("drawn.txt")), expected) << version << test::ReadText(dir.File("main.c"));
        }
        ++compiled;
    }
    if (!compiled) GTEST_SKIP() << "no font installed";
}
#endif

}  // namespace
