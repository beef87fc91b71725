// Colour displays: each colour preset's bytes, read by a model of the
// driver or library that reads them, show the picture --png shows; direct
// colour reads back exactly, through --read-array and through the C
// reading loops of Adafruit GFX and TFT_eSPI; LVGL's colour forms compile
// and read back; the mistakes a command can make with colour.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>

#include "image/image_decoder.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

using test::CliTest;
using test::With;

// A colourful RGBA PNG: waves of colour, the pure inks in bands, and a
// transparent corner.
test::Bytes ColourPhoto(uint32_t width, uint32_t height) {
    static const uint32_t kInks[] = {0x000000, 0xFFFFFF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x0000FF, 0xFF8000};
    std::vector<uint32_t> samples;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t rgb = ((x * 255 / width) << 16) | (((y * 255 / height + x) % 256) << 8) | ((x * y / 4 + 60) % 256);
            if (y < height / 4) rgb = kInks[x * 7 / width];
            const uint32_t alpha = x < width / 8 && y > height * 3 / 4 ? x * 255 / (width / 8) : 255;
            samples.insert(samples.end(), {rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF, alpha});
        }
    }
    return test::Png(width, height, 6, 8, samples);
}

#ifndef _WIN32
// Pixels as "RRGGBBAA" words, a line a row: what the models print.
std::string HexOfPixels(const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t channels) {
    std::string text;
    char word[16];
    for (uint32_t y = 0; y < height; ++y, text += '\n') {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * channels;
            std::snprintf(word, sizeof word, "%02X%02X%02X%02X ", p[0], p[channels >= 3 ? 1 : 0],
                          p[channels >= 3 ? 2 : 0], channels % 2 == 0 ? p[channels - 1] : 255);
            text += word;
        }
    }
    return text;
}

// The first line where two pictures in that text differ, for a short
// failure message; "" when they are the same.
std::string FirstDifference(const std::string& a, const std::string& b) {
    if (a == b) return "";
    size_t line = 0, at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) line += a[at++] == '\n';
    return "they differ from line " + std::to_string(line) + " (of " + std::to_string(a.size()) + " and " +
           std::to_string(b.size()) + " characters): '" + a.substr(at, 40) + "' and '" + b.substr(at, 40) + "'";
}

std::string HexOfPng(const std::string& path) {
    const test::Bytes png = test::ReadBytes(path);
    DecodedImage image;
    std::string why;
    EXPECT_TRUE(DecodeImage(png.data(), png.size(), &image, &why)) << why;
    return HexOfPixels(image.Pixels(), image.Width(), image.Height(), image.Channels());
}

