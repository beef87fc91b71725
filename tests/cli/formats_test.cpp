#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/cli_args.h"
#include "core/array_text.h"
#include "core/line_packer.h"
#include "core/mono_bmp_writer.h"
#include "core/packed_image.h"
#include "core/pixel_image.h"
#include "forms/lvgl_form.h"
#include "forms/output_form.h"
#include "tests/cli/cli_fixture.h"
#include "tests/core/scanner_fixture.h"

namespace {

using test::CliTest;

std::vector<std::string> With(const std::vector<std::string>& flags, const std::string& input) {
    return test::With(flags, {input});
}

TEST_F(CliTest, CArrayWrapsTheValuesInADeclaration) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    EXPECT_EQ(Run({"--c-array", "worked", input}), kExitDone) << err;
    EXPECT_EQ(out,
              "/* in.bmp: 10 x 3 pixels, msb first, bits vertical, bytes horizontal, fill zero; "
              "10 bytes */\n"
              "enum { worked_width = 10, worked_height = 3 };\n"
              "static const unsigned char worked[10] = {\n"
              "    0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0,\n"
              "};\n");
    // Sixteen values a line, or --per-line, whatever the packed lines are.
    EXPECT_EQ(Run({"--bits-horizontal", "--fill-one", "--c-array=_w2", "--per-line", "4", input}), kExitDone);
    EXPECT_EQ(out,
              "/* in.bmp: 10 x 3 pixels, msb first, bits horizontal, bytes horizontal, fill one; "
              "6 bytes */\n"
              "enum { _w2_width = 10, _w2_height = 3 };\n"
              "static const unsigned char _w2[6] = {\n"
              "    0x81, 0xFF, 0x66, 0x7F,\n"
              "    0xFF, 0xBF,\n"
              "};\n");
    // Through -o, the same text.
    std::string output = dir.File("worked.h");
    EXPECT_EQ(Run({"--lsb-first", "--bytes-vertical", "--c-array", "w", "-o", output, input}), kExitDone);
    std::string viaFile = test::ReadText(output);
    EXPECT_EQ(Run({"--lsb-first", "--bytes-vertical", "--c-array", "w", input}), kExitDone);
    EXPECT_EQ(viaFile, out);
    EXPECT_NE(out.find("lsb first, bits vertical, bytes vertical, fill zero; 10 bytes */\n"
                       "enum { w_width = 10, w_height = 3 };\n"
                       "static const unsigned char w[10] = {\n    0x05, 0x06, 0x06, 0x04,"),
              std::string::npos)
        << out;
    // Into a source file, the array is the file's own, for others to declare extern.
    EXPECT_EQ(Run({"--c-array", "w", "-o", dir.File("worked.c"), input}), kExitDone);
    EXPECT_NE(test::ReadText(dir.File("worked.c")).find("\nconst unsigned char w[10] = {"), std::string::npos);
}

#ifndef _WIN32
TEST_F(CliTest, CArrayCommentShowsOnlyTheFileNameAndSafely) {
    std::string input = Image(test::MonoBmp({"#"}), "odd\nname*.bmp");
    EXPECT_EQ(Run({"--c-array", "odd", input}), kExitDone) << err;
    EXPECT_EQ(out.rfind("/* odd?name*.bmp: 1 x 1 pixels,", 0), 0u) << out;
}

// Compiles `header` with a program that writes the array `name` to a file,
// and returns the bytes it wrote.
test::Bytes CompiledBytes(const test::ScratchDir& dir, const std::string& header, const std::string& name) {
    std::ofstream(dir.File("main.c")) << "#include <stdio.h>\n#include \"" << header << "\"\n"
                                      << "int main(int argc, char** argv) {\n"
                                      << "    FILE* f = fopen(argv[1], \"wb\");\n"
                                      << "    if (argc != 2 || !f) return 1;\n"
                                      << "    if (fwrite(" << name << ", 1, sizeof " << name << ", f) != sizeof "
                                      << name << ") return 1;\n"
                                      << "    return fclose(f) != 0;\n}\n";
    std::string compile = std::string(QG_C_COMPILER) + " -std=c99 -Wall -Wextra -pedantic -Werror -o '" +
                          dir.File("prog") + "' '" + dir.File("main.c") + "'";
    if (std::system(compile.c_str()) != 0) {
        ADD_FAILURE() << "the generated declaration did not compile: " << header;
        return {};
    }
    std::string run = "'" + dir.File("prog") + "' '" + dir.File("array.bin") + "'";
    EXPECT_EQ(std::system(run.c_str()), 0);
    return test::ReadBytes(dir.File("array.bin"));
}

