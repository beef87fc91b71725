// Images that are not 1-bit BMPs: decoded, made 1-bit, shown, refused.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "cli/cli_args.h"
#include "core/mono_bitmap.h"
#include "image/presets.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"
#include "tests/core/scanner_fixture.h"

namespace {

using test::Bytes;
using test::CliTest;
typedef std::vector<uint32_t> Samples;

const char* const kPattern[] = {"#..#", ".##."};

// The pattern's pixels as samples: `dark` for '#', `light` for the others.
Samples Paint(const Samples& dark, const Samples& light) {
    Samples out;
    for (const char* row : kPattern)
        for (const char* c = row; *c; ++c)
            out.insert(out.end(), (*c == '#' ? dark : light).begin(), (*c == '#' ? dark : light).end());
    return out;
}

// Every PNG colour type and depth, with and without alpha, and the other
// formats: the pixels lie far from the threshold, so each format must give
// the pattern. Blue is dark and yellow light by luminance; a transparent
// pixel takes the background.
TEST_F(CliTest, EveryFormatGivesItsDarkPixels) {
    const Bytes palette = {255, 255, 0, 0, 0, 255, 0, 0, 0};  // yellow, blue, black
    struct Case {
        const char* name;
        Bytes file;
        bool alpha;  // light pixels are transparent black
    } cases[] = {
        {"grey 1", test::Png(4, 2, 0, 1, Paint({0}, {1})), false},
        {"grey 2", test::Png(4, 2, 0, 2, Paint({0}, {3})), false},
        {"grey 4", test::Png(4, 2, 0, 4, Paint({1}, {14})), false},
        {"grey 8", test::Png(4, 2, 0, 8, Paint({20}, {230})), false},
        {"grey 16", test::Png(4, 2, 0, 16, Paint({5000}, {60000})), false},
        {"rgb 8", test::Png(4, 2, 2, 8, Paint({0, 0, 255}, {255, 255, 0})), false},
        {"rgb 16", test::Png(4, 2, 2, 16, Paint({0, 0, 65535}, {65535, 65535, 0})), false},
        {"palette 1", test::Png(4, 2, 3, 1, Paint({1}, {0}), palette), false},
        {"palette 2", test::Png(4, 2, 3, 2, Paint({1}, {0}), palette), false},
        {"palette 4", test::Png(4, 2, 3, 4, Paint({1}, {0}), palette), false},
        {"palette 8", test::Png(4, 2, 3, 8, Paint({1}, {0}), palette), false},
        {"palette tRNS", test::Png(4, 2, 3, 8, Paint({1}, {2}), palette, {255, 255, 0}), true},
        {"grey alpha 8", test::Png(4, 2, 4, 8, Paint({0, 255}, {0, 0}), {}), true},
        {"grey alpha 16", test::Png(4, 2, 4, 16, Paint({0, 65535}, {0, 0})), true},
        {"rgba 8", test::Png(4, 2, 6, 8, Paint({0, 0, 255, 255}, {0, 0, 0, 0})), true},
        {"rgba 16", test::Png(4, 2, 6, 16, Paint({0, 0, 65535, 65535}, {0, 0, 0, 0})), true},
        {"bmp 8", test::DeepBmp(4, 2, 8, Paint({1}, {0}), {0, 255, 255, 0, 255, 0, 0, 0}), false},
        {"bmp 24", test::DeepBmp(4, 2, 24, Paint({255, 0, 0}, {0, 255, 255})), false},
        {"bmp 32", test::DeepBmp(4, 2, 32, Paint({255, 0, 0, 0}, {0, 255, 255, 0})), false},
        {"pgm", test::Pnm(4, 2, false, Paint({10}, {240})), false},
        {"ppm", test::Pnm(4, 2, true, Paint({0, 0, 255}, {255, 255, 0})), false},
    };
    for (const Case& c : cases) {
        std::string input = Image(c.file, "in.img");
        ASSERT_EQ(Run({"--preview=ascii", input}), kExitDone) << c.name << ": " << err;
        EXPECT_EQ(out, "#..#\n.##.\n") << c.name;
        ASSERT_EQ(Run({"--preview=ascii", "--background", "black", input}), kExitDone) << c.name;
        EXPECT_EQ(out, c.alpha ? "####\n####\n" : "#..#\n.##.\n") << c.name;
        ASSERT_EQ(Run({"--preview=ascii", "--invert", input}), kExitDone) << c.name;
        EXPECT_EQ(out, ".##.\n#..#\n") << c.name;
    }
}

// A grey ramp from 0 to 255, one level a column: the threshold decides how
// many columns are dark; dithering mid-grey gives about half dark pixels.
TEST_F(CliTest, ThresholdAndDither) {
    Samples ramp;
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 256; ++x) ramp.push_back(x);
    std::string input = Image(test::Png(256, 2, 0, 8, ramp), "ramp.png");
    const struct {
        std::vector<std::string> args;
        size_t dark;  // dark columns
    } levels[] = {{{}, 128},
                  {{"--threshold", "0"}, 0},
                  {{"--threshold=255"}, 255},
                  {{"--threshold", "10%"}, 26},
                  {{"--threshold", "100%"}, 255},
                  {{"--threshold", "64"}, 64}};
    for (const auto& level : levels) {
        std::vector<std::string> args = level.args;
        args.insert(args.begin(), "--preview=ascii");
        args.push_back(input);
        ASSERT_EQ(Run(args), kExitDone) << err;
        EXPECT_EQ(out.substr(0, 257), std::string(level.dark, '#') + std::string(256 - level.dark, '.') + "\n");
    }
    std::string grey = Image(test::Png(64, 64, 0, 8, Samples(64 * 64, 128)), "grey.png");
    ASSERT_EQ(Run({"--preview=ascii", grey}), kExitDone);
    EXPECT_EQ(std::count(out.begin(), out.end(), '#'), 0);
    // Several inputs: each preview under its name, an empty line between.
    ASSERT_EQ(Run({"--preview=ascii", "--threshold=0", input, grey}), kExitDone);
    EXPECT_EQ(out.rfind(input + ":\n" + std::string(256, '.') + "\n", 0), 0u);
    EXPECT_NE(out.find(".\n\n" + grey + ":\n"), std::string::npos);
    ASSERT_EQ(Run({"--preview=ascii", "--dither", grey}), kExitDone);
    long dark = std::count(out.begin(), out.end(), '#');
    EXPECT_GT(dark, 64 * 64 * 45 / 100);
    EXPECT_LT(dark, 64 * 64 * 55 / 100);
}

