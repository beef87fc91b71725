// The C forms compile where they are included and draw the image when
// their library's own reading loop walks them: built here with the
// native C and C++ compilers, for an ATmega328P with avr-gcc, and, for
// XBM, read by ImageMagick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

#ifndef _WIN32

namespace {

using test::CliTest;

bool Found(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quote(const std::string& path) { return "'" + path + "'"; }

// The reading loops of the libraries, on an array in plain memory, each
// printing the picture in '#' and '.': Adafruit GFX drawBitmap (rows, bit 7
// first), u8g2 drawXBMP (rows, bit 0 first), LVGL's I1 (a palette, then
// rows, bit 7 first, a pixel dark when its colour is black).
const char kReaders[] =
    "#include <stdio.h>\n"
    "static void put(int dark) { putchar(dark ? '#' : '.'); }\n"
    "static void draw_bitmap(const unsigned char* bitmap, int w, int h) {\n"
    "    int byteWidth = (w + 7) / 8, i, j;\n"
    "    unsigned char b = 0;\n"
    "    for (j = 0; j < h; j++, putchar('\\n'))\n"
    "        for (i = 0; i < w; i++) {\n"
    "            if (i & 7) b <<= 1; else b = bitmap[j * byteWidth + i / 8];\n"
    "            put(b & 0x80);\n"
    "        }\n"
    "}\n"
    "static void draw_xbmp(const unsigned char* bitmap, int w, int h) {\n"
    "    int i, j;\n"
    "    for (j = 0; j < h; j++, putchar('\\n'))\n"
    "        for (i = 0; i < w; i++) put(bitmap[j * ((w + 7) / 8) + i / 8] & (1 << (i & 7)));\n"
    "}\n";

class CFormTest : public CliTest {
protected:
    // Builds `program` (which includes `header`) with `compiler` and runs it;
    // its standard output, or "" with a failure.
    std::string BuildAndRun(const std::string& compiler, const std::string& program, const std::string& flags) {
        std::ofstream(dir.File("main.c")) << program;
        std::string build = compiler + " " + flags + " -Wall -Wextra -Wpedantic -Werror -I " + Quote(dir.File("")) +
                            " -I " + Quote(std::string(QG_SOURCE_DIR) + "/tests/cli/stubs") + " -x " +
                            (compiler == "c++" ? "c++" : "c") + " -o " + Quote(dir.File("prog")) + " " +
                            Quote(dir.File("main.c")) + " 2>" + Quote(dir.File("build.log"));
        if (std::system(build.c_str()) != 0) {
            ADD_FAILURE() << compiler << " " << flags << ":\n" << test::ReadText(dir.File("build.log"));
            return "";
        }
        std::string run = Quote(dir.File("prog")) + " > " + Quote(dir.File("run.txt"));
        EXPECT_EQ(std::system(run.c_str()), 0);
        return test::ReadText(dir.File("run.txt"));
    }

    std::string PreviewOf(const std::string& input) {
        EXPECT_EQ(Run({"--preview=ascii", input}), kExitDone) << err;
        return out;
    }
};

// Each form on its own, its library's loop drawing it, as C99 and as C++.
TEST_F(CFormTest, EachFormDrawsTheImageWhereItsLibraryReadsIt) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    const std::string input = Image(test::RandomMonoBmp(21, 13, 9), "icon.bmp");
    const std::string picture = PreviewOf(input);
    const struct {
        std::vector<std::string> form;
        const char* header;
        const char* draw;
    } cases[] = {
        {{"--c-style", "arduino", "--c-array", "logo"}, "logo.h", "draw_bitmap(logo, logo_width, logo_height);"},
        {{"--c-array", "logo", "--preset", "adafruit-gfx"}, "logo.h", "draw_bitmap(logo, logo_width, logo_height);"},
        // u8g2's examples and #ifdef users take the sizes as macros.
        {{"--c-style", "u8g2", "--c-array", "logo"},
         "logo.h",
         "\n#if !defined(logo_width) || !defined(logo_height)\n#error not macros\n#endif\n"
         "draw_xbmp(logo_bits, logo_width, logo_height);"},
        {{"--xbm=logo"}, "logo.xbm", "draw_xbmp(logo_bits, logo_width, logo_height);"},
        {{"--lvgl", "logo"},
         "logo.c",
         "{ int i, j; const unsigned char* p = logo.data;\n"
         "  if (logo.header.magic != 0x19 || logo.header.cf != 7 || logo.data_size != 8u + logo.header.stride * "
         "logo.header.h) return 1;\n"
         "  for (j = 0; j < (int)logo.header.h; j++, putchar('\\n'))\n"
         "    for (i = 0; i < (int)logo.header.w; i++) {\n"
         "      int index = p[8 + j * logo.header.stride + i / 8] >> (7 - i % 8) & 1;\n"
         "      put(p[index * 4] == 0 && p[index * 4 + 1] == 0 && p[index * 4 + 2] == 0); } }"},
    };
    for (const auto& c : cases) {
        for (bool inverted : {false, true}) {
            std::vector<std::string> args = c.form;
            if (inverted) args.push_back("--invert");
            args.insert(args.end(), {"-o", dir.File(c.header), input});
            ASSERT_EQ(Run(args), kExitDone) << c.form[0] << ": " << err;
            const std::string program = std::string(kReaders) + "#include \"" + c.header +
                                        "\"\nint main(void) {\n(void)draw_bitmap; (void)draw_xbmp;\n" + c.draw +
                                        "\nreturn 0;\n}\n";
            // Inverted, every form shows dark and light swapped on the screen.
            std::string expected = picture;
            if (inverted)
                for (char& p : expected) p = p == '#' ? '.' : p == '.' ? '#' : p;
            // LVGL's descriptor as 9.5 declares it, and as 9.0 to 9.2 do.
            for (const char* lvgl : {"", " -DQG_LVGL_9_2"}) {
                if (*lvgl && c.header != std::string("logo.c")) continue;
                for (const char* standard : {"-std=c99", "-std=c++17", "-std=c++20"})
                    EXPECT_EQ(BuildAndRun(standard[5] == 'c' && standard[6] == '+' ? "c++" : "cc", program,
                                          standard + std::string(lvgl)),
                              expected)
                        << c.form[0] << " " << standard << lvgl << (inverted ? ", inverted" : "");
            }
        }
    }
}

// LVGL's formats of levels: each descriptor, walked by its colour format
// (a palette's grey, L8's grey, an alpha format's coverage as ink), shows
// the preview; as C99, C++17 and C++20, against 9.5's declarations.
TEST_F(CFormTest, EachLvglFormatReadsBackAsThePreview) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    std::vector<uint32_t> samples;
    for (uint32_t i = 0; i < 19 * 7; ++i) samples.insert(samples.end(), {i * 5 % 256, i * 3 % 256, i * 7 % 256});
    const std::string input = Image(test::Png(19, 7, 2, 8, samples), "icon.png");
    const char* const reader =
        "#include <stdio.h>\n#include \"icon.c\"\n"
        "static void put(unsigned grey) { putchar(\" .:-=+*#%@\"[((255 - grey) * 9 + 127) / 255]); }\n"
        "int main(void) {\n"
        "    const lv_image_dsc_t* d = &icon;\n"
        "    const unsigned char* p = d->data;\n"
        "    unsigned bpp = 8, colours = 0, alpha = 0, x, y;\n"
        "    switch (d->header.cf) {\n"
        "    case LV_COLOR_FORMAT_I1: bpp = 1; colours = 2; break;\n"
        "    case LV_COLOR_FORMAT_I2: bpp = 2; colours = 4; break;\n"
        "    case LV_COLOR_FORMAT_I4: bpp = 4; colours = 16; break;\n"
        "    case LV_COLOR_FORMAT_I8: bpp = 8; colours = 256; break;\n"
        "    case LV_COLOR_FORMAT_L8: bpp = 8; break;\n"
        "    case LV_COLOR_FORMAT_A1: bpp = 1; alpha = 1; break;\n"
        "    case LV_COLOR_FORMAT_A2: bpp = 2; alpha = 1; break;\n"
        "    case LV_COLOR_FORMAT_A4: bpp = 4; alpha = 1; break;\n"
        "    case LV_COLOR_FORMAT_A8: bpp = 8; alpha = 1; break;\n"
        "    default: return 1;\n"
        "    }\n"
        "    if (d->header.magic != LV_IMAGE_HEADER_MAGIC || d->header.stride != (d->header.w * bpp + 7) / 8 ||\n"
        "        d->data_size != colours * 4 + d->header.stride * d->header.h) return 2;\n"
        "    for (y = 0; y < d->header.h; y++, putchar('\\n'))\n"
        "        for (x = 0; x < d->header.w; x++) {\n"
        "            unsigned bit = x * bpp, top = (1u << bpp) - 1;\n"
        "            unsigned v = p[colours * 4 + y * d->header.stride + bit / 8] >> (8 - bpp - bit % 8) & top;\n"
        "            put(colours ? p[v * 4] : alpha ? 255 - v * 255 / top : v * 255 / top);\n"
        "        }\n"
        "    return 0;\n"
        "}\n";
    const std::vector<std::vector<std::string>> formats = {
        {"--depth", "2"},
        {"--depth", "4", "--dither"},
        {"--depth", "8"},
        {"--lvgl-format", "I4"},
        {"--lvgl-format", "L8"},
        {"--lvgl-format", "A1"},
        {"--lvgl-format", "A2", "--dither"},
        {"--lvgl-format", "A4"},
        {"--lvgl-format", "A8", "--invert"},
    };
    for (const auto& format : formats) {
        std::vector<std::string> args = format;
        args.insert(args.end(), {"--lvgl", "icon", "-o", dir.File("icon.c"), input});
        ASSERT_EQ(Run(args), kExitDone) << format[1] << ": " << err;
        // The same image shown: an alpha format's coverage, of an image
        // without alpha its darkness, shows as ink, which is the grey image.
        std::vector<std::string> show = format;
        const bool alpha = format[0] == "--lvgl-format" && format[1][0] == 'A';
        if (format[0] == "--lvgl-format") show[0] = "--depth", show[1] = std::string(1, format[1][1]);
        show.insert(show.end(), {"--preview=ascii", input});
        ASSERT_EQ(Run(show), kExitDone) << err;
        std::string expected = out;
        if (alpha && format[1] == "A1")
            for (char& c : expected) c = c == '#' ? '@' : c == '.' ? ' ' : c;
        for (const char* standard : {"-std=c99", "-std=c++17", "-std=c++20"})
            EXPECT_EQ(BuildAndRun(standard[5] == 'c' && standard[6] == '+' ? "c++" : "cc", reader, standard), expected)
                << format[1] << " " << standard;
    }
}

