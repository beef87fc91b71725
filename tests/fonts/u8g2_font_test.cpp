// u8g2 fonts. For BDF fonts (and the PCF they were made from) the bytes
// are those u8g2's bdfconv writes for the same glyphs; a model of u8g2's
// reading code (u8g2_model.h) draws every glyph where our sample puts it,
// for a table of fonts and sizes, through the jump table past 0xFF too;
// each limit is refused by name; the header compiles as C and C++ from
// two files, for an AVR too, and its own array, read by the model in C,
// draws the sample.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fonts/c_font_reader.h"
#include "fonts/font_forms.h"
#include "fonts/u8g2_font.h"
#include "tests/fonts/font_files.h"
#include "tests/fonts/u8g2_model.h"
#include "tests/test_support.h"

namespace {

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ull;
    return h;
}

bool Found(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A BDF of an X font (pcf2bdf) or of DejaVu Sans at 12 pixels (otf2bdf),
// into `scratch`; empty when the tool or the font is not installed.
std::string MakeBdf(const test::ScratchDir& scratch, const std::string& source) {
    const std::string bdf = scratch.File(source + ".bdf");
    if (std::filesystem::exists(bdf)) return bdf;
    std::string command;
    if (source == "dejavu12") {
        const char* ttf = test::kDejaVuSans;
        if (!Found("otf2bdf") || !std::filesystem::exists(ttf)) return "";
        command = "otf2bdf -p 12 -r 72 -o '" + bdf + "' " + ttf;
    } else {
        const std::string pcf = "/usr/share/fonts/X11/misc/" + source + ".pcf.gz";
        if (!Found("pcf2bdf") || !std::filesystem::exists(pcf)) return "";
        command = "pcf2bdf -o '" + bdf + "' " + pcf;
    }
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0 ? bdf : "";
}

GlyphRendering Measuring() {
    GlyphRendering rendering;
    rendering.references = true;
    return rendering;
}

bool MakeFont(const std::string& path, uint32_t size, const std::string& set, FontGlyphs* glyphs, U8g2Font* font,
              std::string* error) {
    return test::GatherFrom(path, size, set, Measuring(), glyphs) && MakeU8g2Font(*glyphs, font, error);
}

// What bdfconv (u8g2 at commit ab9e48b2, tools/font/bdfconv, built with
// gcc) wrote with -f 1 -b 0 and the map in the comment, for BDF made by
// Debian 12's pcf2bdf 1.07 from xfonts-base 1.0.5 and by otf2bdf 3.1 from
// fonts-dejavu-core 2.37 at -p 12 -r 72: its size and FNV-1a hash.
TEST(U8g2FontTest, BytesAreWhatBdfconvWritesForTheSameGlyphs) {
    struct Case {
        const char* source;  // a BDF made from it; ".pcf.gz": the PCF itself
        const char* glyphs;
        size_t size;
        uint64_t fnv;
    };
    const Case cases[] = {
        {"6x13", "u8g2-r", 1056, 0x7167683d6ec7ac0full},              // -m '32-127'
        {"6x13", "u8g2-f", 2161, 0x2a96335919146408ull},              // -m '32-255'
        {"6x13", "u8g2-n", 220, 0xb53582321ce54ec9ull},               // -m '32,42-58'
        {"6x13", "u8g2-r,0x400-0x52F", 4736, 0x3b7ff058ba1b1ca0ull},  // -m '32-127,$400-$52f'
        {"6x13", "32-0xFFFF", 53085, 0xe234de0a7575a4fdull},          // -m '32-$ffff'
        {"6x13.pcf.gz", "u8g2-f", 2161, 0x2a96335919146408ull},       // the PCF reads as its BDF
        {"4x6", "u8g2-f", 1451, 0x623cc44e59ac76d3ull},               // -m '32-255'
        {"10x20", "u8g2-f", 2990, 0x849a108d75701cfeull},             // -m '32-255'
        {"10x20.pcf.gz", "32-0xFFFF", 97093, 0xf9e317f34cd86de9ull},  // -m '32-$ffff'
        {"dejavu12", "u8g2-f", 2533, 0xc668285a347c81a3ull},          // -m '32-255'
        {"dejavu12", "u8g2-n", 231, 0x00ec06b4aac7960aull},           // -m '32,42-58'
        {"dejavu12", "32-0xFFFF", 83977, 0x873f6e25c8fe5046ull},      // -m '32-$ffff'
    };
    test::ScratchDir dir;
    size_t compared = 0;
    for (const Case& c : cases) {
        const std::string source = c.source;
        const bool pcf = source.size() > 7 && source.compare(source.size() - 7, 7, ".pcf.gz") == 0;
        const std::string path = pcf ? "/usr/share/fonts/X11/misc/" + source : MakeBdf(dir, source);
        if (path.empty() || !std::filesystem::exists(path)) continue;
        FontGlyphs glyphs;
        U8g2Font font;
        std::string error;
        ASSERT_TRUE(MakeFont(path, 0, c.glyphs, &glyphs, &font, &error)) << source << ": " << error;
        EXPECT_EQ(font.bytes.size(), c.size) << source << " " << c.glyphs;
        EXPECT_EQ(Fnv1a(font.bytes), c.fnv) << source << " " << c.glyphs;
        ++compared;
    }
    // A BDF written here, and bdfconv's font of it as bdfconv wrote it.
    std::ofstream(dir.File("tiny.bdf")) << test::TinyBdf();
    CFont bdfconvs;
    FontGlyphs glyphs;
    U8g2Font font;
    std::string error;
    ASSERT_TRUE(ReadCFont(test::TinyBdfByBdfconv(), &bdfconvs, &error)) << error;
    ASSERT_TRUE(MakeFont(dir.File("tiny.bdf"), 0, "u8g2-f", &glyphs, &font, &error)) << error;
    EXPECT_EQ(font.bytes, bdfconvs.bytes);
    if (!compared) GTEST_SKIP() << "needs xfonts-base with pcf2bdf, or DejaVu with otf2bdf";
}

// The model's pixels, on a canvas the size of our sample's picture.
struct Canvas {
    uint32_t width, height;
    std::vector<uint8_t> set;
    uint32_t outside = 0;
};

void PutPixel(void* context, int x, int y) {
    Canvas* c = static_cast<Canvas*>(context);
    if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= c->width || static_cast<uint32_t>(y) >= c->height)
        ++c->outside;
    else
        c->set[static_cast<size_t>(y) * c->width + x] = 1;
}