TEST_F(CliTest, CArrayCompilesToTheBytesOfTheText) {
    if (std::string(QG_C_COMPILER).empty()) GTEST_SKIP() << "no C compiler found";
    // 37 x 21: partial bytes along both directions.
    std::string input = Image(test::RandomMonoBmp(37, 21, 7));
    auto layouts = test::AllLayouts();
    for (size_t i = 0; i < layouts.size(); i += 3) {
        ASSERT_EQ(Run(With(layouts[i], input)), kExitDone);
        test::Bytes values = test::ValuesOf(out);
        std::vector<std::string> args = layouts[i];
        args.insert(args.end(), {"--c-array", "image", "-o", dir.File("image.h"), input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        test::Bytes compiled = CompiledBytes(dir, dir.File("image.h"), "image");
        EXPECT_EQ(compiled, values) << layouts[i][0] << layouts[i][1] << layouts[i][2];
        // 37 columns of 3 bytes, or 21 rows of 5.
        EXPECT_EQ(compiled.size(), layouts[i][1] == "--bits-vertical" ? 37u * 3 : 21u * 5);
    }
}
#endif

TEST_F(CliTest, BinaryIsTheValuesOfTheText) {
    std::string input = Image(test::RandomMonoBmp(37, 21, 8));
    for (const auto& layout : test::AllLayouts()) {
        ASSERT_EQ(Run(With(layout, input)), kExitDone);
        test::Bytes values = test::ValuesOf(out);
        ASSERT_EQ(values.size(), layout[1] == "--bits-vertical" ? 37u * 3 : 21u * 5);
        std::vector<std::string> args = layout;
        args.push_back("--binary");
        ASSERT_EQ(Run(With(args, input)), kExitDone) << err;
        EXPECT_EQ(test::Bytes(out.begin(), out.end()), values) << layout[0] << layout[1];
    }
    std::string output = dir.File("image.bin");
    ASSERT_EQ(Run({"--binary", "-o", output, input}), kExitDone);
    test::Bytes viaFile = test::ReadBytes(output);
    ASSERT_EQ(Run({input}), kExitDone);
    EXPECT_EQ(viaFile, test::ValuesOf(out));
}

TEST_F(CliTest, InfoDescribesWithoutConverting) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    EXPECT_EQ(Run({"--info", input}), kExitDone) << err;
    EXPECT_EQ(out, "file: " + input +
                       "\n"
                       "width: 10\nheight: 3\nstride: 4\n"
                       "palette: #000000 #FFFFFF\ndark palette entry: 0\n"
                       "layout: msb first, bits vertical, bytes horizontal, fill zero\n"
                       "items per line: 10\nline count: 1\nbytes: 10\ntext length: 61\n");

    // The same image with the palette swapped and the bits inverted: entry 1
    // is dark now, and the packing is unchanged.
    test::Bytes swapped = test::MonoBmp(test::WorkedImage());
    for (size_t i = 0; i < 4; ++i) std::swap(swapped[54 + i], swapped[58 + i]);
    for (size_t i = 62; i < swapped.size(); ++i) swapped[i] = static_cast<uint8_t>(~swapped[i]);
    std::string other = Image(swapped, "swapped.bmp");
    std::string empty = Image(test::MonoHeader(0, 5), "empty.bmp");
    EXPECT_EQ(
        Run({"--info", "--bits-horizontal", "--bytes-vertical", "--fill-one", other, empty, dir.File("missing.bmp")}),
        kExitRefused);
    EXPECT_EQ(out, "file: " + other +
                       "\n"
                       "width: 10\nheight: 3\nstride: 4\n"
                       "palette: #FFFFFF #000000\ndark palette entry: 1\n"
                       "layout: msb first, bits horizontal, bytes vertical, fill one\n"
                       "items per line: 3\nline count: 2\nbytes: 6\ntext length: 38\n"
                       "\n"
                       "file: " +
                       empty +
                       "\n"
                       "width: 0\nheight: 5\nstride: 0\n"
                       "palette: #000000 #FFFFFF\ndark palette entry: 0\n"
                       "layout: msb first, bits horizontal, bytes vertical, fill one\n");
    EXPECT_NE(err.find("the image is 0 x 5 pixels; there is nothing to pack"), std::string::npos);
    EXPECT_NE(err.find(dir.File("missing.bmp") + ": cannot open: no such file"), std::string::npos);
    EXPECT_NE(err.find("2 of 3 inputs refused"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("swapped.txt")));
    ASSERT_EQ(Run({"--bits-horizontal", "--bytes-vertical", other}), kExitDone);
    EXPECT_EQ(out, ", 0x81, 0x66, 0xFF\n, 0xC0, 0x40, 0x80\n");
}

// True when `name` stands as a word of `text`.
bool Mentions(const std::string& text, const std::string& name) {
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        char before = at == 0 ? ' ' : text[at - 1];
        char after = at + name.size() < text.size() ? text[at + name.size()] : ' ';
        if (std::string(" \n").find(before) != std::string::npos &&
            std::string(" ,=[\n").find(after) != std::string::npos)
            return true;
    }
    return false;
}

