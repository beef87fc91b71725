// The page keeps the image PrepareImage makes and tones it again on every
// change of the tone: each must give what the converter's whole path gives
// for the same options, in every kind of pixel format.
#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "image/channel_image.h"
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

namespace {

// A small picture of every kind of colour: a hue across, light down, a
// grey column, a pure red and a transparent corner.
ChannelImage Sampler() {
    ChannelImage image;
    EXPECT_TRUE(image.Create(9, 5, 0, 4));
    for (uint32_t y = 0; y < 5; ++y)
        for (uint32_t x = 0; x < 9; ++x) {
            uint8_t* p = image.Row(y) + 4 * x;
            const uint8_t light = static_cast<uint8_t>(40 + 50 * y);
            p[0] = static_cast<uint8_t>(x < 3 ? light : x < 6 ? light / 3 : 255 - light);
            p[1] = static_cast<uint8_t>(x % 3 == 0 ? light : 255 - light);
            p[2] = static_cast<uint8_t>(x * 28);
            p[3] = x == 8 && y == 0 ? 0 : 255;
            if (x == 4) p[0] = p[1] = p[2] = light;
            if (x == 7 && y == 2) p[0] = 255, p[1] = p[2] = 0;
        }
    return image;
}

// The values of an image, a digit (or two) a pixel, rows apart by '|'.
std::string ValuesOf(const PixelImage& image) {
    std::string text;
    for (uint32_t y = 0; y < image.Height(); ++y) {
        if (y) text += '|';
        for (uint32_t x = 0; x < image.Width(); ++x) {
            char value[12];
            std::snprintf(value, sizeof value, BitsOf(image.Format()) > 4 ? "%X," : "%X", image.Get(x, y));
            text += value;
        }
    }
    return text;
}

// Each dither, written once over each kind of value, gives exactly these
// values for the sampler: a changed weight, cell or order changes them.
TEST(Dithers, EachGivesExactlyTheseValues) {
    const struct {
        PixelFormat format;
        const char* palette;
        Dither dither;
        const char* values;
    } cases[] = {
        {PixelFormat::Mono, nullptr, Dither::FloydSteinberg, "101110100|101010100|101011011|010101010|011001011"},
        {PixelFormat::Mono, nullptr, Dither::Atkinson, "100110100|111110100|010011011|011001011|011001011"},
        {PixelFormat::Mono, nullptr, Dither::Bayer, "000100000|101110101|010101010|111011111|010001010"},
        {PixelFormat::Grey2, nullptr, Dither::FloydSteinberg, "022012133|112111122|211121211|211221211|211230201"},
        {PixelFormat::Grey2, nullptr, Dither::Atkinson, "022002123|112111222|211121211|211221211|211231200"},
        {PixelFormat::Grey2, nullptr, Dither::Bayer, "122012223|121112122|212121212|211221111|311231201"},
        {PixelFormat::Index2, "bwr", Dither::FloydSteinberg, "011001211|000000010|100100021|100010100|122110000"},
        {PixelFormat::Index2, "bwr", Dither::Atkinson, "011001211|010001011|100010020|102110100|122110100"},
        {PixelFormat::Index2, "bwr", Dither::Bayer, "101000201|000000010|001010121|020000000|122010101"},
        {PixelFormat::Index4, "acep7", Dither::FloydSteinberg, "022302411|620042331|204023043|604230103|544210233"},
        {PixelFormat::Index4, "acep7", Dither::Atkinson, "022302411|622042311|604233043|540210233|544210233"},
        {PixelFormat::Index4, "acep7", Dither::Bayer, "522002401|020003333|505010145|040200233|544210303"},
        {PixelFormat::Rgb332, nullptr, Dither::FloydSteinberg,
         "24,38,39,5,24,1A,C6,DA,FF,|48,74,71,2D,69,36,AA,96,B3,|90,8C,8D,31,92,2D,72,E0,6F,|B4,A8,A9,55,B6,4A,56,4A,"
         "4B,|FC,C1,E0,5D,DF,42,1E,2,3,"},
        {PixelFormat::Rgb332, nullptr, Dither::Atkinson,
         "24,38,39,5,24,1A,C6,DA,FF,|48,74,75,29,49,36,AA,96,B7,|90,8C,8D,31,92,2E,72,E0,6F,|B4,A8,A9,55,B6,49,56,4A,"
         "4B,|FC,E0,C1,5D,FF,42,1E,2,3,"},
        {PixelFormat::Rgb332, nullptr, Dither::Bayer,
         "48,38,39,5,49,1A,C6,DA,FF,|48,75,50,2D,49,36,8A,B6,92,|90,8C,91,31,92,2D,92,E0,6F,|B4,A8,A4,55,B6,4A,36,4A,"
         "26,|FC,E0,E5,59,FF,42,3E,2,27,"},
    };
    const ChannelImage sampler = Sampler();
    ChannelImage grey;
    ASSERT_TRUE(FlattenImage(sampler.Rows(), 255, &grey));
    for (const auto& c : cases) {
        ImageOptions options;
        options.format = c.format;
        options.tone.dither = c.dither;
        std::string why;
        if (c.palette) {
            ASSERT_TRUE(ParsePalette(c.palette, &options.palette, &why));
            options.palette.UseIdealInks();  // as these were before the panels' measured inks
        }
        const ChannelImage& rows = KeepsColour(c.format) ? sampler : grey;
        PixelImage image;
        ASSERT_TRUE(ToneRows({rows.Rows(), true, 255}, options, &image));
        EXPECT_EQ(ValuesOf(image), c.values) << PixelFormatName(c.format) << " " << static_cast<int>(c.dither);
    }
}

}  // namespace