// Error diffusion on a small image with varied greys: the exact pixels,
// which a change of weight, direction or rounding changes. Checked against
// a separate model of the same integer rules (errors in sixteenths).
TEST_F(CliTest, DitherGivesItsExactPixels) {
    Samples greys;
    for (uint32_t y = 0; y < 6; ++y)
        for (uint32_t x = 0; x < 16; ++x) greys.push_back((x * 15 + y * 37) % 256);
    std::string input = Image(test::Png(16, 6, 0, 8, greys), "varied.png");
    ASSERT_EQ(Run({"--preview=ascii", "--dither", input}), kExitDone) << err;
    EXPECT_EQ(out,
              "######.#.#......\n"
              "###.#.#.#..#...#\n"
              "#.#.#..#.....###\n"
              ".#.#......######\n"
              "#....#..#####.#.\n"
              ".....######.#.#.\n");
}

// An opaque pixel is its own grey, alpha channel or none: at a threshold
// of exactly that grey it is light, one level above it dark. A transparent
// one is the background.
TEST_F(CliTest, OpaquePixelsKeepTheirGreyAtTheThresholdEdge) {
    for (uint32_t grey : {1u, 100u, 127u, 128u, 200u, 254u}) {
        const struct {
            const char* kind;
            Bytes file;
        } forms[] = {
            {"grey", test::Png(1, 1, 0, 8, {grey})},
            {"grey and alpha", test::Png(1, 1, 4, 8, {grey, 255})},
            {"rgba", test::Png(1, 1, 6, 8, {grey, grey, grey, 255})},
            {"grey and alpha 16", test::Png(1, 1, 4, 16, {grey * 257, 65535})},
        };
        for (const auto& form : forms) {
            std::string input = Image(form.file, "edge.png");
            for (uint32_t level : {grey, grey + 1}) {
                for (const char* background : {"white", "black"}) {
                    ASSERT_EQ(Run({"--preview=ascii", "--background", background, "--threshold", std::to_string(level),
                                   input}),
                              kExitDone);
                    EXPECT_EQ(out, level > grey ? "#\n" : ".\n")
                        << form.kind << " " << grey << " at " << level << " over " << background;
                }
            }
        }
    }
    std::string clear = Image(test::Png(1, 1, 4, 8, {0, 0}), "clear.png");
    for (const char* background : {"white", "black"}) {
        for (const char* level : {"1", "255"}) {
            ASSERT_EQ(Run({"--preview=ascii", "--threshold", level, "--background", background, clear}), kExitDone);
            EXPECT_EQ(out, background[0] == 'w' ? ".\n" : "#\n") << level << " over " << background;
        }
    }
}

