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

}  // namespace