// A compressed descriptor compiles as C99 and C++ against LVGL's
// declarations, and LVGL's decoder, modelled in C, takes its data back to
// the uncompressed image's: the data --lvgl-bin writes. The compressed
// .bin file loads into LVGL's lv_image_header_t with the descriptor's
// fields, and its data decodes alike.
TEST_F(CFormTest, CompressedLvglDescriptorsDecodeInC) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    std::vector<uint32_t> samples;
    for (uint32_t i = 0; i < 21 * 6; ++i) samples.insert(samples.end(), {i % 5 * 60, i / 21 * 40, 90, i % 7 * 40});
    const std::string input = Image(test::Png(21, 6, 6, 8, samples), "icon.png");
    const char* const program =
        "#include <stdio.h>\n#include <string.h>\n#include \"icon.c\"\n"
        "#include \"tests/compress/lvgl_image_model.h\"\n"
        "static unsigned char out[4096];\n"
        "int main(void) {\n"
        "    const lv_image_dsc_t* d = &icon;\n"
        "    unsigned pixel_byte = d->header.cf == LV_COLOR_FORMAT_RGB565A8 ? 2 : d->header.cf == LV_COLOR_FORMAT_I4 ? "
        "1 : 4;\n"
        "    uint32_t n;\n"
        "    if (!(d->header.flags & LV_IMAGE_FLAGS_COMPRESSED)) return 2;\n"
        "    n = model_lvgl_decompress(d->data, d->data_size, pixel_byte, out, sizeof out, NULL, NULL);\n"
        "    if (n == 0) return 3;\n"
        // The file, as lv_bin_decoder.c loads it: the header read into
        // lv_image_header_t, then the rest, the same data.
        "    {\n"
        "        static unsigned char file[4096], again[4096];\n"
        "        lv_image_header_t h;\n"
        "        FILE* f = fopen(BIN_PATH, \"rb\");\n"
        "        size_t size = f ? fread(file, 1, sizeof file, f) : 0;\n"
        "        if (f) fclose(f);\n"
        "        if (size < 12) return 4;\n"
        "        memcpy(&h, file, sizeof h);\n"
        "        if (sizeof h != 12 || h.magic != LV_IMAGE_HEADER_MAGIC || h.cf != d->header.cf ||\n"
        "            h.flags != d->header.flags || h.w != d->header.w || h.h != d->header.h ||\n"
        "            h.stride != d->header.stride) return 5;\n"
        "        if (model_lvgl_decompress(file + 12, (uint32_t)(size - 12), pixel_byte, again, sizeof again, NULL,\n"
        "                                  NULL) != n || memcmp(out, again, n) != 0) return 6;\n"
        "    }\n"
        "    return fwrite(out, 1, n, stdout) != n;\n"
        "}\n";
    for (const char* format : {"I4", "RGB565A8", "ARGB8888"}) {
        ASSERT_EQ(Run({"--lvgl-format", format, "--lvgl-bin", input}), kExitDone) << err;
        const std::string expected = out.substr(12);
        ASSERT_EQ(
            Run({"--lvgl-format", format, "--lvgl", "icon", "--compress", "rle", "-o", dir.File("icon.c"), input}),
            kExitDone)
            << err;
        ASSERT_EQ(Run({"--lvgl-format", format, "--lvgl-bin", "--compress", "rle", "-o", dir.File("icon.bin"), input}),
                  kExitDone)
            << err;
        for (const char* standard : {"-std=c99", "-std=c++17"})
            EXPECT_EQ(BuildAndRun(standard[5] == 'c' && standard[6] == '+' ? "c++" : "cc", program,
                                  standard + std::string(" -I ") + Quote(QG_SOURCE_DIR) + " -DBIN_PATH='\"" +
                                      dir.File("icon.bin") + "\"'"),
                      expected)
                << format << " " << standard;
    }
}