// The reading loops, each printing the colours it reads as RRGGBBAA words.
// The e-paper ones draw every pixel of a row's bytes, as GxEPD2's
// _writeImage sends them (wb = (w + 7) / 8; w = wb * 8; every byte of a
// row, as in GxEPD2_213_B73.cpp and GxEPD2_371_Z03.cpp) and Waveshare's
// drivers do: a row's spare pixels show on the panel.
//   planes W H INK   GxEPD2_3C's two buffers, as drawImage(black, color, ...)
//                    takes them: rows of (W + 7) / 8 bytes, x at 0x80 >> (x % 8),
//                    a clear bit black in the first and the ink in the second
//                    (drawPixel clears them so), red drawn over black
//   packed W H D C0 C1 ...  a buffer of D bits a pixel in rows of
//                    (W * D + 7) / 8 bytes, the first pixel in the high
//                    bits: Waveshare's Paint at Scale 4 ((Color << 6) >>
//                    ((X % 4) * 2)) and 7 ((Color << 4) >> ((X % 2) * 4)),
//                    GxEPD2_4C's drawPixel; value v shows as colour Cv
//   native W H 4 C0 ...  as packed, each value first through GxEPD2's
//                    GxEPD2_730c_GDEP073E01::_convert_to_native (0 black
//                    0, 1 white 1, 2 green 6, 3 blue 5, 4 red 3, 5 yellow 2,
//                    6 orange 4, 7 white 7), Cn the panel's colour n
//   rgb565 W H       Adafruit GFX drawRGBBitmap's bitmap[j * w + i], 16-bit
//                    values read little-endian from the file
//   wire565 W H      the same values sent by TFT_eSPI pushImage with
//                    setSwapBytes(false): tft_Write_16S puts the low byte on
//                    the wire first, and the panel reads the wire big-endian
const char kModels[] =
    "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>\n"
    "static void put(unsigned rgb, unsigned a) { printf(\"%06X%02X \", rgb, a); }\n"
    "static unsigned widen(unsigned v, unsigned bits) {\n"
    "    unsigned wide = 0; int s;\n"
    "    for (s = 8 - (int)bits; s > -(int)bits; s -= (int)bits) wide |= s >= 0 ? v << s : v >> -s;\n"
    "    return wide & 255;\n"
    "}\n"
    "static unsigned rgb565(unsigned c) {\n"
    "    return widen(c >> 11, 5) << 16 | widen(c >> 5 & 63, 6) << 8 | widen(c & 31, 5);\n"
    "}\n"
    "int main(int argc, char** argv) {\n"
    "    static unsigned char b[1 << 20];\n"
    "    FILE* f = fopen(argv[2], \"rb\");\n"
    "    size_t n = fread(b, 1, sizeof b, f);\n"
    "    int w = atoi(argv[3]), h = atoi(argv[4]), x, y, wb = (w + 7) / 8, shown = w;\n"
    "    (void)n; (void)argc;\n"
    "    if (!strcmp(argv[1], \"planes\")) shown = wb * 8;\n"
    "    static const unsigned native[8] = {0, 1, 6, 5, 3, 2, 4, 7};\n"
    "    int packed = !strcmp(argv[1], \"packed\") || !strcmp(argv[1], \"native\");\n"
    "    if (packed) shown = (w * atoi(argv[5]) + 7) / 8 * 8 / atoi(argv[5]);\n"
    "    for (y = 0; y < h; y++, putchar('\\n'))\n"
    "        for (x = 0; x < shown; x++) {\n"
    "            if (!strcmp(argv[1], \"planes\")) {\n"
    "                int i = x / 8 + y * wb, bit = 0x80 >> (x % 8);\n"
    "                int black = !(b[i] & bit), ink = !(b[wb * h + i] & bit);\n"
    "                put(ink ? (unsigned)strtoul(argv[5], 0, 16) : black ? 0 : 0xFFFFFF, 255);\n"
    "            } else if (packed) {\n"
    "                int d = atoi(argv[5]), bit = x * d;\n"
    "                unsigned v = b[y * ((w * d + 7) / 8) + bit / 8] >> (8 - d - bit % 8) & ((1u << d) - 1);\n"
    "                if (argv[1][0] == 'n') v = native[v & 7];\n"
    "                put((unsigned)strtoul(argv[6 + v], 0, 16), 255);\n"
    "            } else {\n"
    "                const unsigned char* p = b + 2 * (y * w + x);\n"
    "                unsigned value = (unsigned)(p[0] | p[1] << 8);\n"
    "                if (!strcmp(argv[1], \"wire565\")) value = (value & 255) << 8 | value >> 8;\n"
    "                put(rgb565(value), 255);\n"
    "            }\n"
    "        }\n"
    "    return 0;\n"
    "}\n";

class ColourTest : public test::ModelTest {
protected:
    // What --png shows for these options.
    std::string Shown(const std::vector<std::string>& options, const std::string& input) {
        EXPECT_EQ(Run(With(options, {"--png", "-o", dir.File("shown.png"), input})), kExitDone) << err;
        return HexOfPng(dir.File("shown.png"));
    }
    // The picture in its values' own colours, as a library reading the
    // bytes draws it: a BMP's palette (a panel's inks are only the look).
    std::string Values(const std::vector<std::string>& options, const std::string& input) {
        EXPECT_EQ(Run(With(options, {"--bmp", "-o", dir.File("values.bmp"), input})), kExitDone) << err;
        return HexOfPng(dir.File("values.bmp"));
    }
};

