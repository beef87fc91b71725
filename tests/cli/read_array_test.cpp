// From bytes back to the picture: every form the converter writes reads
// back as the image, in every layout; the layout of unknown bytes is
// guessed; hostile text gets one clear line.
#include <gtest/gtest.h>

#include <sstream>

#include "core/level_grid.h"
#include "core/mono_bitmap.h"
#include "forms/layout_guess.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

using test::CliTest;
using test::With;

// Pack then read gives the image; read then pack gives the bytes, for
// every layout and fill, shapes around multiples of 8, and each form.
TEST_F(CliTest, EveryFormReadsBackInEveryLayout) {
    const std::pair<uint32_t, uint32_t> shapes[] = {{7, 9}, {8, 8}, {9, 17}, {16, 7}, {17, 16}};
    for (auto shape : shapes) {
        const std::string input =
            Image(test::RandomMonoBmp(shape.first, shape.second, shape.first * shape.second), "in.bmp");
        const std::string size = std::to_string(shape.first) + "x" + std::to_string(shape.second);
        ASSERT_EQ(Run({"--preview=ascii", input}), kExitDone);
        const std::string picture = out;
        for (const auto& layout : test::AllLayouts()) {
            const struct {
                std::vector<std::string> write, read;
            } forms[] = {
                {{}, {}},
                {{"--c-array", "img", "--per-line", "5"}, {}},
                {{"--binary"}, {"--binary"}},
            };
            std::string text;
            for (const auto& form : forms) {
                ASSERT_EQ(Run(With(With(layout, form.write), {"-o", dir.File("packed"), input})), kExitDone) << err;
                if (form.write.empty()) text = test::ReadText(dir.File("packed"));
                std::vector<std::string> read =
                    With(With(layout, form.read), {"--read-array", size, dir.File("packed")});
                ASSERT_EQ(Run(With(read, {"--preview=ascii"})), kExitDone)
                    << size << " " << layout[0] << layout[1] << layout[2] << ": " << err;
                EXPECT_EQ(out, picture) << size << " " << layout[0] << layout[1] << layout[2] << layout[3];
                ASSERT_EQ(Run(read), kExitDone);
                EXPECT_EQ(out, text) << size << " " << layout[0] << layout[1] << layout[2] << layout[3];
            }
        }
        // An XBM file reads back in its own layout; --read-layout reads one
        // layout and writes another.
        ASSERT_EQ(Run({"--xbm", "-o", dir.File("in.xbm"), input}), kExitDone);
        ASSERT_EQ(Run({"--read-array", size, "--preset", "xbm", "--preview=ascii", dir.File("in.xbm")}), kExitDone)
            << err;
        EXPECT_EQ(out, picture) << size;
        ASSERT_EQ(Run({"--preset", "ssd1306", input}), kExitDone);
        const std::string ssd1306 = out;
        ASSERT_EQ(Run({"--read-array", size, "--read-layout", "xbm", "--preset", "ssd1306", dir.File("in.xbm")}),
                  kExitDone);
        EXPECT_EQ(out, ssd1306) << size;
        ASSERT_EQ(Run({"--read-array", size, "--read-layout", "lsb-first,bits-horizontal", "--preset", "ssd1306",
                       dir.File("in.xbm")}),
                  kExitDone);
        EXPECT_EQ(out, ssd1306) << size;
    }
}

// The samples' bytes, in each of the sixteen layouts, read back as the samples.
TEST_F(CliTest, TheSamplesReadBackInEveryLayout) {
    const std::string samples = std::string(QG_SOURCE_DIR) + "/samples/";
    for (const char* sample : {"logo.bmp", "badge.bmp"}) {
        ASSERT_EQ(Run({"--preview=ascii", samples + sample}), kExitDone);
        const std::string picture = out;
        const std::string size = std::string(sample)[0] == 'l' ? "128x64" : "296x128";
        for (const auto& layout : test::AllLayouts()) {
            ASSERT_EQ(Run(With(layout, {"-o", dir.File("packed.txt"), samples + sample})), kExitDone);
            ASSERT_EQ(Run(With(layout, {"--read-array", size, "--preview=ascii", dir.File("packed.txt")})), kExitDone)
                << err;
            EXPECT_EQ(out, picture) << sample << " " << layout[0] << layout[1] << layout[2] << layout[3];
        }
    }
}

