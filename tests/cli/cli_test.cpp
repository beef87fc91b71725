#include "cli/cli.h"

#include <gtest/gtest.h>

#include <regex>

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "cli/cli_args.h"

#include "io/file_io.h"
#include "tests/cli/cli_fixture.h"
#include "tests/core/scanner_fixture.h"

namespace {

using test::CliTest;

TEST_F(CliTest, DefaultsToStandardOutput) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    EXPECT_EQ(Run({input}), kExitDone);
    EXPECT_EQ(out, ", 0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0\n");
    EXPECT_EQ(err, "");
}

TEST_F(CliTest, FlagsPickTheLayout) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    struct Case {
        std::vector<std::string> flags;
        const char* text;
    };
    const Case cases[] = {
        {{"--bits-horizontal", "--fill-one"}, ", 0x81, 0xFF\n, 0x66, 0x7F\n, 0xFF, 0xBF\n"},
        {{"--lsb-first", "--bits-horizontal", "--bytes-vertical", "--fill-zero"},
         ", 0x81, 0x66, 0xFF\n, 0x03, 0x02, 0x01\n"},
        {{"--bytes-vertical", "--fill-one"},
         ", 0xBF\n, 0x7F\n, 0x7F\n, 0x3F\n, 0x3F\n, 0x7F\n, 0x7F\n, 0xBF\n, 0xBF\n, 0xDF\n"},
        {{"--fill-one", "--fill-zero", "--msb-first", "--bits-vertical", "--bytes-horizontal"},
         ", 0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.flags;
        args.push_back(input);
        EXPECT_EQ(Run(args), kExitDone);
        EXPECT_EQ(out, c.text);
    }
}

TEST_F(CliTest, WritesTheOutputFileWhole) {
    std::string input = Image(test::RandomMonoBmp(300, 41, 5));
    std::string output = dir.File("out.txt");
    test::WriteBytes(output, test::Bytes(100000, 'x'));
    ASSERT_EQ(Run({"-o", output, input}), kExitDone);
    std::string viaFile = test::ReadText(output);
    ASSERT_EQ(Run({input}), kExitDone);
    EXPECT_EQ(viaFile, out);
    EXPECT_EQ(viaFile.size(), 6u * 300 * 6 + 6);  // 6 bands of 300 items, plus line feeds
    ASSERT_EQ(Run({"--output=" + output, "--fill-one", input}), kExitDone);
    EXPECT_EQ(test::ReadText(output).size(), viaFile.size());
}