// An LVGL 8 descriptor compiles against LVGL 8.3's declarations at each
// LV_COLOR_DEPTH, and its bytes there are those LVGL 9's formats hold:
// the indexed and alpha formats alike; true colour RGB565 (swapped under
// LV_COLOR_16_SWAP), RGB332 or B, G, R, 0xFF; with alpha ARGB8565 or ARGB8888.
TEST_F(CFormTest, Lvgl8DescriptorsHoldLvgl9sBytesAtEachColourDepth) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    std::vector<uint32_t> samples;
    for (uint32_t i = 0; i < 21 * 6; ++i) samples.insert(samples.end(), {i % 5 * 60, i / 21 * 40, 90, i % 7 * 40});
    const std::string input = Image(test::Png(21, 6, 6, 8, samples), "icon.png");
    auto data = [&](std::vector<std::string> args) {
        args.push_back(input);
        EXPECT_EQ(Run(args), kExitDone) << err;
        return args[args.size() - 2] == "--binary" ? out : out.substr(12);
    };
    auto swapPairs = [](std::string bytes, size_t step) {
        for (size_t i = 0; i + 1 < bytes.size(); i += step) std::swap(bytes[i], bytes[i + 1]);
        return bytes;
    };
    const std::string rgb888 = data({"--color", "rgb888", "--lvgl-bin"});
    std::string bgrx;
    for (size_t i = 0; i < rgb888.size(); i += 3) bgrx += rgb888.substr(i, 3) + '\xFF';
    const std::string argb8888 = data({"--color", "argb8888", "--lvgl-bin"});
    std::string rgb332a;
    for (size_t i = 0; i < argb8888.size(); i += 4) {
        const uint8_t b = argb8888[i], g = argb8888[i + 1], r = argb8888[i + 2];
        rgb332a += static_cast<char>((r >> 5) << 5 | (g >> 5) << 2 | b >> 6);
        rgb332a += argb8888[i + 3];
    }
    const std::string argb8565 = data({"--color", "argb8565", "--lvgl-bin"});
    const struct {
        std::vector<std::string> args;
        int cf;
        std::vector<std::string> expected;  // at LV_COLOR_DEPTH 8, 16, 16 swapped, 32
    } cases[] = {
        {{"--lvgl-format", "I4"}, 9, {data({"--lvgl-format", "I4", "--lvgl-bin"})}},
        {{"--lvgl-format", "A2"}, 12, {data({"--lvgl-format", "A2", "--lvgl-bin"})}},
        {{"--color", "rgb888"},
         4,
         {data({"--color", "rgb332", "--binary"}), data({"--color", "rgb565", "--lvgl-bin"}),
          data({"--lvgl-format", "RGB565_SWAPPED", "--lvgl-bin"}), bgrx}},
        {{"--color", "argb8888"}, 5, {rgb332a, argb8565, swapPairs(argb8565, 3), argb8888}},
    };
    const std::string program =
        "#include <stdio.h>\n#include \"icon.c\"\n"
        "int main(void) {\n"
        "    if (icon.header.always_zero != 0 || icon.header.w != 21 || icon.header.h != 6) return 2;\n"
        "    printf(\"%u:\", (unsigned)icon.header.cf);\n"
        "    return fwrite(icon.data, 1, icon.data_size, stdout) != icon.data_size;\n"
        "}\n";
    const char* const depths[] = {"-DLV_COLOR_DEPTH=8", "-DLV_COLOR_DEPTH=16",
                                  "-DLV_COLOR_DEPTH=16 -DLV_COLOR_16_SWAP=1", "-DLV_COLOR_DEPTH=32"};
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--lvgl", "icon", "--lvgl-version", "8", "-o", dir.File("icon.c"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        for (size_t d = 0; d < 4; ++d) {
            const std::string& expected = c.expected[c.expected.size() == 1 ? 0 : d];
            const std::string flags = std::string(d == 1 ? "-std=c++17 " : "-std=c99 ") + depths[d] + " -I " +
                                      Quote(std::string(QG_SOURCE_DIR) + "/tests/cli/stubs/lvgl8") +
                                      " -DLV_LVGL_H_INCLUDE_SIMPLE";
            EXPECT_EQ(BuildAndRun(d == 1 ? "c++" : "cc", program, flags), std::to_string(c.cf) + ":" + expected)
                << c.args[1] << " " << depths[d];
        }
    }
}

