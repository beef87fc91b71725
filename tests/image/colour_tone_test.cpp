// Colour to a palette's values and to direct colour: pure colours land on
// their inks whatever RGB the inks are given; nearest is perceptual; a
// patch between two inks, mixed in light, is dithered in the proportion of
// its light; direct formats keep each channel's top bits, or dither
// between their steps to the colour on average; the colour space's numbers
// are the same on every build.
#include "image/colour_tone.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/direct_image.h"
#include "core/level_image.h"
#include "image/colour_space.h"

namespace {

Palette Parsed(const char* text) {
    Palette palette;
    std::string error;
    EXPECT_TRUE(ParsePalette(text, &palette, &error)) << error;
    return palette;
}

// A w x h plane of one RGB colour.
ChannelImage Flat(uint32_t width, uint32_t height, Rgb colour) {
    ChannelImage plane;
    EXPECT_TRUE(plane.Create(width, height, 0, 3));
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = plane.Row(y) + 3 * x;
            p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
        }
    return plane;
}

// The sRGB value whose light is nearest `light`.
uint8_t SrgbOf(double light) {
    uint8_t best = 0;
    for (int v = 1; v < 256; ++v)
        if (std::fabs(LinearOfSrgb(static_cast<uint8_t>(v)) - light) < std::fabs(LinearOfSrgb(best) - light))
            best = static_cast<uint8_t>(v);
    return best;
}

TEST(TonePalette, PureColoursLandOnTheirInksWhateverTheInksRgb) {
    const struct {
        const char* palette;
        std::vector<std::pair<Rgb, uint32_t>> pure;  // a pure colour and its ink's value
    } cases[] = {
        {"bwr", {{{0, 0, 0}, 0}, {{255, 255, 255}, 1}, {{255, 0, 0}, 2}}},
        {"acep7",
         {{{0, 0, 0}, 0},
          {{255, 255, 255}, 1},
          {{0, 255, 0}, 2},
          {{0, 0, 255}, 3},
          {{255, 0, 0}, 4},
          {{255, 255, 0}, 5}}},
        // The inks as a panel shows them, muted and tinted.
        {"#1A1A1A,#E8E4D8,#B22222,#E6C200",
         {{{0, 0, 0}, 0}, {{255, 255, 255}, 1}, {{255, 0, 0}, 2}, {{255, 255, 0}, 3}}},
        {"#202020,#F0F0F0,#2E7D32,#1E3A8A,#C62828,#F9D71C,#EF6C00",
         {{{0, 0, 0}, 0},
          {{255, 255, 255}, 1},
          {{0, 255, 0}, 2},
          {{0, 0, 255}, 3},
          {{255, 0, 0}, 4},
          {{255, 255, 0}, 5}}},
        {"spectra6", {{{0, 0, 255}, 5}, {{0, 255, 0}, 6}, {{255, 255, 0}, 2}}},
    };
    for (const auto& c : cases) {
        const Palette palette = Parsed(c.palette);
        for (const auto& [colour, value] : c.pure)
            EXPECT_EQ(NearestInk(palette, colour), value) << c.palette << " " << ColourText(colour);
    }
}

