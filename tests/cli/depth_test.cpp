// Grey displays: each preset's bytes read back by a model of the driver or
// library that reads them show the preview's levels; --planes as
// Waveshare's 4-grey driver sends them; every depth back through
// --read-array; the other forms of levels; the mistakes a command can make.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "image/image_decoder.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

using test::CliTest;
using test::With;

// A photograph-like RGB PNG: smooth waves of grey and colour.
test::Bytes Photo(uint32_t width, uint32_t height) {
    std::vector<uint32_t> samples;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            samples.insert(samples.end(),
                           {(x * 255 / width + y * 3) % 256, (y * 255 / height + x) % 256, (x * y / 4 + 60) % 256});
    return test::Png(width, height, 2, 8, samples);
}

#ifndef _WIN32
// The reading loops of the drivers and libraries, each printing the levels
// it reads as the preview's ramp (light to dark), or the bytes it sends:
//   grayoled W H     Adafruit_GrayOLED::drawPixel's buffer at 4 bits:
//                    buffer[x / 2 + y * WIDTH / 2], even x in the high nibble
//   pixmap2 W H      GxEPD2_4G drawGreyPixmap(pixmap, 2, ...): rows of
//                    (w + 3) / 4 bytes, first pixel in bits 7-6, grey >> 6
//   grayscale W H    Adafruit GFX drawGrayscaleBitmap: bitmap[j * w + i]
//   waveshare W H    EPD_4IN2_4GrayDisplay: from a 2-bit buffer the data of
//                    commands 0x10 (white and gray1 set) then 0x13 (white
//                    and gray2 set), eight pixels a byte, first in bit 7
const char kModels[] =
    "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>\n"
    "static void put(unsigned grey) { putchar(\" .:-=+*#%@\"[((255 - grey) * 9 + 127) / 255]); }\n"
    "int main(int argc, char** argv) {\n"
    "    static unsigned char b[1 << 20];\n"
    "    FILE* f = fopen(argv[2], \"rb\");\n"
    "    size_t n = fread(b, 1, sizeof b, f);\n"
    "    int w = atoi(argv[3]), h = atoi(argv[4]), x, y;\n"
    "    (void)n; (void)argc;\n"
    "    if (!strcmp(argv[1], \"grayoled\")) {\n"
    "        for (y = 0; y < h; y++, putchar('\\n'))\n"
    "            for (x = 0; x < w; x++) { unsigned v = b[x / 2 + y * w / 2];\n"
    "                put((x % 2 == 0 ? v >> 4 : v & 15) * 17); }\n"
    "    } else if (!strcmp(argv[1], \"pixmap2\")) {\n"
    "        int byteWidth = (w + 3) / 4; unsigned char byte = 0;\n"
    "        for (y = 0; y < h; y++, putchar('\\n'))\n"
    "            for (x = 0; x < w; x++) { if (x & 3) byte <<= 2; else byte = b[y * byteWidth + x / 4];\n"
    "                put(((byte & 0xC0) >> 6) * 85); }\n"
    "    } else if (!strcmp(argv[1], \"grayscale\")) {\n"
    "        for (y = 0; y < h; y++, putchar('\\n'))\n"
    "            for (x = 0; x < w; x++) put(b[y * w + x]);\n"
    "    } else {\n"
    "        int command, m, i, j, k;\n"
    "        for (command = 0; command < 2; command++)\n"
    "            for (m = 0; m < h; m++)\n"
    "                for (i = 0; i < w / 8; i++) {\n"
    "                    unsigned temp3 = 0;\n"
    "                    for (j = 0; j < 2; j++) {\n"
    "                        unsigned temp1 = b[(m * (w / 8) + i) * 2 + j];\n"
    "                        for (k = 0; k < 4; k++) {\n"
    "                            unsigned temp2 = temp1 & 0xC0;\n"
    "                            int set = temp2 == 0xC0 || (command == 0 ? temp2 == 0x80 : temp2 == 0x40);\n"
    "                            temp3 = temp3 << 1 | (unsigned)set;\n"
    "                            temp1 <<= 2;\n"
    "                        }\n"
    "                    }\n"
    "                    putchar((int)(temp3 & 0xFF));\n"
    "                }\n"
    "    }\n"
    "    return 0;\n"
    "}\n";

class DepthTest : public test::ModelTest {
protected:
    std::string Model(const std::string& model, const std::string& file, uint32_t width, uint32_t height) {
        return ModelTest::Model(model + " '" + file + "' " + std::to_string(width) + " " + std::to_string(height));
    }
};

