// Colours become grey by their luminance with the BT.601 weights, and alpha
// is composited over the background: exact levels of pure colours.
#include "image/channel_image.h"

#include <gtest/gtest.h>

#include "image/image_decoder.h"
#include "tests/cli/image_files.h"

namespace {

TEST(FlattenRow, PureColoursTakeTheirOwnWeight) {
    // RGBA: red, green, blue, white, black, red half transparent.
    const std::vector<uint32_t> pixels = {255, 0,   0,   255, 0, 255, 0, 255, 0,   0, 255, 255,
                                          255, 255, 255, 255, 0, 0,   0, 255, 255, 0, 0,   128};
    const test::Bytes png = test::Png(6, 1, 6, 8, pixels);
    DecodedImage image;
    std::string why;
    ASSERT_TRUE(DecodeImage(png.data(), png.size(), &image, &why)) << why;
    const struct {
        uint32_t background;
        uint8_t grey[6];
    } cases[] = {
        // (77 R + 150 G + 29 B) / 256; the last over white: (76 x 128 + 255 x 127 + 127) / 255.
        {255, {76, 149, 28, 255, 0, 165}},
        {0, {76, 149, 28, 255, 0, 38}},
    };
    for (const auto& c : cases) {
        uint8_t row[6];
        FlattenRow(image.Rows(), 0, c.background, row);
        for (int x = 0; x < 6; ++x) EXPECT_EQ(row[x], c.grey[x]) << "pixel " << x << " over " << c.background;
    }
}

}  // namespace