// Ten images into one header: every name distinct, one include guard, and
// the tables lead back to each image's bytes, in input order.
TEST_F(CFormTest, OneHeaderHoldsManyImagesAndTheirTables) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    std::vector<std::string> inputs;
    for (uint32_t i = 0; i < 10; ++i)
        inputs.push_back(
            Image(test::RandomMonoBmp(5 + i * 3, 17 - i, i), ("frame-" + std::to_string(i) + ".bmp").c_str()));
    const struct {
        const char* style;
        const char* array;  // the table's element, as the program names it
    } styles[] = {{"plain", "anim_images[i]"}, {"arduino", "anim_images[i]"}, {"u8g2", "anim_images[i]"}};
    for (const auto& style : styles) {
        std::vector<std::string> args = {"--c-style", style.style, "--c-array", "anim", "-o", dir.File("anim.h")};
        args.insert(args.end(), inputs.begin(), inputs.end());
        ASSERT_EQ(Run(args), kExitDone) << style.style << ": " << err;
        // The bytes of image i: rows for arduino and u8g2, columns in bands for plain.
        const std::string program =
            "#include <stdio.h>\n#include \"anim.h\"\n#include \"anim.h\"\n"
            "int main(void) {\n    int i;\n"
            "    for (i = 0; i < anim_count; i++) {\n"
            "        unsigned w = anim_widths[i], h = anim_heights[i];\n"
            "        unsigned n = " +
            std::string(style.style[0] == 'p' ? "w * ((h + 7) / 8)" : "(w + 7) / 8 * h") +
            ";\n"
            "        if (fwrite(" +
            style.array +
            ", 1, n, stdout) != n) return 1;\n"
            "    }\n    return 0;\n}\n";
        std::string expected;
        for (const std::string& input : inputs) {
            std::vector<std::string> binary = {"--binary", input};
            if (style.style[0] == 'a') binary.insert(binary.begin(), {"--preset", "adafruit-gfx"});
            if (style.style[0] == 'u') binary.insert(binary.begin(), {"--preset", "xbm"});
            ASSERT_EQ(Run(binary), kExitDone);
            expected += out;
        }
        EXPECT_EQ(BuildAndRun("cc", program, "-std=c99"), expected) << style.style;
        EXPECT_EQ(BuildAndRun("c++", program, "-std=c++17"), expected) << style.style;
    }
    // LVGL: a table of descriptors.
    std::vector<std::string> args = {"--lvgl", "anim", "-o", dir.File("anim.c")};
    args.insert(args.end(), inputs.begin(), inputs.end());
    ASSERT_EQ(Run(args), kExitDone) << err;
    const std::string program =
        "#include <stdio.h>\n#include \"anim.c\"\nint main(void) {\n    int i;\n"
        "    for (i = 0; i < anim_count; i++)\n"
        "        if (anim_images[i]->header.w != anim_widths[i] ||\n"
        "            fwrite(anim_images[i]->data + 8, 1, anim_images[i]->data_size - 8, stdout) != "
        "anim_images[i]->data_size - 8)\n"
        "            return 1;\n    return 0;\n}\n";
    std::string expected;
    for (const std::string& input : inputs) {
        ASSERT_EQ(Run({"--binary", "--preset", "adafruit-gfx", input}), kExitDone);
        expected += out;
    }
    EXPECT_EQ(BuildAndRun("cc", program, "-std=c99"), expected);
    EXPECT_EQ(BuildAndRun("c++", program, "-std=c++20"), expected);
}

// Every header the C forms write is included by two C files and two C++
// files of one program, each reading its data, and the program links: no
// object is defined twice.
TEST_F(CFormTest, EveryHeaderIsIncludedFromSeveralFiles) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    const std::string logo = Image(test::RandomMonoBmp(13, 9, 4), "logo.bmp");
    const std::string icon = Image(test::RandomMonoBmp(7, 5, 2), "icon.bmp");
    const std::string anim = std::string(QG_SOURCE_DIR) + "/fuzz/inputs/decode/moving.gif";
    const struct {
        std::vector<std::string> args;
        const char* read;  // an expression each file returns
    } cases[] = {
        {{"--c-array", "logo", logo}, "logo[0]"},
        {{"--c-array", "logo", "--c-style", "arduino", logo}, "logo[1]"},
        {{"--c-array", "logo", "--c-style", "u8g2", logo}, "logo_bits[0]"},
        {{"--xbm=logo", logo}, "logo_bits[0]"},
        {{"--c-array", "logo", "--color", "rgb565", "--c-words", logo}, "logo[0]"},
        {{"--c-array", "anim", anim}, "anim_frames[1][0] + anim_delays[0]"},
        {{"--c-array", "pics", logo, icon}, "pics_images[1][0] + pics_widths[0]"},
        {{"--c-array", "logo", "--preset", "epaper-bwr", logo}, "logo_black[0] + logo_red[sizeof logo_red - 1]"},
        {{"--c-array", "pics", "--preset", "epaper-bwy", logo, icon},
         "pics_images_black[1][0] + pics_images_yellow[0][0] + pics_icon_yellow[0]"},
        {{"--lvgl", "pics", logo, icon}, "pics_images[1]->header.w + pics_widths[0]"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end() - (c.args.back() == icon ? 2 : 1), {"-o", dir.File("image.h")});
        ASSERT_EQ(Run(args), kExitDone) << c.read << ": " << err;
        std::string build;
        for (const char* file : {"a.c", "b.c", "c.cpp", "d.cpp"}) {
            const bool cpp = std::string(file).find("cpp") != std::string::npos;
            std::ofstream(dir.File(file)) << "#include \"image.h\"\n"
                                          << (cpp ? "extern \"C\" " : "") << "int read_" << file[0]
                                          << "(void) { return (int)(" << c.read << "); }\n";
            build += (cpp ? "c++ -std=c++17" : "cc -std=c99") + std::string(" -Wall -Wextra -Werror -c -I ") +
                     Quote(dir.File("")) + " -I " + Quote(std::string(QG_SOURCE_DIR) + "/tests/cli/stubs") + " -o " +
                     Quote(dir.File(std::string(file) + ".o")) + " " + Quote(dir.File(file)) + " 2>>" +
                     Quote(dir.File("build.log")) + " && ";
        }
        std::ofstream(dir.File("main.c")) << "int read_a(void), read_b(void), read_c(void), read_d(void);\n"
                                             "int main(void) { return read_a() == read_b() && read_b() == read_c() "
                                             "&& read_c() == read_d() ? 0 : 1; }\n";
        build += "cc -c -o " + Quote(dir.File("main.o")) + " " + Quote(dir.File("main.c")) + " && c++ -o " +
                 Quote(dir.File("prog"));
        for (const char* object : {"a.c.o", "b.c.o", "c.cpp.o", "d.cpp.o", "main.o"})
            build += " " + Quote(dir.File(object));
        build += " 2>>" + Quote(dir.File("build.log"));
        std::remove(dir.File("build.log").c_str());
        EXPECT_EQ(std::system(build.c_str()), 0) << c.read << ":\n" << test::ReadText(dir.File("build.log"));
        EXPECT_EQ(std::system(Quote(dir.File("prog")).c_str()), 0) << c.read;
    }
}