// The bytes of each grey preset, read by its driver's or library's own
// loop, show what --preview shows: a 256 x 64 SSD1322 buffer among them.
TEST_F(DepthTest, EachPresetReadsBackAsThePreview) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "no C compiler";
    ASSERT_TRUE(BuildModels(kModels));
    const std::string photo = Image(Photo(300, 120), "photo.png");
    const struct {
        std::vector<std::string> options;
        const char* model;
        uint32_t width, height;
    } cases[] = {
        {{"--preset", "ssd1322", "--dither"}, "grayoled", 256, 64},
        {{"--preset", "ssd1327", "--dither=bayer"}, "grayoled", 128, 128},
        {{"--preset", "epaper-4grey", "--dither=atkinson"}, "pixmap2", 61, 30},
        {{"--preset", "adafruit-gfx-grey"}, "grayscale", 50, 20},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> frame = {"--size", std::to_string(c.width) + "x" + std::to_string(c.height)};
        ASSERT_EQ(Run(With(With(c.options, frame), {"--binary", "-o", dir.File("packed.bin"), photo})), kExitDone)
            << err;
        ASSERT_EQ(Run(With(With(c.options, frame), {"--preview=ascii", photo})), kExitDone) << err;
        EXPECT_EQ(Model(c.model, dir.File("packed.bin"), c.width, c.height), out) << c.options[1];
    }
}

// --planes at 2 bits a pixel are the two streams Waveshare's 4-grey driver
// makes of the epaper-4grey buffer: 0x10's, then 0x13's.
TEST_F(DepthTest, PlanesAreWhatWaveshareSends) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "no C compiler";
    ASSERT_TRUE(BuildModels(kModels));
    const std::string photo = Image(Photo(80, 40), "photo.png");
    for (const char* dither : {"--dither", "--dither=none"}) {
        ASSERT_EQ(Run({"--preset", "epaper-4grey", dither, "--size", "48x20", "--binary", "-o", dir.File("buffer.bin"),
                       photo}),
                  kExitDone);
        ASSERT_EQ(Run({"--preset", "epaper-4grey", dither, "--size", "48x20", "--planes", "--binary", photo}),
                  kExitDone);
        EXPECT_EQ(Model("waveshare", dir.File("buffer.bin"), 48, 20), out) << dither;
    }
}
#endif

// Every depth, in all sixteen layouts and widths around the multiples of
// 8 / depth: packed, then read back, gives the image (its preview); read
// then packed gives the bytes.
TEST_F(CliTest, EveryDepthAndLayoutReadsBack) {
    const std::string photo = Image(Photo(40, 30), "photo.png");
    for (const char* depth : {"2", "4", "8"}) {
        for (const char* size : {"7x5", "8x3", "9x9"}) {
            ASSERT_EQ(Run({"--depth", depth, "--size", size, "--dither", "--preview=ascii", photo}), kExitDone) << err;
            const std::string picture = out;
            for (const std::vector<std::string>& layout : test::AllLayouts()) {
                const std::vector<std::string> packing = With({"--depth", depth}, layout);
                ASSERT_EQ(Run(With(packing, {"--size", size, "--dither", "-o", dir.File("packed.txt"), photo})),
                          kExitDone);
                const std::string packed = test::ReadText(dir.File("packed.txt"));
                ASSERT_EQ(Run(With(packing, {"--read-array", size, "--preview=ascii", dir.File("packed.txt")})),
                          kExitDone)
                    << err;
                EXPECT_EQ(out, picture) << depth << " bits, " << size << ", " << layout[0] << layout[1] << layout[2]
                                        << layout[3];
                ASSERT_EQ(Run(With(packing, {"--read-array", size, dir.File("packed.txt")})), kExitDone);
                EXPECT_EQ(out, packed) << depth << " bits, " << size;
            }
        }
    }
}