TEST_F(CliTest, RefusedInputLeavesTheOutputAlone) {
    std::string output = dir.File("out.txt");
    test::WriteBytes(output, {'k', 'e', 'e', 'p'});
    test::Bytes bad = test::MonoBmp(test::WorkedImage());
    test::Put16(bad, 28, 2);
    std::string input = Image(bad);
    EXPECT_EQ(Run({"-o", output, input}), kExitRefused);
    EXPECT_EQ(err, "quillgrid-cli: " + input + ": unsupported BMP: 2 bits per pixel\n");
    EXPECT_EQ(test::ReadText(output), "keep");

    std::string fresh = dir.File("fresh.txt");
    EXPECT_EQ(Run({"-o", fresh, dir.File("missing.bmp")}), kExitRefused);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST_F(CliTest, EmptyImagesCannotBePacked) {
    std::string input = Image(test::MonoHeader(0, 4));
    std::string output = dir.File("out.txt");
    EXPECT_EQ(Run({"-o", output, input}), kExitRefused);
    EXPECT_NE(err.find("0 x 4"), std::string::npos) << err;
    EXPECT_NE(err.find("nothing to pack"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(output));
    // Nor anything to preview: not a line for each of its rows.
    EXPECT_EQ(Run({"--preview", input}), kExitRefused);
    EXPECT_EQ(out, "");
}

// A 1-bit file's header may claim sides no decoded image has. Made into
// levels or colours, an image of no pixels is refused at once whatever its
// sides (no row buffer of its width, no walk over its rows), and one
// wider than a decoded image may be is refused with the limits.
TEST_F(CliTest, OneBitFilesBeyondTheDecodersLimitsAreNotToned) {
    const std::string noRows = Image(test::MonoHeader(1296171024, 0), "no-rows.bmp");
    const std::string noColumns = Image(test::MonoHeader(0, 1174405127), "no-columns.bmp");
    const std::string wide = Image(test::RandomMonoBmp((1u << 20) + 8, 1, 3), "wide.bmp");
    const char* const limits = "pixels; levels and colours are made of images of up to 1048576 pixels a side";
    struct Case {
        std::vector<std::string> options;
        std::string input;
        const char* says;
    };
    const Case cases[] = {
        {{"--palette", "bwr", "--dither"}, noRows, "the image is 1296171024 x 0 pixels; there is nothing to pack"},
        {{"--color", "rgb565", "--dither"}, noRows, "the image is 1296171024 x 0 pixels; there is nothing to pack"},
        {{"--depth", "4", "--dither"}, noRows, "the image is 1296171024 x 0 pixels; there is nothing to pack"},
        {{"--palette", "acep7"}, noColumns, "the image is 0 x 1174405127 pixels; there is nothing to pack"},
        {{"--color", "argb8888"}, noColumns, "the image is 0 x 1174405127 pixels; there is nothing to pack"},
        {{"--depth", "2"}, noColumns, "the image is 0 x 1174405127 pixels; there is nothing to pack"},
        {{"--palette", "bwr", "--dither"}, wide, limits},
        {{"--color", "rgb565"}, wide, limits},
        {{"--depth", "2", "--png"}, wide, limits},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.push_back(c.input);
        EXPECT_EQ(Run(args), kExitRefused) << c.says;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
        EXPECT_EQ(out, "");
    }
    // At 1 bit the wide file is packed as it is.
    ASSERT_EQ(Run({"--binary", "--bits-horizontal", "--bytes-horizontal", wide}), kExitDone) << err;
    EXPECT_EQ(out.size(), ((1u << 20) + 8) / 8);
}

TEST_F(CliTest, UsageErrors) {
    std::string input = Image(test::MonoBmp({"#"}));
    struct Case {
        std::vector<std::string> args;
        const char* problem;
    };
    const Case cases[] = {
        {{}, "no input file given"},
        {{"--fill-two", input}, "unknown option '--fill-two'\n"},
        {{"--fil-one", input}, "unknown option '--fil-one'; did you mean --fill-one?\n"},
        {{"--invert=yes", input}, "--invert: takes no value"},
        {{"--dither=", input}, "--dither: give a value after '=', or leave out the '='"},
        {{input, "-o"}, "-o: needs a file name"},
        {{"--output=", input}, "--output: needs a file name"},
        {{input, input}, "two inputs would both be written to"},
        {{"--settings", dir.File("none.dat"), input}, "cannot open settings file"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind(std::string("quillgrid-cli: ") + c.problem, 0), 0u) << err;
        EXPECT_NE(err.find("usage: quillgrid-cli [OPTIONS] INPUT...\nTry"), std::string::npos);
        EXPECT_EQ(out, "");
    }
}

// Every option that takes a value names itself when the value is missing
// or wrong, in either form: with ten options on a line, the user sees
// which one.
TEST_F(CliTest, EveryValueErrorNamesItsOption) {
    const std::string input = Image(test::MonoBmp({"#"}));
    // A value each option refuses; options that take any text have none.
    const std::map<std::string, std::string> wrong = {
        {"--threshold", "300"},    {"--dither", "ordered"},   {"--background", "grey"}, {"--size", "0x64"},
        {"--fit", "tight"},        {"--align", "middle"},     {"--rotate", "45"},       {"--flip", "x"},
        {"--resample", "cubic"},   {"--c-array", "lo-go"},    {"--c-style", "fancy"},   {"--per-line", "0"},
        {"--xbm", "2x"},           {"--lvgl", "int"},         {"--preview", "braille"}, {"--read-array", "0x0"},
        {"--read-layout", "fast"}, {"--preset", "oled"},      {"--depth", "3"},         {"--lvgl-format", "I3"},
        {"--palette", "#12345"},   {"--color", "rgb444"},     {"--byte-order", "mid"},  {"--plane-ink", "2,0"},
        {"--frames", "1-"},        {"--delay", "-5"},         {"--set-bit", "grey"},    {"--gfx-font", "9x"},
        {"--font-size", "0"},      {"--glyphs", "0x7F-0x20"}, {"--hinting", "full"},    {"--face", "-1"},
        {"--vlw-array", "a b"},    {"--lvgl-font", "x-y"},    {"--u8g2-font", "9x"},    {"--font-bits", "3"},
        {"--chars", "\xC3"},       {"--compress", "zip"},     {"--lvgl-version", "7"},  {"--brightness", "101"},
        {"--contrast", "-101"},    {"--saturation", "x"},     {"--gamma", "0"},
    };
    const std::set<std::string> anyText = {"--output",  "--out-dir", "--settings", "--depfile",
                                           "--example", "--text",    "--sample"};
    for (size_t i = 0; i < kCliOptionCount; ++i) {
        const CliOption& option = kCliOptions[i];
        const std::string name = option.longName;
        if (option.takes == Takes::Nothing) continue;
        if (option.takes == Takes::Value) {
            EXPECT_EQ(Run({input, name}), kExitUsage) << name;
            EXPECT_EQ(err.rfind("quillgrid-cli: " + name + ": needs " + option.needs + "\n", 0), 0u) << err;
        }
        if (anyText.count(name)) continue;
        ASSERT_EQ(wrong.count(name), 1u) << name << " takes a value: give one it refuses";
        const std::string value = wrong.at(name);
        std::vector<std::vector<std::string>> forms = {{name + "=" + value, input}};
        if (option.takes == Takes::Value) forms.push_back({name, value, input});
        for (const auto& args : forms) {
            EXPECT_EQ(Run(args), kExitUsage) << name;
            EXPECT_EQ(err.rfind("quillgrid-cli: " + name + ": ", 0), 0u) << err;
            EXPECT_NE(err.substr(0, err.find('\n')).find("'" + value + "'"), std::string::npos) << err;
            EXPECT_EQ(out, "");
        }
    }
}

// Each run has its own image and scanners: two runs at once on different
// images each write what they write alone.
// A value of a fixed set in any case is that value; a word near one is
// suggested; an optional value given apart, which would be read as an
// input, is refused before anything is written; "-o -" is standard
// output; what does nothing in this run says so and the run goes on.
TEST_F(CliTest, WhatATypistMeansIsTakenOrSuggested) {
    const std::string input = Image(test::RandomMonoBmp(9, 5, 3), "in.png.bmp");
    const struct {
        std::vector<std::string> args, same;  // `args` writes what `same` writes
        int status;
        std::string err;
    } cases[] = {
        {{"--preset", "SSD1306"}, {"--preset", "ssd1306"}, kExitDone, ""},
        {{"--color", "RGB565"}, {"--color", "rgb565"}, kExitDone, ""},
        {{"--lvgl", "x", "--lvgl-format", "i1"}, {"--lvgl", "x", "--lvgl-format", "I1"}, kExitDone, ""},
        {{"--palette", "BWR", "--dither=BAYER"}, {"--palette", "bwr", "--dither=bayer"}, kExitDone, ""},
        {{"-o", "-", "--c-array", "x"}, {"--c-array", "x"}, kExitDone, ""},
        {{"--fit", "cover"},
         {},
         kExitDone,
         "quillgrid-cli: --fit does nothing without --size: the image keeps its own size\n"},
        {{"--frames", "0"},
         {},
         kExitDone,
         "quillgrid-cli: in.png.bmp: --frames does nothing: a still image is its one frame\n"},
        {{"--preset", "ssd1360"}, {}, kExitUsage, "; did you mean ssd1306?"},
        {{"--dither=atkinsn"}, {}, kExitUsage, "; did you mean atkinson?"},
        {{"--depth", "3"}, {}, kExitUsage, "give 1, 2, 4 or 8\n"},
        {{"--dither", "fs"},
         {},
         kExitUsage,
         "quillgrid-cli: --dither: takes its value after '=': did you mean --dither=fs?\n"},
        {{"--preview", "Blocks"}, {}, kExitUsage, "did you mean --preview=blocks?\n"},
    };
    // The input by its name alone, as --frames' notice names it.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path(""));
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        std::string name;
        for (const std::string& a : args) name += a + " ";
        args.push_back("in.png.bmp");
        EXPECT_EQ(Run(args), c.status) << name << err;
        const std::string said = err.substr(0, err.find("usage:"));
        if (c.status == kExitDone) {
            EXPECT_EQ(said, c.err) << name;
            const std::string written = out;
            std::vector<std::string> same = c.same;
            same.push_back("in.png.bmp");
            EXPECT_EQ(Run(same), kExitDone) << name;
            EXPECT_EQ(written, out) << name;
        } else {
            EXPECT_NE(said.find(c.err), std::string::npos) << name << said;
            EXPECT_EQ(out, "") << name;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("in.png.txt")));  // nothing written beside the input
    EXPECT_FALSE(std::filesystem::exists(dir.Path("-")));
    std::filesystem::current_path(before);
}

TEST_F(CliTest, TwoRunsAtOnceKeepApart) {
    const std::string inputs[2] = {Image(test::RandomMonoBmp(301, 77, 1), "a.bmp"),
                                   Image(test::RandomMonoBmp(64, 190, 2), "b.bmp")};
    const std::vector<std::string> flags[2] = {{"--bits-horizontal", "--fill-one"},
                                               {"--lsb-first", "--bytes-vertical"}};
    std::string alone[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Run({flags[i][0], flags[i][1], inputs[i]}), kExitDone);
        alone[i] = out;
    }
    auto runMany = [&](int i, std::string* differs) {
        for (int round = 0; round < 100; ++round) {
            const std::string file = io.File("together-" + std::to_string(i));
            const char* argv[] = {"quillgrid-cli", flags[i][0].c_str(), flags[i][1].c_str(), inputs[i].c_str()};
            FILE* out = std::fopen(file.c_str(), "wb");
            const int status = RunCli(4, argv, stdin, out, stderr);
            std::fclose(out);
            if (status != kExitDone || test::ReadText(file) != alone[i]) *differs = "round " + std::to_string(round);
        }
    };
    std::string differs[2];
    std::thread first(runMany, 0, &differs[0]), second(runMany, 1, &differs[1]);
    first.join();
    second.join();
    EXPECT_EQ(differs[0], "");
    EXPECT_EQ(differs[1], "");
}