// Each e-paper preset's bytes, read by its driver's or library's loop,
// show the picture, and white beside it where a row's last byte has
// spare pixels: the three-colour planes as GxEPD2_3C takes them, the
// packed values of the black-and-white, grey, four-, seven- and six-colour
// panels; at widths that fill whole bytes and widths that do not.
TEST_F(ColourTest, EachPalettePresetReadsBackAsThePicture) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "no C compiler";
    ASSERT_TRUE(BuildModels(kModels));
    const std::string photo = Image(ColourPhoto(400, 170), "photo.png");
    const struct {
        std::vector<std::string> options;
        std::string model;
        uint32_t width, height;
    } cases[] = {
        {{"--preset", "epaper-bwr", "--dither"}, "planes %W %H FF0000", 296, 128},
        {{"--preset", "epaper-bwr", "--dither"}, "planes %W %H FF0000", 13, 20},
        {{"--preset", "epaper-bwy", "--dither=atkinson", "--planes"}, "planes %W %H FFFF00", 104, 212},
        {{"--preset", "epaper-bwy", "--dither=atkinson"}, "planes %W %H FFFF00", 101, 30},
        {{"--preset", "epaper"}, "packed %W %H 1 000000 FFFFFF", 13, 9},
        {{"--preset", "epaper-4grey", "--dither"}, "packed %W %H 2 000000 555555 AAAAAA FFFFFF", 15, 9},
        {{"--preset", "epaper-bwyr", "--dither=bayer"}, "packed %W %H 2 000000 FFFFFF FFFF00 FF0000", 122, 250},
        {{"--preset", "epaper-acep7", "--dither"},
         "packed %W %H 4 000000 FFFFFF 00FF00 0000FF FF0000 FFFF00 FF8000",
         301,
         120},
        {{"--preset", "epaper-spectra6"}, "packed %W %H 4 000000 FFFFFF FFFF00 FF0000 000000 0000FF 00FF00", 200, 99},
        {{"--preset", "epaper-spectra6"}, "packed %W %H 4 000000 FFFFFF FFFF00 FF0000 000000 0000FF 00FF00", 7, 5},
        {{"--preset", "gxepd2-spectra6", "--dither"},
         "native %W %H 4 000000 FFFFFF FFFF00 FF0000 FF00FF 0000FF 00FF00 FF00FF",
         203,
         60},
    };
    for (const auto& c : cases) {
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        const std::vector<std::string> options = With(c.options, {"--size", size});
        ASSERT_EQ(Run(With(options, {"--binary", "-o", dir.File("packed.bin"), photo})), kExitDone) << err;
        std::vector<std::string> shown;
        for (const std::string& o : options)
            if (o != "--planes") shown.push_back(o);
        std::string model = c.model;
        model.replace(model.find("%W"), 2, std::to_string(c.width));
        model.replace(model.find("%H"), 2, std::to_string(c.height));
        model.insert(model.find(' '), " '" + dir.File("packed.bin") + "'");
        // The picture, and white for each spare pixel of a row.
        const uint32_t bits = c.model.rfind("planes", 0) == 0 ? 1 : c.model[c.model.find("%H") + 3] - '0';
        const uint32_t spare = (c.width * bits + 7) / 8 * 8 / bits - c.width;
        std::string expected;
        for (char ch : Values(shown, photo)) {
            if (ch == '\n')
                for (uint32_t i = 0; i < spare; ++i) expected += "FFFFFFFF ";
            expected += ch;
        }
        EXPECT_EQ(FirstDifference(Model(model), expected), "") << c.options[1] << " " << size;
    }
}

// RGB565 in either byte order and as uint16_t values reads back to the
// reduced colours exactly: through --read-array, through Adafruit GFX
// drawRGBBitmap's loop, through TFT_eSPI pushImage's wire; and every
// direct format reads back through --read-array.
TEST_F(ColourTest, DirectColourReadsBackExactly) {
    const std::string photo = Image(ColourPhoto(90, 40), "photo.png");
    const struct {
        std::vector<std::string> options;
        const char* model;  // the model that reads --binary, or null
    } cases[] = {
        {{"--color", "rgb565"}, "rgb565"},
        {{"--color", "rgb565", "--dither"}, "rgb565"},
        {{"--color", "rgb565", "--byte-order", "be", "--dither=bayer"}, nullptr},
        {{"--preset", "adafruit-gfx-rgb565", "--dither=atkinson"}, "rgb565"},
        {{"--preset", "tft-espi"}, "wire565"},
        {{"--preset", "lvgl-rgb565", "--bytes-vertical"}, nullptr},
        {{"--color", "rgb332", "--dither"}, nullptr},
        {{"--color", "rgb888", "--byte-order", "be"}, nullptr},
        {{"--color", "argb8888"}, nullptr},
        {{"--color", "rgb565a8", "--bytes-vertical"}, nullptr},
    };
    const bool models = !std::string(QG_C_COMPILER).empty() && BuildModels(kModels);
    for (const auto& c : cases) {
        const std::string shown = Shown(c.options, photo);
        ASSERT_EQ(Run(With(c.options, {"--binary", "-o", dir.File("packed.bin"), photo})), kExitDone) << err;
        // Read back in the same format and order, without the dither.
        std::vector<std::string> read;
        for (size_t i = 0; i < c.options.size(); ++i) {
            if (c.options[i].rfind("--dither", 0) == 0) continue;
            read.push_back(c.options[i]);
        }
        ASSERT_EQ(Run(With(read, {"--read-array", "90x40", "--binary", "--png", "-o", dir.File("back.png"),
                                  dir.File("packed.bin")})),
                  kExitDone)
            << err;
        EXPECT_EQ(FirstDifference(HexOfPng(dir.File("back.png")), shown), "") << c.options[1];
        if (c.model && models) {
            const std::string read = Model(std::string(c.model) + " '" + dir.File("packed.bin") + "' 90 40");
            EXPECT_EQ(FirstDifference(read, shown), "") << c.options[1];
        }
    }
}