TEST_F(CliTest, HelpDocumentsEveryOptionAndShowsTrueExamples) {
    ASSERT_EQ(Run({"--help"}), kExitDone);
    std::string help = out;
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        EXPECT_TRUE(Mentions(help, kCliOptions[i].longName)) << kCliOptions[i].longName;
        if (kCliOptions[i].shortName) {
            EXPECT_TRUE(Mentions(help, kCliOptions[i].shortName));
        }
    }
    for (const Preset* preset = PresetsBegin(); preset != PresetsEnd(); ++preset)
        EXPECT_TRUE(Mentions(help, preset->name)) << preset->name;

    // The bytes shown for the 10 x 3 picture are what the converter writes.
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    const std::vector<std::string> shown[] = {
        {}, {"--fill-one"}, {"--bits-horizontal"}, {"--bits-horizontal", "--bytes-vertical"}};
    for (const auto& flags : shown) {
        ASSERT_EQ(Run(With(flags, input)), kExitDone);
        std::string indented;
        for (size_t start = 0; start < out.size();) {
            size_t end = out.find('\n', start) + 1;
            indented += "    " + out.substr(start, end - start);
            start = end;
        }
        EXPECT_NE(help.find(indented), std::string::npos) << indented;
    }

    // The picture is the reference's.
    std::ifstream readme(std::filesystem::path(QG_SOURCE_DIR) / "docs" / "reference.md");
    if (!readme) GTEST_SKIP() << "docs/reference.md not readable from here";
    std::string line;
    int pictureLines = 0;
    while (std::getline(readme, line)) {
        if (line.rfind("        x: ", 0) == 0 || line.rfind("   y = ", 0) == 0) {
            EXPECT_NE(help.find(line + "\n"), std::string::npos) << line;
            ++pictureLines;
        }
    }
    EXPECT_EQ(pictureLines, 4);
}

