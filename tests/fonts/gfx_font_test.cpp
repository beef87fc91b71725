// Adafruit GFX fonts. A model of Adafruit_GFX's write() and drawChar()
// (Adafruit_GFX.cpp, the custom-font branch, at text size 1) draws every
// glyph where our sample puts it, for a table of fonts, sizes and
// hintings; a BDF whose bits are known gives the bytes and offsets that
// Adafruit's fontconvert gives; each limit of GFXfont is refused by name;
// the header compiles as C and C++ from two files, and its own arrays,
// walked by the same loop in C, draw the sample.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "fonts/font_forms.h"
#include "fonts/gfx_font.h"
#include "tests/fonts/font_files.h"
#include "tests/test_support.h"

namespace {

typedef std::vector<std::string> Rows;

// Adafruit_GFX::write(uint8_t) and drawChar() for a GFXfont, as the
// library has them (the names and types are its own); writePixel puts a
// '#' on a canvas whose origin is (originX, originY).
struct AdafruitGfxModel {
    const GfxFont& gfxFont;
    Rows canvas;
    int16_t originX, originY;
    int16_t cursor_x = 0, cursor_y = 0;

    void writePixel(int16_t x, int16_t y) {
        const int cx = x + originX, cy = y + originY;
        if (cy >= 0 && cy < static_cast<int>(canvas.size()) && cx >= 0 && cx < static_cast<int>(canvas[0].size()))
            canvas[cy][cx] = '#';
    }
    void drawChar(int16_t x, int16_t y, unsigned char c) {
        c -= (uint8_t)gfxFont.first;
        const GfxGlyph* glyph = &gfxFont.glyphs.at(c);
        uint16_t bo = glyph->bitmapOffset;
        uint8_t w = glyph->width, h = glyph->height;
        int8_t xo = glyph->xOffset, yo = glyph->yOffset;
        uint8_t xx, yy, bits = 0, bit = 0;
        for (yy = 0; yy < h; yy++) {
            for (xx = 0; xx < w; xx++) {
                if (!(bit++ & 7)) bits = gfxFont.bitmap.at(bo++);
                if (bits & 0x80) writePixel(x + xo + xx, y + yo + yy);
                bits <<= 1;
            }
        }
    }
    void write(uint8_t c) {
        if (c == '\n') {
            cursor_x = 0;
            cursor_y += (uint8_t)gfxFont.yAdvance;
        } else if (c != '\r') {
            uint8_t first = gfxFont.first;
            if ((c >= first) && (c <= (uint8_t)gfxFont.last)) {
                const GfxGlyph* glyph = &gfxFont.glyphs.at(c - first);
                uint8_t w = glyph->width, h = glyph->height;
                if ((w > 0) && (h > 0)) drawChar(cursor_x, cursor_y, c);
                cursor_x += (uint8_t)glyph->xAdvance;
            }
        }
    }
};

Rows RowsOf(const PixelImage& picture) {
    Rows rows(picture.Height(), std::string(picture.Width(), '.'));
    for (uint32_t y = 0; y < picture.Height(); ++y)
        for (uint32_t x = 0; x < picture.Width(); ++x)
            if (picture.Get(x, y)) rows[y][x] = '#';
    return rows;
}

std::string Joined(const Rows& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// Every glyph of the font, 16 a line.
CodePoints WholeSample(const FontGlyphs& glyphs) { return DefaultSample(glyphs, glyphs.glyphs.size()); }

// What the model draws of `text`, on a canvas the size of our sample.
Rows ModelDraws(const GfxFont& font, const CodePoints& text, const PixelImage& sample, const SamplePen& pen) {
    AdafruitGfxModel model{font, Rows(sample.Height(), std::string(sample.Width(), '.')), static_cast<int16_t>(pen.x),
                           static_cast<int16_t>(pen.y)};
    for (uint32_t c : text) model.write(static_cast<uint8_t>(c));
    return model.canvas;
}

TEST(GfxFontTest, AdafruitsLoopDrawsEveryGlyphWhereTheSampleDoes) {
    test::ScratchDir dir;
    const std::vector<test::FontAtSize> fonts = test::FontsAtSizes(dir.File(""), {7, 9, 12, 16, 23});
    if (fonts.empty()) GTEST_SKIP() << "no font installed: run tools/bootstrap cli";
    CodePoints latin1;
    std::string error;
    ASSERT_TRUE(ParseGlyphSet("latin1", &latin1, &error));
    for (const test::FontAtSize& at : fonts) {
        for (Hinting hinting : {Hinting::Font, Hinting::Auto, Hinting::None}) {
            SCOPED_TRACE(at.file.what + std::string(" at ") + std::to_string(at.size) + " hinting " +
                         std::to_string(static_cast<int>(hinting)));
            FontFace sized;
            ASSERT_TRUE(test::OpenFont(at.file.path, at.size, &sized));
            FontGlyphs glyphs;
            ASSERT_TRUE(GatherGlyphs({&sized}, latin1, {1, hinting}, &glyphs, &error)) << error;
            GfxFont font;
            ASSERT_TRUE(MakeGfxFont(glyphs, &font, &error)) << error;
            const CodePoints text = WholeSample(glyphs);
            PixelImage sample;
            SamplePen pen;
            ASSERT_TRUE(DrawSample(glyphs, LayOutGfxText(glyphs, text), &sample, &pen));
            ASSERT_GT(sample.Width(), 0u);
            EXPECT_EQ(Joined(ModelDraws(font, text, sample, pen)), Joined(RowsOf(sample)));
            if (!at.scalable) break;  // a bitmap font has no hinting
        }
    }
}

// The tiny BDF's glyphs, in GFXfont's terms as fontconvert makes them:
// rows run on from bit 7, yOffset = 1 - top.
TEST(GfxFontTest, KnownBitsGiveFontconvertsBytesAndOffsets) {
    test::ScratchDir dir;
    const std::string bdf = dir.File("tiny.bdf");
    std::ofstream(bdf) << test::TinyBdf();
    FontFace face;
    ASSERT_TRUE(test::OpenFont(bdf, 0, &face));
    FontGlyphs glyphs;
    std::string error;
    ASSERT_TRUE(GatherGlyphs({&face}, {'A', 'g'}, {}, &glyphs, &error)) << error;
    GfxFont font;
    ASSERT_TRUE(MakeGfxFont(glyphs, &font, &error)) << error;
    // A: .###. #...# #...# ##### #...# #...#; g: .### #..# #..# .### ...# .##.
    EXPECT_EQ(font.bitmap, (std::vector<uint8_t>{0x74, 0x63, 0xF8, 0xC4, 0x79, 0x97, 0x16}));
    EXPECT_EQ(font.first, 'A');
    EXPECT_EQ(font.last, 'g');
    EXPECT_EQ(font.yAdvance, 8);
    EXPECT_EQ(font.gaps, static_cast<uint32_t>('g' - 'A' - 1));
    ASSERT_EQ(font.glyphs.size(), static_cast<size_t>('g' - 'A' + 1));
    const GfxGlyph& a = font.glyphs.front();
    const GfxGlyph& g = font.glyphs.back();
    EXPECT_EQ((std::vector<int>{a.bitmapOffset, a.width, a.height, a.xAdvance, a.xOffset, a.yOffset}),
              (std::vector<int>{0, 5, 6, 6, 0, -5}));
    EXPECT_EQ((std::vector<int>{g.bitmapOffset, g.width, g.height, g.xAdvance, g.xOffset, g.yOffset}),
              (std::vector<int>{4, 4, 6, 6, 0, -3}));
    const GfxGlyph& gap = font.glyphs[1];
    EXPECT_EQ((std::vector<int>{gap.width, gap.height, gap.xAdvance}), (std::vector<int>{0, 0, 0}));
}

// Several fonts: each character from the first that has it.
TEST(GfxFontTest, EachCharacterComesFromTheFirstFontThatHasIt) {
    test::ScratchDir dir;
    const std::string bdf = dir.File("tiny.bdf"), dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (!std::filesystem::exists(dejavu)) GTEST_SKIP() << "DejaVu is not installed: run tools/bootstrap cli";
    std::ofstream(bdf) << test::TinyBdf();
    FontFace tiny, fallback;
    ASSERT_TRUE(test::OpenFont(bdf, 8, &tiny));
    ASSERT_TRUE(test::OpenFont(dejavu, 8, &fallback));
    FontGlyphs glyphs;
    std::string error;
    ASSERT_TRUE(GatherGlyphs({&tiny, &fallback}, {'A', 'B', 'g', 0x3042}, {}, &glyphs, &error)) << error;
    EXPECT_EQ(glyphs.fromFont, (std::vector<uint32_t>{0, 1, 0}));
    EXPECT_EQ(glyphs.missing, (CodePoints{0x3042}));
    EXPECT_EQ(glyphs.metrics.lineHeight, 8);  // the first font's
}

// Each limit of GFXfont refused before anything is written, naming it.
TEST(GfxFontTest, EachLimitIsRefusedByName) {
    auto glyph = [](uint32_t c, uint32_t w, uint32_t h, int32_t left, int32_t top, int32_t advance) {
        Glyph g;
        g.codePoint = c, g.width = w, g.height = h, g.left = left, g.top = top, g.advance = advance;
        g.coverage.assign(static_cast<size_t>(w) * h, 255);
        return g;
    };
    struct Case {
        const char* limit;
        std::vector<Glyph> glyphs;
        int32_t lineHeight;
        const char* says;
    } cases[] = {
        {"a character past a byte", {glyph('A', 2, 2, 0, 2, 3), glyph(0x100, 2, 2, 0, 2, 3)}, 10, "past 0xFF"},
        {"a line of 256", {glyph('A', 2, 2, 0, 2, 3)}, 256, "yAdvance is at most 255"},
        {"a glyph 256 wide", {glyph('A', 256, 2, 0, 2, 3)}, 10, "at most 255 x 255"},
        {"a glyph 256 high", {glyph('A', 2, 256, 0, 100, 3)}, 10, "at most 255 x 255"},
        {"an advance of 256", {glyph('A', 2, 2, 0, 2, 256)}, 10, "xAdvance is 0 to 255"},
        {"an xOffset of -129", {glyph('A', 2, 2, -129, 2, 3)}, 10, "offsets are -128 to 127"},
        {"a yOffset of -129 (top 130)", {glyph('A', 2, 2, 0, 130, 3)}, 10, "offsets are -128 to 127"},
        {"bitmaps past 65,536 bytes",
         {glyph('A', 255, 255, 0, 100, 3), glyph('B', 255, 255, 0, 100, 3), glyph('C', 255, 255, 0, 100, 3),
          glyph('D', 255, 255, 0, 100, 3), glyph('E', 255, 255, 0, 100, 3), glyph('F', 255, 255, 0, 100, 3),
          glyph('G', 255, 255, 0, 100, 3), glyph('H', 255, 255, 0, 100, 3), glyph('I', 255, 255, 0, 100, 3)},
         10,
         "65,536 bytes at U+0049"},
        {"no glyph", {}, 10, "no glyph"},
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        glyphs.glyphs = c.glyphs;
        glyphs.metrics.lineHeight = c.lineHeight;
        GfxFont font;
        std::string error;
        EXPECT_FALSE(MakeGfxFont(glyphs, &font, &error)) << c.limit;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.limit << ": " << error;
    }
    // At each limit, taken.
    FontGlyphs edge;
    edge.glyphs = {glyph(0xFF, 255, 255, -128, 129, 255)};
    edge.metrics.lineHeight = 255;
    GfxFont font;
    std::string error;
    EXPECT_TRUE(MakeGfxFont(edge, &font, &error)) << error;
}

#ifndef _WIN32
bool Found(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The header compiled from two files with the warnings on; one walks the
// font's own arrays with Adafruit's loop and prints what it draws.
TEST(GfxFontTest, HeaderCompilesFromTwoFilesAndItsArraysDrawTheSample) {
    if (!std::filesystem::exists(test::kDejaVuSans) || std::string(QG_C_COMPILER).empty())
        GTEST_SKIP() << "needs DejaVu and a C compiler";
    test::ScratchDir dir;
    FontGlyphs glyphs;
    ASSERT_TRUE(test::GatherFrom(test::kDejaVuSans, 11, "0x20-0x7E,0xE9", {}, &glyphs));
    std::string error, text, note;
    ASSERT_TRUE(
        FontFormOf(FontFormat::AdafruitGfx)->write(glyphs, "sans11", "DejaVu Sans at 11", {}, &text, &note, &error));
    std::ofstream(dir.File("sans11.h")) << text;
    const CodePoints sample = {'Q', 'u', 'i', 'l', 'l', ',', ' ', 0xE9, '\n', 'g', 'r', 'i', 'd', '!', '~'};
    PixelImage picture;
    SamplePen pen;
    ASSERT_TRUE(DrawSample(glyphs, LayOutGfxText(glyphs, sample), &picture, &pen));
    std::string sampleC;
    for (uint32_t c : sample)
        sampleC += "\\x" + [&] {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", c);
            return std::string(hex);
        }();
    const std::string mainC =
        "#include <stdio.h>\n#include \"sans11.h\"\n"
        "static char canvas[" +
        std::to_string(picture.Height()) + "][" + std::to_string(picture.Width() + 1) +
        "];\n"
        "static void writePixel(int x, int y) {\n"
        "    x += " +
        std::to_string(pen.x) + "; y += " + std::to_string(pen.y) +
        ";\n"
        "    if (y >= 0 && y < " +
        std::to_string(picture.Height()) + " && x >= 0 && x < " + std::to_string(picture.Width()) +
        ") canvas[y][x] = '#';\n}\n"
        "int main(void) {\n"
        "    const GFXfont* gfxFont = &sans11;\n"
        "    const unsigned char* s = (const unsigned char*)\"" +
        sampleC +
        "\";\n"
        "    int cursor_x = 0, cursor_y = 0, row, col;\n"
        "    for (row = 0; row < " +
        std::to_string(picture.Height()) +
        "; row++)\n"
        "        for (col = 0; col < " +
        std::to_string(picture.Width()) +
        "; col++) canvas[row][col] = '.';\n"
        "    for (; *s; s++) {\n"
        "        unsigned char c = *s;\n"
        "        if (c == '\\n') { cursor_x = 0; cursor_y += gfxFont->yAdvance; continue; }\n"
        "        if (c >= gfxFont->first && c <= (unsigned char)gfxFont->last) {\n"
        "            const GFXglyph* glyph = gfxFont->glyph + (c - gfxFont->first);\n"
        "            const uint8_t* bitmap = gfxFont->bitmap;\n"
        "            uint16_t bo = glyph->bitmapOffset;\n"
        "            uint8_t w = glyph->width, h = glyph->height, xx, yy, bits = 0, bit = 0;\n"
        "            int8_t xo = glyph->xOffset, yo = glyph->yOffset;\n"
        "            for (yy = 0; yy < h; yy++)\n"
        "                for (xx = 0; xx < w; xx++) {\n"
        "                    if (!(bit++ & 7)) bits = bitmap[bo++];\n"
        "                    if (bits & 0x80) writePixel(cursor_x + xo + xx, cursor_y + yo + yy);\n"
        "                    bits <<= 1;\n"
        "                }\n"
        "            cursor_x += glyph->xAdvance;\n"
        "        }\n"
        "    }\n"
        "    for (row = 0; row < " +
        std::to_string(picture.Height()) +
        "; row++) puts(canvas[row]);\n"
        "    return 0;\n}\n";
    std::ofstream(dir.File("main.c")) << mainC;
    std::ofstream(dir.File("other.c")) << "#include \"sans11.h\"\nconst GFXfont* other(void) { return &sans11; }\n";
    const std::string stubs = std::string(QG_SOURCE_DIR) + "/tests/cli/stubs/arduino";
    const std::string quote = "'";
    for (const char* language : {"-x c -std=c99", "-x c++ -std=c++17", "-x c++ -std=c++20"}) {
        const std::string build = std::string(QG_C_COMPILER) + " " + language +
                                  " -Wall -Wextra -Wpedantic -Werror -I " + quote + stubs + quote + " -o " + quote +
                                  dir.File("prog") + quote + " " + quote + dir.File("main.c") + quote + " " + quote +
                                  dir.File("other.c") + quote + " 2>" + quote + dir.File("build.log") + quote;
        ASSERT_EQ(std::system(build.c_str()), 0) << language << ":\n" << test::ReadText(dir.File("build.log"));
        ASSERT_EQ(
            std::system((quote + dir.File("prog") + quote + " > " + quote + dir.File("drawn.txt") + quote).c_str()), 0);
        EXPECT_EQ(test::ReadText(dir.File("drawn.txt")), Joined(RowsOf(picture))) << language;
    }
    if (!Found("avr-gcc")) return;  // tools/bootstrap avr installs it
    const std::string avr = "avr-gcc -mmcu=atmega328p -Os -std=c99 -Wall -Wextra -Wpedantic -Werror -I " + quote +
                            stubs + quote + " -c -o " + quote + dir.File("other.o") + quote + " " + quote +
                            dir.File("other.c") + quote + " 2>" + quote + dir.File("avr.log") + quote;
    EXPECT_EQ(std::system(avr.c_str()), 0) << test::ReadText(dir.File("avr.log"));
}
#endif

}  // namespace
