// The tone's adjustments on a picture's bytes, each against what its
// definition gives, and the frame's margins left as the background.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "image/adjust.h"
#include "image/channel_image.h"

namespace {

struct Case {
    ToneAdjust adjust;
    std::vector<uint8_t> in, out;  // RGB pixels
    const char* what;
};

TEST(AdjustTone, EachAdjustmentDoesWhatItSays) {
    const Case cases[] = {
        {{}, {0, 64, 255}, {0, 64, 255}, "neutral: as it is"},
        {{50, 0, 0, 1.0}, {0, 64, 200}, {128, 192, 255}, "brightness adds half of white"},
        {{-100, 0, 0, 1.0}, {255, 64, 0}, {0, 0, 0}, "brightness -100: black"},
        {{0, -100, 0, 1.0}, {0, 64, 255}, {128, 128, 128}, "contrast -100: mid grey"},
        {{0, 50, 0, 1.0}, {64, 128, 200}, {32, 128, 236}, "contrast 50: half again the spread from 127.5"},
        {{0, 0, 0, 2.0}, {64, 0, 255}, {128, 0, 255}, "gamma 2: the square root"},
        {{0, 0, 0, 0.5}, {128, 0, 255}, {64, 0, 255}, "gamma 0.5: the square"},
        {{0, 0, -100, 1.0}, {255, 0, 0}, {76, 76, 76}, "saturation -100: the luminance"},
        {{0, 0, 100, 1.0}, {150, 100, 100}, {185, 85, 85}, "saturation 100: twice from the grey, 115"},
        {{0, 0, 100, 1.0}, {250, 10, 10}, {255, 0, 0}, "saturation held to the channel's range"},
    };
    for (const Case& c : cases) {
        ChannelImage in, out;
        ASSERT_TRUE(in.Create(1, 1, 0, 3));
        std::copy(c.in.begin(), c.in.end(), in.Row(0));
        ASSERT_TRUE(AdjustTone(in, c.adjust, GreyFrom::Luminance, &out));
        EXPECT_EQ(std::vector<uint8_t>(out.Row(0), out.Row(0) + 3), c.out) << c.what;
    }
}

// Grey, grey with alpha and coverage: alpha stays; coverage is adjusted as
// the darkness it is, so that lightening a picture lessens its coverage.
TEST(AdjustTone, AlphaStaysAndCoverageIsDarkness) {
    const ToneAdjust lighter = {40, 0, 0, 1.0};
    ChannelImage grey, out;
    ASSERT_TRUE(grey.Create(1, 1, 0, 2));
    grey.Row(0)[0] = 100, grey.Row(0)[1] = 7;
    ASSERT_TRUE(AdjustTone(grey, lighter, GreyFrom::Luminance, &out));
    EXPECT_EQ(out.Row(0)[0], 202);
    EXPECT_EQ(out.Row(0)[1], 7);
    ChannelImage coverage;
    ASSERT_TRUE(coverage.Create(1, 1, 200, 1));
    ASSERT_TRUE(AdjustTone(coverage, lighter, GreyFrom::Coverage, &out));
    EXPECT_EQ(out.Row(0)[0], 98);  // light 55 becomes 157
}

}  // namespace
