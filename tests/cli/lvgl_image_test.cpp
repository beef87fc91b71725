// LVGL's image file and compressed images: each colour format and method,
// at odd widths, read back through models of LVGL's decoders to the bytes
// of the uncompressed image, and the C descriptor's array the file's data.
#include <gtest/gtest.h>
#include <lz4.h>

#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"
#include "tests/cli/image_files.h"
#include "tests/compress/lvgl_image_model.h"

namespace {

using test::Bytes;
using test::CliTest;

uint32_t Le16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }

class LvglImageTest : public CliTest {
protected:
    // A picture with flat parts and noise, alpha too: rows of one colour,
    // rows of stripes, rows of noise.
    std::string Picture(uint32_t width, uint32_t height) {
        std::vector<uint32_t> samples;
        test::FixedNoise fixed(width * 31 + height);
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                const uint32_t noise = fixed.Next();
                const bool flat = y % 3 == 0, stripe = y % 3 == 1;
                const uint32_t v = flat ? 200 : stripe ? (x / 4 % 2 ? 40 : 220) : noise & 0xFF;
                samples.insert(samples.end(), {v, flat ? 90u : v / 2, stripe ? 30u : (noise >> 8) & 0xFF,
                                               flat     ? 255u
                                               : stripe ? 0u
                                                        : noise * 7 & 0xFF});
            }
        return Image(test::Png(width, height, 6, 8, samples), "picture.png");
    }
};

const struct Format {
    std::vector<std::string> args;
    uint8_t cf;        // lv_color_format_t
    uint32_t bpp;      // bits a pixel in the rows
    uint32_t colours;  // palette entries
} kFormats[] = {
    {{}, 0x07, 1, 2},
    {{"--lvgl-format", "I2"}, 0x08, 2, 4},
    {{"--palette", "bwr"}, 0x08, 2, 4},
    {{"--lvgl-format", "I4"}, 0x09, 4, 16},
    {{"--depth", "8"}, 0x0A, 8, 256},
    {{"--lvgl-format", "L8"}, 0x06, 8, 0},
    {{"--lvgl-format", "A1"}, 0x0B, 1, 0},
    {{"--lvgl-format", "A2"}, 0x0C, 2, 0},
    {{"--lvgl-format", "A4"}, 0x0D, 4, 0},
    {{"--lvgl-format", "A8"}, 0x0E, 8, 0},
    {{"--color", "rgb565"}, 0x12, 16, 0},
    {{"--color", "rgb565a8"}, 0x14, 16, 0},
    {{"--color", "rgb888"}, 0x0F, 24, 0},
    {{"--color", "argb8888"}, 0x10, 32, 0},
    {{"--lvgl-format", "RGB565_SWAPPED"}, 0x1B, 16, 0},
    {{"--color", "argb8565"}, 0x13, 24, 0},
};

TEST_F(LvglImageTest, EveryFormatAndMethodDecodesBackThroughLvglsDecoders) {
    for (const Format& format : kFormats) {
        for (uint32_t width : {1u, 7u, 19u}) {
            const uint32_t height = 9;
            const std::string input = Picture(width, height);
            const std::string what =
                (format.args.empty() ? "I1" : format.args.back()) + " at width " + std::to_string(width);
            auto run = [&](std::vector<std::string> more) {
                std::vector<std::string> args = format.args;
                args.insert(args.end(), more.begin(), more.end());
                args.push_back(input);
                EXPECT_EQ(Run(args), kExitDone) << what << ": " << err;
                return out;
            };
            const std::string rawText = run({"--lvgl-bin"});
            const Bytes raw(rawText.begin(), rawText.end());
            const uint32_t stride = (width * format.bpp + 7) / 8;
            const uint32_t size = format.colours * 4 + stride * height + (format.cf == 0x14 ? width * height : 0);
            ASSERT_EQ(raw.size(), 12 + size) << what;
            EXPECT_EQ(raw[0], 0x19) << what;
            EXPECT_EQ(raw[1], format.cf) << what;
            EXPECT_EQ(Le16(raw, 2), 0u) << what;
            EXPECT_EQ(Le16(raw, 4), width) << what;
            EXPECT_EQ(Le16(raw, 6), height) << what;
            EXPECT_EQ(Le16(raw, 8), stride) << what;
            const Bytes data(raw.begin() + 12, raw.end());
            EXPECT_EQ(test::ValuesOf(run({"--lvgl", "x"})), data) << what << ": the C array";

            for (const char* method : {"rle", "lz4"}) {
                const std::string fileText = run({"--lvgl-bin", "--compress", method});
                const Bytes file(fileText.begin(), fileText.end());
                ASSERT_GT(file.size(), 24u) << what << " " << method;
                EXPECT_TRUE(std::equal(raw.begin(), raw.begin() + 2, file.begin())) << what << " " << method;
                EXPECT_EQ(Le16(file, 2), 0x08u) << what << " " << method << ": LV_IMAGE_FLAGS_COMPRESSED";
                EXPECT_TRUE(std::equal(raw.begin() + 4, raw.begin() + 12, file.begin() + 4)) << what << " " << method;
                const Bytes packed(file.begin() + 12, file.end());
                Bytes back(size + 4, 0xA5);
                uint8_t controls[32] = {0};
                const uint32_t pixelByte = format.cf == 0x14 ? 2 : (format.bpp + 7) / 8;
                EXPECT_EQ(model_lvgl_decompress(packed.data(), static_cast<uint32_t>(packed.size()), pixelByte,
                                                back.data(), size, LZ4_decompress_safe, controls),
                          size)
                    << what << " " << method;
                back.resize(size);
                EXPECT_EQ(back, data) << what << " " << method;
                EXPECT_EQ(controls[0] & 1, 0) << what << ": a control byte 0x00";
                EXPECT_EQ(controls[0x10] & 1, 0) << what << ": a control byte 0x80";
                const Bytes array = test::ValuesOf(run({"--lvgl", "x", "--compress", method}));
                EXPECT_EQ(array, packed) << what << " " << method << ": the C array";
                EXPECT_NE(out.find("LV_IMAGE_FLAGS_COMPRESSED, " + std::to_string(width)), std::string::npos) << what;
            }
        }
    }
}