// The true packing comes first for the samples and for picture-like images
// of other shapes, packed in every layout.
TEST_F(CliTest, GuessingPutsTheTruePackingFirst) {
    const std::string samples = std::string(QG_SOURCE_DIR) + "/samples/";
    const std::vector<std::vector<std::string>> pictures = {
        {samples + "logo.bmp"},
        {samples + "badge.bmp"},
        {samples + "gradient.png"},
        {"--size", "40x72", "--dither=fs", samples + "gradient.png"},
        {"--size", "100x30", "--dither=atkinson", samples + "gradient.png"},
        {"--size", "72x40", "--fit", "cover", samples + "badge.bmp"},
    };
    for (const auto& picture : pictures) {
        ASSERT_EQ(Run(With({"--bmp", "-o", dir.File("picture.bmp")}, picture)), kExitDone) << err;
        ASSERT_EQ(Run({"--info", dir.File("picture.bmp")}), kExitDone);
        const std::string width =
            out.substr(out.find("width: ") + 7, out.find('\n', out.find("width: ")) - out.find("width: ") - 7);
        const std::string height =
            out.substr(out.find("height: ") + 8, out.find('\n', out.find("height: ")) - out.find("height: ") - 8);
        for (int bits = 0; bits < 8; ++bits) {
            const std::vector<std::string> layout = test::AllLayouts()[bits];
            ASSERT_EQ(Run(With(layout, {"-o", dir.File("packed.txt"), dir.File("picture.bmp")})), kExitDone);
            ASSERT_EQ(Run({"--read-array", width + "x" + height, "--guess-layout", dir.File("packed.txt")}), kExitDone)
                << err;
            const std::string first =
                out.substr(out.find('\n') + 1, out.find('\n', out.find('\n') + 1) - out.find('\n') - 1);
            EXPECT_NE(first.find(layout[0] + " " + layout[1] + " " + layout[2]), std::string::npos)
                << picture.back() << " " << picture[0] << " packed " << layout[0] << layout[1] << layout[2] << ":\n"
                << out;
        }
    }
}

// Equal scores keep one fixed order, the order the packings are tried in:
// it decides which preview is shown. A blank image ties all eight; a
// square picture that reads the same across as down (a diagonal) ties its
// two readings, and the list says so.
TEST_F(CliTest, TiedPackingsKeepTheirOrder) {
    const test::Bytes blank(8, 0);
    const std::vector<LayoutGuess> guesses = GuessLayouts(blank.data(), blank.size(), 8, 8);
    ASSERT_EQ(guesses.size(), 8u);
    for (uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(guesses[i].cost, guesses[0].cost);
        EXPECT_EQ(
            guesses[i].layout.msbReverse | guesses[i].layout.bitHorizontal << 1 | guesses[i].layout.byteHorizontal << 2,
            i);
    }
    std::vector<std::string> rows;
    for (int y = 0; y < 16; ++y) {
        std::string row(16, '.');
        row[y] = row[15 - y] = '#';
        rows.push_back(row);
    }
    const std::string input = Image(test::MonoBmp(rows), "cross.bmp");
    ASSERT_EQ(Run({"-o", dir.File("cross.txt"), input}), kExitDone);
    ASSERT_EQ(Run({"--read-array", "16x16", "--guess-layout", dir.File("cross.txt")}), kExitDone) << err;
    std::istringstream lines(out);
    std::string heading, first, second;
    std::getline(lines, heading);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_NE(first.find("--msb-first --bits-horizontal --bytes-vertical"), std::string::npos) << out;
    EXPECT_NE(second.find("--msb-first --bits-vertical --bytes-horizontal"), std::string::npos) << out;
    EXPECT_NE(out.find("The first two score the same"), std::string::npos) << out;
}