TEST_F(CliTest, HelpAndVersion) {
    EXPECT_EQ(Run({"--help"}), kExitDone);
    EXPECT_EQ(out.rfind("usage: quillgrid-cli", 0), 0u);
    EXPECT_NE(out.find("  --bytes-vertical       a line of bytes runs downwards\n"), std::string::npos);
    EXPECT_EQ(Run({"-h", "--bogus-is-still-reported"}), kExitUsage);
    EXPECT_EQ(Run({"--version"}), kExitDone);
    // The version and commit git describe gives the build, or a build
    // outside git saying so.
    EXPECT_TRUE(std::regex_match(out, std::regex("quillgrid-cli [0-9]+\\.[0-9]+\\.[0-9]+([+.][0-9a-z.]+)? "
                                                 "\\((commit [0-9a-f]{12}|built outside git)\\)\n"
                                                 "MIT licence\\. [^\n]+\n([^\n]+\n)+")))
        << out;
}

// -h is one screen: the options most used, each a real one, and an example
// by display, each of which runs as written on a picture of that kind.
TEST_F(CliTest, TheBriefHelpIsOneScreenWhoseExamplesRun) {
    ASSERT_EQ(Run({"-h"}), kExitDone);
    const std::string brief = out;
    std::vector<std::string> lines;
    for (size_t at = 0, end; at < brief.size(); at = end + 1)
        lines.push_back(brief.substr(at, (end = brief.find('\n', at)) - at));
    EXPECT_LE(lines.size(), 50u);
    for (const std::string& line : lines) EXPECT_LE(line.size(), 79u) << line;
    ASSERT_EQ(Run({"--help"}), kExitDone);
    for (const std::string& line : lines)
        if (line.rfind("  -", 0) == 0) {
            const std::string option = line.substr(2, line.find_first_of(" [", 2) - 2);
            EXPECT_NE(out.find(option), std::string::npos) << option;
        }
    // The commands, continued lines joined; the picture and the output in
    // the scratch folder.
    std::vector<std::vector<std::string>> commands;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("    quillgrid-cli ", 0) != 0) continue;
        std::string command = lines[i];
        while (!command.empty() && command.back() == '\\') command.pop_back(), command += lines[++i];
        std::vector<std::string> words;
        std::istringstream split(command);
        for (std::string word; split >> word;) words.push_back(word);
        commands.push_back(std::vector<std::string>(words.begin() + 1, words.end()));
    }
    EXPECT_EQ(commands.size(), 5u);
    const std::string images = std::string(QG_SOURCE_DIR) + "/tests/images/";
    for (std::vector<std::string> args : commands) {
        std::string written;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "-o") {
                written = args[i + 1] = dir.File(args[i + 1]);
                ++i;
            } else if (args[i].find(".jpg") != std::string::npos) {
                args[i] = images + "baseline.jpg";
            } else if (args[i].find(".png") != std::string::npos) {
                args[i] = images + "picture.png";
            }
        }
        EXPECT_EQ(Run(args), kExitDone) << err;
        EXPECT_NE(test::ReadText(written).find(", 0x"), std::string::npos) << written;
    }
}