// In sRGB values a dark red lies nearer black than red, and a deep blue
// nearer black than blue; in OKLab they go to their own ink.
TEST(TonePalette, NearestIsJudgedAsTheEyeSeesIt) {
    const struct {
        const char* palette;
        Rgb colour;
        uint32_t value;
    } cases[] = {
        {"bwr", {0x70, 0x00, 0x00}, 2}, {"acep7", {0x00, 0x00, 0x70}, 3}, {"bwy", {0xFF, 0xF0, 0x80}, 2},
        {"bwr", {0x50, 0x50, 0x50}, 0}, {"bwr", {0xC0, 0xC0, 0xC0}, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestInk(Parsed(c.palette), c.colour), c.value) << c.palette << " " << ColourText(c.colour);
}

// A flat grey is no colour: without a dither, and with Bayer, every grey
// takes the palette's black and white (or a grey ink, where it has one),
// never an ink as light as it (acep7's orange is as light as mid grey).
TEST(TonePalette, AGreyTakesOnlyTheGreyInks) {
    std::vector<const char*> palettes;
    for (const NamedPalette* p = NamedPalettesBegin(); p != NamedPalettesEnd(); ++p) palettes.push_back(p->name);
    palettes.push_back("#000000,#808080,#FFFFFF,#FF8000");  // a grey ink between them
    for (const char* name : palettes) {
        const Palette palette = Parsed(name);
        std::vector<bool> grey(palette.Size());
        for (uint32_t v = 0; v < palette.Size(); ++v) {
            const Rgb& ink = palette.colours[v];
            grey[v] = !palette.unused[v] && ink.r == ink.g && ink.g == ink.b;
        }
        for (Dither dither : {Dither::None, Dither::Bayer}) {
            ToneOptions tone;
            tone.dither = dither;
            size_t coloured = 0;
            int first = -1;
            for (int level = 0; level < 256; ++level) {
                const uint8_t v = static_cast<uint8_t>(level);
                const ChannelImage flat = Flat(8, 8, {v, v, v});
                LevelImage levels;
                ASSERT_TRUE(TonePalette({flat.Rows(), true, 255}, tone, palette, &levels));
                for (uint32_t y = 0; y < 8; ++y)
                    for (uint32_t x = 0; x < 8; ++x)
                        if (!grey[levels.Get(x, y)]) ++coloured, first = first < 0 ? level : first;
            }
            EXPECT_EQ(coloured, 0u) << name << (dither == Dither::Bayer ? " Bayer" : "") << ", first at grey " << first;
        }
    }
}

// A flat patch of two inks mixed in light, a share t of the second:
// Floyd-Steinberg gives the patch's light on average; Bayer the two inks
// alone, the second on that share of the pixels. Atkinson lets a quarter
// of the error go, so only its leaning holds.
TEST(TonePalette, AMixOfTwoInksIsDitheredInTheProportionOfItsLight) {
    const struct {
        const char* palette;
        uint32_t first, second;
    } pairs[] = {{"bwr", 1, 2}, {"bwr", 0, 1}, {"bwyr", 2, 3}, {"acep7", 3, 1}, {"acep7", 4, 6}};
    for (const auto& pair : pairs) {
        Palette palette = Parsed(pair.palette);
        palette.UseIdealInks();  // the mix in the inks' own light; the measured inks' fitting is tested below
        const Rgb a = palette.colours[pair.first], b = palette.colours[pair.second];
        for (double t : {0.2, 0.5, 0.8}) {
            auto mix = [t](uint8_t x, uint8_t y) { return SrgbOf(LinearOfSrgb(x) * (1 - t) + LinearOfSrgb(y) * t); };
            const Rgb colour = {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
            const double wanted[3] = {LinearOfSrgb(colour.r), LinearOfSrgb(colour.g), LinearOfSrgb(colour.b)};
            const ChannelImage plane = Flat(128, 128, colour);
            for (Dither dither : {Dither::FloydSteinberg, Dither::Bayer, Dither::Atkinson}) {
                ToneOptions tone;
                tone.dither = dither;
                LevelImage levels;
                ASSERT_TRUE(TonePalette({plane.Rows(), true, 255}, tone, palette, &levels));
                uint32_t second = 0, others = 0;
                double light[3] = {0, 0, 0};
                for (uint32_t y = 0; y < 128; ++y)
                    for (uint32_t x = 0; x < 128; ++x) {
                        const uint32_t v = levels.Get(x, y);
                        second += v == pair.second;
                        others += v != pair.first && v != pair.second;
                        const Rgb ink = palette.colours[v];
                        light[0] += LinearOfSrgb(ink.r), light[1] += LinearOfSrgb(ink.g),
                            light[2] += LinearOfSrgb(ink.b);
                    }
                const double pixels = 128.0 * 128.0, share = second / pixels;
                const std::string what = std::string(pair.palette) + " " + ColourText(colour) + " dither " +
                                         std::to_string(static_cast<int>(dither));
                if (dither == Dither::FloydSteinberg) {
                    for (int c = 0; c < 3; ++c) EXPECT_NEAR(light[c] / pixels, wanted[c], 0.01) << what << " " << c;
                } else if (dither == Dither::Bayer) {
                    EXPECT_EQ(others, 0u) << what;
                    EXPECT_NEAR(share, t, 0.03) << what;
                } else if (t != 0.5) {
                    EXPECT_TRUE(t < 0.5 ? share < 0.5 : share > 0.5) << what << " " << share;
                }
            }
        }
    }
}

// Floyd-Steinberg's error goes ahead along the row as well as below: a
// single row of grey gets both black and white, the more white the
// lighter it is (7/16 of the error stays in the row, the rest would go
// below).
TEST(TonePalette, ASingleRowIsMixedAlongItself) {
    const Palette palette = Parsed("bwr");
    double shares[2];
    for (int i = 0; i < 2; ++i) {
        const uint8_t grey = SrgbOf(i == 0 ? 0.25 : 0.5);
        const ChannelImage plane = Flat(256, 1, {grey, grey, grey});
        ToneOptions tone;
        tone.dither = Dither::FloydSteinberg;
        LevelImage levels;
        ASSERT_TRUE(TonePalette({plane.Rows(), true, 255}, tone, palette, &levels));
        uint32_t white = 0;
        for (uint32_t x = 0; x < 256; ++x) white += levels.Get(x, 0) == 1;
        shares[i] = white / 256.0;
        EXPECT_GT(shares[i], 0.1) << int(grey);
        EXPECT_LT(shares[i], 0.95) << int(grey);
    }
    EXPECT_LT(shares[0], shares[1]);
}

// With a panel's measured inks the photograph's black and white become the
// inks' black and white: a flat grey of light t, diffused, averages to
// black + t (white - black) of the inks' light, channel by channel (a
// tinted white tints it), and its pixels take only black and white; with
// the inks taken as the values' own colours, to t itself (as before the
// measured inks, when a colour ink could serve a grey). Serpentine walks
// keep the same average, and make other pixels.
TEST(TonePalette, MeasuredInksFitTheLightBetweenTheirBlackAndWhite) {
    const struct {
        const char* palette;
        bool ideal, serpentine;
    } cases[] = {
        {"bwr", false, false},
        {"spectra6", false, false},
        {"spectra6", false, true},
        {"acep7", false, false},
        {"#000000=#202020,#FFFFFF=#E0E0E0,#FF0000=#A02020", false, false},
        {"#000000=#202020,#FFFFFF=#E0E0E0,#FF0000=#A02020", false, true},
        {"bwr", true, false},
        {"acep7", true, true},
    };
    for (const auto& c : cases) {
        Palette palette = Parsed(c.palette);
        if (c.ideal) palette.UseIdealInks();
        EXPECT_NE(palette.HasMeasuredInks(), c.ideal) << c.palette;
        for (double t : {0.2, 0.5, 0.8}) {
            const uint8_t grey = SrgbOf(t);
            const ChannelImage plane = Flat(128, 128, {grey, grey, grey});
            ToneOptions tone;
            tone.dither = Dither::FloydSteinberg;
            tone.serpentine = c.serpentine;
            LevelImage levels, plain;
            ASSERT_TRUE(TonePalette({plane.Rows(), true, 255}, tone, palette, &levels));
            tone.serpentine = false;
            ASSERT_TRUE(TonePalette({plane.Rows(), true, 255}, tone, palette, &plain));
            double light[3] = {0, 0, 0};
            uint32_t coloured = 0, moved = 0;
            for (uint32_t y = 0; y < 128; ++y)
                for (uint32_t x = 0; x < 128; ++x) {
                    const uint32_t v = levels.Get(x, y);
                    const Rgb ink = palette.inks[v];
                    light[0] += LinearOfSrgb(ink.r), light[1] += LinearOfSrgb(ink.g), light[2] += LinearOfSrgb(ink.b);
                    coloured += v > 1;
                    moved += v != plain.Get(x, y);
                }
            const Rgb black = palette.inks[0], white = palette.inks[1];
            const uint8_t b[3] = {black.r, black.g, black.b}, w[3] = {white.r, white.g, white.b};
            const std::string what = std::string(c.palette) + (c.ideal ? " ideal" : "") +
                                     (c.serpentine ? " serpentine" : "") + " at " + std::to_string(t);
            for (int k = 0; k < 3; ++k) {
                const double wanted =
                    LinearOfSrgb(b[k]) + LinearOfSrgb(grey) * (LinearOfSrgb(w[k]) - LinearOfSrgb(b[k]));
                EXPECT_NEAR(light[k] / (128.0 * 128.0), wanted, 0.01) << what << " channel " << k;
            }
            if (!c.ideal) EXPECT_EQ(coloured, 0u) << what;
            EXPECT_EQ(moved > 0, c.serpentine) << what;
        }
    }
}

// A value the display does not take is never chosen, even for its own colour.
TEST(TonePalette, AnUnusedValueIsNeverChosen) {
    const Palette palette = Parsed("#000000,-,#FFFFFF,#FF0000");
    EXPECT_EQ(palette.Depth(), 2u);
    for (Rgb colour : {Rgb{0, 0, 0}, Rgb{128, 128, 128}, Rgb{255, 255, 255}, Rgb{255, 0, 0}})
        EXPECT_NE(NearestInk(palette, colour), 1u);
}

// Without a dither each channel keeps its top bits, as the formats'
// definitions say; with one, a flat colour averages, in widened values,
// to itself.
TEST(ToneDirect, TopBitsOrADitherThatAveragesToTheColour) {
    const PixelFormat formats[] = {PixelFormat::Rgb565, PixelFormat::Rgb332, PixelFormat::Rgb888};
    const Rgb colours[] = {{0x84, 0x82, 0x10}, {0x37, 0xC9, 0x6E}, {0xFF, 0x01, 0x80}};
    for (PixelFormat format : formats) {
        for (Rgb colour : colours) {
            const ChannelImage plane = Flat(64, 64, colour);
            for (Dither dither : {Dither::None, Dither::FloydSteinberg, Dither::Bayer}) {
                ToneOptions tone;
                tone.dither = dither;
                DirectImage image;
                ASSERT_TRUE(ToneDirect({plane.Rows(), true, 255}, tone, format, &image));
                double sums[3] = {0, 0, 0};
                for (uint32_t y = 0; y < 64; ++y)
                    for (uint32_t x = 0; x < 64; ++x) {
                        if (dither == Dither::None) {
                            ASSERT_EQ(image.Get(x, y), DirectValue(format, colour.r, colour.g, colour.b));
                        }
                        uint8_t rgba[4];
                        ColourOfValue(format, image.Get(x, y), rgba);
                        for (int c = 0; c < 3; ++c) sums[c] += rgba[c];
                    }
                if (dither == Dither::None) continue;
                const uint8_t wanted[3] = {colour.r, colour.g, colour.b};
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(sums[c] / 4096, wanted[c], 1.0)
                        << PixelFormatName(format) << " " << ColourText(colour) << " channel " << c;
            }
        }
    }
}

// The numbers every build chooses inks by: sRGB's linear light and the
// cube root, built from +, -, * and / alone, with a fingerprint that any
// difference between builds would change.
TEST(ColourSpace, TheSameNumbersOnEveryBuild) {
    double sum = 0;
    for (int v = 0; v < 256; ++v) sum += LinearOfSrgb(static_cast<uint8_t>(v)) * 16777216.0;
    EXPECT_EQ(sum, 1335792753.0);
    EXPECT_EQ(LinearOfSrgb(0), 0.0);
    EXPECT_EQ(LinearOfSrgb(255), 1.0);
    EXPECT_NEAR(LinearOfSrgb(128), 0.2158605, 1e-6);
    for (double x : {1e-9, 0.008, 0.5, 1.0, 2.0, 27.0}) {
        EXPECT_NEAR(CubeRoot(x), std::cbrt(x), 1e-15 * std::cbrt(x)) << x;
        EXPECT_EQ(CubeRoot(-x), -CubeRoot(x));
    }
    const Oklab white = OklabOf({1, 1, 1});
    EXPECT_NEAR(white.l, 1.0, 1e-6);
    EXPECT_NEAR(white.a, 0.0, 1e-6);
    EXPECT_NEAR(white.b, 0.0, 1e-6);
}

}  // namespace
