// Fonts on the command line: each bad input or option one line naming the
// file or option, with nothing written; a font written to -o or --out-dir,
// its sample drawn, its dependencies named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/cli/cli_fixture.h"

namespace {

using test::CliTest;

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontCliTest : public CliTest {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDejaVu)) GTEST_SKIP() << "DejaVu is not installed: run tools/bootstrap cli";
    }
};

TEST_F(FontCliTest, EachBadInputIsOneLineNamingItAndNothingIsWritten) {
    const test::Bytes dejavu = test::ReadBytes(kDejaVu);
    const std::string cut = Image(test::Bytes(dejavu.begin(), dejavu.begin() + 2000), "cut.ttf");
    test::Bytes broken = dejavu;
    for (size_t i = 12; i < 12 + 16 * 20; ++i) broken[i] ^= 0x5A;  // the table directory
    const std::string wrecked = Image(broken, "broken.ttf");
    const std::string png = Image(test::MonoBmp({"#."}), "picture.bmp");
    std::ofstream(dir.File("latin.txt")) << "caf\xC3";
    std::ofstream(dir.File("kana.txt")) << "\xE3\x81\x82";  // あ, which DejaVu lacks
    // A GFXfont header, whole and with its glyph table cut short.
    ASSERT_EQ(Run({"--gfx-font", "f", "--font-size", "9", kDejaVu}), kExitDone) << err;
    const std::string header = dir.File("gfx.h"), cutHeader = dir.File("cut.h");
    std::ofstream(header) << out;
    std::ofstream(cutHeader) << out.substr(0, out.find("// 0x7D")) + "};\n" +
                                    out.substr(out.find("static const GFXfont"));
    const std::string out = dir.File("font.h");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says;
    } cases[] = {
        {{"--gfx-font", "f", "--font-size", "12", png}, kExitRefused, "picture.bmp: not a font"},
        {{kDejaVu}, kExitRefused, "DejaVuSans.ttf: a font: give it a font form, such as --gfx-font NAME"},
        {{"--gfx-font", "f", "--font-size", "12", cut}, kExitRefused, "cut.ttf: not a font FreeType can read"},
        {{"--gfx-font", "f", "--font-size", "12", wrecked}, kExitRefused, "broken.ttf: "},
        {{"--gfx-font", "f", "--font-size", "12", "--face", "1", kDejaVu}, kExitRefused, "there is no face 1"},
        {{"--gfx-font", "f", kDejaVu}, kExitRefused, "a scalable font needs a size: give --font-size"},
        {{"--gfx-font", "f", "--font-size", "0", kDejaVu}, kExitUsage, "--font-size: '0' is not a font size"},
        {{"--gfx-font", "f", "--font-size", "1001", kDejaVu}, kExitUsage, "1 to 1000"},
        {{"--gfx-font", "f", "--font-size", "12", "--glyphs", "0x3042", kDejaVu},
         kExitRefused,
         "none of the characters asked for is in the fonts given: U+3042"},
        {{"--gfx-font", "f", "--font-size", "12", "--glyphs", "ascii", "--text", dir.File("kana.txt"), "--strict",
          kDejaVu},
         kExitRefused,
         "in no font given: U+3042"},
        {{"--gfx-font", "f", "--font-size", "12", "--text", dir.File("latin.txt"), kDejaVu},
         kExitRefused,
         "latin.txt: line 1 is not UTF-8 text"},
        {{"--gfx-font", "f", "--font-size", "12", "--glyphs", "0x41,0x104", kDejaVu},
         kExitRefused,
         "U+0104 'Ą' is past 0xFF"},
        {{"--gfx-font", "f", "--font-size", "300", kDejaVu}, kExitRefused, "yAdvance is at most 255"},
        {{"--gfx-font", "1f", "--font-size", "12", kDejaVu}, kExitUsage, "--gfx-font: '1f' is not a C identifier"},
        {{"--gfx-font", "f", "--glyphs", "0x7E-0x20", kDejaVu}, kExitUsage, "--glyphs: the range '0x7E-0x20'"},
        {{"--gfx-font", "f", "--hinting", "slight", kDejaVu}, kExitUsage, "--hinting: 'slight' is not a hinting"},
        {{"--font-size", "12", kDejaVu}, kExitUsage, "--font-size is for a font: give its form"},
        {{"--gfx-font", "f", "--font-size", "12", "--c-array", "x", kDejaVu}, kExitUsage, "is an image's form"},
        {{"--gfx-font", "f", "--font-size", "12", "--size", "8x8", kDejaVu}, kExitUsage, "--size is for images"},
        {{header},
         kExitRefused,
         "gfx.h: a font in C: give a font form to draw it or write it anew, such as --gfx-font"},
        {{"--u8g2-font", "f", header, kDejaVu}, kExitRefused, "gfx.h: a font in C is read alone"},
        {{"--u8g2-font", "f", "--font-size", "12", header}, kExitRefused, "gfx.h: a font in C has its own size"},
        {{"--u8g2-font", "f", cutHeader}, kExitRefused, "cut.h: the GFXfont f runs from 32 to 126"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(test::With(c.args, {"-o", out})), c.status) << c.says << "\n" << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.says;
        if (c.status == kExitRefused) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        }
    }
}