// An output that cannot be written is exit 3, with why where that is known.
TEST_F(CliTest, UnwritableOutputIsExitThree) {
    std::string input = Image(test::MonoBmp({"#"}));
    std::filesystem::create_directory(dir.Path("taken"));
    const struct {
        std::string output, why;
    } cases[] = {
        {(dir.Path("no") / "folder" / "out.txt").string(),
         ": its folder '" + (dir.Path("no") / "folder").string() + "' does not exist"},
        {dir.File("taken"), ": it is a folder"},
        {(dir.Path("in.bmp") / "out.txt").string(), ": '" + dir.File("in.bmp") + "' is not a folder"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"-o", c.output, input}), kExitOutput) << c.output;
        EXPECT_EQ(err, "quillgrid-cli: cannot write " + c.output + c.why + "\n");
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("taken")));
}

// Read and written through the program's own file layer, which takes
// names that the runtime's calls refuse.
std::string ReadLong(const std::string& path) {
    FileHandle file = OpenFileForRead(path.c_str(), FileShare::ReadWrite);
    std::string text(1 << 16, '\0');
    uint32_t got = 0;
    if (file) ReadFileBytes(file, &text[0], static_cast<uint32_t>(text.size()), &got);
    CloseFile(file);
    return text.substr(0, got);
}