// Every option is one row: a name for one row only, and a value's name,
// what a missing value should be and a help text where they belong.
// The manual and the completion are made from the option table: every
// option is in both, with its help; each fixed value an option lists is
// taken, and the refusal of another names them all.
TEST(CliDocs, TheManualAndTheCompletionFollowTheTable) {
    const std::string manual = CliManPage("1.2.3", "2026-12-08"), completion = CliCompletion();
    auto plain = [](std::string roff) {  // what man shows of the escapes used
        for (const char* escape : {"\\fB", "\\fR", "\\fI", "\\&"})
            for (size_t at = roff.find(escape); at != std::string::npos; at = roff.find(escape)) roff.erase(at, 3);
        for (size_t at = roff.find("\\-"); at != std::string::npos; at = roff.find("\\-", at)) roff.erase(at, 1);
        for (size_t at = roff.find("\\e"); at != std::string::npos; at = roff.find("\\e", at + 1))
            roff.replace(at, 2, "\\");
        return roff;
    };
    const std::string shown = plain(manual);
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const CliOption& option = kCliOptions[i];
        std::string help = option.help;
        for (char& c : help) c = c == '\n' ? ' ' : c;
        EXPECT_NE(shown.find(std::string(option.longName)), std::string::npos) << option.longName;
        EXPECT_NE(shown.find(help), std::string::npos) << option.longName;
        EXPECT_NE(completion.find(std::string(" ") + option.longName), std::string::npos) << option.longName;
        const std::vector<std::string> values = OptionValues(option);
        if (values.empty()) continue;
        for (const std::string& value : values) {
            CliArgs request;
            std::string error;
            EXPECT_TRUE(option.apply(value.c_str(), &request, &error))
                << option.longName << " " << value << ": " << error;
            EXPECT_NE(completion.find(value), std::string::npos) << option.longName << " " << value;
        }
        // --read-layout also takes packing flags, which its refusal names instead.
        if (std::string(option.longName) == "--read-layout") continue;
        CliArgs request;
        std::string error;
        ASSERT_FALSE(option.apply("none-such", &request, &error)) << option.longName;
        for (const std::string& value : values)
            EXPECT_NE(error.find(value), std::string::npos) << option.longName << " does not name " << value;
    }
    for (const char* part : {".TH QUILLGRID\\-CLI 1 \"2026-12-08\" \"quillgrid 1.2.3\"", ".SH EXIT STATUS"})
        EXPECT_NE(manual.find(part), std::string::npos) << part;
}

TEST(CliOptions, EachRowIsWhole) {
    std::set<std::string> names;
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const CliOption& option = kCliOptions[i];
        EXPECT_TRUE(names.insert(option.longName).second) << option.longName;
        if (option.shortName) {
            EXPECT_TRUE(names.insert(option.shortName).second) << option.shortName;
        }
        EXPECT_EQ(option.valueName != nullptr, option.takes != Takes::Nothing) << option.longName;
        EXPECT_EQ(option.needs != nullptr, option.takes == Takes::Value) << option.longName;
        EXPECT_TRUE(option.help && *option.help) << option.longName;
        EXPECT_EQ(FindCliOption(option.longName), &option);
    }
}

}  // namespace