// The later BMP headers (56, 108, 124 bytes: GIMP writes 124) decode like
// the 40-byte one, rows stored bottom-up or top-down; a BMP cut short is refused wherever its rows need
// padding, and so is one whose pixel data would start inside its headers.
TEST_F(CliTest, BmpHeadersAndRowsAreCheckedInFull) {
    for (uint32_t header : {40u, 56u, 108u, 124u}) {
        for (int bits : {24, 32}) {
            Bytes file = test::DeepBmp(
                4, 2, bits, bits == 24 ? Paint({255, 0, 0}, {0, 255, 255}) : Paint({255, 0, 0, 0}, {0, 255, 255, 0}),
                {}, header);
            Bytes topDown = file;
            test::Put32(topDown, 22, static_cast<uint32_t>(-2));
            const size_t stride = bits / 2, rows = 14 + header;  // 4 pixels of 3 or 4 bytes
            std::swap_ranges(topDown.begin() + rows, topDown.begin() + rows + stride, topDown.begin() + rows + stride);
            for (const Bytes* bmp : {&file, &topDown}) {
                std::string input = Image(*bmp, "v.bmp");
                ASSERT_EQ(Run({"--preview=ascii", input}), kExitDone) << header << ": " << err;
                EXPECT_EQ(out, "#..#\n.##.\n") << header << (bmp == &topDown ? " top-down" : "");
            }
        }
    }
    // 24 bits: 5 pixels are 15 bytes of a 16-byte row.
    const Bytes whole = test::DeepBmp(5, 3, 24, Samples(45, 128));
    Bytes unpadded(whole.begin(), whole.begin() + 54 + 15 * 3);
    Bytes lastRowUnpadded(whole.begin(), whole.end() - 1);
    // An 8-bit V4 file whose offset points into its header: no palette left.
    Bytes inHeaders = test::DeepBmp(4, 2, 8, Paint({1}, {0}), {0, 255, 255, 0, 255, 0, 0, 0}, 108);
    test::Put32(inHeaders, 10, 62);
    // A palette of two entries, and a pixel that takes the third.
    Bytes pastPalette = test::DeepBmp(4, 2, 8, Paint({1}, {2}), {0, 255, 255, 0, 255, 0, 0, 0});
    const struct {
        const char* name;
        Bytes file;
        const char* why;  // null: it converts
    } cases[] = {
        {"whole", whole, nullptr},
        {"rows without their padding", unpadded, "unsupported BMP: the file ends before its last row"},
        {"the last row's padding missing", lastRowUnpadded, "unsupported BMP: the file ends before its last row"},
        {"pixels inside the headers", inHeaders, "unsupported BMP: the pixel data starts inside its headers"},
        {"an index past the palette", pastPalette, "unsupported BMP: a pixel takes colour 2 of a palette of 2"},
    };
    for (const auto& c : cases) {
        std::string input = Image(c.file, "cut.bmp");
        int status = Run({"--preview=ascii", input});
        if (!c.why) {
            EXPECT_EQ(status, kExitDone) << c.name << ": " << err;
        } else {
            EXPECT_EQ(status, kExitRefused) << c.name;
            EXPECT_EQ(err, "quillgrid-cli: " + input + ": " + c.why + "\n") << c.name;
        }
    }
}