// The temporary file beside a target needs more room than the target's own
// name; no folder length the system accepts may stop it.
TEST_F(CliTest, OutputsInLongFoldersAreWritten) {
#ifdef _WIN32
    const size_t lengths[] = {200, 247, 248, 250, 255};
#else
    const size_t lengths[] = {200, 248, 300, 1000};
#endif
    std::string input = Image(test::RandomMonoBmp(20, 10, 1));
    ASSERT_EQ(Run({input}), kExitDone);
    const std::string expected = out;
    for (size_t length : lengths) {
        std::string folder = test::NestedFolder(dir.File(""), length);
        ASSERT_EQ(folder.size(), length);
        std::string target = folder + "a.txt";
        FileHandle old = CreateFileForWrite(target.c_str());
        ASSERT_TRUE(old && WriteFileBytes(old, "old", 3)) << length;
        CloseFile(old);
        EXPECT_EQ(Run({"-o", target, input}), kExitDone) << length << err;
        EXPECT_EQ(ReadLong(target), expected) << length;
        EXPECT_EQ(Run({"--out-dir", folder, input}), kExitDone) << length << err;
        EXPECT_EQ(ReadLong(folder + "in.txt"), expected) << length;
    }
}

// Relative names, with either separator, replace an existing file too.
TEST_F(CliTest, RelativeOutputsReplaceExistingFiles) {
    std::string input = Image(test::RandomMonoBmp(12, 5, 3));
    ASSERT_EQ(Run({input}), kExitDone);
    const std::string expected = out;
    std::filesystem::create_directory(dir.Path("sub"));
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path(""));
#ifdef _WIN32
    const char* names[] = {"plain.txt", "sub/slash.txt", "sub\\backslash.txt", "sub/../up.txt"};
#else
    const char* names[] = {"plain.txt", "sub/slash.txt", "sub/../up.txt"};
#endif
    for (const char* name : names) {
        test::WriteBytes(name, {'o', 'l', 'd'});
        EXPECT_EQ(Run({"-o", name, input}), kExitDone) << name << ": " << err;
        EXPECT_EQ(test::ReadText(name), expected) << name;
    }
    std::filesystem::current_path(previous);
}

TEST_F(CliTest, AWriteThatFailsPartWayLeavesTheOldFile) {
    std::string full = test::FullDiskDir();
    if (full.empty()) GTEST_SKIP() << "no small file system to fill (QG_FULL_DIR)";
    std::string output = (std::filesystem::path(full) / "cli-target.txt").string();
    test::WriteBytes(output, {'o', 'l', 'd'});
    std::string input = Image(test::RandomMonoBmp(400, 400, 2));
    EXPECT_EQ(Run({"-o", output, input}), kExitOutput);
    EXPECT_EQ(test::ReadText(output), "old");
    size_t entries = 0;
    for (auto& e : std::filesystem::directory_iterator(full)) (void)e, ++entries;
    EXPECT_EQ(entries, 1u);
    std::filesystem::remove(output);
}