// At a depth every bit of the values is scored: a picture in the high bit
// alone (levels 0 and 2) is found in its true packing.
TEST_F(CliTest, GuessingAtADepthScoresEveryBit) {
    MonoBitmap logo;
    ASSERT_TRUE(logo.Load((std::string(QG_SOURCE_DIR) + "/samples/logo.bmp").c_str()));
    const uint32_t width = logo.Width(), height = logo.Height();
    LevelImage image;
    ASSERT_TRUE(image.Create(width, height, 2));
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) image.Set(x, y, logo.IsDark(x, y) ? 0 : 2);
    for (uint32_t bits = 0; bits < 8; ++bits) {
        const ConvertOptions layout = {bits & 1, bits >> 1 & 1, bits >> 2 & 1, 0, {}};
        LevelGrid grid(image, layout);
        test::Bytes bytes(static_cast<size_t>(grid.ItemsPerLine()) * grid.LineCount());
        for (uint32_t line = 0; line < grid.LineCount(); ++line)
            grid.Pack(line, 0, grid.ItemsPerLine(), &bytes[static_cast<size_t>(line) * grid.ItemsPerLine()]);
        const std::vector<LayoutGuess> guesses = GuessLayouts(bytes.data(), bytes.size(), width, height, 2);
        const ConvertOptions& first = guesses[0].layout;
        EXPECT_EQ(first.msbReverse | first.bitHorizontal << 1 | first.byteHorizontal << 2, bits);
        EXPECT_LT(guesses[0].cost, guesses[1].cost) << bits;
    }
}

// Text from anywhere: each fault is one line that says where, and the
// status says whether the input (1) or the command (2) is wrong.
// Bytes read back in any pixel format and framed at their own size keep
// their values: the frame sees the colours the values show (coverage as
// ink), and the tone gives the same values back.
TEST_F(CliTest, ReadBackAndFramedAtItsOwnSizeKeepsItsValues) {
    test::Bytes bytes;
    for (uint32_t i = 0; i < 96; ++i) bytes.push_back(static_cast<uint8_t>(i * 73 + (i >> 2)));
    const std::string input = Image(bytes, "packed.bin");
    const std::vector<std::vector<std::string>> formats = {
        {"--binary"},
        {"--depth", "4", "--binary"},
        {"--palette", "bwyr", "--binary"},
        {"--color", "rgb565", "--binary"},
        {"--color", "argb8888", "--binary"},
        {"--lvgl", "img", "--lvgl-format", "A4"},
        {"--lvgl", "img", "--lvgl-format", "L8"},
    };
    for (const auto& format : formats) {
        const std::vector<std::string> read = With({"--read-array", "6x4", "--binary"}, format);
        ASSERT_EQ(Run(With(read, {input})), kExitDone) << format[1] << ": " << err;
        const std::string unframed = out;
        ASSERT_EQ(Run(With(read, {"--size", "6x4", "--fit", "stretch", "--resample", "nearest", input})), kExitDone)
            << err;
        EXPECT_EQ(out, unframed) << format[1] << " " << format.back();
    }
}