// The sample's lines drawn by the model, one u8g2_DrawUTF8() a line, each
// u8g2_GetMaxCharHeight() below the last, equal our picture.
void ExpectModelDrawsTheSample(const FontGlyphs& glyphs, const U8g2Font& font, const CodePoints& sample,
                               const std::string& what) {
    PixelImage picture;
    SamplePen pen;
    ASSERT_TRUE(DrawSample(glyphs, LayOutU8g2Text(glyphs, sample), &picture, &pen)) << what;
    Canvas canvas{picture.Width(), picture.Height(),
                  std::vector<uint8_t>(static_cast<size_t>(picture.Width()) * picture.Height(), 0)};
    u8g2_model_t model = {};
    u8g2_model_set_font(&model, font.bytes.data());
    model.pixel = PutPixel;
    model.context = &canvas;
    u8g2_model_draw_lines(&model, pen.x, pen.y, sample.data(), sample.size());
    EXPECT_EQ(canvas.outside, 0u) << what;
    size_t differ = 0;
    for (uint32_t row = 0; row < picture.Height(); ++row)
        for (uint32_t col = 0; col < picture.Width(); ++col)
            differ += (picture.Get(col, row) != 0) != (canvas.set[static_cast<size_t>(row) * canvas.width + col] != 0);
    EXPECT_EQ(differ, 0u) << what << ": pixels where the model and our sample differ";
}

TEST(U8g2FontTest, ModelOfU8g2DrawsEveryGlyphAsOurSample) {
    test::ScratchDir dir;
    size_t drawn = 0;
    for (const test::FontAtSize& f : test::FontsAtSizes(dir.File(""), {7, 12, 16, 23})) {
        // Latin-1, and past 0xFF enough glyphs for several jumps.
        const bool japanese = f.file.path.find("ipag") != std::string::npos;
        const std::string set = japanese ? "latin1,kana" : "latin1,0x100-0x24F";
        FontGlyphs glyphs;
        U8g2Font font;
        std::string error;
        const std::string what = f.file.what + std::string(" at ") + std::to_string(f.size);
        ASSERT_TRUE(MakeFont(f.file.path, f.size, set, &glyphs, &font, &error)) << what << ": " << error;
        ExpectModelDrawsTheSample(glyphs, font, DefaultSample(glyphs, glyphs.glyphs.size()), what);
        ++drawn;
    }
    if (!drawn) GTEST_SKIP() << "no font installed";
}