// The SSD1306 sketch fills Adafruit_SSD1306's buffer with exactly the
// packed bytes: the sketch runs on a stand-in whose display() prints the
// buffer, for a full screen and for a picture smaller than the screen.
TEST_F(CFormTest, TheSsd1306SketchFillsTheDisplaysBuffer) {
    if (!Found("c++")) GTEST_SKIP() << "no C++ compiler";
    const std::string photo = std::string(QG_SOURCE_DIR) + "/tests/images/picture.png";
    const std::string stubs = std::string(QG_SOURCE_DIR) + "/tests/cli/stubs/arduino";
    std::ofstream(dir.File("board.cpp"))
        << "#include <stdio.h>\n#include <Adafruit_SSD1306.h>\n"
           "TwoWire Wire;\nstatic uint8_t screen[128 * 64 / 8];\n"
           "Adafruit_GFX::Adafruit_GFX(int16_t, int16_t) {}\n"
           "int16_t Adafruit_GFX::width(void) const { return 128; }\n"
           "int16_t Adafruit_GFX::height(void) const { return 64; }\n"
           "Adafruit_SSD1306::Adafruit_SSD1306(uint8_t w, uint8_t h, TwoWire*, int8_t, uint32_t, uint32_t)\n"
           "    : Adafruit_GFX(w, h) {}\n"
           "bool Adafruit_SSD1306::begin(uint8_t, uint8_t, bool, bool) { return true; }\n"
           "uint8_t* Adafruit_SSD1306::getBuffer(void) { return screen; }\n"
           "void Adafruit_SSD1306::display(void) {\n"
           "    for (unsigned i = 0; i < sizeof screen; i++) putchar(\"0123456789ABCDEF\"[screen[i] >> 4]),\n"
           "        putchar(\"0123456789ABCDEF\"[screen[i] & 15]);\n}\n"
           "void setup();\nint main() { setup(); return 0; }\n";
    for (const char* size : {"128x64", "13x9"}) {
        ASSERT_EQ(Run({"--preset", "ssd1306", "--size", size, "--c-array", "logo", "--example", "-o",
                       dir.File("logo.h"), photo}),
                  kExitDone)
            << err;
        ASSERT_EQ(Run({"--preset", "ssd1306", "--size", size, "--binary", "-o", dir.File("logo.bin"), photo}),
                  kExitDone);
        const test::Bytes packed = test::ReadBytes(dir.File("logo.bin"));
        const uint32_t width = std::string(size) == "13x9" ? 13 : 128;
        std::string expected(128 * 64 / 8 * 2, '0');
        for (size_t i = 0; i < packed.size(); ++i) {
            const size_t at = (i / width * 128 + i % width) * 2;
            expected[at] = "0123456789ABCDEF"[packed[i] >> 4];
            expected[at + 1] = "0123456789ABCDEF"[packed[i] & 15];
        }
        const std::string build = "c++ -std=c++17 -Wall -Wextra -Werror -I " + Quote(stubs) + " -I " +
                                  Quote(dir.File("")) + " -x c++ " + Quote(dir.File("logo.ino")) + " -x none " +
                                  Quote(dir.File("board.cpp")) + " -o " + Quote(dir.File("board")) + " 2>" +
                                  Quote(dir.File("build.log")) + " && " + Quote(dir.File("board")) + " > " +
                                  Quote(dir.File("screen.txt"));
        ASSERT_EQ(std::system(build.c_str()), 0) << test::ReadText(dir.File("build.log"));
        EXPECT_EQ(test::ReadText(dir.File("screen.txt")), expected) << size;
    }
}

