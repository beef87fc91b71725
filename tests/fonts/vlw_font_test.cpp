// TFT_eSPI smooth fonts. A model of TFT_eSPI's loadFont(), loadMetrics()
// and drawGlyph() (Extensions/Smooth_font.cpp) reads our .vlw bytes and
// draws a text as our sample does, for a table of fonts and sizes; a BDF
// whose bits are known gives the bytes field by field; each limit is
// refused by name; the C array compiles from two files and holds the
// file's bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "fonts/vlw_font.h"
#include "tests/fonts/font_files.h"
#include "tests/test_support.h"

namespace {

// TFT_eSPI's reading of a smooth font from an array, and drawGlyph() on a
// canvas of 8-bit values (white text on black: a pixel is its alpha), with
// the names and types the library gives them.
struct TftEspiModel {
    explicit TftEspiModel(const std::vector<uint8_t>& bytes) : font(bytes) {}
    const std::vector<uint8_t>& font;
    size_t fontPtr = 0;
    uint16_t gCount = 0, yAdvance = 0, ascent = 0, descent = 0, maxAscent = 0, maxDescent = 0, spaceWidth = 0;
    std::vector<uint16_t> gUnicode;
    std::vector<uint8_t> gHeight, gWidth, gxAdvance;
    std::vector<int16_t> gdY;
    std::vector<int8_t> gdX;
    std::vector<uint32_t> gBitmap;
    std::vector<uint8_t>* canvas = nullptr;
    int width = 0, height = 0, originX = 0, originY = 0;
    int16_t cursor_x = 0, cursor_y = 0;

    uint32_t readInt32() {
        uint32_t val = 0;
        val |= font.at(fontPtr++) << 24;
        val |= font.at(fontPtr++) << 16;
        val |= font.at(fontPtr++) << 8;
        val |= font.at(fontPtr++);
        return val;
    }
    void loadFont() {
        gCount = (uint16_t)readInt32();
        readInt32();
        yAdvance = (uint16_t)readInt32();
        readInt32();
        ascent = (uint16_t)readInt32();
        descent = (uint16_t)readInt32();
        maxAscent = ascent;
        maxDescent = descent;
        yAdvance = ascent + descent;
        spaceWidth = yAdvance / 4;
        loadMetrics();
    }
    void loadMetrics() {
        uint32_t bitmapPtr = 24 + gCount * 28;
        for (uint16_t gNum = 0; gNum < gCount; gNum++) {
            gUnicode.push_back((uint16_t)readInt32());
            gHeight.push_back((uint8_t)readInt32());
            gWidth.push_back((uint8_t)readInt32());
            gxAdvance.push_back((uint8_t)readInt32());
            gdY.push_back((int16_t)readInt32());
            gdX.push_back((int8_t)readInt32());
            readInt32();
            if (((int16_t)gHeight[gNum] - (int16_t)gdY[gNum]) > maxDescent)
                if (((gUnicode[gNum] > 0x20) && (gUnicode[gNum] < 0xA0) && (gUnicode[gNum] != 0x7F)) ||
                    (gUnicode[gNum] > 0xFF))
                    maxDescent = gHeight[gNum] - gdY[gNum];
            gBitmap.push_back(bitmapPtr);
            bitmapPtr += gWidth[gNum] * gHeight[gNum];
        }
        yAdvance = maxAscent + maxDescent;
        spaceWidth = (ascent + descent) * 2 / 7;
    }
    void drawPixel(int x, int y, uint8_t value) {
        x += originX, y += originY;
        if (x >= 0 && y >= 0 && x < width && y < height) (*canvas)[static_cast<size_t>(y) * width + x] = value;
    }
    void drawRect(int x, int y, int w, int h) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (j == 0 || j == h - 1 || i == 0 || i == w - 1) drawPixel(x + i, y + j, 255);
    }
    void drawGlyph(uint16_t code) {
        if (code < 0x21) {
            if (code == 0x20) {
                cursor_x += spaceWidth;
                return;
            }
            if (code == '\n') {
                cursor_x = 0;
                cursor_y += yAdvance;
                return;
            }
        }
        uint16_t gNum = 0;
        bool found = false;
        for (uint16_t i = 0; i < gCount && !found; i++)
            if (gUnicode[i] == code) gNum = i, found = true;
        if (found) {
            if (cursor_x == 0) cursor_x -= gdX[gNum];
            int16_t cy = cursor_y + maxAscent - gdY[gNum];
            int16_t cx = cursor_x + gdX[gNum];
            for (int y = 0; y < gHeight[gNum]; y++)
                for (int x = 0; x < gWidth[gNum]; x++) {
                    uint8_t pixel = font.at(gBitmap[gNum] + x + gWidth[gNum] * y);
                    if (pixel) drawPixel(x + cx, y + cy, pixel);
                }
            cursor_x += gxAdvance[gNum];
        } else {
            drawRect(cursor_x, cursor_y + maxAscent - ascent, spaceWidth, ascent);
            cursor_x += spaceWidth + 1;
        }
    }
};