namespace {

using test::CliTest;

bool Append(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

// Within the smallest sizes, where tiles, pieces and blocks end anywhere
// in the image and the text, every output form writes what it writes
// within the defaults.
TEST(OutputForms, SmallBuffersChangeNoByte) {
    const BufferSizes small[] = {{1, 1, 1, 1}, {24, 5, 64, 64}};
    for (auto size : {std::make_pair(37u, 21u), std::make_pair(70u, 33u)}) {
        test::Bytes bmp = test::RandomMonoBmp(size.first, size.second, size.first);
        PixelImage image;
        ASSERT_TRUE(image.Bitmap().LoadFromMemory(bmp.data(), bmp.size()));
        ArraySource source;
        source.fileName = "in.bmp";
        source.width = size.first;
        source.height = size.second;
        for (int bits = 0; bits < 16; ++bits) {
            PackOptions pack;
            pack.layout = test::Options(bits & 1, bits >> 1 & 1, bits >> 2 & 1, static_cast<uint8_t>(bits >> 3));
            source.options = pack.layout;
            auto forms = [&](const BufferSizes& sizes) {
                std::vector<std::string> written;
                for (const OutputFormRow& row : OutputForms()) {
                    for (PreviewChoice choice : {PreviewChoice::Blocks, PreviewChoice::Ascii}) {
                        std::unique_ptr<PackedGrid> grid = PackImage(image, pack, sizes);
                        const FormImage one = {image, grid.get(), source, "image"};
                        FormOptions options;
                        options.lvgl = LvglFormatOf(PixelFormat::Mono);
                        options.preview = choice;
                        std::string text;
                        EXPECT_TRUE(row.form.Image(one, options, Append, &text, sizes)) << row.flag;
                        written.push_back(text);
                    }
                }
                return written;
            };
            const std::vector<std::string> expected = forms(BufferSizes());
            for (const BufferSizes& sizes : small)
                EXPECT_EQ(forms(sizes), expected)
                    << size.first << " x " << size.second << ", layout " << bits << ", pieces of " << sizes.pieceItems;
        }
    }
}

// The comment above a C declaration says which bits are dark: a set bit,
// unless dark and light were swapped, by a flag or a preset.
TEST_F(CliTest, CArrayCommentTellsTheInversion) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    const struct {
        std::vector<std::string> flags;
        const char* layout;
    } cases[] = {
        {{}, "msb first, bits vertical, bytes horizontal, fill zero; "},
        {{"--invert"}, "msb first, bits vertical, bytes horizontal, fill zero, invert; "},
        {{"--preset", "epaper"}, "msb first, bits horizontal, bytes horizontal, fill white, invert; "},
        {{"--preset", "epaper", "--no-invert"}, "msb first, bits horizontal, bytes horizontal, fill white; "},
        {{"--preset", "epaper", "--fill-zero"}, "msb first, bits horizontal, bytes horizontal, fill zero, invert; "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.flags;
        args.insert(args.end(), {"--c-array", "img", input});
        ASSERT_EQ(Run(args), kExitDone) << err;
        EXPECT_NE(out.substr(0, out.find('\n')).find(std::string(": 10 x 3 pixels, ") + c.layout), std::string::npos)
            << out;
    }
}

// Lines longer than one piece of packed items (32768): every output form
// keeps each line whole, and its values are the per-byte walk's.
TEST_F(CliTest, LongLinesStayWholeInEveryForm) {
    const struct {
        uint32_t width, height;
        std::vector<std::string> layout;  // one whose lines are longer than a piece
    } cases[] = {
        {40003, 3, {"--bits-vertical", "--bytes-horizontal"}},
        {3, 40003, {"--bits-horizontal", "--bytes-vertical"}},
        {9, 8 * 40003, {"--bits-vertical", "--bytes-vertical", "--lsb-first"}},
    };
    for (const auto& c : cases) {
        std::string input = Image(test::RandomMonoBmp(c.width, c.height, 11));
        MonoBitmap bitmap;
        ASSERT_TRUE(bitmap.Load(input.c_str()));
        ConvertOptions options = {};
        SetDefaultOptions(&options);
        for (const std::string& flag : c.layout) {
            if (flag == "--bits-horizontal") options.bitHorizontal = 1;
            if (flag == "--bytes-vertical") options.byteHorizontal = 0;
            if (flag == "--lsb-first") options.msbReverse = 1;
        }
        ByteScanner* scanner = SelectScanner(options);
        ASSERT_TRUE(scanner->Attach(&bitmap, 0));
        std::string reference;
        EmitArrayTextPerByte(
            *scanner,
            [](void* to, const char* text, uint32_t size) {
                static_cast<std::string*>(to)->append(text, size);
                return true;
            },
            &reference);
        const size_t lines = scanner->LineCount();

        std::vector<std::string> args = c.layout;
        args.push_back(input);
        ASSERT_EQ(Run(args), kExitDone);
        EXPECT_EQ(out, reference) << c.width << " x " << c.height;

        args.insert(args.begin(), "--binary");
        ASSERT_EQ(Run(args), kExitDone);
        EXPECT_EQ(test::Bytes(out.begin(), out.end()), test::ValuesOf(reference));

        // The values of the text, sixteen a line.
        args[0] = "--c-array=long_lines";
        ASSERT_EQ(Run(args), kExitDone);
        ASSERT_NE(out.find("{\n"), std::string::npos);
        std::string body = out.substr(out.find("{\n") + 2);
        EXPECT_EQ(test::ValuesOf(body), test::ValuesOf(reference)) << c.width << " x " << c.height;
        const size_t values = test::ValuesOf(reference).size();
        EXPECT_EQ(static_cast<size_t>(std::count(body.begin(), body.end(), '\n')), (values + 15) / 16 + 1);
        EXPECT_GT(lines, 0u);
    }
}

}  // namespace