// The C forms of direct colour and of palettes compile as C99 and C++ and,
// walked as their reader walks them, show the picture: uint16_t values as
// drawRGBBitmap reads them, LVGL's RGB565, RGB565A8, RGB888, ARGB8888 and
// the indexed formats with a palette's colours.
TEST_F(ColourTest, ColourCFormsCompileAndReadBack) {
    if (std::string(QG_C_COMPILER).empty() || std::system("command -v c++ >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no C and C++ compilers";
    const std::string photo = Image(ColourPhoto(37, 21), "icon.png");
    const char* const lvglReader =
        "#include <stdio.h>\n#include \"icon.c\"\n"
        "static unsigned widen(unsigned v, unsigned bits) {\n"
        "    unsigned wide = 0; int s;\n"
        "    for (s = 8 - (int)bits; s > -(int)bits; s -= (int)bits) wide |= s >= 0 ? v << s : v >> -s;\n"
        "    return wide & 255;\n"
        "}\n"
        "int main(void) {\n"
        "    const lv_image_dsc_t* d = &icon;\n"
        "    const unsigned char* p = d->data;\n"
        "    unsigned w = d->header.w, h = d->header.h, s = d->header.stride, x, y, bpp = 0, colours = 0;\n"
        "    switch (d->header.cf) {\n"
        "    case LV_COLOR_FORMAT_I1: bpp = 1; colours = 2; break;\n"
        "    case LV_COLOR_FORMAT_I2: bpp = 2; colours = 4; break;\n"
        "    case LV_COLOR_FORMAT_I4: bpp = 4; colours = 16; break;\n"
        "    case LV_COLOR_FORMAT_I8: bpp = 8; colours = 256; break;\n"
        "    case LV_COLOR_FORMAT_RGB565: case LV_COLOR_FORMAT_RGB565A8: bpp = 16; break;\n"
        "    case LV_COLOR_FORMAT_RGB888: bpp = 24; break;\n"
        "    case LV_COLOR_FORMAT_ARGB8888: bpp = 32; break;\n"
        "    default: return 1;\n"
        "    }\n"
        "    if (d->header.magic != LV_IMAGE_HEADER_MAGIC || s != (w * bpp + 7) / 8 ||\n"
        "        d->data_size != colours * 4 + s * h + (d->header.cf == LV_COLOR_FORMAT_RGB565A8 ? w * h : 0))\n"
        "        return 2;\n"
        "    for (y = 0; y < h; y++, putchar('\\n'))\n"
        "        for (x = 0; x < w; x++) {\n"
        "            const unsigned char* q = p + colours * 4 + y * s + x * bpp / 8;\n"
        "            unsigned r, g, b, a = 255, c;\n"
        "            if (colours) {\n"
        "                unsigned v = *q >> (8 - bpp - x * bpp % 8) & ((1u << bpp) - 1);\n"
        "                b = p[v * 4], g = p[v * 4 + 1], r = p[v * 4 + 2], a = p[v * 4 + 3];\n"
        "            } else if (bpp == 16) {\n"
        "                c = (unsigned)(q[0] | q[1] << 8);\n"
        "                r = widen(c >> 11, 5), g = widen(c >> 5 & 63, 6), b = widen(c & 31, 5);\n"
        "                if (d->header.cf == LV_COLOR_FORMAT_RGB565A8) a = p[s * h + y * w + x];\n"
        "            } else {\n"
        "                b = q[0], g = q[1], r = q[2];\n"
        "                if (bpp == 32) a = q[3];\n"
        "            }\n"
        "            printf(\"%02X%02X%02X%02X \", r, g, b, a);\n"
        "        }\n"
        "    return 0;\n"
        "}\n";
    const char* const wordsReader =
        "#include <stdio.h>\n#include \"icon.h\"\n"
        "static unsigned widen(unsigned v, unsigned bits) {\n"
        "    unsigned wide = 0; int s;\n"
        "    for (s = 8 - (int)bits; s > -(int)bits; s -= (int)bits) wide |= s >= 0 ? v << s : v >> -s;\n"
        "    return wide & 255;\n"
        "}\n"
        "/* Adafruit GFX drawRGBBitmap(x, y, bitmap, w, h): bitmap[j * w + i] */\n"
        "int main(void) {\n"
        "    int i, j;\n"
        "    for (j = 0; j < icon_height; j++, putchar('\\n'))\n"
        "        for (i = 0; i < icon_width; i++) {\n"
        "            uint16_t c = icon[j * icon_width + i];\n"
        "            printf(\"%02X%02X%02XFF \", widen(c >> 11, 5), widen(c >> 5 & 63, 6), widen(c & 31, 5));\n"
        "        }\n"
        "    return 0;\n"
        "}\n";
    const struct {
        std::vector<std::string> options;
        const char* file;
        const char* reader;
    } cases[] = {
        {{"--preset", "adafruit-gfx-rgb565", "--c-array", "icon"}, "icon.h", wordsReader},
        {{"--color", "rgb565", "--c-words", "--c-style", "arduino", "--c-array", "icon", "--dither"},
         "icon.h",
         wordsReader},
        {{"--color", "rgb565", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--lvgl-format", "RGB565A8", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--color", "rgb888", "--dither", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--lvgl-format", "ARGB8888", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--palette", "bwr", "--dither", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--palette", "#102030,#FFEEDD", "--lvgl", "icon"}, "icon.c", lvglReader},
        {{"--palette", "acep7", "--dither=bayer", "--lvgl", "icon"}, "icon.c", lvglReader},
    };
    for (const auto& c : cases) {
        std::vector<std::string> shown;
        for (size_t i = 0; i < c.options.size(); ++i) {
            const std::string& o = c.options[i];
            if (o == "--c-array" || o == "--lvgl" || o == "--c-style") {
                ++i;
            } else if (o == "--lvgl-format") {  // RGB565A8 shows as --color rgb565a8
                std::string colour = c.options[++i];
                for (char& letter : colour) letter = static_cast<char>(std::tolower(letter));
                shown.insert(shown.end(), {"--color", colour});
            } else if (o != "--c-words") {
                shown.push_back(o);
            }
        }
        const bool palette = std::find(shown.begin(), shown.end(), "--palette") != shown.end();
        const std::string expected = palette ? Values(shown, photo) : Shown(shown, photo);
        ASSERT_EQ(Run(With(c.options, {"-o", dir.File(c.file), photo})), kExitDone) << err;
        std::ofstream(dir.File("main.c")) << c.reader;
        for (const char* compiler : {"cc -std=c99", "c++ -std=c++17 -x c++"}) {
            const std::string build = std::string(compiler) + " -Wall -Wextra -Wpedantic -Werror -I '" + dir.File("") +
                                      "' -I '" + QG_SOURCE_DIR + "/tests/cli/stubs' -o '" + dir.File("prog") + "' '" +
                                      dir.File("main.c") + "' 2>'" + dir.File("cc.log") + "' && '" + dir.File("prog") +
                                      "' > '" + dir.File("run.txt") + "'";
            EXPECT_EQ(std::system(build.c_str()), 0) << compiler << " " << c.options[1] << "\n"
                                                     << test::ReadText(dir.File("cc.log"));
            EXPECT_EQ(FirstDifference(test::ReadText(dir.File("run.txt")), expected), "")
                << compiler << " " << c.options[1];
        }
    }
}
#endif

// The bytes of each direct format in each order, one pixel at a time, and
// the words of --c-words: red, green, blue and a grey of known values.
TEST_F(CliTest, DirectColourBytesAreTheFormats) {
    const std::string input =
        Image(test::Png(4, 1, 2, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 0x84, 0x82, 0x10}), "four.png");
    const struct {
        std::vector<std::string> options;
        const char* values;
    } cases[] = {
        {{"--color", "rgb565"}, "0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x02, 0x84"},
        {{"--color", "rgb565", "--byte-order", "be"}, "0xF8, 0x00, 0x07, 0xE0, 0x00, 0x1F, 0x84, 0x02"},
        {{"--color", "rgb332"}, "0xE0, 0x1C, 0x03, 0x90"},
        {{"--color", "rgb888"}, "0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x10, 0x82, 0x84"},
        {{"--color", "argb8888", "--byte-order", "be"},
         "0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x84, 0x82, 0x10"},
        {{"--color", "rgb565a8"}, "0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x02, 0x84, 0xFF, 0xFF, 0xFF, 0xFF"},
        // Kept alpha: the margins of an image with alpha are transparent,
        // of one without the background.
        {{"--color", "argb8888", "--size", "6x1", "alpha"},
         "0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0x80, 0xFF, 0x00, 0x00, 0xFF, 0x10, 0x82, "
         "0x84, 0xFF, 0x00, 0x00, 0x00, 0x00"},
        {{"--color", "argb8888", "--size", "5x1", "--background", "black"},
         "0x00, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x10, 0x82, 0x84, 0xFF, 0x00, 0x00, "
         "0x00, 0xFF"},
        {{"--color", "rgb565", "--c-words", "--c-array", "px"}, "0xF800, 0x07E0, 0x001F, 0x8402"},
        {{"--preset", "tft-espi", "--c-array", "px"}, "0x00F8, 0xE007, 0x1F00, 0x0284"},
    };
    const std::string alpha = Image(
        test::Png(4, 1, 6, 8, {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 255, 0x84, 0x82, 0x10, 255}), "alpha.png");
    for (const auto& c : cases) {
        std::vector<std::string> options = c.options;
        const bool withAlpha = options.back() == "alpha";
        if (withAlpha) options.pop_back();
        ASSERT_EQ(Run(With(options, {withAlpha ? alpha : input})), kExitDone) << err;
        std::string values;
        for (size_t at = out.find("0x"); at != std::string::npos; at = out.find("0x", at + 2)) {
            const size_t end = out.find_first_of(",\n ", at);
            values += (values.empty() ? "" : ", ") + out.substr(at, end - at);
        }
        EXPECT_EQ(values, c.values) << c.options[1];
    }
}

// A three-colour panel's planes, each with its own ink bit: the black plane
// marks the black pixels with B and the rest with the other bit, the colour
// plane marks the red ones with C, whichever the two bits are.
TEST_F(CliTest, EachPlaneTakesItsOwnInkBit) {
    const uint32_t values[2][8] = {{0, 1, 2, 0, 2, 1, 1, 0}, {2, 2, 1, 0, 0, 1, 2, 0}};  // black, white, red
    const uint32_t rgb[3] = {0x000000, 0xFFFFFF, 0xFF0000};
    std::vector<uint32_t> samples;
    for (const auto& row : values)
        for (uint32_t v : row) samples.insert(samples.end(), {rgb[v] >> 16, rgb[v] >> 8 & 255, rgb[v] & 255});
    const std::string input = Image(test::Png(8, 2, 2, 8, samples), "three.png");
    for (uint32_t black : {0u, 1u}) {
        for (uint32_t colour : {0u, 1u}) {
            const std::string ink = std::to_string(black) + "," + std::to_string(colour);
            ASSERT_EQ(Run({"--palette", "bwr", "--planes", "--plane-ink", ink, "--bits-horizontal", "--binary", input}),
                      kExitDone)
                << err;
            std::string expected;
            for (uint32_t plane : {0u, 2u}) {
                const uint32_t bit = plane == 0 ? black : colour;
                for (const auto& row : values) {
                    uint32_t byte = 0;
                    for (uint32_t v : row) byte = byte << 1 | (v == plane ? bit : 1 - bit);
                    expected += static_cast<char>(byte);
                }
            }
            EXPECT_EQ(out, expected) << "--plane-ink " << ink;
        }
    }
}

// --lvgl without --lvgl-format: the indexed format of the bits a pixel, by
// the depth or the palette's size, or the colour format's own.
TEST_F(CliTest, LvglFormatByDefault) {
    const std::string input = Image(ColourPhoto(12, 6), "photo.png");
    const struct {
        std::vector<std::string> options;
        const char* format;
    } cases[] = {
        {{}, "I1"},
        {{"--depth", "2"}, "I2"},
        {{"--depth", "4"}, "I4"},
        {{"--depth", "8"}, "I8"},
        {{"--palette", "#000000,#FFFFFF"}, "I1"},
        {{"--palette", "bwr"}, "I2"},
        {{"--palette", "bwyr"}, "I2"},
        {{"--palette", "#000000,#FFFFFF,#FF0000,#00FF00,#0000FF"}, "I4"},
        {{"--palette", "acep7"}, "I4"},
        {{"--palette", "#000000,-,-,-,-,-,-,-,-,-,-,-,-,-,-,-,#FFFFFF"}, "I8"},
        {{"--color", "rgb565"}, "RGB565"},
        {{"--color", "rgb565a8"}, "RGB565A8"},
        {{"--color", "rgb888"}, "RGB888"},
        {{"--color", "argb8888"}, "ARGB8888"},
        {{"--preset", "lvgl-rgb565"}, "RGB565"},
        {{"--preset", "ssd1322"}, "I4"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(With(c.options, {"--lvgl", "img", input})), kExitDone) << c.format << ": " << err;
        EXPECT_NE(out.find(std::string("LV_COLOR_FORMAT_") + c.format + ", "), std::string::npos) << c.format;
    }
}

// A palette's values look like their inks in the pictures of the panel
// (--png, --preview=colour, --info's inks) and stay their own colours
// where a driver or library reads them (--bmp); --ideal-inks shows the
// values' colours. The top row holds black, white and red.
TEST_F(CliTest, APanelsPicturesShowItsInks) {
    const std::string photo = Image(ColourPhoto(7, 8), "photo.png");
    const struct {
        std::vector<std::string> options;
        std::vector<uint32_t> png, bmp;  // black, white, red
        const char* info;                // --info's inks line, or ""
    } cases[] = {
        {{"--palette", "bwr"},
         {0x191E21, 0xE8E8E8, 0xB21318},
         {0x000000, 0xFFFFFF, 0xFF0000},
         "inks: #191E21 #E8E8E8 #B21318\n"},
        {{"--preset", "epaper-acep7", "--dither"},
         {0x191E21, 0xF1F1F1, 0xD20E13},
         {0x000000, 0xFFFFFF, 0xFF0000},
         "inks: #191E21 #F1F1F1 #53A428 #31318F #D20E13 #F3CF11 #B85E1C\n"},
        {{"--palette", "bwr", "--ideal-inks"}, {0x000000, 0xFFFFFF, 0xFF0000}, {0x000000, 0xFFFFFF, 0xFF0000}, ""},
        {{"--palette", "#000000,#FFFFFF=#F0F0E0,#FF0000"},
         {0x000000, 0xF0F0E0, 0xFF0000},
         {0x000000, 0xFFFFFF, 0xFF0000},
         "inks: #000000 #F0F0E0 #FF0000\n"},
    };
    for (const auto& c : cases) {
        for (const char* form : {"--png", "--bmp"}) {
            ASSERT_EQ(Run(With(c.options, {form, "-o", dir.File("shown"), photo})), kExitDone) << err;
            const test::Bytes file = test::ReadBytes(dir.File("shown"));
            DecodedImage image;
            std::string why;
            ASSERT_TRUE(DecodeImage(file.data(), file.size(), &image, &why)) << why;
            for (uint32_t x = 0; x < 3; ++x) {
                const uint8_t* p = image.Pixels() + x * image.Channels();
                const uint32_t wanted = (std::string(form) == "--png" ? c.png : c.bmp)[x];
                EXPECT_EQ(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]), wanted) << c.options[1] << " " << form;
            }
        }
        ASSERT_EQ(Run(With(c.options, {"--preview=colour", photo})), kExitDone) << err;
        char escape[32];
        std::snprintf(escape, sizeof escape, "38;2;%u;%u;%um", c.png[2] >> 16, c.png[2] >> 8 & 0xFF, c.png[2] & 0xFF);
        EXPECT_NE(out.find(escape), std::string::npos) << c.options[1] << " " << out.substr(0, 80);
        ASSERT_EQ(Run(With(c.options, {"--info", photo})), kExitDone) << err;
        const size_t inks = out.find("inks: ");
        EXPECT_EQ(inks == std::string::npos ? "" : out.substr(inks, out.find('\n', inks) + 1 - inks), c.info)
            << c.options[1];
    }
}

TEST_F(CliTest, ColourMistakesAreUsageErrors) {
    const std::string input = Image(test::MonoBmp({"#."}));
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--palette", "#000000,#00000g"}, "--palette: '#00000g' is not a colour"},
        {{"--palette", "#000000,#ffffff,#FFFFFF"}, "--palette: #FFFFFF is given twice"},
        {{"--palette", "#000000"}, "--palette: a palette needs at least two colours"},
        {{"--palette", "bwr,"}, "--palette: 'bwr' is not a colour"},
        {{"--palette", "#000000,,#FFFFFF"}, "--palette: '' is not a colour"},
        {{"--palette", "#000000=#111111,#FFFFFF="}, "--palette: '#FFFFFF=' is not a colour and its ink"},
        {{"--palette", "#000000,-=#FFFFFF,#FFFFFF"}, "--palette: '-=#FFFFFF' is not a colour and its ink"},
        {{"--palette", "#000000=#FF0000=#00FF00,#FFFFFF"}, "--palette: '#000000=#FF0000=#00FF00' is not a colour"},
        {{"--ideal-inks", "--depth", "2"}, "--ideal-inks is for a palette's inks"},
        {{"--serpentine", "--palette", "bwr"}, "--serpentine is for the error diffusions"},
        {{"--serpentine", "--dither=bayer"}, "--serpentine is for the error diffusions"},
        {{"--palette", "rainbow"}, "--palette: unknown palette 'rainbow'; give one of bwr, bwy, bwyr, acep7"},
        {{"--palette", "bwr", "--color", "rgb565"}, "--palette and --color each say"},
        {{"--color", "rgb565", "--depth", "4"}, "--depth sets levels of grey, and --color"},
        {{"--palette", "acep7", "--depth", "2"}, "--palette acep7 has 7 values, 4 bits a pixel, and --depth says 2"},
        {{"--palette", "bwr", "--invert"}, "--invert swaps dark and light;"},
        {{"--preset", "epaper", "--color", "rgb565"}, "--invert swaps dark and light (--preset epaper inverts)"},
        {{"--palette", "bwr", "--threshold", "40%"}, "--threshold decides dark and light at 1 bit"},
        {{"--palette", "bwyr", "--planes"}, "--planes with a palette writes the black plane and the colour plane"},
        {{"--color", "rgb565", "--planes"}, "--planes writes 1-bit planes of grey levels"},
        {{"--palette", "bwr", "--plane-ink", "0,0"}, "--plane-ink goes with --planes and a three-colour palette"},
        {{"--color", "rgb332", "--byte-order", "be"}, "--byte-order orders the bytes of a --color value of 2"},
        {{"--palette", "bwr", "--byte-order", "le"}, "--byte-order orders the bytes"},
        {{"--color", "rgb565", "--c-words"}, "--c-words writes the values of --c-array"},
        {{"--color", "rgb888", "--c-words", "--c-array", "x"}, "--c-words writes uint16_t values of --color rgb565"},
        {{"--color", "rgb332", "--lvgl", "x"}, "LVGL v9 has no RGB332 format"},
        {{"--color", "rgb565", "--byte-order", "be", "--lvgl", "x"}, "--lvgl writes LVGL's values little-endian"},
        {{"--color", "rgb565", "--lvgl-format", "RGB888", "--lvgl", "x"}, "--lvgl-format RGB888 and --color rgb565"},
        {{"--palette", "bwr", "--lvgl-format", "A2", "--lvgl", "x"},
         "--lvgl-format A2 does not hold --palette bwr's values"},
        {{"--palette", "bwr", "--lvgl-format", "I4", "--lvgl", "x"},
         "--lvgl-format I4 does not hold --palette bwr's values; give --lvgl-format I2"},
        {{"--color", "rgb565", "--lvgl-format", "I8", "--lvgl", "x"}, "--lvgl-format I8 and --color rgb565 disagree"},
        {{"--palette", "bwr", "--xbm"}, "--xbm is 1 bit a pixel of black and white"},
        {{"--color", "rgb565", "--c-style", "u8g2", "--c-array", "x"}, "--c-style u8g2 is 1 bit a pixel"},
        {{"--color", "rgb565", "--read-array", "2x2", "--guess-layout"}, "--guess-layout tries the packings"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back(input);
        EXPECT_EQ(Run(args), kExitUsage) << c.says;
        EXPECT_EQ(err.find(std::string("quillgrid-cli: ") + c.says), 0u) << err;
        EXPECT_EQ(out, "");
    }
}

}  // namespace