std::vector<uint8_t> ValuesOf(const PixelImage& picture) {
    std::vector<uint8_t> values;
    for (uint32_t y = 0; y < picture.Height(); ++y)
        for (uint32_t x = 0; x < picture.Width(); ++x) values.push_back(static_cast<uint8_t>(picture.Get(x, y)));
    return values;
}

TEST(VlwFontTest, TftEspisLoopDrawsEveryGlyphWhereTheSampleDoes) {
    test::ScratchDir dir;
    const std::vector<test::FontAtSize> fonts = test::FontsAtSizes(dir.File(""), {9, 16, 27});
    if (fonts.empty()) GTEST_SKIP() << "no font installed: run tools/bootstrap cli";
    CodePoints set;
    std::string error;
    ASSERT_TRUE(ParseGlyphSet("latin1,0x2013-0x2014,0x20AC", &set, &error));
    for (const test::FontAtSize& at : fonts) {
        SCOPED_TRACE(at.file.what + std::string(" at ") + std::to_string(at.size));
        FontFace sized;
        ASSERT_TRUE(test::OpenFont(at.file.path, at.size, &sized));
        FontGlyphs glyphs;
        ASSERT_TRUE(GatherGlyphs({&sized}, set, {8, Hinting::Font}, &glyphs, &error)) << error;
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(MakeVlwFont(glyphs, &bytes, &error)) << error;
        // Every glyph, a space, a character no font has (a box), lines.
        CodePoints text = DefaultSample(glyphs, glyphs.glyphs.size());
        text.insert(text.begin(), {'j', 0x2603, ' ', 'A', '\n'});
        PixelImage sample;
        SamplePen pen;
        ASSERT_TRUE(DrawSample(glyphs, LayOutVlwText(glyphs, text), &sample, &pen));
        std::vector<uint8_t> canvas(static_cast<size_t>(sample.Width()) * sample.Height(), 0);
        TftEspiModel model(bytes);
        model.canvas = &canvas;
        model.width = static_cast<int>(sample.Width()), model.height = static_cast<int>(sample.Height());
        model.originX = pen.x, model.originY = pen.y;
        model.loadFont();
        for (uint32_t c : text) model.drawGlyph(static_cast<uint16_t>(c));
        EXPECT_EQ(canvas, ValuesOf(sample));
    }
}

TEST(VlwFontTest, KnownBitsGiveTheFieldsTftEspiReads) {
    test::ScratchDir dir;
    const std::string bdf = dir.File("tiny.bdf");
    std::ofstream(bdf) << test::TinyBdf();
    FontFace face;
    ASSERT_TRUE(test::OpenFont(bdf, 0, &face));
    FontGlyphs glyphs;
    std::string error;
    ASSERT_TRUE(GatherGlyphs({&face}, {'A', 'g'}, {8, Hinting::Font}, &glyphs, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(MakeVlwFont(glyphs, &bytes, &error)) << error;
    std::vector<int32_t> fields;
    for (size_t at = 0; at + 4 <= 24 + 2 * 28; at += 4)
        fields.push_back(
            static_cast<int32_t>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]));
    // count, version, size, unused, ascent, descent; then code point,
    // height, width, advance, top, left, unused for 'A' and for 'g'.
    EXPECT_EQ(fields, (std::vector<int32_t>{2, 11, 8, 0, 6, 2, 'A', 6, 5, 6, 6, 0, 0, 'g', 6, 4, 6, 4, 0, 0}));
    const std::string g =
        ".###"
        "#..#"
        "#..#"
        ".###"
        "...#"
        ".##.";
    ASSERT_EQ(bytes.size(), 24u + 2 * 28 + 30 + 24);
    std::string drawn;
    for (size_t i = 24 + 56; i < bytes.size(); ++i) drawn += bytes[i] == 255 ? '#' : bytes[i] == 0 ? '.' : '?';
    EXPECT_EQ(drawn,
              ".###."
              "#...#"
              "#...#"
              "#####"
              "#...#"
              "#...#" +
                  g);
}

