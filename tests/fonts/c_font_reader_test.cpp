// Fonts read back from C. What a form writes reads back to glyphs that
// write the same bytes again, for a table of fonts and sizes, and so does
// a u8g2 font in the string bdfconv writes; a text that holds no font, or
// one whose tables run past their arrays, is refused in a line naming it.
#include <gtest/gtest.h>

#include <cstdio>

#include "fonts/c_font_reader.h"
#include "fonts/gfx_font.h"
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
    };
    for (const Case& c : cases) {
        CFont font;
        EXPECT_FALSE(ReadCFont(c.text, &font, &error)) << c.refusal;
        EXPECT_NE(error.find(c.refusal), std::string::npos) << c.refusal << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace
