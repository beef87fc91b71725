// The frame: rotation, flips, fit and alignment into a frame, resampling,
// and the dithers, seen through the converter's preview.
#include <gtest/gtest.h>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"

namespace {

using test::Bytes;
typedef std::vector<std::string> Picture;  // rows of '#' dark and '.' light

class FrameTest : public test::CliTest {
protected:
    // The preview of `input` with `flags`, or the error when it is refused.
    std::string Preview(std::vector<std::string> flags, const std::string& input) {
        flags.insert(flags.begin(), "--preview=ascii");
        flags.push_back(input);
        return Run(flags) == kExitDone ? out : "error: " + err;
    }

    // A grey PNG of the picture: 0 for '#', 255 for the others.
    std::string PngOf(const Picture& rows, const char* name = "in.png") {
        std::vector<uint32_t> samples;
        for (const std::string& row : rows)
            for (char c : row) samples.push_back(c == '#' ? 0 : 255);
        return Image(
            test::Png(static_cast<uint32_t>(rows[0].size()), static_cast<uint32_t>(rows.size()), 0, 8, samples), name);
    }
};

std::string Text(const Picture& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// Every rotation with every flip, on a PNG and on a 1-bit BMP: each source
// pixel lands where turning the picture clockwise, then mirroring it, puts
// it, (x, y) -> (h - 1 - y, x) for a quarter turn.
TEST_F(FrameTest, TurnsMoveEachPixelWhereTheFormulaSays) {
    const Picture source = {"#..#", "##..", ".#.#"};
    const uint32_t w = 4, h = 3;
    const std::string inputs[] = {PngOf(source), Image(test::MonoBmp(source), "in.bmp")};
    for (uint32_t rotate : {0u, 90u, 180u, 270u}) {
        for (const char* flip : {"", "h", "v", "hv"}) {
            const bool across = rotate % 180 != 0;
            const uint32_t ow = across ? h : w, oh = across ? w : h;
            Picture expected(oh, std::string(ow, '.'));
            for (uint32_t y = 0; y < h; ++y) {
                for (uint32_t x = 0; x < w; ++x) {
                    uint32_t tx = x, ty = y;
                    if (rotate == 90) tx = h - 1 - y, ty = x;
                    if (rotate == 180) tx = w - 1 - x, ty = h - 1 - y;
                    if (rotate == 270) tx = y, ty = w - 1 - x;
                    if (std::string(flip).find('h') != std::string::npos) tx = ow - 1 - tx;
                    if (std::string(flip).find('v') != std::string::npos) ty = oh - 1 - ty;
                    expected[ty][tx] = source[y][x];
                }
            }
            std::vector<std::string> flags = {"--rotate", std::to_string(rotate)};
            if (*flip) flags.insert(flags.end(), {"--flip", flip});
            for (const std::string& input : inputs)
                EXPECT_EQ(Preview(flags, input), Text(expected)) << rotate << " " << flip << " " << input;
        }
    }
}

// A 5 x 3 picture in a 9 x 7, a 3 x 2 and a 4 x 4 frame, each pixel from
// the nearest source pixel: the scaled size rounds to the nearest pixel,
// and centred, the odd pixel of a margin or of a cut goes right or down.
TEST_F(FrameTest, FitAndAlignmentPlaceTheImage) {
    const std::string input = PngOf({"#.#.#", "##..#", "#...#"});
    const struct {
        const char* size;
        const char* fit;
        const char* align;
        const char* picture;
    } cases[] = {
        {"9x7", "contain", "center", ".........\n##..#..##\n##..#..##\n####...##\n##.....##\n##.....##\n.........\n"},
        {"9x7", "contain", "top-left", "##..#..##\n##..#..##\n####...##\n##.....##\n##.....##\n.........\n.........\n"},
        {"9x7", "contain", "bottom-right",
         ".........\n.........\n##..#..##\n##..#..##\n####...##\n##.....##\n##.....##\n"},
        {"9x7", "cover", "center", "#...##...\n#...##...\n####.....\n####.....\n####.....\n#........\n#........\n"},
        {"9x7", "stretch", "center", "##..#..##\n##..#..##\n####...##\n####...##\n####...##\n##.....##\n##.....##\n"},
        {"9x7", "none", "center", ".........\n.........\n..#.#.#..\n..##..#..\n..#...#..\n.........\n.........\n"},
        {"9x7", "none", "bottom-right",
         ".........\n.........\n.........\n.........\n....#.#.#\n....##..#\n....#...#\n"},
        {"3x2", "contain", "center", "###\n#.#\n"},
        {"3x2", "none", "center", ".#.\n#..\n"},
        {"3x2", "none", "top-left", "#.#\n##.\n"},
        {"3x2", "none", "right", "#.#\n..#\n"},
        {"4x4", "contain", "bottom", "....\n....\n#..#\n#..#\n"},
        {"4x4", "cover", "center", "..#.\n##..\n##..\n....\n"},
        {"4x4", "cover", "left", "#..#\n###.\n###.\n#...\n"},
        {"4x4", "cover", "right", "#..#\n...#\n...#\n...#\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Preview({"--resample", "nearest", "--size", c.size, "--fit", c.fit, "--align", c.align}, input),
                  c.picture)
            << c.size << " " << c.fit << " " << c.align;
    }
    // Without --fit, the frame contains the image.
    EXPECT_EQ(Preview({"--resample", "nearest", "--size", "9x7"}, input), cases[0].picture);
}

// A whole-number enlargement with the nearest pixel repeats every pixel
// exactly, in each direction on its own too.
TEST_F(FrameTest, NearestEnlargementRepeatsEachPixel) {
    const Picture source = {"#..", ".##"};
    const std::string input = PngOf(source);
    for (auto factor :
         {std::make_pair(2u, 2u), std::make_pair(3u, 3u), std::make_pair(4u, 1u), std::make_pair(1u, 5u)}) {
        Picture expected(2 * factor.second, std::string(3 * factor.first, '.'));
        for (uint32_t y = 0; y < expected.size(); ++y)
            for (uint32_t x = 0; x < expected[0].size(); ++x)
                expected[y][x] = source[y / factor.second][x / factor.first];
        std::string size = std::to_string(3 * factor.first) + "x" + std::to_string(2 * factor.second);
        EXPECT_EQ(Preview({"--size", size, "--fit", "stretch", "--resample", "nearest"}, input), Text(expected))
            << size;
    }
}

// The margins are the background's grey before the threshold, so --invert
// turns them too; a 512 x 512 picture becomes a centred 128 x 64 image.
TEST_F(FrameTest, ALargePictureFitsTheDisplay) {
    std::vector<uint32_t> disc;
    for (uint32_t y = 0; y < 512; ++y)
        for (uint32_t x = 0; x < 512; ++x)
            disc.push_back((x - 255.5) * (x - 255.5) + (y - 255.5) * (y - 255.5) < 200 * 200 ? 0 : 255);
    const std::string input = Image(test::Png(512, 512, 0, 8, disc), "logo.png");
    const std::string light = std::string(32, '.'), dark = std::string(32, '#');
    const struct {
        std::vector<std::string> flags;
        const std::string& margin;
        char centre;  // the disc's
    } cases[] = {{{}, light, '#'}, {{"--background", "black"}, dark, '#'}, {{"--invert"}, dark, '.'}};
    for (const auto& c : cases) {
        std::vector<std::string> flags = c.flags;
        flags.insert(flags.end(), {"--size", "128x64"});
        std::string picture = Preview(flags, input);
        ASSERT_EQ(picture.size(), 129u * 64) << picture;
        for (size_t row = 0; row < 64; ++row) {
            EXPECT_EQ(picture.substr(row * 129, 32), c.margin) << row;
            EXPECT_EQ(picture.substr(row * 129 + 96, 32), c.margin) << row;
        }
        EXPECT_EQ(picture[32 * 129 + 64], c.centre);
    }
    ASSERT_EQ(Run({"--info", "--size", "128x64", input}), kExitDone);
    EXPECT_NE(out.find("source: 512 x 512\nwidth: 128\nheight: 64\n"), std::string::npos) << out;
}

// Each dither on a small image of varied greys, exactly, as a separate
// model of its integer rules gives it; and on flat greys, the share of
// dark pixels follows the grey, and the ordered one repeats every 8 pixels.
TEST_F(FrameTest, DithersGiveTheirExactPixels) {
    std::vector<uint32_t> greys;
    for (uint32_t y = 0; y < 6; ++y)
        for (uint32_t x = 0; x < 16; ++x) greys.push_back((x * 15 + y * 37) % 256);
    const std::string varied = Image(test::Png(16, 6, 0, 8, greys), "varied.png");
    const struct {
        std::vector<std::string> flags;
        const char* picture;
    } cases[] = {
        {{"--dither=atkinson"},
         "#######.#.......\n####..#...#....#\n##..#..#.....###\n..#.......######\n..#.....######..\n.....#######..#."
         "\n"},
        {{"--dither=bayer"},
         "####.#.#........\n#####.#.#.#....#\n.#.#.#.......#.#\n#.#.#.#.#.######\n........####.#.#\n#.#..########.#."
         "\n"},
        {{"--dither=bayer", "--threshold", "30%"},
         "##.#.#..........\n#.#.#.#........#\n.#...........#.#\n#.........#####.\n.........#.#....\n.....####.#.#..."
         "\n"},
        {{"--dither=fs"},
         "######.#.#......\n###.#.#.#..#...#\n#.#.#..#.....###\n.#.#......######\n#....#..#####.#.\n.....######.#.#."
         "\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Preview(c.flags, varied), c.picture) << c.flags[0];

    for (uint32_t grey : {64u, 128u, 192u}) {
        const std::string flat = Image(test::Png(64, 64, 0, 8, std::vector<uint32_t>(64 * 64, grey)), "flat.png");
        for (const char* dither : {"--dither=fs", "--dither=atkinson", "--dither=bayer"}) {
            std::string picture = Preview({dither}, flat);
            double share = std::count(picture.begin(), picture.end(), '#') / 4096.0;
            // Atkinson lets a quarter of the error go, which deepens the contrast.
            EXPECT_NEAR(share, 1 - grey / 255.0, std::string(dither) == "--dither=atkinson" ? 0.1 : 0.03)
                << dither << " on " << grey;
            if (std::string(dither) != "--dither=bayer") continue;
            for (size_t y = 0; y < 64; ++y)
                for (size_t x = 0; x < 64; ++x)
                    ASSERT_EQ(picture[y * 65 + x], picture[(y % 8) * 65 + x % 8]) << grey << " at " << x << "," << y;
        }
    }
}

// Bad values are usage errors that name the option, before anything runs.
TEST_F(FrameTest, BadValuesAreUsageErrors) {
    const std::string input = PngOf({"#"});
    const struct {
        std::vector<std::string> flags;
        const char* problem;
    } cases[] = {
        {{"--size", "0x64"}, "--size: '0x64' is not a frame size"},
        {{"--size", "128"}, "--size: '128' is not a frame size"},
        {{"--size", "128x-1"}, "--size: '128x-1' is not a frame size"},
        {{"--size", "99999999x1"}, "--size: '99999999x1' is not a frame size"},
        {{"--size=128x64x2"}, "--size: '128x64x2' is not a frame size"},
        {{"--size", "1048576x1024"}, "--size: the frame '1048576x1024' has more than 268435456 pixels"},
        {{"--rotate", "45"}, "--rotate: '45' is not a rotation (clockwise, in degrees): give 0, 90, 180 or 270"},
        {{"--fit", "tight"}, "--fit: 'tight' is not a fit: give contain, cover, stretch or none"},
        {{"--align", "middle"}, "--align: 'middle' is not an alignment: give center, top"},
        {{"--flip", "x"}, "--flip: 'x' is not a flip: give h, v or hv"},
        {{"--resample", "cubic"}, "--resample: 'cubic' is not a resampling filter: give auto, nearest"},
        {{"--dither=ordered"}, "--dither: 'ordered' is not a dither: give fs, atkinson, bayer or none"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.flags;
        args.push_back(input);
        EXPECT_EQ(Run(args), kExitUsage) << c.problem;
        EXPECT_EQ(err.rfind(std::string("quillgrid-cli: ") + c.problem, 0), 0u) << err;
        EXPECT_EQ(out, "");
    }
}

}  // namespace