// Each preset's bytes, read back the way its library reads them, give the
// image: Adafruit GFX and u8g2 drawBitmap test 0x80 >> (x & 7) of row
// bytes, XBM tests 1 << (x & 7), a page-addressed controller tests bit
// y & 7 of byte x of page y / 8, and e-paper draws a clear bit dark.
TEST_F(CliTest, PresetsReadBackAsTheirLibrariesRead) {
    const uint32_t w = 13, h = 11;
    test::Bytes bmp = test::RandomMonoBmp(w, h, 7);
    std::string input = Image(bmp, "pic.bmp");
    MonoBitmap image;
    ASSERT_TRUE(image.Load(input.c_str()));
    typedef bool (*Reader)(const Bytes&, uint32_t, uint32_t);
    const struct {
        const char* preset;
        Reader dark;
    } presets[] = {
        {"adafruit-gfx",
         [](const Bytes& b, uint32_t x, uint32_t y) { return (b[y * 2 + x / 8] & (0x80 >> (x & 7))) != 0; }},
        {"xbm", [](const Bytes& b, uint32_t x, uint32_t y) { return (b[y * 2 + x / 8] & (1 << (x & 7))) != 0; }},
        {"ssd1306", [](const Bytes& b, uint32_t x, uint32_t y) { return (b[x + (y / 8) * 13] & (1 << (y & 7))) != 0; }},
        {"epaper", [](const Bytes& b, uint32_t x, uint32_t y) { return (b[y * 2 + x / 8] & (0x80 >> (x & 7))) == 0; }},
    };
    for (const auto& p : presets) {
        ASSERT_EQ(Run({"--binary", "--preset", p.preset, "-o", dir.File("out.bin"), input}), kExitDone) << err;
        Bytes bytes = test::ReadBytes(dir.File("out.bin"));
        ASSERT_EQ(bytes.size(), std::string(p.preset) == "ssd1306" ? 13u * 2 : 2u * 11) << p.preset;
        std::string wrong;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x)
                if (p.dark(bytes, x, y) != image.IsDark(x, y))
                    wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        EXPECT_EQ(wrong, "") << p.preset;
        ASSERT_EQ(Run({"--info", "--preset", p.preset, input}), kExitDone);
        EXPECT_NE(out.find(std::string("preset: ") + p.preset + "\n"), std::string::npos) << out;
    }
}

// --preset and --settings each set all four packing options, so only one
// may be given; a single flag overrides either, before or after it.
TEST_F(CliTest, SingleFlagsOverrideAPresetOrSettingsWhereverTheyStand) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    std::string settings = dir.File("tool.dat");
    test::WriteBytes(settings, {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});  // bits horizontal
    const struct {
        std::vector<std::string> args;
        const char* layout;  // null: a usage error
    } cases[] = {
        {{"--preset", "xbm", "--fill-one"}, "lsb first, bits horizontal, bytes horizontal, fill one\n"},
        {{"--fill-one", "--preset", "xbm"}, "lsb first, bits horizontal, bytes horizontal, fill one\n"},
        {{"--msb-first", "--preset", "ssd1306"}, "msb first, bits vertical, bytes horizontal, fill zero\nitems"},
        {{"--no-invert", "--preset", "epaper"},
         "msb first, bits horizontal, bytes horizontal, fill white\npreset: adafruit-gfx"},
        {{"--preset", "epaper", "--no-invert"},
         "msb first, bits horizontal, bytes horizontal, fill white\npreset: adafruit-gfx"},
        {{"--lsb-first", "--settings", settings},
         "lsb first, bits horizontal, bytes horizontal, fill zero\npreset: xbm"},
        {{"--settings", settings, "--lsb-first"},
         "lsb first, bits horizontal, bytes horizontal, fill zero\npreset: xbm"},
        {{"--preset", "xbm", "--preset", "xbm"},
         "lsb first, bits horizontal, bytes horizontal, fill zero\npreset: xbm"},
        {{"--preset", "xbm", "--settings", settings}, nullptr},
        {{"--settings", settings, "--preset", "xbm"}, nullptr},
        {{"--preset", "xbm", "--preset", "ssd1306"}, nullptr},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "--info");
        args.push_back(input);
        std::string named;
        for (const std::string& arg : c.args) named += arg + " ";
        if (!c.layout) {
            EXPECT_EQ(Run(args), kExitUsage) << named;
            EXPECT_NE(err.find("each set all four packing options"), std::string::npos) << named << err;
            continue;
        }
        ASSERT_EQ(Run(args), kExitDone) << named << err;
        EXPECT_NE(out.find(std::string("layout: ") + c.layout), std::string::npos) << named << out;
    }
}