// bdfconv's box of the glyphs: the first glyph's own, then grown to take
// in each glyph and any advance left of it.
TEST(U8g2FontTest, FontBoxIsGrownAsBdfconvGrowsIt) {
    auto glyph = [](uint32_t c, int32_t left, int32_t top, uint32_t w, uint32_t h, int32_t advance) {
        Glyph g;
        g.codePoint = c, g.left = left, g.top = top, g.width = w, g.height = h, g.advance = advance;
        g.coverage.assign(static_cast<size_t>(w) * h, 255);
        return g;
    };
    struct Case {
        std::vector<Glyph> glyphs;
        U8g2Box box;
    } cases[] = {
        {{glyph('A', 2, 5, 3, 5, 1)}, {2, 0, 3, 5}},                              // the first: its advance not counted
        {{glyph('A', 2, 5, 3, 5, 1), glyph('B', 3, 4, 2, 6, 1)}, {1, -2, 4, 7}},  // B's advance of 1 is left of both
        {{glyph(' ', 9, 8, 0, 0, 4), glyph('A', 1, 5, 3, 5, 5)}, {1, 0, 8, 8}},   // a blank glyph stands at its place
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        glyphs.glyphs = c.glyphs;
        U8g2Font font;
        std::string error;
        ASSERT_TRUE(MakeU8g2Font(glyphs, &font, &error)) << error;
        EXPECT_EQ(font.max.x, c.box.x);
        EXPECT_EQ(font.max.y, c.box.y);
        EXPECT_EQ(font.max.w, c.box.w);
        EXPECT_EQ(font.max.h, c.box.h);
    }
}

// Of the run widths that make the smallest font, bdfconv's first: unset
// runs of 2 bits before 3, set runs of 2 before 3. A single pixel packs
// as small in each.
TEST(U8g2FontTest, RunWidthsAreTheFirstOfTheSmallest) {
    FontGlyphs glyphs;
    Glyph dot;
    dot.codePoint = '.', dot.width = 1, dot.height = 1, dot.top = 1, dot.advance = 2, dot.coverage = {255};
    glyphs.glyphs = {dot};
    U8g2Font font;
    std::string error;
    ASSERT_TRUE(MakeU8g2Font(glyphs, &font, &error)) << error;
    EXPECT_EQ(font.bitsZero, 2u);
    EXPECT_EQ(font.bitsOne, 2u);
}

// Each limit, on glyphs made here: the line names the character and the
// limit.
TEST(U8g2FontTest, RefusesWhatU8g2CannotRead) {
    // Full, or speckled so that no run repeats the last and none packs small.
    auto glyph = [](uint32_t c, uint32_t w, uint32_t h, int32_t left, int32_t top, int32_t advance, bool speckled) {
        Glyph g;
        g.codePoint = c, g.width = w, g.height = h, g.left = left, g.top = top, g.advance = advance;
        g.coverage.assign(static_cast<size_t>(w) * h, 255);
        // The speckle is a fixed sequence, the same every run: bit 16 of a
        // linear congruential sequence that starts at 1.
        uint32_t state = 1;
        if (speckled)
            for (uint8_t& v : g.coverage) {
                state = state * 1103515245u + 12345u;
                v = (state >> 16) & 1 ? 255 : 0;
            }
        return g;
    };
    struct Case {
        Glyph glyph;
        const char* refusal;
    };
    const Case cases[] = {
        {glyph(0x10000, 2, 2, 0, 2, 3, false), "is past 0xFFFF: u8g2's character codes are 16-bit"},
        {glyph('A', 256, 2, 0, 2, 3, false), "at most 255 wide and 127 high"},
        {glyph('A', 2, 128, 0, 2, 3, false), "at most 255 wide and 127 high"},
        {glyph('A', 2, 2, -129, 2, 3, false), "-128 to 127"},
        {glyph('A', 2, 2, 0, 200, 3, false), "-128 to 127"},
        {glyph('A', 2, 2, 0, 2, 128, false), "-128 to 127"},
        {glyph('A', 40, 40, 0, 40, 41, true), "at most 255"},
    };
    for (const Case& c : cases) {
        FontGlyphs glyphs;
        glyphs.glyphs = {c.glyph};
        U8g2Font font;
        std::string error;
        EXPECT_FALSE(MakeU8g2Font(glyphs, &font, &error)) << c.refusal;
        EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
    }
    // Together two glyphs span more than a byte holds.
    FontGlyphs wide;
    wide.glyphs = {glyph('A', 2, 2, -120, 2, 3, false), glyph('B', 200, 2, 0, 2, 3, false)};
    U8g2Font font;
    std::string error;
    EXPECT_FALSE(MakeU8g2Font(wide, &font, &error));
    EXPECT_NE(error.find("at most 255 x 255"), std::string::npos) << error;
    // Just inside each limit the font is made, and the model draws it.
    FontGlyphs edge;
    edge.glyphs = {glyph(' ', 0, 0, 0, 127, 127, false), glyph('A', 127, 127, -128, 120, -128, false),
                   glyph(0xFFFD, 127, 1, 0, -7, 1, false)};
    ASSERT_TRUE(MakeU8g2Font(edge, &font, &error)) << error;
    EXPECT_EQ(font.max.w, 255);
    ExpectModelDrawsTheSample(edge, font, {'A', ' ', 0xFFFE, '\n', 0xFFFD}, "the glyphs at the limits");
}