// The three-colour presets write GxEPD2's two planes as two arrays, each
// with its size, unless --no-planes asks for the values; their ink bits
// may be changed without --planes.
TEST_F(CFormTest, TheThreeColourPresetsWriteTwoArraysUnlessAsked) {
    const std::string photo = Image(test::RandomMonoBmp(13, 9, 4), "photo.bmp");
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> arrays;  // the declarations, in order
    } cases[] = {
        {{"--preset", "epaper-bwr"}, {"x_black[18]", "x_red[18]"}},
        {{"--preset", "epaper-bwy", "--plane-ink", "1,1"}, {"x_black[18]", "x_yellow[18]"}},
        {{"--palette", "#000000,#FFFFFF,#0000FF", "--planes", "--bits-horizontal"}, {"x_black[18]", "x_colour[18]"}},
        {{"--preset", "epaper-bwr", "--no-planes"}, {"x[36]"}},
        {{"--palette", "bwr", "--bits-horizontal"}, {"x[36]"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--c-array", "x", photo});
        ASSERT_EQ(Run(args), kExitDone) << err;
        std::vector<std::string> arrays;
        for (size_t at = out.find("unsigned char "); at != std::string::npos; at = out.find("unsigned char ", at + 1))
            arrays.push_back(out.substr(at + 14, out.find(" = {", at) - at - 14));
        EXPECT_EQ(arrays, c.arrays) << out;
    }
}

// --example writes a sketch for the display's library that compiles
// against the library's declarations (tests/cli/stubs) with the header
// beside it and draws that header's arrays; where no library reads the
// bytes, or there is no header to stand beside, it is a usage error.
TEST_F(CFormTest, EachExampleSketchCompilesAgainstItsLibrary) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    const std::string photo = Image(test::RandomMonoBmp(13, 9, 4), "photo.bmp");
    const std::string stubs = std::string(QG_SOURCE_DIR) + "/tests/cli/stubs";
    const struct {
        std::vector<std::string> args;  // -o and the input follow
        const char* output;
        const char* sketch;  // the file --example writes
        const char* draws;   // a call it makes
    } cases[] = {
        {{"--c-array", "logo", "--c-style", "arduino"},
         "logo.h",
         "logo.ino",
         "drawBitmap(0, 0, logo, logo_width, logo_height, SSD1306_WHITE)"},
        {{"--c-array", "logo", "--preset", "adafruit-gfx"}, "logo.h", "logo.ino", "drawBitmap(0, 0, logo,"},
        {{"--c-array", "logo", "--preset", "ssd1306"},
         "logo.h",
         "logo.ino",
         "buffer[page * display.width() + x] = logo[page * logo_width + x]"},
        {{"--c-array", "logo", "--preset", "ssd1306", "--c-style", "arduino"},
         "logo.h",
         "logo.ino",
         "pgm_read_byte(&logo[page * logo_width + x])"},
        {{"--c-array", "logo", "--c-style", "u8g2"},
         "logo.h",
         "logo.ino",
         "drawXBMP(0, 0, logo_width, logo_height, logo_bits)"},
        {{"--c-array", "photo", "--preset", "epaper-bwr", "--size", "16x8"},
         "photo.h",
         "photo.ino",
         "drawImage(photo_black, photo_red, 0, 0, photo_width, photo_height, false, false, false)"},
        {{"--c-array", "photo", "--preset", "epaper-bwy", "--c-style", "arduino"},
         "photo.h",
         "photo.ino",
         "drawImage(photo_black, photo_yellow, 0, 0, photo_width, photo_height, false, false, true)"},
        {{"--c-array", "photo", "--preset", "tft-espi"}, "photo.h", "photo.ino", "setSwapBytes(false)"},
        {{"--c-array", "photo", "--preset", "adafruit-gfx-rgb565"}, "photo.h", "photo.ino", "setSwapBytes(true)"},
        {{"--lvgl", "photo", "--preset", "lvgl-rgb565"},
         "photo.c",
         "photo_example.c",
         "lv_image_set_src(image, &photo)"},
        {{"--lvgl", "photo", "--example=" + dir.File("shows.c")},
         "photo.c",
         "shows.c",
         "lv_image_set_src(image, &photo)"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        if (args.back().rfind("--example", 0) != 0) args.push_back("--example");
        args.insert(args.end(), {"-o", dir.File(c.output), photo});
        ASSERT_EQ(Run(args), kExitDone) << c.sketch << ": " << err;
        const std::string sketch = test::ReadText(dir.File(c.sketch));
        EXPECT_NE(sketch.find(c.draws), std::string::npos) << sketch;
        const bool lvgl = std::string(c.output).find(".c") != std::string::npos;
        const std::string build =
            lvgl ? "cc -std=c99 -Wall -Wextra -Werror -c -DLV_LVGL_H_INCLUDE_SIMPLE -I " + Quote(stubs + "/lvgl") +
                       " -o " + Quote(dir.File("sketch.o")) + " " + Quote(dir.File(c.sketch))
                 : "c++ -std=c++17 -x c++ -Wall -Wextra -Werror -c -I " + Quote(stubs + "/arduino") + " -I " +
                       Quote(dir.File("")) + " -o " + Quote(dir.File("sketch.o")) + " " + Quote(dir.File(c.sketch));
        EXPECT_EQ(std::system((build + " 2>" + Quote(dir.File("build.log"))).c_str()), 0)
            << c.sketch << ":\n"
            << sketch << test::ReadText(dir.File("build.log"));
    }
    const struct {
        std::vector<std::string> args;
        const char* says;
    } refused[] = {
        {{"--example", "--c-array", "x", photo}, "give --c-array NAME (or --lvgl NAME) and -o FILE"},
        {{"--example", "--binary", "-o", dir.File("x.bin"), photo}, "give --c-array NAME (or --lvgl NAME) and -o FILE"},
        {{"--example", "--c-array", "x", "-o", dir.File("x.h"), photo}, "none of them reads these bytes"},
        {{"--example", "--c-array", "x", "-o", dir.File("x.h"), photo, photo}, "for one image"},
        {{"--example=" + dir.File("x.h"), "--c-array", "x", "--c-style", "arduino", "-o", dir.File("x.h"), photo},
         "would replace the header"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(Run(r.args), kExitUsage) << r.says;
        EXPECT_NE(err.find(r.says), std::string::npos) << err;
    }
}

// The program the README shows: it decodes a compressed array with
// quillgrid_rle.h, four lines at a time, and writes its bytes out.
const char kRleProgram[] =
    "#include <stdio.h>\n#include \"quillgrid_rle.h\"\n#include \"image.h\"\n\n"
    "static void write_lines(void* context, uint16_t first, uint16_t lines, const uint8_t* band) {\n"
    "    (void)context;\n    (void)first;\n    fwrite(band, image_line_bytes, lines, stdout);\n}\n\n"
    "int main(void) {\n    static uint8_t band[4 * image_line_bytes];\n"
    "    return qg_rle_draw(image, sizeof image, QG_RLE_FLASH, band, 4, write_lines, NULL) == 0 ? 0 : 1;\n}\n";

// Compressed arrays, built with quillgrid_rle.h as C99 and C++, decode to
// the bytes --binary writes, in every layout and depth and colour.
TEST_F(CFormTest, CompressedArraysDecodeToTheirBytesWithQuillgridRle) {
    if (!Found("cc") || !Found("c++")) GTEST_SKIP() << "no C and C++ compilers";
    std::vector<uint32_t> samples;
    for (uint32_t i = 0; i < 45 * 30; ++i) {
        const uint32_t x = i % 45, y = i / 45, flat = (x / 9 + y / 6) % 3 == 0;
        samples.insert(samples.end(), {flat ? 200 : x * 5, flat ? 40 : y * 8, 90, x < 30 ? 255 : y * 8});
    }
    const std::string input = Image(test::Png(45, 30, 6, 8, samples), "art.png");
    const std::vector<std::vector<std::string>> cases = {
        {"--preset", "adafruit-gfx"}, {"--preset", "ssd1306"}, {"--depth", "4", "--dither"},
        {"--preset", "tft-espi"},     {"--color", "argb8888"}, {"--color", "rgb565a8"},
        {"--color", "rgb888"},        {"--palette", "acep7"},  {"--depth", "2", "--planes"},
    };
    for (const auto& options : cases) {
        std::vector<std::string> binary = options;
        binary.insert(binary.end(), {"--binary", input});
        ASSERT_EQ(Run(binary), kExitDone) << err;
        const std::string expected = out;
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--c-array", "image", "--compress", "rle", "-o", dir.File("image.h"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        for (const char* standard : {"-std=c99", "-std=c++17"})
            EXPECT_EQ(BuildAndRun(standard[5] == 'c' && standard[6] == '+' ? "c++" : "cc", kRleProgram,
                                  standard + std::string(" -I ") + Quote(std::string(QG_SOURCE_DIR) + "/firmware")),
                      expected)
                << options[0] << " " << options[1] << " " << standard;
    }
}

// The decoder and a compressed array for an ATmega328P: it builds with
// avr-gcc, the array in flash, and the whole program (the decoder, a
// callback, the C runtime) takes at most 2 KiB of flash.
TEST_F(CFormTest, TheDecoderFitsAnAvr) {
    if (!Found("avr-gcc") || !Found("avr-size")) GTEST_SKIP() << "no avr-gcc (gcc-avr, avr-libc)";
    const std::string input = Image(test::RandomMonoBmp(128, 64, 3), "logo.bmp");
    ASSERT_EQ(
        Run({"--c-style", "arduino", "--c-array", "image", "--compress", "rle", "-o", dir.File("image.h"), input}),
        kExitDone)
        << err;
    std::ofstream(dir.File("sketch.c"))
        << "#include \"quillgrid_rle.h\"\n#include \"image.h\"\n"
        << "volatile uint8_t sink;\n"
        << "static void draw(void* c, uint16_t first, uint16_t lines, const uint8_t* band) {\n"
        << "    (void)c; (void)first; sink = band[lines - 1];\n}\n"
        << "int main(void) {\n    static uint8_t band[2 * image_line_bytes];\n"
        << "    return qg_rle_draw(image, sizeof image, QG_RLE_FLASH, band, 2, draw, 0);\n}\n";
    const std::string elf = dir.File("sketch.elf");
    std::string build = "avr-gcc -mmcu=atmega328p -Os -std=c99 -Wall -Wextra -Werror -I " +
                        Quote(std::string(QG_SOURCE_DIR) + "/firmware") + " -I " + Quote(dir.File("")) + " -o " +
                        Quote(elf) + " " + Quote(dir.File("sketch.c")) + " && avr-size -A " + Quote(elf) + " > " +
                        Quote(dir.File("size.txt"));
    ASSERT_EQ(std::system(build.c_str()), 0);
    // .text holds the code and the flash array; the array's own bytes are
    // the header's.
    std::istringstream sections(test::ReadText(dir.File("size.txt")));
    uint64_t text = 0, data = 0;
    for (std::string line; std::getline(sections, line);) {
        std::istringstream words(line);
        std::string name;
        uint64_t size = 0;
        if (!(words >> name >> size)) continue;
        if (name == ".text") text = size;
        if (name == ".data") data = size;
    }
    Run({"--c-style", "arduino", "--c-array", "image", "--compress", "rle", input});
    const uint64_t array = test::ValuesOf(out.substr(out.find("PROGMEM"))).size();
    ASSERT_GT(text, array);
    EXPECT_LE(text - array + data, 2048u) << "the decoder and the C runtime: " << text - array + data << " bytes";
}

// On an ATmega328P itself, simulated by simavr: the decoder reads the
// arrays from flash and its bands, written out through simavr's console,
// are the bytes --binary writes.
TEST_F(CFormTest, OnASimulatedAvrTheDecoderMakesTheBytes) {
    const std::string section = "/usr/include/simavr/avr/avr_mcu_section.h";
    if (!Found("avr-gcc") || !Found("simavr") || !std::ifstream(section))
        GTEST_SKIP() << "no avr-gcc or simavr (tools/bootstrap avr)";
    std::vector<uint32_t> samples;
    for (uint32_t i = 0; i < 40 * 24; ++i) {
        const uint32_t x = i % 40, y = i / 40;
        samples.insert(samples.end(), {(x / 8 + y / 6) % 2 ? 230u : x * 6, y * 10, 60});
    }
    const std::string input = Image(test::Png(40, 24, 2, 8, samples), "art.png");
    // The console takes a character at a time and prints a line at '\r';
    // each byte goes as two hex digits (no table: simavr leaves .data out).
    const char* const program =
        "#include <avr/interrupt.h>\n#include <avr/io.h>\n#include <avr/sleep.h>\n"
        "#include \"avr_mcu_section.h\"\n#include \"quillgrid_rle.h\"\n#include \"image.h\"\n"
        "AVR_MCU(16000000, \"atmega328p\");\nAVR_MCU_SIMAVR_CONSOLE(&GPIOR0);\n"
        "static void digit(uint8_t v) { GPIOR0 = (char)(v < 10 ? '0' + v : 'a' + v - 10); }\n"
        "static void draw(void* c, uint16_t first, uint16_t lines, const uint8_t* band) {\n"
        "    uint16_t i;\n    (void)c;\n    (void)first;\n"
        "    for (i = 0; i < lines * image_line_bytes; i++) { digit(band[i] >> 4); digit(band[i] & 15); }\n"
        "    GPIOR0 = '\\r';\n}\n"
        "int main(void) {\n    static uint8_t band[3 * image_line_bytes];\n"
        "    GPIOR0 = qg_rle_draw(image, sizeof image, QG_RLE_FLASH, band, 3, draw, 0) == 0 ? 'K' : 'E';\n"
        "    GPIOR0 = '\\r';\n    cli();\n    sleep_mode();\n    return 0;\n}\n";
    std::ofstream(dir.File("sim.c")) << program;
    for (const std::vector<std::string>& options :
         std::vector<std::vector<std::string>>{{"--preset", "ssd1306"},
                                               {"--preset", "adafruit-gfx", "--dither"},
                                               {"--preset", "adafruit-gfx-grey"},
                                               {"--preset", "adafruit-gfx-rgb565"}}) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--c-style", "arduino", "--c-array", "image", "--compress", "rle", "-o",
                                 dir.File("image.h"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        std::vector<std::string> binary = options;
        binary.insert(binary.end(), {"--binary", input});
        ASSERT_EQ(Run(binary), kExitDone) << err;
        const std::string expected = out;
        const std::string build = "avr-gcc -mmcu=atmega328p -Os -std=gnu99 -I /usr/include/simavr/avr -I " +
                                  Quote(std::string(QG_SOURCE_DIR) + "/firmware") + " -I " + Quote(dir.File("")) +
                                  " -o " + Quote(dir.File("sim.elf")) + " " + Quote(dir.File("sim.c")) +
                                  " && timeout 60 simavr " + Quote(dir.File("sim.elf")) + " > " +
                                  Quote(dir.File("sim.txt")) + " 2>&1";
        ASSERT_EQ(std::system(build.c_str()), 0) << options[1];
        std::istringstream lines(test::ReadText(dir.File("sim.txt")));
        std::string bytes, outcome;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("O:", 0) != 0) continue;
            if (line == "O:K" || line == "O:E") outcome = line.substr(2);
            for (size_t i = 2; i + 1 < line.size() && line.size() > 3; i += 2)
                bytes += static_cast<char>(std::stoul(line.substr(i, 2), nullptr, 16));
        }
        EXPECT_EQ(outcome, "K") << options[1];
        EXPECT_EQ(bytes, expected) << options[1];
    }
}