#ifndef _WIN32
TEST_F(CliTest, AFullStandardOutputIsExitThree) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    std::string input = Image(test::RandomMonoBmp(300, 300, 4));
    const char* argv[] = {"quillgrid-cli", input.c_str()};
    FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    FILE* errFile = std::fopen(dir.File("stderr").c_str(), "wb");
    int status = RunCli(2, argv, full, errFile);
    std::fclose(full);
    std::fclose(errFile);
    EXPECT_EQ(status, kExitOutput);
    EXPECT_EQ(test::ReadText(dir.File("stderr")), "quillgrid-cli: cannot write to standard output\n");
}

// A file's bytes are not written to a terminal (a pseudo-terminal here),
// unless -o names a file; text is, and "-o -" is standard output.
TEST_F(CliTest, BinaryIsNotWrittenToATerminal) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) GTEST_SKIP() << "no pseudo-terminal here";
    FILE* terminal = std::fopen(ptsname(master), "wb");
    ASSERT_NE(terminal, nullptr);
    const std::string input = Image(test::MonoBmp({"#.", ".#"}));
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"--png"}, kExitUsage},
        {{"--bmp"}, kExitUsage},
        {{"--binary"}, kExitUsage},
        {{"--png", "-o", "-"}, kExitUsage},
        {{}, kExitDone},
        {{"--c-array", "x", "-o", "-"}, kExitDone},
        {{"--png", "-o", dir.File("out.png")}, kExitDone},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"quillgrid-cli"};
        for (const std::string& a : c.args) argv.push_back(a.c_str());
        argv.push_back(input.c_str());
        FILE* errFile = std::fopen(dir.File("stderr").c_str(), "wb");
        const int status = RunCli(static_cast<int>(argv.size()), argv.data(), stdin, terminal, errFile);
        std::fclose(errFile);
        const std::string said = test::ReadText(dir.File("stderr"));
        EXPECT_EQ(status, c.status) << c.args.size() << ": " << said;
        if (c.status == kExitUsage) {
            EXPECT_EQ(said.rfind("quillgrid-cli: " + c.args[0] + " writes a file's bytes, not text for a terminal", 0),
                      0u)
                << said;
        }
    }
    std::fclose(terminal);
    close(master);
}
#endif

TEST_F(CliTest, SettingsFileGivesTheStartingOptions) {
    std::string input = Image(test::MonoBmp(test::WorkedImage()));
    struct Case {
        test::Bytes stored;
        std::vector<std::string> flags;
        const char* text;
    };
    const Case cases[] = {
        // msbReverse 1, bitHorizontal 0, byteHorizontal 1, fill 0
        {{2, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 7, 8, 9},
         {},
         ", 0x05, 0x06, 0x06, 0x04, 0x04, 0x06, 0x06, 0x05, 0x05, 0x03\n"},
        // fill byte 0 with a non-zero carried byte: fill 0
        {{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0},
         {},
         ", 0xA0, 0x60, 0x60, 0x20, 0x20, 0x60, 0x60, 0xA0, 0xA0, 0xC0\n"},
        // fill byte 5: fill 1
        {{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0},
         {},
         ", 0xBF, 0x7F, 0x7F, 0x3F, 0x3F, 0x7F, 0x7F, 0xBF, 0xBF, 0xDF\n"},
        // flags override single fields of the file
        {{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0xEE},
         {"--fill-zero"},
         ", 0x81, 0xC0\n, 0x66, 0x40\n, 0xFF, 0x80\n"},
    };
    std::string settings = dir.File("tool.dat");
    for (const Case& c : cases) {
        test::WriteBytes(settings, c.stored);
        std::vector<std::string> args = {"--settings", settings};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        args.push_back(input);
        EXPECT_EQ(Run(args), kExitDone) << err;
        EXPECT_EQ(out, c.text);
    }
    test::WriteBytes(settings, test::Bytes(15, 0));
    EXPECT_EQ(Run({"--settings", settings, input}), kExitUsage);
    EXPECT_NE(err.find("shorter than 16 bytes"), std::string::npos) << err;
    EXPECT_EQ(test::ReadBytes(settings).size(), 15u);  // never written
}

}  // namespace
