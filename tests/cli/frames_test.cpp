// Animated GIFs: every frame into one header that a program walks frame by
// frame as its display would; the frames one after another in the other
// forms, or one file each; a still background that a dither leaves still;
// the frames --frames picks; bad animations refused with one clear line
// and nothing written; and --depfile.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

using test::CliTest;
using test::With;

// A screen of `width` x `height`: a ramp of grey with a dark square that
// moves 3 pixels right each frame; each frame's delay (in hundredths).
test::Bytes Moving(uint32_t width, uint32_t height, const std::vector<uint32_t>& delays) {
    test::Bytes palette;
    for (uint32_t i = 0; i < 256; ++i) palette.insert(palette.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
    std::vector<test::GifFrame> frames;
    for (size_t f = 0; f < delays.size(); ++f) {
        test::GifFrame frame;
        frame.width = width, frame.height = height, frame.delay = delays[f];
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const bool square = x >= 2 + 3 * f && x < 8 + 3 * f && y >= 2 && y < 8;
                frame.indices.push_back(static_cast<uint8_t>(square ? 20 : x * 255 / width));
            }
        frames.push_back(frame);
    }
    return test::Gif(width, height, palette, frames);
}

#ifndef _WIN32
// The header of every frame compiles as C99 and C++, and a program walks
// anim_frames and anim_delays as an SSD1306 sketch would (page-addressed
// bytes, bit 0 the top), drawing each frame as --preview draws it (with
// an ordered dither, which gives each frame alone what it gives it among
// the others).
TEST_F(CliTest, EveryFrameAndDelayComesBackFromTheHeader) {
    const char* compiler = QG_C_COMPILER;
    if (std::string(compiler).empty() || std::system("command -v c++ >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no C and C++ compilers";
    const std::string gif = Image(Moving(40, 12, {10, 20, 35}), "anim.gif");
    const std::vector<std::string> options = {"--preset", "ssd1306", "--size", "128x64", "--dither=bayer"};
    ASSERT_EQ(Run(With(options, {"--c-array", "anim", gif, "-o", dir.File("anim.h")})), kExitDone) << err;
    std::string expected;
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_EQ(Run(With(options, {"--frames", std::to_string(frame), "--preview=ascii", gif})), kExitDone) << err;
        expected += "frame " + std::to_string(frame) + ", " +
                    std::to_string(frame == 0   ? 100
                                   : frame == 1 ? 200
                                                : 350) +
                    " ms\n" + out;
    }
    // A set bit lights an SSD1306's pixel: it shows light, as the preview
    // draws it.
    std::ofstream(dir.File("main.c"))
        << "#include <stdio.h>\n#include \"anim.h\"\n"
           "int main(void) {\n"
           "    int f, x, y;\n"
           "    for (f = 0; f < anim_frame_count; f++) {\n"
           "        const unsigned char* page = anim_frames[f];\n"
           "        printf(\"frame %d, %u ms\\n\", f, anim_delays[f]);\n"
           "        for (y = 0; y < anim_height; y++, putchar('\\n'))\n"
           "            for (x = 0; x < anim_width; x++)\n"
           "                putchar(page[y / 8 * anim_width + x] >> (y % 8) & 1 ? '.' : '#');\n"
           "    }\n"
           "    return 0;\n"
           "}\n";
    for (const std::string& build : {std::string(compiler) + " -std=c99", std::string("c++ -std=c++17 -x c++")}) {
        const std::string command = build + " -Wall -Wextra -Wpedantic -Werror -I '" + dir.File("") + "' -o '" +
                                    dir.File("prog") + "' '" + dir.File("main.c") + "' 2>'" + dir.File("cc.log") +
                                    "' && '" + dir.File("prog") + "' > '" + dir.File("run.txt") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << build << "\n" << test::ReadText(dir.File("cc.log"));
        const std::string got = test::ReadText(dir.File("run.txt"));
        EXPECT_TRUE(got == expected) << build << ": the program drew\n" << got.substr(0, 600);
    }
}
#endif

// Array text and --binary are the frames one after another; --out-dir
// writes one file a frame, numbered; the forms of one image take the
// first frame, or the one --frames names.
TEST_F(CliTest, FramesOneAfterAnotherOrOneFileEach) {
    const std::string gif = Image(Moving(24, 10, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}), "anim.gif");
    std::string each;
    for (int frame = 0; frame < 12; ++frame) {
        ASSERT_EQ(Run({"--frames", std::to_string(frame), "--bmp", "-o", dir.File("one.bmp"), gif}), kExitDone);
        ASSERT_EQ(Run({dir.File("one.bmp")}), kExitDone) << err;
        each += out;
    }
    ASSERT_EQ(Run({gif}), kExitDone) << err;
    EXPECT_EQ(out, each);
    ASSERT_EQ(Run({"--frames", "3-4,1", gif}), kExitDone) << err;
    const std::string picked = out;
    ASSERT_EQ(Run({"--binary", "--frames", "3-4,1", gif}), kExitDone);
    EXPECT_EQ(test::Bytes(out.begin(), out.end()), test::ValuesOf(picked));
    ASSERT_EQ(Run({"--out-dir", dir.File("frames"), "--frames", "0,11", gif}), kExitDone) << err;
    ASSERT_EQ(Run({"--frames", "11", gif}), kExitDone);
    EXPECT_EQ(test::ReadText(dir.File("frames/anim-11.txt")), out);
    ASSERT_EQ(Run({"--frames", "0", gif}), kExitDone);
    EXPECT_EQ(test::ReadText(dir.File("frames/anim-00.txt")), out);
    ASSERT_EQ(Run({"--info", gif}), kExitDone);
    EXPECT_NE(out.find("frames: 12\ndelays (ms): 100 100 100"), std::string::npos) << out;
}