// On an AVR the Arduino and u8g2 forms must land in flash, not in the 2 KiB
// of RAM: avr-gcc puts PROGMEM data in a .progmem section.
TEST_F(CFormTest, OnAnAvrTheArraysLandInFlash) {
    if (!Found("avr-gcc") || !Found("avr-objdump")) GTEST_SKIP() << "no avr-gcc (gcc-avr, avr-libc)";
    const std::string input = Image(test::RandomMonoBmp(128, 64, 3), "logo.bmp");
    const struct {
        std::vector<std::string> form;
        const char* symbol;
    } cases[] = {{{"--c-style", "arduino", "--c-array", "logo"}, "logo"},
                 {{"--c-style", "u8g2", "--c-array", "logo"}, "logo_bits"}};
    for (const auto& c : cases) {
        std::vector<std::string> args = c.form;
        args.insert(args.end(), {"-o", dir.File("logo.h"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        std::ofstream(dir.File("sketch.c"))
            << "#include <avr/pgmspace.h>\n#include \"logo.h\"\n"
            << "unsigned char first(unsigned i) { return pgm_read_byte(&" << c.symbol << "[i]); }\n";
        std::string build = "avr-gcc -mmcu=atmega328p -Os -std=c99 -Wall -Werror -c -o " + Quote(dir.File("sketch.o")) +
                            " " + Quote(dir.File("sketch.c")) + " && avr-objdump -t " + Quote(dir.File("sketch.o")) +
                            " > " + Quote(dir.File("symbols.txt"));
        ASSERT_EQ(std::system(build.c_str()), 0) << c.form[1];
        const std::string symbols = test::ReadText(dir.File("symbols.txt"));
        size_t at = symbols.find(" " + std::string(c.symbol) + "\n");
        ASSERT_NE(at, std::string::npos) << symbols;
        const std::string line = symbols.substr(symbols.rfind('\n', at) + 1, at - symbols.rfind('\n', at));
        EXPECT_NE(line.find(".progmem"), std::string::npos) << c.form[1] << ": " << line;
        EXPECT_NE(line.find("00000400"), std::string::npos) << line;  // all 1024 bytes
    }
}

// ImageMagick reads the XBM file as the image.
TEST_F(CFormTest, ImageMagickReadsTheXbmFile) {
    if (!Found("convert")) GTEST_SKIP() << "no ImageMagick";
    const std::string input = Image(test::RandomMonoBmp(21, 13, 5), "icon.bmp");
    ASSERT_EQ(Run({"--xbm", "-o", dir.File("icon.xbm"), input}), kExitDone) << err;
    std::string command =
        "convert " + Quote(dir.File("icon.xbm")) + " -compress none pbm:" + Quote(dir.File("icon.pbm"));
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string pbm = test::ReadText(dir.File("icon.pbm")), picture;
    size_t at = pbm.find("21 13\n");
    ASSERT_NE(at, std::string::npos) << pbm;
    for (size_t i = at + 6; i < pbm.size(); ++i)
        if (pbm[i] == '0' || pbm[i] == '1') picture += pbm[i] == '1' ? '#' : '.';
    std::string expected = PreviewOf(input);
    expected.erase(std::remove(expected.begin(), expected.end(), '\n'), expected.end());
    EXPECT_EQ(picture, expected);
}

// The styles that take one layout refuse another, and names that would
// collide in one header are refused before anything is written.
TEST_F(CFormTest, ConflictsAreUsageErrors) {
    const std::string a = Image(test::MonoBmp({"#."}), "a.bmp"), b = Image(test::MonoBmp({".#"}), "images.bmp");
    const struct {
        std::vector<std::string> args;
        const char* problem;
    } cases[] = {
        {{"--xbm", "--msb-first", a}, "--xbm writes rows with the first pixel in bit 0"},
        {{"--lvgl", "x", "--preset", "ssd1306", a}, "--lvgl writes rows with the first pixel in bit 7"},
        {{"--c-style", "u8g2", "--c-array", "x", "--bits-vertical", a}, "--c-style u8g2 writes rows"},
        {{"--c-style", "arduino", a}, "--c-style picks the flavour of --c-array"},
        {{"--per-line", "8", a}, "--per-line goes with --c-array, --xbm or --lvgl"},
        {{"--per-line", "0", "--c-array", "x", a}, "--per-line: '0' is not a count of values a line"},
        {{"--c-array", "x", "-o", dir.File("x.h"), a, b}, "the header would declare 'x_images' twice"},
        {{"--xbm", "-o", dir.File("x.xbm"), a, b}, "-o names the output of one input"},
        {{"--c-array", "x", "--xbm", a}, "only one of --c-array, --binary, --bmp, --png, --xbm, --lvgl and --lvgl-bin"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind(std::string("quillgrid-cli: ") + c.problem, 0), 0u) << err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.h")));
    // A refused input would leave the header without its image: none is written.
    test::WriteBytes(dir.File("broken.bmp"), {'B', 'M'});
    EXPECT_EQ(Run({"--c-array", "x", "-o", dir.File("x.h"), a, dir.File("broken.bmp")}), kExitRefused);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("x.h")));
}

}  // namespace

#endif
