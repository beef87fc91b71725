// The resampling filters on grey levels: a flat grey stays itself, the
// image's own size keeps every pixel, and every build (native, Windows,
// the page) gives the same levels, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/frame.h"
#include "image/channel_image.h"

namespace {

const Resample kFilters[] = {Resample::Auto,       Resample::Box,      Resample::Triangle,
                             Resample::CatmullRom, Resample::Mitchell, Resample::Nearest};

// A 12 x 9 picture with edges and a ramp.
ChannelImage Picture() {
    ChannelImage plane;
    plane.Create(12, 9, 0);
    for (uint32_t y = 0; y < 9; ++y)
        for (uint32_t x = 0; x < 12; ++x)
            plane.Row(y)[x] = static_cast<uint8_t>(x < 4 && y < 5 ? 20 : (x * 21 + y * 7) % 256);
    return plane;
}

// FNV-1a over the frame's levels.
uint32_t Checksum(const ChannelImage& plane) {
    uint32_t hash = 2166136261u;
    for (uint32_t y = 0; y < plane.Height(); ++y)
        for (uint32_t x = 0; x < plane.Width(); ++x) hash = (hash ^ plane.Row(y)[x]) * 16777619u;
    return hash;
}

TEST(Resample, FlatGreyStaysAndTheOwnSizeKeepsEveryPixel) {
    ChannelImage flat, out;
    flat.Create(9, 5, 77);
    ChannelImage picture = Picture();
    for (Resample filter : kFilters) {
        FrameOptions frame;
        frame.resample = filter;
        frame.fit = Fit::Stretch;
        for (auto size : {std::make_pair(4u, 3u), std::make_pair(23u, 11u)}) {
            frame.width = size.first;
            frame.height = size.second;
            ASSERT_TRUE(FitImage(flat, frame, 0, &out));
            for (uint32_t y = 0; y < out.Height(); ++y)
                for (uint32_t x = 0; x < out.Width(); ++x)
                    ASSERT_EQ(out.Row(y)[x], 77) << static_cast<int>(filter) << " at " << x << "," << y;
        }
        // At the image's own size, every pixel stays as it is.
        frame.width = 12;
        frame.height = 9;
        ASSERT_TRUE(FitImage(picture, frame, 0, &out));
        EXPECT_EQ(Checksum(out), Checksum(picture)) << static_cast<int>(filter);
    }
}

// The levels every build must give (taken from the native build): the
// resampler works in single-precision floats, which each of them rounds
// the same way.
TEST(Resample, EveryBuildGivesTheSameLevels) {
    const struct {
        uint32_t width, height;
        uint32_t sums[6];  // in the order of kFilters
    } cases[] = {
        {7, 5, {546459643u, 3080500899u, 3477379865u, 1790645377u, 546459643u, 4135835676u}},
        {20, 15, {2934515618u, 3338086390u, 1953460163u, 2934515618u, 4001839916u, 4012002366u}},
        {5, 9, {2648918466u, 1557599526u, 1182744402u, 3974757486u, 2648918466u, 2278717311u}},
    };
    ChannelImage picture = Picture(), out;
    for (const auto& c : cases) {
        for (size_t i = 0; i < 6; ++i) {
            FrameOptions frame;
            frame.width = c.width;
            frame.height = c.height;
            frame.fit = Fit::Stretch;
            frame.resample = kFilters[i];
            ASSERT_TRUE(FitImage(picture, frame, 0, &out));
            EXPECT_EQ(Checksum(out), c.sums[i]) << c.width << "x" << c.height << " filter " << i;
        }
    }
}

// Colour with alpha: a transparent pixel lends no colour to its opaque
// neighbour (the filter weighs colours by their alpha), and the margins of
// a frame are transparent, the background coming in as alpha is
// composited.
TEST(Resample, TransparentPixelsLendNoColour) {
    ChannelImage rgba, out;
    ASSERT_TRUE(rgba.Create(2, 1, 0, 4));
    const uint8_t pixels[8] = {255, 255, 255, 255, 0, 0, 0, 0};  // white, then transparent black
    std::copy(pixels, pixels + 8, rgba.Row(0));
    FrameOptions frame;
    frame.width = 1, frame.height = 1, frame.fit = Fit::Stretch, frame.resample = Resample::Box;
    ASSERT_TRUE(FitImage(rgba, frame, 255, &out));
    ASSERT_EQ(out.Channels(), 4u);
    EXPECT_GE(out.Row(0)[0], 250) << "the colour stays white";
    EXPECT_NEAR(out.Row(0)[3], 128, 1) << "half covered";
    frame.width = 4, frame.fit = Fit::None;
    ASSERT_TRUE(FitImage(rgba, frame, 255, &out));
    EXPECT_EQ(out.Row(0)[3], 0) << "a margin is transparent";
    EXPECT_EQ(out.Row(0)[4 + 3], 255);
}

}  // namespace