// A dither leaves a still background still: between two frames only the
// pixels near the square that moved change.
TEST_F(CliTest, ADitherDoesNotCrawlOverAStillBackground) {
    const std::string gif = Image(Moving(60, 16, {10, 10, 10}), "anim.gif");
    for (const char* dither : {"--dither", "--dither=atkinson", "--dither=bayer"}) {
        for (const char* depth : {"1", "2"}) {
            std::vector<std::string> frames;
            for (int frame = 0; frame < 3; ++frame) {
                ASSERT_EQ(Run({dither, "--depth", depth, "--frames", std::to_string(frame), "--preview=ascii", gif}),
                          kExitDone);
                frames.push_back(out);
            }
            // The whole animation's own frames, as --preview of each would be
            // without the frames before: the same rows, read from one run.
            ASSERT_EQ(Run({dither, "--depth", depth, "--preset", "adafruit-gfx", "--binary", gif}), kExitDone);
            const test::Bytes all(out.begin(), out.end());
            const size_t frameBytes = all.size() / 3;
            for (size_t f = 1; f < 3; ++f) {
                const uint32_t stride = static_cast<uint32_t>(frameBytes / 16);
                for (uint32_t y = 0; y < 16; ++y)
                    for (uint32_t i = 0; i < stride; ++i) {
                        const uint32_t x = i * 8 / std::stoul(depth);
                        const bool nearSquare = x + 8 >= 2 + 3 * (f - 1) && x < 8 + 3 * f + 8;
                        if (nearSquare) continue;
                        EXPECT_EQ(all[f * frameBytes + y * stride + i], all[(f - 1) * frameBytes + y * stride + i])
                            << dither << " depth " << depth << " frame " << f << " row " << y << " byte " << i;
                    }
            }
        }
    }
}

// Each frame is composited as the file says: a frame kept, cleared to the
// background, or restored to what was there before it (disposal 3, which
// reads the frame two back).
TEST_F(CliTest, FramesAreCompositedAsTheFileSays) {
    const test::Bytes palette = {0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255};
    auto frame = [](uint32_t x, uint32_t y, uint32_t w, uint32_t h, uint8_t index, uint32_t disposal) {
        test::GifFrame f;
        f.x = x, f.y = y, f.width = w, f.height = h, f.disposal = disposal;
        f.indices.assign(static_cast<size_t>(w) * h, index);
        return f;
    };
    // White, a black square kept, a red one restored away, a one-pixel frame.
    const std::string gif = Image(
        test::Gif(6, 4, palette,
                  {frame(0, 0, 6, 4, 1, 1), frame(0, 0, 2, 2, 0, 1), frame(3, 1, 2, 2, 2, 3), frame(5, 3, 1, 1, 1, 1)}),
        "composited.gif");
    const char* const expected[] = {"......\n......\n......\n......\n", "##....\n##....\n......\n......\n",
                                    "##....\n##.##.\n...##.\n......\n", "##....\n##....\n......\n......\n"};
    for (int f = 0; f < 4; ++f) {
        ASSERT_EQ(Run({"--frames", std::to_string(f), "--preview=ascii", "--threshold", "60%", gif}), kExitDone) << err;
        EXPECT_EQ(out, expected[f]) << "frame " << f;
    }
}