TEST(VlwFontTest, EachLimitIsRefusedByName) {
    auto glyph = [](uint32_t c, uint32_t w, uint32_t h, int32_t left, int32_t advance) {
        Glyph g;
        g.codePoint = c, g.width = w, g.height = h, g.left = left, g.top = 5, g.advance = advance;
        g.coverage.assign(static_cast<size_t>(w) * h, 200);
        return g;
    };
    struct Case {
        const char* limit;
        std::vector<Glyph> glyphs;
        const char* says;
    } cases[] = {
        {"a code point past 16 bits", {glyph(0x10000, 2, 2, 0, 3)}, "past 0xFFFF"},
        {"a glyph 256 wide", {glyph('A', 256, 2, 0, 3)}, "width and height in 8 bits"},
        {"an advance of 256", {glyph('A', 2, 2, 0, 256)}, "0 to 255"},
        {"a left of -129", {glyph('A', 2, 2, -129, 3)}, "-128 to 127"},
        {"no glyph", {}, "no glyph"},
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        glyphs.bits = 8;
        glyphs.glyphs = c.glyphs;
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_FALSE(MakeVlwFont(glyphs, &bytes, &error)) << c.limit;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.limit << ": " << error;
    }
    FontGlyphs edge;
    edge.glyphs = {glyph(0xFFFF, 255, 255, -128, 255)};
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(MakeVlwFont(edge, &bytes, &error)) << error;
}

#ifndef _WIN32
TEST(VlwFontTest, ArrayCompilesFromTwoFilesAndHoldsTheFile) {
    if (!std::filesystem::exists(test::kDejaVuSans) || std::string(QG_C_COMPILER).empty())
        GTEST_SKIP() << "needs DejaVu and a C compiler";
    test::ScratchDir dir;
    FontGlyphs glyphs;
    ASSERT_TRUE(test::GatherFrom(test::kDejaVuSans, 12, "digits", {8, Hinting::Font}, &glyphs));
    std::string error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(MakeVlwFont(glyphs, &bytes, &error)) << error;
    std::ofstream(dir.File("digits12.h")) << VlwArrayText(bytes, "digits12", "DejaVu Sans at 12");
    std::ofstream(dir.File("main.c")) << "#include <stdio.h>\n#include \"digits12.h\"\n"
                                         "const uint8_t* other(void);\n"
                                         "int main(void) {\n"
                                         "    size_t i;\n"
                                         "    FILE* out = fopen(\"out.vlw\", \"wb\");\n"
                                         "    for (i = 0; i < sizeof digits12; i++) fputc(digits12[i], out);\n"
                                         "    fclose(out);\n"
                                         "    return other() == 0;\n}\n";
    std::ofstream(dir.File("other.c")) << "#include \"digits12.h\"\nconst uint8_t* other(void) { return digits12; }\n";
    const std::string q = "'";
    for (const char* language : {"-x c -std=c99", "-x c++ -std=c++17"}) {
        const std::string build = std::string(QG_C_COMPILER) + " " + language +
                                  " -Wall -Wextra -Wpedantic -Werror -o " + q + dir.File("prog") + q + " " + q +
                                  dir.File("main.c") + q + " " + q + dir.File("other.c") + q + " 2>" + q +
                                  dir.File("build.log") + q;
        ASSERT_EQ(std::system(build.c_str()), 0) << language << ":\n" << test::ReadText(dir.File("build.log"));
        ASSERT_EQ(std::system(("cd " + q + dir.File("") + q + " && ./prog").c_str()), 0);
        EXPECT_EQ(test::ReadBytes(dir.File("out.vlw")), bytes) << language;
    }
}
#endif

}  // namespace
