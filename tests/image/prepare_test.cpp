// The page keeps the image PrepareImage makes and tones it again on every
// change of the tone: each must give what the converter's whole path gives
// for the same options, in every kind of pixel format.
#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "image/image_input.h"
#include "image/tone.h"
#include "tests/cli/image_files.h"

namespace {

TEST(PreparedImage, ToneAgainIsTheWholePath) {
    std::vector<uint32_t> rgba, grey;
    for (uint32_t i = 0; i < 23 * 17; ++i) {
        rgba.insert(rgba.end(), {i * 7 % 256, i * 13 % 256, i * 29 % 256, i * 3 % 256});
        grey.push_back(i * 11 % 256);
    }
    const test::Bytes files[] = {test::Png(23, 17, 6, 8, rgba), test::RandomMonoBmp(23, 17, 4),
                                 test::Pnm(23, 17, false, grey)};
    std::vector<ImageOptions> choices(7);
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
    choices[6].tone.blackBackground = true;  // no frame: the decoded image is kept
    ToneOptions tones[4];
    tones[1].dither = Dither::FloydSteinberg;
    tones[2].dither = Dither::Bayer;
    tones[2].thresholdHundredths = 8000;
    tones[3].dither = Dither::Atkinson;
    tones[3].thresholdHundredths = 20000;
    Palette bwr;
    std::string why;
    ASSERT_TRUE(ParsePalette("bwr", &bwr, &why));
    const PixelFormat formats[] = {PixelFormat::Mono, PixelFormat::Grey2, PixelFormat::Alpha4, PixelFormat::Index2,
                                   PixelFormat::Rgb565};
    for (PixelFormat format : formats) {
        for (size_t f = 0; f < 3; ++f) {
            for (size_t c = 0; c < choices.size(); ++c) {
                ImageOptions chosen = choices[c];
                chosen.format = format;
                if (KindOf(format) == PixelKind::Index) chosen.palette = bwr;
                PreparedImage prepared;
                PixelImage kept;
                ASSERT_TRUE(PrepareImage(files[f].data(), files[f].size(), chosen, &prepared, &kept, &why)) << why;
                EXPECT_EQ(prepared.KeepsBitmap(), f == 1 && chosen.frame.KeepsTheImage()) << f << " " << c;
                for (const ToneOptions& tone : tones) {
                    ImageOptions options = chosen;
                    options.tone.dither = tone.dither;
                    options.tone.thresholdHundredths = tone.thresholdHundredths;
                    PixelImage once;
                    ASSERT_TRUE(ConvertImageBytes(files[f].data(), files[f].size(), options, &once, &why)) << why;
                    if (prepared.KeepsBitmap()) {
                        // The 1-bit image as the file has it, toned anew each time.
                        kept.Release();
                        ASSERT_TRUE(kept.Bitmap().LoadFromMemory(files[f].data(), files[f].size()));
                    }
                    ASSERT_TRUE(ToneImage(prepared, options, &kept, &why));
                    ASSERT_EQ(kept.Format(), once.Format());
                    ASSERT_EQ(kept.Width(), once.Width()) << f << " " << c;
                    ASSERT_EQ(kept.Height(), once.Height()) << f << " " << c;
                    for (uint32_t y = 0; y < once.Height(); ++y)
                        for (uint32_t x = 0; x < once.Width(); ++x)
                            ASSERT_EQ(kept.Get(x, y), once.Get(x, y))
                                << PixelFormatName(format) << ", file " << f << ", options " << c << ", tone "
                                << &tone - tones << " at " << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