TEST_F(CliTest, BadAnimationsAreRefusedWithOneLine) {
    const test::Bytes grey = {0, 0, 0, 255, 255, 255};
    auto frame = [](uint32_t x, uint32_t y, uint32_t w, uint32_t h, uint32_t delay) {
        test::GifFrame f;
        f.x = x, f.y = y, f.width = w, f.height = h, f.delay = delay;
        f.indices.assign(static_cast<size_t>(w) * h, 1);
        return f;
    };
    test::Bytes truncated = test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5), frame(0, 0, 8, 8, 5)});
    truncated.resize(truncated.size() - 6);
    const std::vector<test::GifFrame> many(1001, frame(0, 0, 2, 2, 5));
    const struct {
        test::Bytes gif;
        std::vector<std::string> options;
        int status;
        const char* says;
    } cases[] = {
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5), frame(4, 4, 8, 8, 5)}),
         {},
         kExitRefused,
         "unsupported GIF: frame 2 (8 x 8 at 4, 4) lies outside the 8 x 8 screen"},
        {truncated, {}, kExitRefused, "unsupported GIF: the file ends inside frame 2"},
        {test::Gif(8, 8, grey, many), {}, kExitRefused, "unsupported GIF: more than 1000 frames"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5), frame(0, 0, 8, 8, 0)}),
         {"--c-array", "anim"},
         kExitRefused,
         "frame 1 has a delay of 0 ms, which players show for 100 ms or not at all; give the delay with --delay MS"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5), frame(0, 0, 8, 8, 5)}),
         {"--frames", "2"},
         kExitRefused,
         "--frames names frame 2, and the animation has 2 frames (0 to 1)"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5)}),
         {"--frames", "1-x"},
         kExitUsage,
         "--frames: '1-x' is not a list of frames"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5)}),
         {"--frames", "3-1"},
         kExitUsage,
         "--frames: '3-1' is not a list of frames"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5)}),
         {"--frames", "0,1", "--png"},
         kExitUsage,
         "--png shows one frame, and --frames names 2; name one"},
        {test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 5)}), {"--delay", "0"}, kExitUsage, "--delay: '0' is not a delay"},
    };
    for (const auto& c : cases) {
        const std::string gif = Image(c.gif, "bad.gif");
        const std::string output = dir.File("out.h");
        std::remove(output.c_str());
        EXPECT_EQ(Run(With(c.options, {gif, "-o", output})), c.status) << c.says;
        const std::string line =
            c.status == kExitUsage ? std::string("quillgrid-cli: ") + c.says : "quillgrid-cli: " + gif + ": " + c.says;
        EXPECT_EQ(err.substr(0, line.size()), line) << err;
        EXPECT_FALSE(std::ifstream(output).good()) << c.says;
    }
    // With --delay, the zero delays become the one given.
    const std::string gif = Image(test::Gif(8, 8, grey, {frame(0, 0, 8, 8, 0), frame(0, 0, 8, 8, 0)}), "zero.gif");
    ASSERT_EQ(Run({"--c-array", "anim", "--delay", "40", gif}), kExitDone) << err;
    EXPECT_NE(out.find("anim_delays[] = {40, 40};"), std::string::npos) << out;
}

// --depfile: each output written, then what it was made from, as make reads it.
TEST_F(CliTest, DepfileNamesEachOutputsInputs) {
    const std::string a = Image(test::MonoBmp({"#."}), "a b.bmp"), b = Image(test::MonoBmp({".#"}), "b.bmp");
    const std::string settings = dir.File("s.dat");
    std::ofstream(settings, std::ios::binary) << std::string(16, '\0');
    auto escaped = [](std::string path) {
        for (size_t at = path.find(' '); at != std::string::npos; at = path.find(' ', at + 2)) path.insert(at, "\\");
        return path;
    };
    const std::string header = dir.File("all.h"), deps = dir.File("all.d");
    ASSERT_EQ(Run({"--c-array", "img", "-o", header, "--depfile", deps, a, b}), kExitDone) << err;
    EXPECT_EQ(test::ReadText(deps), escaped(header) + ": " + escaped(a) + " " + b + "\n");
    ASSERT_EQ(Run({"--out-dir", dir.File("out"), "--settings", settings, "--depfile", deps, a, b}), kExitDone) << err;
    const std::string outA = (dir.Path("out") / "a b.txt").string(), outB = (dir.Path("out") / "b.txt").string();
    EXPECT_EQ(test::ReadText(deps),
              escaped(outA) + ": " + escaped(a) + " " + settings + "\n" + outB + ": " + b + " " + settings + "\n");
    EXPECT_EQ(Run({"--depfile", deps, a}), kExitUsage);
    EXPECT_EQ(err.rfind("quillgrid-cli: --depfile names the files written", 0), 0u) << err;
}

// --frames at its edges: a range whose ends are equal, one frame, the
// last, parts that overlap and repeat, each as named and in its order; one
// past the last is refused. The header's tables follow the frames picked,
// each with its own delay.
TEST_F(CliTest, FramesListsAtTheirEdges) {
    const std::string gif = Image(Moving(24, 10, {10, 20, 30, 40}), "moving.gif");
    const struct {
        const char* frames;
        std::vector<uint32_t> picked;
    } cases[] = {
        {"1-1", {1}}, {"3", {3}}, {"0", {0}}, {"0-3", {0, 1, 2, 3}}, {"2-3,1-2", {2, 3, 1, 2}}, {"3,3,0", {3, 3, 0}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Run({"--c-array", "anim", "--frames", c.frames, gif}), kExitDone) << c.frames << ": " << err;
        std::string names, delays;
        for (size_t i = 0; i < c.picked.size(); ++i) {
            names += "    anim_" + std::to_string(c.picked[i]) + ",\n";
            delays += (i ? ", " : "") + std::to_string(100 * (c.picked[i] + 1));
        }
        EXPECT_NE(out.find("anim_frames[] = {\n" + names + "};"), std::string::npos) << c.frames << "\n" << out;
        EXPECT_NE(out.find("anim_delays[] = {" + delays + "};"), std::string::npos) << c.frames;
        EXPECT_NE(out.find("anim_frame_count = " + std::to_string(c.picked.size())), std::string::npos) << c.frames;
    }
    EXPECT_EQ(Run({"--c-array", "anim", "--frames", "2-4", gif}), kExitRefused);
    EXPECT_EQ(err, "quillgrid-cli: " + gif + ": --frames names frame 4, and the animation has 4 frames (0 to 3)\n");
}

// Each character that make treats specially, in an input's name and an
// output's: make finds the very files the depfile names, the output up to
// date after the run and to be made again once the input is newer.
TEST_F(CliTest, DepfilesNameEveryPathAsMakeReadsIt) {
#ifdef _WIN32
    GTEST_SKIP() << "make runs where the converter is native";
#endif
    if (std::system("command -v make >/dev/null 2>&1") != 0) GTEST_SKIP() << "no make";
    for (const char* special : {" ", "#", "$", "\\", ":", "\\ ", "$$"}) {
        const std::string name = std::string("in") + special + "put";
        const std::string input = Image(test::MonoBmp({"#."}), (name + ".bmp").c_str());
        const std::string output = "out" + std::string(special) + "put.txt";
        const auto now = std::filesystem::file_time_type::clock::now();
        std::filesystem::last_write_time(input, now - std::chrono::seconds(20));
        ASSERT_EQ(Run({"-o", dir.File(output), "--depfile", dir.File("deps.d"), input}), kExitDone) << name << err;
        std::ofstream(dir.File("Makefile")) << "include deps.d\n%.txt:\n\t@echo remade\n";
        auto make = [&]() {
            const std::string command = "cd '" + dir.File("") + "' && make -s '" + dir.File(output) + "' > made 2>&1";
            const int status = std::system(command.c_str());
            return std::to_string(status) + " " + test::ReadText(dir.File("made"));
        };
        EXPECT_EQ(make(), "0 ") << "'" << special << "': " << test::ReadText(dir.File("deps.d"));
        std::filesystem::last_write_time(dir.File(output), now - std::chrono::seconds(30));
        EXPECT_EQ(make(), "0 remade\n") << "'" << special << "': " << test::ReadText(dir.File("deps.d"));
    }
}

}  // namespace
