// Fonts read back from C. What a form writes reads back to glyphs that
// write the same bytes again, for a table of fonts and sizes, and so does
// a u8g2 font in the string bdfconv writes; a text that holds no font, or
// one whose tables run past their arrays, is refused in a line naming it.
#include <gtest/gtest.h>

#include <cstdio>

#include "fonts/c_font_reader.h"
#include "fonts/gfx_font.h"
#include "fonts/lvgl_font.h"
#include "fonts/u8g2_font.h"
#include "tests/fonts/font_files.h"
#include "tests/test_support.h"

namespace {

// A u8g2 font as bdfconv's bf_WriteU8G2CByFP writes it: a string, 32
// bytes a line, octal escapes for control bytes, quotes, backslashes,
// question marks, digits and bytes past 126; a last zero byte left to the
// string's end.
std::string BdfconvText(const std::vector<uint8_t>& bytes, const std::string& name) {
    const size_t shown = bytes.back() == 0 ? bytes.size() - 1 : bytes.size();
    std::string text =
        "const uint8_t " + name + "[" + std::to_string(bytes.size()) + "] U8G2_FONT_SECTION(\"" + name + "\") = \n  \"";
    for (size_t i = 0; i < shown; ++i) {
        const uint8_t b = bytes[i];
        char escaped[8];
        if (b < 32 || b == '"' || b == '\\' || b == '?' || (b >= '0' && b <= '9') || b >= 127)
            std::snprintf(escaped, sizeof escaped, "\\%o", b);
        else
            escaped[0] = static_cast<char>(b), escaped[1] = 0;
        text += escaped;
        if ((i + 1) % 32 == 0) text += "\"\n  \"";
    }
    return text + "\";\n";
}

TEST(CFontReaderTest, WrittenFontsReadBackToGlyphsThatWriteTheSameBytes) {
    test::ScratchDir dir;
    GlyphRendering measuring;
    measuring.references = true;
    size_t read = 0;
    for (const test::FontAtSize& f : test::FontsAtSizes(dir.File(""), {9, 16})) {
        const std::string what = f.file.what + std::string(" at ") + std::to_string(f.size);
        FontGlyphs latin, wide;
        ASSERT_TRUE(test::GatherFrom(f.file.path, f.size, "latin1", {}, &latin));
        ASSERT_TRUE(test::GatherFrom(f.file.path, f.size, "latin1,0x100-0x24F,0x3041-0x3096", measuring, &wide));
        std::string error;
        // Adafruit GFX: the same bitmap, glyph table and line.
        GfxFont gfx, again;
        ASSERT_TRUE(MakeGfxFont(latin, &gfx, &error)) << what << ": " << error;
        CFont back;
        ASSERT_TRUE(ReadCFont(GfxFontText(gfx, "font", "a test"), &back, &error)) << what << ": " << error;
        EXPECT_EQ(back.kind, CFontKind::AdafruitGfx);
        EXPECT_EQ(back.name, "font");
        ASSERT_TRUE(MakeGfxFont(back.glyphs, &again, &error)) << what << ": " << error;
        EXPECT_EQ(again.bitmap, gfx.bitmap) << what;
        EXPECT_EQ(again.glyphs.size(), gfx.glyphs.size()) << what;
        for (size_t i = 0; i < std::min(gfx.glyphs.size(), again.glyphs.size()); ++i) {
            const GfxGlyph &a = gfx.glyphs[i], &b = again.glyphs[i];
            EXPECT_TRUE(a.bitmapOffset == b.bitmapOffset && a.width == b.width && a.height == b.height &&
                        a.xAdvance == b.xAdvance && a.xOffset == b.xOffset && a.yOffset == b.yOffset)
                << what << ": glyph " << i;
        }
        EXPECT_EQ(again.yAdvance, gfx.yAdvance) << what;
        // u8g2, as we write it and as bdfconv does.
        U8g2Font u8g2, fromBytes, fromString;
        ASSERT_TRUE(MakeU8g2Font(wide, &u8g2, &error)) << what << ": " << error;
        ASSERT_TRUE(ReadCFont(U8g2FontText(u8g2, "font", "a test"), &back, &error)) << what << ": " << error;
        EXPECT_EQ(back.kind, CFontKind::U8g2);
        ASSERT_TRUE(MakeU8g2Font(back.glyphs, &fromBytes, &error)) << what << ": " << error;
        EXPECT_EQ(fromBytes.bytes, u8g2.bytes) << what;
        ASSERT_TRUE(ReadCFont(BdfconvText(u8g2.bytes, "u8g2_font_x"), &back, &error)) << what << ": " << error;
        EXPECT_EQ(back.name, "u8g2_font_x");
        ASSERT_TRUE(MakeU8g2Font(back.glyphs, &fromString, &error)) << what << ": " << error;
        EXPECT_EQ(fromString.bytes, u8g2.bytes) << what;
        // LVGL at 4 bits, kerning too: the same bitmaps, descriptors, maps and pairs.
        FontGlyphs four;
        ASSERT_TRUE(test::GatherFrom(f.file.path, f.size, "latin1,0x2013,0x3042", {4, Hinting::Font, true}, &four));
        LvglFont lvgl, lvglAgain;
        ASSERT_TRUE(MakeLvglFont(four, 4, false, &lvgl, &error)) << what << ": " << error;
        ASSERT_TRUE(ReadCFont(LvglFontText(lvgl, "font", "a test"), &back, &error)) << what << ": " << error;
        EXPECT_EQ(back.kind, CFontKind::Lvgl);
        ASSERT_TRUE(MakeLvglFont(back.glyphs, back.glyphs.bits, false, &lvglAgain, &error)) << what << ": " << error;
        EXPECT_EQ(lvglAgain.bitmap, lvgl.bitmap) << what;
        EXPECT_EQ(lvglAgain.kernIds, lvgl.kernIds) << what;
        EXPECT_EQ(lvglAgain.kernValues, lvgl.kernValues) << what;
        EXPECT_EQ(lvglAgain.lineHeight, lvgl.lineHeight) << what;
        EXPECT_EQ(lvglAgain.baseLine, lvgl.baseLine) << what;
        ASSERT_EQ(lvglAgain.glyphs.size(), lvgl.glyphs.size()) << what;
        for (size_t i = 0; i < lvgl.glyphs.size(); ++i) {
            const LvglGlyph &a = lvgl.glyphs[i], &b = lvglAgain.glyphs[i];
            EXPECT_TRUE(a.bitmapIndex == b.bitmapIndex && a.advance16 == b.advance16 && a.width == b.width &&
                        a.height == b.height && a.ofsX == b.ofsX && a.ofsY == b.ofsY)
                << what << ": glyph " << i;
        }
        // Digits alone: the header's letters come back as the font had them.
        FontGlyphs digits;
        ASSERT_TRUE(test::GatherFrom(f.file.path, f.size, "u8g2-n", measuring, &digits));
        ASSERT_TRUE(MakeU8g2Font(digits, &u8g2, &error)) << what << ": " << error;
        ASSERT_TRUE(ReadCFont(BdfconvText(u8g2.bytes, "n"), &back, &error)) << what << ": " << error;
        ASSERT_TRUE(MakeU8g2Font(back.glyphs, &fromString, &error)) << what << ": " << error;
        EXPECT_EQ(fromString.bytes, u8g2.bytes) << what << ", digits";
        ++read;
    }
    if (!read) GTEST_SKIP() << "no font installed";
}

// A font lv_font_conv 1.5.3 wrote (tests/fonts/data: DejaVu Sans at 12
// pixels, 2 bits, the digits, A to F and é; the options in its comment)
// reads back to glyphs whose LVGL font holds its bitmap byte for byte.
TEST(CFontReaderTest, AnLvFontConvFontReadsBackToItsBitmap) {
    const std::string text = test::ReadText(std::string(QG_SOURCE_DIR) + "/tests/fonts/data/lv_font_conv_dejavu12.c");
    CFont back;
    std::string error;
    ASSERT_TRUE(ReadCFont(text, &back, &error)) << error;
    EXPECT_EQ(back.kind, CFontKind::Lvgl);
    EXPECT_EQ(back.name, "lv_font_conv_dejavu12");
    EXPECT_EQ(back.glyphs.glyphs.size(), 17u);
    EXPECT_EQ(back.glyphs.metrics.lineHeight, 10);
    LvglFont font;
    ASSERT_TRUE(MakeLvglFont(back.glyphs, 2, false, &font, &error)) << error;
    // Its bitmap's bytes, as written.
    const size_t from = text.find("glyph_bitmap[] = {"), to = text.find("};", from);
    std::vector<uint8_t> written;
    for (size_t at = text.find("0x", from); at < to; at = text.find("0x", at + 2))
        written.push_back(static_cast<uint8_t>(std::stoul(text.substr(at + 2, 2), nullptr, 16)));
    EXPECT_EQ(font.bitmap, written);
}

// LVGL's kerning by classes, lv_font_conv's other way: each pair of
// glyphs takes its classes' value, scaled by kern_scale to pixels.
TEST(CFontReaderTest, AnLvglFontsKerningClassesReadBackAsPairs) {
    const std::string text =
        "static const uint8_t glyph_bitmap[] = {0x80, 0x80};\n"
        "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
        "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},\n"
        "    {.bitmap_index = 0, .adv_w = 64, .box_w = 1, .box_h = 1, .ofs_x = 0, .ofs_y = 0},\n"
        "    {.bitmap_index = 1, .adv_w = 72, .box_w = 1, .box_h = 1, .ofs_x = 1, .ofs_y = -1}};\n"
        "static const uint16_t list[] = {0, 21};\n"
        "static const lv_font_fmt_txt_cmap_t cmaps[] = {{.range_start = 65, .range_length = 22, .glyph_id_start = 1,\n"
        "    .unicode_list = list, .glyph_id_ofs_list = NULL, .list_length = 2,\n"
        "    .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY}};\n"
        "static const uint8_t left[] = {0, 1, 2}, right[] = {0, 1, 2};\n"
        "static const int8_t values[] = {0, -16, 32, 0};\n"
        "static const lv_font_fmt_txt_kern_classes_t classes = {.class_pair_values = values,\n"
        "    .left_class_mapping = left, .right_class_mapping = right, .left_class_cnt = 2, .right_class_cnt = 2};\n"
        "static const lv_font_fmt_txt_dsc_t font_dsc = {.glyph_bitmap = glyph_bitmap, .glyph_dsc = glyph_dsc,\n"
        "    .cmaps = cmaps, .kern_dsc = &classes, .kern_scale = 16, .cmap_num = 1, .bpp = 1, .kern_classes = 1,\n"
        "    .bitmap_format = 0};\n"
        "const lv_font_t tiny = {.line_height = 3, .base_line = 1, .dsc = &font_dsc};\n";
    CFont back;
    std::string error;
    ASSERT_TRUE(ReadCFont(text, &back, &error)) << error;
    const FontGlyphs& g = back.glyphs;
    ASSERT_EQ(g.glyphs.size(), 2u);
    EXPECT_EQ(g.glyphs[1].codePoint, 'V');
    EXPECT_EQ(g.glyphs[1].advance, 5);  // 72/16, rounded as a label rounds
    EXPECT_EQ(g.glyphs[1].left, 1);
    EXPECT_EQ(g.glyphs[1].top, 0);
    EXPECT_EQ(g.metrics.ascent, 2);
    EXPECT_EQ(g.metrics.descent, 1);
    EXPECT_EQ(KerningOf(g, 'A', 'V'), -1);
    EXPECT_EQ(KerningOf(g, 'V', 'A'), 2);
    EXPECT_EQ(KerningOf(g, 'A', 'A'), 0);
}

TEST(CFontReaderTest, ATextWithoutASoundFontIsRefusedInALine) {
    // A small font of each kind to break.
    FontGlyphs glyphs;
    Glyph a;
    a.codePoint = 'A', a.width = 2, a.height = 2, a.top = 2, a.advance = 3, a.coverage = {255, 0, 0, 255};
    glyphs.glyphs = {a};
    std::string error;
    GfxFont gfx;
    U8g2Font u8g2;
    ASSERT_TRUE(MakeGfxFont(glyphs, &gfx, &error) && MakeU8g2Font(glyphs, &u8g2, &error)) << error;
    const std::string gfxText = GfxFontText(gfx, "f", "a test");
    LvglFont lvgl;
    ASSERT_TRUE(MakeLvglFont(glyphs, 4, false, &lvgl, &error)) << error;
    const std::string lvglText = LvglFontText(lvgl, "f", "a test");
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    std::vector<uint8_t> cut = u8g2.bytes, wide = u8g2.bytes, longer = u8g2.bytes;
    cut.resize(23 + u8g2.bytes[24] + 1);  // the glyph, then no end
    wide[4] = 9;
    longer[23 + 1] = 200;  // the glyph's size past the font
    struct Case {
        std::string text;
        const char* refusal;
    } cases[] = {
        {"int x = 1;", "no GFXfont is declared"},
        {"/* GFXfont", "a comment is not closed"},
        {"const char* s = \"GFXfont;\n", "a string is not closed"},
        {"GFXfont f = {0};", "does not name its bitmap and glyphs"},
        {gfxText.substr(0, gfxText.find("static const GFXglyph")) + "static const GFXglyph fGlyphs[] = {{0}};\n" +
             gfxText.substr(gfxText.find("static const GFXfont")),
         "its glyph table holds 0 glyphs"},
        {gfxText.substr(0, gfxText.find("{", gfxText.find("fBitmaps[]")) + 1) + "};\n" +
             gfxText.substr(gfxText.find("static const GFXglyph")),
         "U+0041 'A' reads past the bitmap"},
        {"const uint8_t a[3] U8G2_FONT_SECTION(\"a\") = \"\\1\\2\";", "its header alone is 23"},
        {"uint8_t U8G2_FONT_SECTION(\"a\") = 1;", "no array is declared in U8G2_FONT_SECTION"},
        {BdfconvText(cut, "a"), "glyphs to 0xFF run past its bytes"},
        {BdfconvText(wide, "a"), "a field of 9 bits"},
        {BdfconvText(longer, "a"), "has a size of 200 past its bytes"},
        {replaced(lvglText, ".bitmap_format = 0", ".bitmap_format = 1"), "only plain bitmaps are read back"},
        {replaced(lvglText, "CMAP_SPARSE_TINY", "CMAP_SPARSE_FULL"), "the tiny maps alone are read back"},
        {replaced(lvglText, ".bpp = 4", ".bpp = 3"), "of 1, 2, 4 or 8 bits a pixel"},
        {replaced(lvglText, ".box_h = 2", ".box_h = 9"), "U+0041 'A' reads past the bitmap"},
    };
    for (const Case& c : cases) {
        CFont font;
        EXPECT_FALSE(ReadCFont(c.text, &font, &error)) << c.refusal;
        EXPECT_NE(error.find(c.refusal), std::string::npos) << c.refusal << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace
