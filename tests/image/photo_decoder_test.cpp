// JPEG and WebP, as tools/make-test-images drew them from one picture
// (tests/images/picture.png): each kind decodes to that picture (exactly
// where it is lossless), a camera's picture stands upright whichever way
// it was stored, a JPEG is reduced while decoding only as far as the frame
// still has a pixel for each of its own, and a damaged file is one line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "image/exif_orientation.h"
#include "image/image_decoder.h"
#include "image/image_input.h"
#include "tests/test_support.h"

namespace {

test::Bytes TestImage(const std::string& name) {
    return test::ReadBytes(std::string(QG_SOURCE_DIR) + "/tests/images/" + name);
}

bool Decode(const test::Bytes& bytes, DecodedImage* image, std::string* why, const FrameOptions* frame = nullptr) {
    return DecodeImage(bytes.data(), bytes.size(), DecodeHint{frame}, image, why);
}

// What a pixel shows: over white where it is opaque, else each colour
// weighed by its alpha (the colour under a clear pixel shows nothing).
std::vector<double> Shown(const uint8_t* p, uint32_t channels, bool overWhite) {
    if (channels < 4) return std::vector<double>(p, p + channels);
    std::vector<double> shown(4, p[3]);
    for (int i = 0; i < 3; ++i) shown[i] = (p[i] * p[3] + (overWhite ? 255.0 * (255 - p[3]) : 0)) / 255;
    return shown;
}

TEST(PhotoDecoder, EachKindGivesThePicture) {
    DecodedImage picture;
    std::string why;
    ASSERT_TRUE(Decode(TestImage("picture.png"), &picture, &why)) << why;
    ASSERT_EQ(picture.Channels(), 4u);
    struct Case {
        const char* file;
        uint32_t channels;
        double mostMeanDifference;  // a sample's, in 0-255; 0 is exact
    };
    const Case cases[] = {
        {"baseline.jpg", 3, 6}, {"progressive.jpg", 3, 6},  {"grey.jpg", 1, 6},      {"cmyk.jpg", 3, 6},
        {"lossy.webp", 3, 6},   {"lossy-alpha.webp", 4, 6}, {"lossless.webp", 4, 0},
    };
    for (const Case& c : cases) {
        DecodedImage image;
        ASSERT_TRUE(Decode(TestImage(c.file), &image, &why)) << c.file << ": " << why;
        ASSERT_EQ(image.Width(), 61u) << c.file;
        ASSERT_EQ(image.Height(), 41u) << c.file;
        ASSERT_EQ(image.Channels(), c.channels) << c.file;
        EXPECT_EQ(image.Orientation(), 1) << c.file;
        double difference = 0;
        const bool alpha = c.channels == 4;
        for (uint32_t y = 0; y < 41; ++y) {
            for (uint32_t x = 0; x < 61; ++x) {
                const std::vector<double> want = Shown(picture.Pixels() + (y * 61 + x) * 4, 4, !alpha);
                const std::vector<double> got = Shown(image.Pixels() + (y * 61 + x) * c.channels, c.channels, false);
                if (c.channels == 1) {
                    difference += std::fabs(got[0] - (0.299 * want[0] + 0.587 * want[1] + 0.114 * want[2]));
                    continue;
                }
                for (uint32_t i = 0; i < c.channels; ++i) difference += std::fabs(got[i] - want[i]);
            }
        }
        EXPECT_LE(difference / (61 * 41 * c.channels), c.mostMeanDifference) << c.file;
    }
}

// A JPEG with an EXIF block after its start that gives `orientation`, in
// either byte order.
test::Bytes WithOrientation(const test::Bytes& jpeg, int orientation, bool bigEndian) {
    test::Bytes exif = {'E', 'x', 'i', 'f', 0, 0};
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            exif.push_back(static_cast<uint8_t>(value >> 8 * (bigEndian ? bytes - 1 - i : i)));
    };
    exif.push_back(bigEndian ? 'M' : 'I');
    exif.push_back(bigEndian ? 'M' : 'I');
    put(42, 2);
    put(8, 4);  // the first directory, right after the header
    put(2, 2);  // two entries: a resolution unit first, then the orientation
    put(0x0128, 2), put(3, 2), put(1, 4), put(2, 2), put(0, 2);
    put(0x0112, 2), put(3, 2), put(1, 4), put(static_cast<uint32_t>(orientation), 2), put(0, 2);
    put(0, 4);
    test::Bytes out(jpeg.begin(), jpeg.begin() + 2);
    out.push_back(0xFF);
    out.push_back(0xE1);
    out.push_back(static_cast<uint8_t>((exif.size() + 2) >> 8));
    out.push_back(static_cast<uint8_t>(exif.size() + 2));
    out.insert(out.end(), exif.begin(), exif.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

TEST(PhotoDecoder, ACameraPictureStandsUprightThenTurnsAsAsked) {
    const test::Bytes jpeg = TestImage("baseline.jpg");
    DecodedImage stored;
    std::string why;
    ASSERT_TRUE(Decode(jpeg, &stored, &why)) << why;
    const uint32_t w = stored.Width(), h = stored.Height();
    // Where the upright picture's pixel (x, y) is in the stored one, as
    // EXIF describes each orientation.
    auto from = [w, h](int orientation, uint32_t x, uint32_t y) -> std::pair<uint32_t, uint32_t> {
        switch (orientation) {
        case 2:
            return {w - 1 - x, y};
        case 3:
            return {w - 1 - x, h - 1 - y};
        case 4:
            return {x, h - 1 - y};
        case 5:
            return {y, x};
        case 6:
            return {y, h - 1 - x};
        case 7:
            return {w - 1 - y, h - 1 - x};
        case 8:
            return {w - 1 - y, x};
        default:
            return {x, y};
        }
    };
    for (int orientation = 1; orientation <= 8; ++orientation) {
        for (bool bigEndian : {false, true}) {
            for (uint32_t rotate : {0u, 90u}) {
                const test::Bytes file = WithOrientation(jpeg, orientation, bigEndian);
                ImageOptions options;
                options.format = PixelFormat::Rgb888;
                options.frame.rotate = rotate;
                PixelImage image;
                InputSize source;
                ASSERT_TRUE(ConvertImageBytes(file.data(), file.size(), options, &image, &why, &source)) << why;
                const std::string name = "orientation " + std::to_string(orientation) + (bigEndian ? " MM" : " II") +
                                         " rotate " + std::to_string(rotate);
                EXPECT_EQ(source.orientation, orientation) << name;
                const bool across = orientation >= 5;
                const uint32_t uw = across ? h : w, uh = across ? w : h;  // upright
                EXPECT_EQ(source.width, uw) << name;
                ASSERT_EQ(image.Width(), rotate ? uh : uw) << name;
                ASSERT_EQ(image.Height(), rotate ? uw : uh) << name;
                size_t wrong = 0;
                for (uint32_t y = 0; y < image.Height(); ++y) {
                    for (uint32_t x = 0; x < image.Width(); ++x) {
                        // A quarter turn clockwise of the upright picture.
                        const uint32_t ux = rotate ? y : x, uy = rotate ? uh - 1 - x : y;
                        const auto [sx, sy] = from(orientation, ux, uy);
                        const uint8_t* p = stored.Pixels() + (static_cast<size_t>(sy) * w + sx) * 3;
                        wrong += image.Get(x, y) != (uint32_t(p[0]) << 16 | p[1] << 8 | p[2]);
                    }
                }
                EXPECT_EQ(wrong, 0u) << name;
            }
        }
    }
}

TEST(PhotoDecoder, OrientationsThatCannotBeReadLeaveThePictureAsStored) {
    const test::Bytes good = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 1, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0};
    EXPECT_EQ(ExifOrientation(good.data(), good.size()), 6);
    struct Case {
        const char* what;
        size_t at;  // the byte changed, or the length kept
        int value;  // -1: cut there
    };
    const Case cases[] = {
        {"cut inside the entry", 20, -1},
        {"cut inside the header", 6, -1},
        {"no byte order", 0, 'X'},
        {"not 42", 2, 43},
        {"a directory past the end", 4, 200},
        {"a LONG", 12, 4},
        {"a count of two", 14, 2},
        {"orientation 0", 18, 0},
        {"orientation 9", 18, 9},
        {"no entries", 8, 0},
    };
    for (const Case& c : cases) {
        test::Bytes bad = good;
        if (c.value < 0)
            bad.resize(c.at);
        else
            bad[c.at] = static_cast<uint8_t>(c.value);
        EXPECT_EQ(ExifOrientation(bad.data(), bad.size()), 1) << c.what;
    }
}

TEST(PhotoDecoder, AJpegIsReducedOnlyAsFarAsTheFrameAllows) {
    const test::Bytes jpeg = TestImage("baseline.jpg");  // 61 x 41
    struct Case {
        uint32_t frameWidth, frameHeight;
        Fit fit;
        uint32_t rotate;
        uint32_t width, height;  // as decoded
    };
    const Case cases[] = {
        {8, 5, Fit::Contain, 0, 8, 6},      // placed 7 x 5: an eighth, 8 x 6, still covers it
        {16, 10, Fit::Contain, 0, 16, 11},  // placed 15 x 10: a quarter
        {30, 30, Fit::Contain, 0, 31, 21},  // placed 30 x 20: a half
        {31, 21, Fit::Contain, 0, 31, 21},  // exactly a half
        {32, 22, Fit::Contain, 0, 61, 41},  // placed 32 x 22, a pixel wider than a half: whole
        {16, 16, Fit::Cover, 0, 31, 21},    // placed 24 x 16: a half
        {16, 16, Fit::Stretch, 0, 31, 21},  // placed 16 x 16: a quarter, 16 x 11, is too low
        {5, 8, Fit::Contain, 90, 8, 6},     // turned, placed 5 x 7: an eighth
        {8, 5, Fit::None, 0, 61, 41},       // no scaling, no reduction
        {0, 0, Fit::Contain, 0, 61, 41},    // no frame
    };
    for (const Case& c : cases) {
        FrameOptions frame;
        frame.width = c.frameWidth;
        frame.height = c.frameHeight;
        frame.fit = c.fit;
        frame.rotate = c.rotate;
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(Decode(jpeg, &image, &why, &frame)) << why;
        const std::string name = std::to_string(c.frameWidth) + "x" + std::to_string(c.frameHeight);
        EXPECT_EQ(image.Width(), c.width) << name;
        EXPECT_EQ(image.Height(), c.height) << name;
        EXPECT_EQ(image.FileWidth(), 61u) << name;
    }
}

TEST(PhotoDecoder, DamagedFilesAreRefusedWithTheirReason) {
    const test::Bytes jpeg = TestImage("baseline.jpg"), webp = TestImage("lossy.webp");
    test::Bytes huge = jpeg;
    // The frame header's height and width (SOF0: FF C0, length, precision).
    for (size_t at = 2; at + 9 < huge.size(); ++at) {
        if (huge[at] == 0xFF && huge[at + 1] == 0xC0) {
            huge[at + 5] = huge[at + 7] = 0xFD;
            huge[at + 6] = huge[at + 8] = 0xE8;  // 65000 x 65000
            break;
        }
    }
    struct Case {
        const char* what;
        test::Bytes bytes;
        std::string reason;
    };
    const Case cases[] = {
        {"a JPEG cut short", test::Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2),
         "the file ends before its picture does"},
        {"a JPEG of its header alone", test::Bytes(jpeg.begin(), jpeg.begin() + 200),
         "the file ends before its picture does"},
        {"a JPEG too large", huge,
         "the image is 65000 x 65000 pixels, more than the 268435456 pixels this converter decodes"},
        {"a WebP cut short", test::Bytes(webp.begin(), webp.begin() + webp.size() / 2), "the file ends early"},
        {"a WebP of its header alone", test::Bytes(webp.begin(), webp.begin() + 12), "the file ends early"},
    };
    for (const Case& c : cases) {
        DecodedImage image;
        std::string why;
        EXPECT_FALSE(Decode(c.bytes, &image, &why)) << c.what;
        EXPECT_EQ(why, c.reason) << c.what;
    }
}

TEST(PhotoDecoder, AnAnimatedWebpGivesEachFrameAndItsDelay) {
    const test::Bytes webp = TestImage("animated.webp");
    EXPECT_EQ(WebpFrameCount(webp.data(), webp.size()), 3u);
    Animation animation;
    std::string why;
    ASSERT_TRUE(DecodeWebpAnimation(webp.data(), webp.size(), &animation, &why)) << why;
    ASSERT_EQ(animation.Count(), 3u);
    EXPECT_EQ(animation.Width(), 61u);
    EXPECT_EQ(animation.Height(), 41u);
    const uint32_t delays[] = {100, 250, 40};
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(animation.Delay(i), delays[i]) << i;
        // Frame i's square spans x from 4 + 16 i to 20 + 16 i, rows 12 to 28.
        for (uint32_t x = 0; x < 61; ++x) {
            const uint8_t* p = animation.Frame(i) + (static_cast<size_t>(20) * 61 + x) * 4;
            const bool square = x >= 4 + 16 * i && x <= 20 + 16 * i;
            EXPECT_EQ(p[2] > 150 && p[0] < 100, square) << "frame " << i << " x " << x;
        }
    }
    DecodedImage first;
    ASSERT_TRUE(Decode(webp, &first, &why)) << why;
    EXPECT_EQ(std::memcmp(first.Pixels(), animation.Frame(0), 61 * 41 * 4), 0);
}

}  // namespace
