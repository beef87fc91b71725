// Each preset shows what its panel shows: --png, --bmp and --preview draw a
// 1-bit image's set bits light where they light an OLED's pixel or are
// white paper, and a grey OLED's margins unlit.
#include <gtest/gtest.h>

#include "image/image_decoder.h"
#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

class PanelTest : public test::CliTest {
protected:
    // The greys --png shows, one character a pixel: '#' black, '.' white,
    // '?' between.
    std::string Shown(const std::vector<std::string>& options, const std::string& input) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--png", "-o", dir.File("shown.png"), input});
        EXPECT_EQ(Run(args), kExitDone) << err;
        const test::Bytes png = test::ReadBytes(dir.File("shown.png"));
        DecodedImage image;
        std::string why, shown;
        EXPECT_TRUE(DecodeImage(png.data(), png.size(), &image, &why)) << why;
        for (uint32_t i = 0; i < image.Width() * image.Height(); ++i) {
            const uint8_t grey = image.Pixels()[i * image.Channels()];
            shown += grey == 0 ? '#' : grey == 255 ? '.' : '?';
        }
        return shown;
    }
};

TEST_F(PanelTest, EachPresetShowsWhatItsPanelShows) {
    // A black pixel, then a white one.
    const std::string input = Image(test::Png(2, 1, 0, 8, {0, 255}), "in.png");
    const struct {
        std::vector<std::string> options;
        const char* shown;    // by --png and --preview=ascii
        uint8_t firstColour;  // --bmp's palette entry 0: the set bits'
    } cases[] = {
        {{}, "#.", 0x00},
        {{"--preset", "adafruit-gfx"}, "#.", 0x00},
        {{"--preset", "ssd1306"}, ".#", 0xFF},              // the black pixel's set bit lights
        {{"--preset", "ssd1306", "--invert"}, "#.", 0xFF},  // the white one's does
        {{"--preset", "epaper"}, "#.", 0xFF},               // a set bit is white paper
        {{"--invert"}, ".#", 0x00},
        {{"--set-bit", "light"}, ".#", 0xFF},                        // a sketch drawing set bits lit
        {{"--preset", "ssd1306", "--set-bit", "dark"}, "#.", 0x00},  // an SSD1306 shown as ink
    };
    for (const auto& c : cases) {
        std::string name = "none";
        for (const std::string& option : c.options) name += " " + option;
        EXPECT_EQ(Shown(c.options, input), c.shown) << name;
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"--preview=ascii", input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        EXPECT_EQ(out, std::string(c.shown) + "\n") << name;
        args = c.options;
        args.insert(args.end(), {"--bmp", "-o", dir.File("shown.bmp"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        const test::Bytes bmp = test::ReadBytes(dir.File("shown.bmp"));
        ASSERT_GT(bmp.size(), 62u);
        EXPECT_EQ(bmp[54], c.firstColour) << name;
    }
}

// A grey OLED's margins and transparency are unlit; paper's and the
// default's white; --background says otherwise.
TEST_F(PanelTest, AGreyOledsMarginsAreUnlit) {
    const std::string white = Image(test::Png(4, 1, 0, 8, {255, 255, 255, 255}), "white.png");
    const struct {
        std::vector<std::string> options;
        const char* shown;
    } cases[] = {
        {{"--depth", "4"}, "........"},
        {{"--preset", "ssd1322"}, "####...."},
        {{"--preset", "ssd1327"}, "####...."},
        {{"--preset", "ssd1322", "--background", "white"}, "........"},
        {{"--preset", "epaper-4grey"}, "........"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> options = c.options;
        options.insert(options.end(), {"--size", "4x2", "--align", "bottom"});
        EXPECT_EQ(Shown(options, white), c.shown) << c.options[1];
    }
}

// --info names the colour presets whose packing and colours these are, as
// it names the grey ones, and says when the spare pixels are white.
TEST_F(PanelTest, InfoNamesTheColourPresetsALayoutMatches) {
    const std::string input = Image(test::Png(3, 1, 2, 8, {255, 0, 0, 0, 0, 0, 255, 255, 255}), "in.png");
    const struct {
        std::vector<std::string> options;
        const char* preset;  // the line, or "" for none
        const char* fill;
    } cases[] = {
        {{"--preset", "epaper-bwr"}, "preset: epaper-bwr\n", "fill white"},
        {{"--palette", "acep7", "--bits-horizontal"}, "preset: epaper-acep7\n", "fill zero"},
        {{"--palette", "acep7"}, "", "fill zero"},
        {{"--color", "rgb565", "--bits-horizontal"},
         "preset: adafruit-gfx-rgb565, tft-espi, lvgl-rgb565\n",
         "fill zero"},
        {{"--color", "rgb332", "--bits-horizontal"}, "", "fill zero"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"--info", input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        const size_t at = out.find("preset: ");
        EXPECT_EQ(at == std::string::npos ? "" : out.substr(at, out.find('\n', at) + 1 - at), c.preset) << out;
        EXPECT_NE(out.find(c.fill), std::string::npos) << out;
    }
}

// The OLED jobs of the quick start, as the libraries draw them: Adafruit
// GFX's drawBitmap (Adafruit_GFX.cpp: rows of (w + 7) / 8 bytes, the
// leftmost pixel in bit 7, a set bit drawn in the colour given,
// SSD1306_WHITE: lit) and u8g2's drawXBMP (u8g2_bitmap.c: the xbm rows,
// the leftmost pixel in bit 0, set bits in the draw colour, 1: lit) light
// the pixels --png shows light, at a width of whole bytes and one of not.
const char kOledModels[] =
    "#include <stdio.h>\n#include <stdlib.h>\n#include <string.h>\n"
    "int main(int argc, char** argv) {\n"
    "    static unsigned char b[1 << 16];\n"
    "    FILE* f = fopen(argv[2], \"rb\");\n"
    "    size_t n = fread(b, 1, sizeof b, f);\n"
    "    int w = atoi(argv[3]), h = atoi(argv[4]), x, y, wb = (w + 7) / 8;\n"
    "    (void)n; (void)argc;\n"
    "    for (y = 0; y < h; y++)\n"
    "        for (x = 0; x < w; x++) {\n"
    "            int bit = !strcmp(argv[1], \"gfx\") ? 0x80 >> (x & 7) : 1 << (x & 7);\n"
    "            putchar(b[y * wb + x / 8] & bit ? '.' : '#');\n"
    "        }\n"
    "    return 0;\n"
    "}\n";

class OledModelTest : public test::ModelTest {};

TEST_F(OledModelTest, TheQuickStartsOledJobsLightWhatThePreviewShowsLight) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "no C compiler";
    ASSERT_TRUE(BuildModels(kOledModels));
    const std::string photo = std::string(QG_SOURCE_DIR) + "/tests/images/picture.png";
    const struct {
        const char* preset;  // the layout the C style gives
        const char* model;
    } jobs[] = {{"adafruit-gfx", "gfx"}, {"xbm", "xbmp"}};
    for (const auto& job : jobs) {
        for (const char* size : {"128x64", "13x7"}) {
            const std::vector<std::string> options = {"--preset", job.preset, "--set-bit", "light", "--size", size};
            std::vector<std::string> args = options;
            args.insert(args.end(), {"--binary", "-o", dir.File("packed.bin"), photo});
            ASSERT_EQ(Run(args), kExitDone) << err;
            args = options;
            args.insert(args.end(), {"--preview=ascii", photo});
            ASSERT_EQ(Run(args), kExitDone) << err;
            std::string shown;
            for (char c : out)
                if (c != '\n') shown += c;
            const std::string sides = std::string(size);
            const std::string drawn = Model(std::string(job.model) + " '" + dir.File("packed.bin") + "' " +
                                            sides.substr(0, sides.find('x')) + " " + sides.substr(sides.find('x') + 1));
            EXPECT_EQ(drawn, shown) << job.model << " " << size;
            EXPECT_NE(shown.find('.'), std::string::npos);
            EXPECT_NE(shown.find('#'), std::string::npos);
        }
    }
}

}  // namespace