// A refused input says why in one line, and the others go on.
TEST_F(CliTest, RefusalsSayWhy) {
    Bytes png = test::Png(4, 2, 0, 8, Paint({0}, {255}));
    Bytes cut(png.begin(), png.begin() + 40);
    Bytes huge = test::Png(1, 1, 0, 8, {0});
    huge[18] = 0x4E, huge[19] = 0x20, huge[22] = 0x4E, huge[23] = 0x20;  // 20000 x 20000
    Bytes rle4 = test::DeepBmp(4, 2, 8, Paint({1}, {0}), Bytes(8, 0));
    test::Put16(rle4, 28, 4);
    test::Put32(rle4, 30, 2);
    Bytes v3 = test::DeepBmp(4, 2, 24, Paint({0, 0, 0}, {255, 255, 255}));
    test::Put32(v3, 14, 64);
    Bytes shortRows = test::DeepBmp(4, 2, 24, Paint({0, 0, 0}, {255, 255, 255}));
    shortRows.resize(shortRows.size() - 1);
    Bytes shortPgm = test::Pnm(4, 2, false, Paint({0}, {255}));
    shortPgm.pop_back();
    std::filesystem::create_directory(dir.Path("folder"));
    const struct {
        std::string input;
        std::string why;
    } cases[] = {
        {dir.File("none.png"), "cannot open: no such file"},
        {dir.File("folder"), "cannot open: is a folder"},
        {Image(Bytes{'h', 'e', 'l', 'l', 'o'}, "text.png"),
         "not an image this converter reads (PNG, JPEG, WebP, BMP, GIF, PGM or PPM)"},
        {Image(Bytes{'P', '1', '\n', '1', ' ', '1', '\n', '1'}, "a.pbm"),
         "only binary PGM and PPM (P5, P6) are read, not P1"},
        {Image(cut, "cut.png"), "cannot decode this PNG: "},
        {Image(huge, "huge.png"), "cannot decode this PNG: the image is 20000 x 20000 pixels, more than"},
        {Image(rle4, "rle.bmp"), "unsupported BMP: RLE4 compression"},
        {Image(v3, "v3.bmp"), "unsupported BMP: an information header of 64 bytes"},
        {Image(shortRows, "short.bmp"), "unsupported BMP: the file ends before its last row"},
        {Image(shortPgm, "short.pgm"), "unsupported PGM or PPM: the file ends before its last row"},
        {Image(Bytes{'P', '6', '\n', '6', '6', '6', '6', '6', ' ', '2', '7', '8', '3', '\n', '2', '5', '5', '\n'},
               "empty.ppm"),
         "unsupported PGM or PPM: the file ends before its last row"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"-o", dir.File("out.txt"), c.input}), kExitRefused) << c.why;
        EXPECT_EQ(err.rfind("quillgrid-cli: " + c.input + ": " + c.why, 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(std::filesystem::exists(dir.Path("out.txt")));
    }
}

// --bmp writes the 1-bit image; converting that file again gives what the
// input gives, in every layout and for both palette orders.
TEST_F(CliTest, BmpOutputConvertsLikeItsInput) {
    Bytes swapped = test::RandomMonoBmp(37, 21, 5);
    std::swap_ranges(swapped.begin() + 54, swapped.begin() + 58, swapped.begin() + 58);
    const Bytes inputs[] = {test::RandomMonoBmp(37, 21, 5), swapped, test::Png(4, 2, 0, 8, Paint({0}, {255}))};
    for (const Bytes& bytes : inputs) {
        std::string input = Image(bytes, "in.bmp");
        std::string copy = dir.File("copy.bmp");
        ASSERT_EQ(Run({"--bmp", "-o", copy, input}), kExitDone) << err;
        MonoBitmap loaded;
        ASSERT_TRUE(loaded.Load(copy.c_str()));
        EXPECT_EQ(loaded.DarkIndex(), 0);
        for (const auto& layout : test::AllLayouts()) {
            std::vector<std::string> args = layout;
            args.push_back(input);
            ASSERT_EQ(Run(args), kExitDone);
            std::string expected = out;
            args.back() = copy;
            ASSERT_EQ(Run(args), kExitDone);
            EXPECT_EQ(out, expected);
        }
    }
}

