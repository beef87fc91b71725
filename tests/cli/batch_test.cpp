#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <direct.h>
#endif

#include "tests/cli/cli_fixture.h"
#include "tests/core/scanner_fixture.h"

namespace {

using test::CliTest;

// The text of one input converted alone, to standard output.
class BatchTest : public CliTest {
protected:
    std::string Alone(const std::string& input, std::vector<std::string> flags = {}) {
        flags.push_back(input);
        EXPECT_EQ(Run(flags), kExitDone) << err;
        return out;
    }
};

TEST_F(BatchTest, EachOutputGoesBesideItsInput) {
    std::string a = Image(test::RandomMonoBmp(37, 21, 1), "a.bmp");
    std::string b = Image(test::MonoBmp({"#"}), "b.image.bmp");
    std::string c = Image(test::RandomMonoBmp(8, 8, 2), "c");
    ASSERT_EQ(Run({"--fill-one", a, b, c}), kExitDone) << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    EXPECT_EQ(Files(), (std::set<std::string>{"a.bmp", "a.txt", "b.image.bmp", "b.image.txt", "c", "c.txt"}));
    EXPECT_EQ(test::ReadText(dir.File("a.txt")), Alone(a, {"--fill-one"}));
    EXPECT_EQ(test::ReadText(dir.File("b.image.txt")), ", 0xFF\n");
    EXPECT_EQ(test::ReadText(dir.File("c.txt")), Alone(c, {"--fill-one"}));
}

TEST_F(BatchTest, ARefusedInputDoesNotStopTheOthers) {
    std::string good1 = Image(test::RandomMonoBmp(16, 9, 3), "one.bmp");
    test::Bytes rle = test::MonoBmp({"#"});
    test::Put16(rle, 28, 8);
    test::Put32(rle, 30, 1);
    std::string bad = Image(rle, "bad.bmp");
    std::string empty = Image(test::MonoHeader(0, 5), "empty.bmp");
    std::string good2 = Image(test::RandomMonoBmp(9, 16, 4), "two.bmp");
    test::WriteBytes(dir.File("bad.txt"), {'o', 'l', 'd'});
    std::string missing = dir.File("missing.bmp");

    EXPECT_EQ(Run({good1, bad, missing, empty, good2}), kExitRefused);
    EXPECT_EQ(err, "quillgrid-cli: " + bad + ": unsupported BMP: RLE8 compression\n" + "quillgrid-cli: " + missing +
                       ": cannot open: no such file\n" + "quillgrid-cli: " + empty +
                       ": the image is 0 x 5 pixels; there is nothing to pack\n"
                       "quillgrid-cli: 3 of 5 inputs refused\n");
    EXPECT_EQ(test::ReadText(dir.File("one.txt")), Alone(good1));
    EXPECT_EQ(test::ReadText(dir.File("two.txt")), Alone(good2));
    EXPECT_EQ(test::ReadText(dir.File("bad.txt")), "old");  // left as it was
    EXPECT_FALSE(std::filesystem::exists(dir.Path("empty.txt")));
}

TEST_F(BatchTest, OutDirTakesEveryOutputAndNamesItAfterTheInput) {
    std::filesystem::create_directory(dir.Path("images"));
    std::filesystem::create_directory(dir.Path("gen"));
    std::string logo = Image(test::RandomMonoBmp(20, 12, 5), "images/logo.bmp");
    std::string icon = Image(test::RandomMonoBmp(8, 8, 6), "images/icon-2.bmp");
    std::string gen = dir.File("gen");
    // The values of an output: read from text, or the bytes themselves.
    auto values = [](const std::string& output, bool binary) {
        return binary ? test::Bytes(output.begin(), output.end()) : test::ValuesOf(output);
    };
    struct Case {
        std::vector<std::string> flags;
        const char* logoName;
        const char* iconName;
        bool binary;
    };
    const Case cases[] = {
        {{}, "logo.txt", "icon-2.txt", false},
        {{"--binary"}, "logo.bin", "icon-2.bin", true},
        {{"--c-array", "img"}, "logo.h", "icon-2.h", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.flags;
        args.insert(args.end(), {"--out-dir", gen, logo, icon});
        ASSERT_EQ(Run(args), kExitDone) << err;
        EXPECT_EQ(out, "");
        std::string logoOut = test::ReadText(dir.File("gen/") + c.logoName);
        std::string iconOut = test::ReadText(dir.File("gen/") + c.iconName);
        EXPECT_EQ(values(logoOut, c.binary), test::ValuesOf(Alone(logo))) << c.logoName;
        EXPECT_EQ(values(iconOut, c.binary), test::ValuesOf(Alone(icon))) << c.iconName;
    }
    // Several inputs get one array each, named after the input.
    EXPECT_NE(test::ReadText(dir.File("gen/logo.h")).find("const unsigned char img_logo[40]"), std::string::npos);
    EXPECT_NE(test::ReadText(dir.File("gen/icon-2.h")).find("const unsigned char img_icon_2[8]"), std::string::npos);

    // One input keeps the name as given, and --out-dir still applies.
    ASSERT_EQ(Run({"--c-array", "splash", "--out-dir=" + gen + "/", logo}), kExitDone) << err;
    EXPECT_EQ(out, "");
    EXPECT_NE(test::ReadText(dir.File("gen/logo.h")).find("const unsigned char splash[40] = {"), std::string::npos);
}

TEST_F(BatchTest, ContradictionsAreRefusedBeforeAnythingIsWritten) {
    std::filesystem::create_directory(dir.Path("a"));
    std::filesystem::create_directory(dir.Path("b"));
    std::string first = Image(test::MonoBmp({"#"}), "a/x.bmp");
    std::string second = Image(test::MonoBmp({"#"}), "b/x.bmp");
    std::string text = Image(test::MonoBmp({"#"}), "b/y.txt");
    std::string dash = Image(test::MonoBmp({"#"}), "a/x-y.bmp");
    std::string underscore = Image(test::MonoBmp({"#"}), "a/x_y.bmp");
    std::string outDir = dir.File("out");
    std::filesystem::create_directory(outDir);
    struct Case {
        std::vector<std::string> args;
        std::string problem;
    };
    const Case cases[] = {
        {{"-o", dir.File("o.txt"), first, second}, "-o names the output of one input"},
        {{"-o", dir.File("o.txt"), "--out-dir", outDir, first}, "-o and --out-dir cannot be used"},
        {{"--out-dir", outDir, first, second}, "two inputs would both be written to '" + outDir},
        {{first, text}, "the output '" + text + "' would replace an input"},
        {{"-o", first, first}, "the output '" + first + "' would replace an input"},
        {{"--out-dir", first, second}, "'" + first + "' is not a folder"},
        {{"--c-array", "img", first, dash, underscore}, "two inputs would both give the array name 'img_x_y'"},
        {{"--c-array", "2logo", first}, "--c-array: '2logo' is not a C identifier"},
        {{"--c-array", "lo-go", first}, "--c-array: 'lo-go' is not a C identifier"},
        {{"--c-array", "int", first}, "--c-array: 'int' is a C or C++ keyword"},
        {{"--c-array", "class", first, second}, "--c-array: 'class' is a C or C++ keyword"},
        {{"--c-array", "_Bool", first}, "--c-array: '_Bool' is a C or C++ keyword"},
        // C++'s alternative tokens are operators there: not names either.
        {{"--c-array", "xor", first}, "--c-array: 'xor' is a C or C++ keyword"},
        {{"--c-array", "not", first}, "--c-array: 'not' is a C or C++ keyword"},
        {{"--c-array", "logo", "--binary", first},
         "only one of --c-array, --binary, --bmp, --png, --xbm, --lvgl and --lvgl-bin"},
        {{"--binary", "--c-array", "logo", first},
         "only one of --c-array, --binary, --bmp, --png, --xbm, --lvgl and --lvgl-bin"},
        {{"--bmp", "--binary", first}, "only one of --c-array, --binary, --bmp, --png, --xbm, --lvgl and --lvgl-bin"},
        {{"--info", "--binary", first}, "--info writes no output"},
        {{"--preview", "--bmp", first}, "--preview writes no output"},
        {{"--preview=ascii", "--out-dir", outDir, first}, "--preview writes no output"},
        {{"--preview=braille", first}, "--preview: 'braille' is not a preview style"},
        {{"--info", "--preview", first}, "only one of --info, --preview and --guess-layout can be used"},
        {{"--preset", "oled", first}, "--preset: unknown preset 'oled'; the presets are adafruit-gfx, xbm"},
        {{"--threshold", "256", first}, "--threshold: '256' is not a threshold"},
        {{"--threshold=101%", first}, "--threshold: '101%' is not a threshold"},
        {{"--background", "grey", first}, "--background: 'grey' is not a background"},
        {{"-", first}, "'-' (standard input) must be the only input"},
        {{"--info", "-o", dir.File("o.txt"), first}, "--info writes no output"},
        {{"--c-array"}, "--c-array: needs an array name"},
        {{first, "--out-dir"}, "--out-dir: needs a folder"},
    };
    std::set<std::string> before = Files();
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind("quillgrid-cli: " + c.problem, 0), 0u) << err;
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(std::filesystem::is_empty(outDir));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a/x.txt")));

    // Without --c-array the names of the arrays do not matter, and --info
    // writes no file that could collide.
    EXPECT_EQ(Run({dash, underscore}), kExitDone) << err;
    EXPECT_TRUE(std::filesystem::exists(dir.Path("a/x-y.txt")));
    EXPECT_EQ(Run({"--info", first, first, text}), kExitDone) << err;
    EXPECT_EQ(out.find("file: " + text + "\nwidth: 1\n"), out.rfind("file: ")) << out;
}

// A missing output folder is made, parents and all; a name that is taken by
// a file, or under one, is not.
TEST_F(BatchTest, AMissingOutDirIsMade) {
    std::string one = Image(test::MonoBmp({"#"}), "one.bmp");
    std::string two = Image(test::MonoBmp({".#"}), "two.bmp");
    const std::string made[] = {dir.File("out"), dir.File("deep/er/out"), dir.File("slash/")};
    for (const std::string& folder : made) {
        ASSERT_EQ(Run({"--out-dir", folder, one, two}), kExitDone) << folder << ": " << err;
        EXPECT_EQ(test::ReadText((std::filesystem::path(folder) / "two.txt").string()), ", 0x00, 0x80\n");
    }
    EXPECT_EQ(Run({"--out-dir", one, two}), kExitUsage);
    EXPECT_EQ(err.rfind("quillgrid-cli: '" + one + "' is not a folder\n", 0), 0u) << err;
    std::string under = dir.File("one.bmp/sub");
    EXPECT_EQ(Run({"--out-dir", under, two}), kExitOutput);
    EXPECT_EQ(err, "quillgrid-cli: cannot create the folder '" + under + "'\n");
}

TEST_F(BatchTest, AnOutputThatCannotBeWrittenIsExitThreeUnlessAnInputWasRefused) {
    std::string one = Image(test::MonoBmp({"#"}), "one.bmp");
    std::string two = Image(test::MonoBmp({".#"}), "two.bmp");
    std::filesystem::create_directory(dir.Path("one.txt"));  // a folder where the text goes
    EXPECT_EQ(Run({one, two}), kExitOutput);
    EXPECT_EQ(err, "quillgrid-cli: cannot write " + dir.File("one.txt") + ": it is a folder\n" +
                       "quillgrid-cli: 1 of 2 outputs not written\n");
    EXPECT_EQ(test::ReadText(dir.File("two.txt")), ", 0x00, 0x80\n");

    std::string bad = Image(test::MonoHeader(4, 4, 1u << 31), "bad.bmp");
    EXPECT_EQ(Run({one, bad, two}), kExitRefused);
    EXPECT_NE(err.find("1 of 3 inputs refused\n"), std::string::npos) << err;
    EXPECT_NE(err.find("1 of 3 outputs not written\n"), std::string::npos) << err;
}

#ifdef _WIN32
// "表" in code page 932 is 0x95 0x5C: its trail byte is a backslash.
TEST_F(BatchTest, ATrailByteIsNoSeparator) {
    const std::string table = "\x95\x5C";
    // Narrow strings and calls throughout: they keep the name in the ANSI
    // code page, where std::filesystem would convert it.
    const std::string folder = dir.File("") + table;
    ASSERT_EQ(_mkdir(folder.c_str()), 0);
    std::string one = dir.File("") + table + ".bmp";
    test::WriteBytes(one, test::MonoBmp({"#"}));
    std::string two = Image(test::MonoBmp({"#."}), "two.bmp");
    ASSERT_EQ(Run({"--c-array", "img", "--out-dir", folder, one, two}), kExitDone) << err;
    std::string header = test::ReadText(folder + "\\" + table + ".h");
    EXPECT_EQ(header.rfind("/* " + table + ".bmp: 1 x 1 pixels", 0), 0u) << header;
    EXPECT_NE(header.find("const unsigned char img___[1] = {"), std::string::npos) << header;
    EXPECT_EQ(test::ReadText(folder + "\\two.h").substr(0, 16), "/* two.bmp: 2 x ");
}
#endif

}  // namespace