TEST_F(CliTest, HostileArrayTextGetsOneClearLine) {
    std::string longLine;
    for (int i = 0; i < 2000000; ++i) longLine += "0x00, ";
    const struct {
        std::string text;
        int status;
        const char* says;
    } cases[] = {
        {"{ 1, 2, 300 }", kExitRefused, "line 1: '300' is over 255"},
        {"0x12,\n0x", kExitRefused, "line 2: '0x' has no digits"},
        {"1, 2 /* open", kExitRefused, "line 1: a comment that never ends"},
        {std::string("1, 2,\0 3", 8), kExitRefused, "line 1: a NUL byte"},
        {"x[] = { 1, 2,", kExitRefused, "line 1: the '{' of line 1 is never closed"},
        {"{ 1, two }", kExitRefused, "line 1: 'two' is not a value"},
        // A digit as large as its base belongs to no number of that base.
        {"{ 1, 08 }", kExitRefused, "line 1: '08' is not a value"},
        {"{ 1, 0b2 }", kExitRefused, "line 1: '0b2' is not a value"},
        {"{ 1, 0b102 }", kExitRefused, "line 1: '0b102' is not a value"},
        {"1, 2, 3", kExitRefused, "expected 16 bytes for 16 x 8 in this layout, found 3"},
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", kExitRefused, "expected 16 bytes for 16 x 8 in this layout, found 15"},
        {longLine + "0x100", kExitRefused, "line 1: '0x100' is over 255"},
        // An enum's braces are no initializer; C's ways of writing a value.
        {"enum { a = 1 };\nconst unsigned char x[] = { 0b1, 017, 255u, 0x0F, // x\n 1,2,3,4,5,6,7,8,9,10,11,12 };",
         kExitDone, ""},
    };
    for (const auto& c : cases) {
        test::WriteBytes(dir.File("array.txt"), test::Bytes(c.text.begin(), c.text.end()));
        EXPECT_EQ(Run({"--read-array", "16x8", "--preview=ascii", dir.File("array.txt")}), c.status) << c.says;
        EXPECT_EQ(err.rfind(*c.says ? "quillgrid-cli: " + dir.File("array.txt") + ": " + c.says : "", 0), 0u) << err;
        EXPECT_LE(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    // C's ways of writing a value: binary, octal, a suffix, hex.
    test::WriteBytes(dir.File("values.txt"), test::Bytes{'{', '0', 'b', '1', '0', '1', '0', ',', '0', '1', '7',
                                                         ',', '2', '5', '5', 'u', ',', '0', 'x', '0', 'F', '}'});
    ASSERT_EQ(Run({"--read-array", "8x4", "--bits-horizontal", dir.File("values.txt")}), kExitDone) << err;
    EXPECT_EQ(out, ", 0x0A\n, 0x0F\n, 0xFF\n, 0x0F\n");
    // More bytes than the image takes: a warning, and the image.
    test::WriteBytes(dir.File("more.txt"), test::Bytes{'1', ',', '2', ',', '3'});
    EXPECT_EQ(Run({"--read-array", "1x1", "--preview=ascii", dir.File("more.txt")}), kExitDone);
    EXPECT_EQ(err, "quillgrid-cli: " + dir.File("more.txt") +
                       ": 2 bytes more than 1 x 1 takes in this layout (1); the rest is left out\n");
    const struct {
        std::vector<std::string> args;
        const char* problem;
    } usage[] = {
        {{"--read-array", "0x0"}, "--read-array: '0x0' is not an image size"},
        {{"--read-array", "16384x16385"}, "--read-array: the image '16384x16385' has more than 268435456 pixels"},
        {{"--guess-layout"}, "--guess-layout reads packed bytes back: give --read-array"},
        {{"--read-array", "8x8", "--guess-layout", "--preset", "xbm"},
         "--guess-layout tries every packing; give no layout"},
        {{"--read-layout", "xbm"}, "--read-layout reads packed bytes back"},
        {{"--read-array", "8x8", "--read-layout", "upside-down"}, "--read-layout: 'upside-down' is not a layout"},
        {{"--read-array", "8x8", "--read-layout", "lsb-first,invert"},
         "--read-layout: 'lsb-first,invert' is not a layout"},
    };
    for (const auto& c : usage) {
        EXPECT_EQ(Run(With(c.args, {dir.File("more.txt")})), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind(std::string("quillgrid-cli: ") + c.problem, 0), 0u) << err;
    }
#ifndef _WIN32
    // Larger than any array text: refused without reading it all.
    std::filesystem::resize_file(Image({}, "huge.txt"), (257u << 20));
    EXPECT_EQ(Run({"--read-array", "8x8", dir.File("huge.txt")}), kExitRefused);
    EXPECT_NE(err.find("larger than 256 MiB"), std::string::npos) << err;
#endif
}

}  // namespace