// RGB565_SWAPPED is RGB565 with each value's bytes swapped; ARGB8565 is
// RGB565's value then ARGB8888's alpha.
TEST_F(LvglImageTest, SwappedAndAlphaFormatsHoldRgb565sValues) {
    const std::string input = Picture(13, 5);
    auto data = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--lvgl-bin", input});
        EXPECT_EQ(Run(args), kExitDone) << err;
        return Bytes(out.begin() + 12, out.end());
    };
    const Bytes rgb565 = data({"--color", "rgb565"}), swapped = data({"--lvgl-format", "RGB565_SWAPPED"});
    const Bytes argb8888 = data({"--color", "argb8888"}), argb8565 = data({"--lvgl-format", "ARGB8565"});
    const Bytes opaque = data({"--color", "rgb565", "--background", "black"});
    ASSERT_EQ(swapped.size(), rgb565.size());
    for (size_t i = 0; i + 1 < rgb565.size(); i += 2) {
        EXPECT_EQ(swapped[i], rgb565[i + 1]) << i;
        EXPECT_EQ(swapped[i + 1], rgb565[i]) << i;
    }
    ASSERT_EQ(argb8565.size(), 13u * 5 * 3);
    for (size_t p = 0; p < 13 * 5; ++p) {
        const uint8_t* bgra = &argb8888[p * 4];
        const uint32_t value = (bgra[2] >> 3) << 11 | (bgra[1] >> 2) << 5 | bgra[0] >> 3;
        EXPECT_EQ(argb8565[p * 3] | argb8565[p * 3 + 1] << 8, value) << p;
        EXPECT_EQ(argb8565[p * 3 + 2], bgra[3]) << p;
        // Where opaque, the colour is RGB565's over any background.
        if (bgra[3] == 255) {
            EXPECT_EQ(opaque[p * 2] | opaque[p * 2 + 1] << 8, value) << p;
        }
    }
}

// --info's sizes are the file's.
TEST_F(LvglImageTest, InfoGivesTheDataAndCompressedSizes) {
    const std::string input = Picture(19, 9);
    for (const char* method : {"rle", "lz4"}) {
        ASSERT_EQ(Run({"--color", "rgb565", "--lvgl-bin", "--compress", method, input}), kExitDone) << err;
        const size_t compressed = out.size() - 12;
        ASSERT_EQ(Run({"--color", "rgb565", "--info", "--compress", method, input}), kExitDone) << err;
        EXPECT_NE(out.find("lvgl format: RGB565\nlvgl data: 342 bytes\nlvgl " + std::string(method) + ": " +
                           std::to_string(compressed) + " bytes"),
                  std::string::npos)
            << out;
    }
}

// A row's bytes past LVGL's 16-bit stride, LVGL 8's sizes past 11 bits,
// and the limits around them.
TEST_F(LvglImageTest, RowsPastTheHeadersStrideAreRefused) {
    const struct {
        uint32_t width;
        const char* colour;
        bool refused;
    } cases[] = {
        {21845, "rgb888", false}, {21846, "rgb888", true}, {16384, "argb8888", true}, {32767, "rgb565", false}};
    for (const auto& c : cases) {
        const std::string input = Image(test::Png(c.width, 1, 0, 8, std::vector<uint32_t>(c.width, 128)), "wide.png");
        const int status = Run({"--color", c.colour, "--lvgl-bin", "-o", dir.File("wide.bin"), input});
        EXPECT_EQ(status, c.refused ? kExitRefused : kExitDone) << c.width << " " << c.colour << ": " << err;
        EXPECT_EQ(err.find("at most 65535 bytes") != std::string::npos, c.refused) << err;
    }
    // LVGL 8's 11 bits of width and height.
    for (uint32_t width : {2047u, 2048u}) {
        const std::string input = Image(test::Png(width, 2, 0, 8, std::vector<uint32_t>(width * 2, 128)), "wide.png");
        const int status = Run({"--lvgl", "x", "--lvgl-version", "8", "-o", dir.File("wide.c"), input});
        EXPECT_EQ(status, width > 2047 ? kExitRefused : kExitDone) << width << ": " << err;
        EXPECT_EQ(err.find("at most 2047 pixels") != std::string::npos, width > 2047) << err;
    }
}

}  // namespace
