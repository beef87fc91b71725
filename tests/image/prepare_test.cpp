// The page keeps the grey levels PrepareGrey makes and tones them again on
// every change: that must give what the converter's one pass gives.
#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "image/grey_plane.h"
#include "image/image_input.h"
#include "image/tone.h"
#include "tests/cli/image_files.h"

namespace {

TEST(PrepareGrey, ThenToneIsTheOnePass) {
    std::vector<uint32_t> rgba, grey;
    for (uint32_t i = 0; i < 23 * 17; ++i) {
        rgba.insert(rgba.end(), {i * 7 % 256, i * 13 % 256, i * 29 % 256, i * 3 % 256});
        grey.push_back(i * 11 % 256);
    }
    const test::Bytes files[] = {test::Png(23, 17, 6, 8, rgba), test::RandomMonoBmp(23, 17, 4),
                                 test::Pnm(23, 17, false, grey)};
    std::vector<ImageOptions> choices(6);
    choices[1].tone.dither = Dither::FloydSteinberg;
    choices[2].frame = {40, 20, Fit::Contain, 1, -1, 0, false, false, Resample::Auto};
    choices[3].frame = {9, 30, Fit::Cover, 0, 0, 90, true, false, Resample::Nearest};
    choices[3].tone.dither = Dither::Atkinson;
    choices[4].frame.rotate = 270;
    choices[4].frame.flipV = true;
    choices[4].tone.blackBackground = true;
    choices[5].frame = {64, 64, Fit::Stretch, 0, 0, 180, false, false, Resample::Mitchell};
    choices[5].tone.dither = Dither::Bayer;
    choices[5].tone.thresholdHundredths = 8000;
    for (size_t f = 0; f < 3; ++f) {
        for (size_t c = 0; c < choices.size(); ++c) {
            MonoBitmap once, kept;
            std::string why;
            ASSERT_TRUE(LoadInputBytes(files[f].data(), files[f].size(), choices[c], &once, &why)) << why;
            GreyPlane plane;
            ASSERT_TRUE(PrepareGrey(files[f].data(), files[f].size(), choices[c], &plane, &kept, &why)) << why;
            if (plane.Width() != 0) {
                ASSERT_TRUE(ToMono(plane, choices[c].tone, &kept));
            }
            ASSERT_EQ(kept.Width(), once.Width()) << f << " " << c;
            ASSERT_EQ(kept.Height(), once.Height()) << f << " " << c;
            for (uint32_t y = 0; y < once.Height(); ++y) {
                for (uint32_t x = 0; x < once.Width(); ++x) {
                    ASSERT_EQ(kept.IsDark(x, y), once.IsDark(x, y)) << "file " << f << ", options " << c << " at " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