namespace {

// The tone's adjustments change the picture, not the frame's margins: a
// wide grey picture adjusted in a square frame keeps its white margins,
// in grey levels and in colour alike.
class ToneAdjustTest : public test::CliTest {};

TEST_F(ToneAdjustTest, AdjustmentsLeaveTheFramesMarginsTheBackground) {
    const std::string input = Image(test::Png(20, 4, 0, 8, std::vector<uint32_t>(80, 128)), "wide.png");
    const struct {
        std::vector<std::string> options;
        size_t bytes;     // a pixel's
        uint8_t picture;  // its first byte in the picture
    } cases[] = {
        {{"--depth", "8", "--brightness", "-50"}, 1, 0x00},
        {{"--depth", "8", "--brightness", "50"}, 1, 0xFF},
        {{"--depth", "8", "--gamma", "0.5"}, 1, 0x40},
        {{"--color", "rgb888", "--contrast", "-100"}, 3, 0x80},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"--size", "20x20", "--binary", input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        // A line of bytes is a row: the picture's 4 rows sit in the middle.
        ASSERT_EQ(out.size(), 400u * c.bytes) << err;
        for (size_t i = 0; i < out.size(); ++i) {
            const size_t row = i / (20 * c.bytes);
            if (row < 8 || row >= 12) EXPECT_EQ(static_cast<uint8_t>(out[i]), 0xFF) << c.options[2] << " at " << i;
        }
        EXPECT_NEAR(static_cast<uint8_t>(out[200 * c.bytes]), c.picture, 1) << c.options[2];
    }
}

}  // namespace
