// Grey to levels: a flat grey between two levels gives only those two, in
// its own proportion, with every dither and at every depth (Atkinson lets a
// quarter of the error go, by design: halfway it keeps the proportion,
// nearer a level it leans to that level); without a dither each grey takes
// the nearest level.
#include "image/grey_tone.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/level_image.h"
#include "image/channel_image.h"

namespace {

TEST(ToneLevels, AFlatGreyGivesItsTwoLevelsInProportion) {
    for (uint32_t depth : {2u, 4u, 8u}) {
        const uint32_t top = (1u << depth) - 1;
        for (Dither dither : {Dither::FloydSteinberg, Dither::Atkinson, Dither::Bayer}) {
            // Levels 0-1, the middle pair and the top pair, a quarter, a half
            // and three quarters of the way (as near as whole greys go).
            for (uint32_t lower : {0u, top / 2, top - 1}) {
                for (double part : {0.25, 0.5, 0.75}) {
                    const double exact = (lower + part) * 255.0 / top;
                    const uint8_t grey = static_cast<uint8_t>(std::lround(exact));
                    const double wanted = grey * static_cast<double>(top) / 255.0 - lower;  // the share of lower + 1
                    ChannelImage plane;
                    ASSERT_TRUE(plane.Create(200, 200, grey));
                    ToneOptions tone;
                    tone.dither = dither;
                    LevelImage levels;
                    ASSERT_TRUE(ToneLevels({plane.Rows(), true, 255}, tone, FormatOf(PixelKind::Grey, depth), &levels));
                    uint32_t upper = 0, other = 0;
                    for (uint32_t y = 0; y < 200; ++y)
                        for (uint32_t x = 0; x < 200; ++x) {
                            const uint32_t v = levels.Get(x, y);
                            upper += v == lower + 1;
                            other += v != lower && v != lower + 1;
                        }
                    const double share = upper / 40000.0;
                    EXPECT_EQ(other, 0u) << depth << " bits, dither " << static_cast<int>(dither) << ", grey "
                                         << int(grey);
                    const bool atkinson = dither == Dither::Atkinson;
                    EXPECT_NEAR(share, wanted, atkinson && std::fabs(wanted - 0.5) > 0.01 ? 0.1 : 0.02)
                        << depth << " bits, dither " << static_cast<int>(dither) << ", grey " << int(grey);
                    if (atkinson && depth < 8 && std::fabs(wanted - 0.5) > 0.1) {
                        EXPECT_TRUE(wanted < 0.5 ? share < wanted : share > wanted)
                            << depth << " bits, grey " << int(grey);
                    }
                }
            }
        }
    }
}

// Without a dither: the nearest level, halfway greys going up.
TEST(ToneLevels, WithoutADitherTheNearestLevel) {
    const struct {
        uint32_t depth;
        uint8_t grey;
        uint32_t level;
    } cases[] = {
        {2, 0, 0}, {2, 42, 0}, {2, 43, 1},  {2, 85, 1},   {2, 127, 1}, {2, 128, 2}, {2, 255, 3},
        {4, 8, 0}, {4, 9, 1},  {4, 136, 8}, {4, 255, 15}, {8, 0, 0},   {8, 77, 77}, {8, 255, 255},
    };
    for (const auto& c : cases) {
        ChannelImage plane;
        ASSERT_TRUE(plane.Create(1, 1, c.grey));
        LevelImage levels;
        ASSERT_TRUE(ToneLevels({plane.Rows(), true, 255}, ToneOptions(), FormatOf(PixelKind::Grey, c.depth), &levels));
        EXPECT_EQ(levels.Get(0, 0), c.level) << c.depth << " bits, grey " << int(c.grey);
    }
}

}  // namespace