// The forms that show the image: the PNG decodes to the levels' greys, the
// BMP has their palette, --info tells the depth, the colour preview draws
// the greys, and --invert turns the levels round.
TEST_F(CliTest, LevelsShowAsTheirGreys) {
    // A 4 x 2 ramp: 0, 85, 170, 255 above 255, 170, 85, 0.
    const std::string ramp = Image(test::Png(4, 2, 0, 8, {0, 85, 170, 255, 255, 170, 85, 0}), "ramp.png");
    ASSERT_EQ(Run({"--depth", "2", "--png", "-o", dir.File("ramp-out.png"), ramp}), kExitDone) << err;
    const test::Bytes png = test::ReadBytes(dir.File("ramp-out.png"));
    DecodedImage decoded;
    std::string why;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), &decoded, &why)) << why;
    ASSERT_EQ(decoded.Channels(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(decoded.Pixels(), decoded.Pixels() + 8),
              std::vector<uint8_t>({0, 85, 170, 255, 255, 170, 85, 0}));

    ASSERT_EQ(Run({"--depth", "2", "--bmp", "-o", dir.File("ramp.bmp"), ramp}), kExitDone);
    const test::Bytes bmp = test::ReadBytes(dir.File("ramp.bmp"));
    ASSERT_TRUE(DecodeImage(bmp.data(), bmp.size(), &decoded, &why)) << why;
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(decoded.Pixels()[i * decoded.Channels()], i < 4 ? i * 85 : (7 - i) * 85);

    ASSERT_EQ(Run({"--depth", "2", "--info", ramp}), kExitDone);
    EXPECT_NE(out.find("depth: 2\npixels a byte: 4\nstride: 1\nlevels: 4 (0 black to 3 white)\n"), std::string::npos)
        << out;

    const struct {
        std::vector<std::string> args;
        const char* shown;
    } cases[] = {
        {{"--depth", "2", "--preview=ascii"}, "@*- \n -*@\n"},
        {{"--depth", "2", "--invert", "--preview=ascii"}, " -*@\n@*- \n"},
        {{"--depth", "8", "--preview=ascii"}, "@*- \n -*@\n"},
        // Upper halves in the foreground, lower in the background; a colour
        // is written where it changes.
        {{"--depth", "2", "--preview=colour"},
         "\x1b[38;2;0;0;0m\x1b[48;2;255;255;255m\xE2\x96\x80\x1b[38;2;85;85;85m\x1b[48;2;170;170;170m\xE2\x96\x80"
         "\x1b[38;2;170;170;170m\x1b[48;2;85;85;85m\xE2\x96\x80\x1b[38;2;255;255;255m\x1b[48;2;0;0;0m\xE2\x96\x80"
         "\x1b[0m\n"},
        // Not a terminal: the ramp.
        {{"--depth", "2", "--preview"}, "@*- \n -*@\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run(With(c.args, {ramp})), kExitDone) << err;
        EXPECT_EQ(out, c.shown) << c.args.back();
    }
    // A colour that stays along the line is not written again: 0 85 85
    // above 255 255 85.
    const std::string steps = Image(test::Png(3, 2, 0, 8, {0, 85, 85, 255, 255, 85}), "steps.png");
    ASSERT_EQ(Run({"--depth", "2", "--preview=colour", steps}), kExitDone);
    EXPECT_EQ(out,
              "\x1b[38;2;0;0;0m\x1b[48;2;255;255;255m\xE2\x96\x80\x1b[38;2;85;85;85m\xE2\x96\x80"
              "\x1b[48;2;85;85;85m\xE2\x96\x80\x1b[0m\n");
    // Inverted, the spare pixels of a row's last byte stay the fill: 3
    // pixels 0 85 170 become 3 2 1, then a spare 0.
    const std::string three = Image(test::Png(3, 1, 0, 8, {0, 85, 170}), "three.png");
    ASSERT_EQ(Run({"--preset", "epaper-4grey", "--invert", three}), kExitDone);
    EXPECT_EQ(out, ", 0xE4\n");
    ASSERT_EQ(Run({"--preset", "epaper-4grey", "--invert", "--fill-one", three}), kExitDone);
    EXPECT_EQ(out, ", 0xE7\n");
}

// Bayer's order at every depth is the classic 8 x 8 map, as at one bit: a
// grey a little past level 0 lifts the places of rank 0, 1 and 2 first.
TEST_F(CliTest, BayerLiftsTheMapsFirstPlaces) {
    const std::string flat = Image(test::Png(8, 8, 0, 8, std::vector<uint32_t>(64, 4)), "flat.png");
    ASSERT_EQ(Run({"--depth", "2", "--dither=bayer", "--preview=ascii", flat}), kExitDone) << err;
    std::string expected;
    for (uint32_t y = 0; y < 8; ++y) {
        for (uint32_t x = 0; x < 8; ++x)
            expected += (x == 0 && y == 0) || (x == 4 && y == 4) || (x == 4 && y == 0) ? '*' : '@';
        expected += '\n';
    }
    EXPECT_EQ(out, expected);
}

// Each mistake is one line that names the option, before anything runs.
TEST_F(CliTest, DepthMistakesAreUsageErrors) {
    const std::string input = Image(test::MonoBmp({"#."}));
    const struct {
        std::vector<std::string> args;
        const char* problem;
    } cases[] = {
        {{"--depth", "3"}, "--depth: '3' is not a depth (bits a pixel): give 1, 2, 4 or 8"},
        {{"--depth", "4", "--xbm"}, "--xbm is 1 bit a pixel"},
        {{"--depth", "2", "--c-style", "u8g2", "--c-array", "x"}, "--c-style u8g2 is 1 bit a pixel"},
        {{"--threshold", "40%", "--depth", "4"}, "--threshold decides dark and light at --depth 1"},
        {{"--lvgl-format", "I4", "--depth", "2", "--lvgl", "x"},
         "--lvgl-format I4 is 4 bits a pixel and --depth says 2"},
        {{"--lvgl-format", "A4"}, "--lvgl-format picks the colour format of --lvgl"},
        {{"--planes"}, "--planes writes the bits of each pixel as 1-bit planes"},
        {{"--planes", "--depth", "2", "--bmp"}, "--planes changes the packed bytes"},
        {{"--preset", "ssd1322", "--xbm"}, "--xbm is 1 bit a pixel"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(With(c.args, {input})), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind(std::string("quillgrid-cli: ") + c.problem, 0), 0u) << err;
        EXPECT_EQ(out, "");
    }
}

}  // namespace