#if !defined(_WIN32)
// The header compiled from two files with the warnings on; one draws the
// sample from the font's own array with the model of u8g2's reading code.
TEST(U8g2FontTest, HeaderCompilesFromTwoFilesAndItsArrayDrawsTheSample) {
    if (!std::filesystem::exists(test::kDejaVuSans) || std::string(QG_C_COMPILER).empty())
        GTEST_SKIP() << "needs DejaVu and a C compiler";
    test::ScratchDir dir;
    FontGlyphs glyphs;
    ASSERT_TRUE(test::GatherFrom(test::kDejaVuSans, 11, "0x20-0x7E,0xE9,0x410-0x44F", Measuring(), &glyphs));
    std::string error, text, note;
    ASSERT_TRUE(FontFormOf(FontFormat::U8g2)->write(glyphs, "sans11", "DejaVu Sans at 11", {}, &text, &note, &error));
    EXPECT_EQ(note, "");
    std::ofstream(dir.File("sans11.h")) << text;
    const CodePoints sample = {'Q', 'u', 'i', 'l', 'l', ',', ' ', 0xE9, '\n', 0x416, 'g', 0x44F, '!', '~'};
    PixelImage picture;
    SamplePen pen;
    ASSERT_TRUE(DrawSample(glyphs, LayOutU8g2Text(glyphs, sample), &picture, &pen));
    std::string text32;
    for (uint32_t c : sample) text32 += std::to_string(c) + ",";
    const std::string h = std::to_string(picture.Height()), w = std::to_string(picture.Width());
    // clang-format off
    const std::string mainC =
        "#include <stdio.h>\n#include \"sans11.h\"\n#include \"tests/fonts/u8g2_model.h\"\n"
        "static char canvas[" + h + "][" + w + " + 1];\n"
        "static void pixel(void* context, int x, int y) {\n"
        "    (void)context;\n"
        "    if (y >= 0 && y < " + h + " && x >= 0 && x < " + w + ") canvas[y][x] = '#';\n}\n"
        "int main(void) {\n"
        "    static const uint32_t text[] = {" + text32 + "};\n"
        "    u8g2_model_t u;\n"
        "    int row, col;\n"
        "    for (row = 0; row < " + h + "; row++)\n"
        "        for (col = 0; col < " + w + "; col++) canvas[row][col] = '.';\n"
        "    u8g2_model_set_font(&u, sans11);\n"
        "    u.pixel = pixel;\n"
        "    u.context = 0;\n"
        "    u8g2_model_draw_lines(&u, " + std::to_string(pen.x) + ", " + std::to_string(pen.y) +
        ", text, sizeof text / sizeof text[0]);\n"
        "    for (row = 0; row < " + h + "; row++) puts(canvas[row]);\n"
        "    return 0;\n}\n";
    // clang-format on
    std::ofstream(dir.File("main.c")) << mainC;
    std::ofstream(dir.File("other.c")) << "#include \"sans11.h\"\nconst uint8_t* other(void) { return sans11; }\n";
    const std::string stubs = std::string(QG_SOURCE_DIR) + "/tests/cli/stubs/arduino";
    const std::string q = "'";
    const std::string includes = " -I " + q + stubs + q + " -I " + q + QG_SOURCE_DIR + q;
    std::string expected;
    for (uint32_t row = 0; row < picture.Height(); ++row) {
        for (uint32_t col = 0; col < picture.Width(); ++col) expected += picture.Get(col, row) ? '#' : '.';
        expected += "\n";
    }
    for (const char* language : {"-x c -std=c99", "-x c++ -std=c++17", "-x c++ -std=c++20"}) {
        const std::string build = std::string(QG_C_COMPILER) + " " + language + " -Wall -Wextra -Wpedantic -Werror" +
                                  includes + " -o " + q + dir.File("prog") + q + " " + q + dir.File("main.c") + q +
                                  " " + q + dir.File("other.c") + q + " 2>" + q + dir.File("build.log") + q;
        ASSERT_EQ(std::system(build.c_str()), 0) << language << ":\n" << test::ReadText(dir.File("build.log"));
        ASSERT_EQ(std::system((q + dir.File("prog") + q + " > " + q + dir.File("drawn.txt") + q).c_str()), 0);
        EXPECT_EQ(test::ReadText(dir.File("drawn.txt")), expected) << language;
    }
    if (!Found("avr-gcc")) return;  // tools/bootstrap avr installs it
    const std::string avr = "avr-gcc -mmcu=atmega328p -Os -std=c99 -Wall -Wextra -Wpedantic -Werror" + includes +
                            " -c -o " + q + dir.File("other.o") + q + " " + q + dir.File("other.c") + q + " 2>" + q +
                            dir.File("avr.log") + q;
    EXPECT_EQ(std::system(avr.c_str()), 0) << test::ReadText(dir.File("avr.log"));
}
#endif

}  // namespace