TEST_F(FontCliTest, AFontGoesWhereAsked) {
    std::ofstream(dir.File("ui.txt")) << "Température: 21°C\n";
    struct Case {
        std::vector<std::string> args;
        std::string file;  // written, in the scratch folder; empty: standard output
        std::string holds;
    } cases[] = {
        {{"--gfx-font", "ui12", "--font-size", "12", kDejaVu}, "", "static const GFXfont ui12 PROGMEM"},
        {{"--gfx-font", "ui12", "--font-size", "12", kDejaVu, "-o", dir.File("ui12.h")}, "ui12.h", "0x20, 0x7E, 14};"},
        {{"--gfx-font", "ui12", "--font-size", "12", "--text", dir.File("ui.txt"), kDejaVu, "--out-dir",
          dir.File("fonts")},
         "fonts/ui12.h",
         "0x20, 0xE9, 14};"},
        {{"--gfx-font", "ui12", "--font-size", "12", "--png", kDejaVu, "-o", dir.File("sample.png")},
         "sample.png",
         "\x89PNG"},
        {{"--gfx-font", "ui12", "--font-size", "12", "--preview=ascii", "--sample", "Hi", kDejaVu}, "", "#"},
        {{"--gfx-font", "ui12", "--font-size", "12", "--info", kDejaVu},
         "",
         "12 pixels to the em: ascent 12, descent 3, line height 14"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run(c.args), kExitDone) << err;
        EXPECT_EQ(err, "");
        const std::string text = c.file.empty() ? out : test::ReadText(dir.File(c.file));
        EXPECT_NE(text.find(c.holds), std::string::npos) << c.holds << "\n" << text.substr(0, 400);
    }
    // A build's dependencies: the font and the text its characters come from.
    ASSERT_EQ(Run({"--gfx-font", "ui12", "--font-size", "12", "--text", dir.File("ui.txt"), kDejaVu, "-o",
                   dir.File("ui12.h"), "--depfile", dir.File("ui12.d")}),
              kExitDone)
        << err;
    const std::string depfile = test::ReadText(dir.File("ui12.d"));
    EXPECT_NE(depfile.find("DejaVuSans.ttf"), std::string::npos) << depfile;
    EXPECT_NE(depfile.find("ui.txt"), std::string::npos) << depfile;
}

// The rows of a drawn sample that hold a glyph's pixels: a font read back
// knows its glyphs, not the ascent and descent the font file gave.
std::string InkRows(const std::string& preview) {
    std::string rows, line;
    for (size_t at = 0, end; at < preview.size(); at = end + 1) {
        end = preview.find('\n', at);
        if (end == std::string::npos) end = preview.size();
        line = preview.substr(at, end - at);
        if (line.find('#') != std::string::npos) rows += line + "\n";
    }
    return rows;
}

// A font's C text given back as the input draws the sample the font drew,
// and written again in its own form gives its bytes again.
TEST_F(FontCliTest, AFontInCReadsBackAsItWasWritten) {
    for (const char* form : {"--gfx-font", "--u8g2-font"}) {
        const std::vector<std::string> font = {form, "f", "--font-size", "11", "--glyphs", "ascii,0xE9"};
        ASSERT_EQ(Run(test::With(font, {kDejaVu, "-o", dir.File("f.h")})), kExitDone) << err;
        const std::string written = test::ReadText(dir.File("f.h"));
        ASSERT_EQ(Run(test::With(font, {"--preview=ascii", "--sample", "Quill é\\ng", kDejaVu})), kExitDone) << err;
        const std::string sample = InkRows(out);
        ASSERT_EQ(Run({form, "g", "--preview=ascii", "--sample", "Quill é\\ng", dir.File("f.h")}), kExitDone) << err;
        EXPECT_EQ(InkRows(out), sample) << form;
        EXPECT_GT(sample.size(), 100u);
        ASSERT_EQ(Run({form, "f", dir.File("f.h")}), kExitDone) << err;
        // All but the comment's first line, which says where the font came from.
        EXPECT_EQ(out.substr(out.find('\n')), written.substr(written.find('\n'))) << form;
        EXPECT_NE(out.find("read back from f.h"), std::string::npos) << out.substr(0, 200);
    }
}

}  // namespace