// "-" reads standard input: a 1-bit BMP through the Windows program's
// loader, anything else through the decoder.
TEST_F(CliTest, StandardInputIsAnInput) {
    const Bytes inputs[] = {test::RandomMonoBmp(19, 9, 2), test::Png(4, 2, 0, 8, Paint({0}, {255}))};
    for (const Bytes& bytes : inputs) {
        std::string path = Image(bytes, "in.img");
        ASSERT_EQ(Run({"--fill-one", path}), kExitDone);
        std::string expected = out;
        FILE* in = std::fopen(path.c_str(), "rb");
        ASSERT_EQ(RunWithInput({"--fill-one", "-"}, in), kExitDone) << err;
        std::fclose(in);
        EXPECT_EQ(out, expected);
    }
    FILE* empty = std::fopen(Image({}, "empty").c_str(), "rb");
    EXPECT_EQ(RunWithInput({"-"}, empty), kExitRefused);
    std::fclose(empty);
    EXPECT_EQ(
        err,
        "quillgrid-cli: (standard input): not an image this converter reads (PNG, JPEG, WebP, BMP, GIF, PGM or PPM)\n");
}

// Every shared PNG outside the hostile folder decodes and becomes a BMP
// the loader takes; every other shared or regression file is converted or
// refused with one line, never more.
TEST_F(CliTest, SharedAndRegressionFilesConvertOrAreRefusedCleanly) {
    std::filesystem::path png = test::SharedPngDir(), bmp = test::SharedBmpDir();
    std::vector<std::filesystem::path> roots = {std::filesystem::path(QG_SOURCE_DIR) / "tests" / "regressions"};
    if (!png.empty() && !bmp.empty()) roots.insert(roots.end(), {png, bmp});
    size_t decoded = 0, refused = 0;
    for (const std::filesystem::path& root : roots) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            std::string name = entry.path().string(), ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".png" && ext != ".bmp" && ext != ".ppm" && ext != ".pgm"))
                continue;
            const bool mustDecode = root == png && name.find("crashers") == std::string::npos;
            std::string copy = dir.File("copy.bmp");
            int status = Run({"--bmp", "-o", copy, name});
            if (status == kExitDone) {
                ++decoded;
                MonoBitmap loaded;
                EXPECT_TRUE(loaded.Load(copy.c_str())) << name;
            } else {
                ++refused;
                EXPECT_FALSE(mustDecode) << name << ": " << err;
                EXPECT_EQ(status, kExitRefused) << name;
                EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << name << ": " << err;
            }
        }
    }
    if (roots.size() == 1) GTEST_SKIP() << "no shared test files; the regression files passed";
    EXPECT_GT(decoded, 150u);
    EXPECT_GT(refused, 10u);
}

#ifndef _WIN32
// A decoding library's own words never reach the terminal: a file cut
// short, of each kind, gives our line or our picture, and nothing else on
// the process's standard error (libpng printed "libpng error: ..." there).
TEST_F(CliTest, NoLibrarysOwnLineReachesTheUser) {
    for (const char* name : {"picture.png", "progressive.jpg", "lossy.webp", "lossless.webp"}) {
        const test::Bytes whole = test::ReadBytes(std::string(QG_SOURCE_DIR) + "/tests/images/" + name);
        for (size_t keep : {whole.size() / 2, whole.size() - 20}) {
            const std::string cut = Image(test::Bytes(whole.begin(), whole.begin() + keep), name);
            std::fflush(stderr);
            const int saved = dup(2);
            const int caught = open(io.File("fd2").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(caught, 2);
            const int status = Run({"--size", "16x8", cut});
            std::fflush(stderr);
            dup2(saved, 2);
            close(saved);
            close(caught);
            EXPECT_EQ(test::ReadText(io.File("fd2")), "") << name << " cut at " << keep;
            if (status != kExitDone) {
                EXPECT_EQ(err.rfind("quillgrid-cli: ", 0), 0u) << err;
            }
        }
    }
}
#endif

}  // namespace
