// The native build decodes PNGs with libpng a row at a time: every PNG of
// the shared test files (PngSuite's colour types, depths, interlacing and
// damaged files, libpng's own test images) gives the pixels, or the
// refusal, that stb_image alone gives, as the Windows exe and the page
// decode them.
#include "image/image_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "tests/test_support.h"

namespace {

TEST(DecodeImage, TheRowDecoderGivesStbImagesPixels) {
    const std::filesystem::path shared = test::SharedPngDir();
    if (shared.empty()) GTEST_SKIP() << "no shared PNG files";
    size_t files = 0, decoded = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shared)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".png") continue;
        const test::Bytes bytes = test::ReadBytes(entry.path().string());
        DecodedImage rows, whole;
        std::string rowsWhy, wholeWhy;
        const bool byRows = DecodeImage(bytes.data(), bytes.size(), DecodeHint(), &rows, &rowsWhy, true);
        const bool byWhole = DecodeImage(bytes.data(), bytes.size(), DecodeHint(), &whole, &wholeWhy, false);
        const std::string name = entry.path().filename().string();
        ++files;
        ASSERT_EQ(byRows, byWhole) << name << ": " << rowsWhy << " / " << wholeWhy;
        if (!byRows) {
            EXPECT_EQ(rowsWhy, wholeWhy) << name;
            continue;
        }
        ++decoded;
        ASSERT_EQ(rows.Width(), whole.Width()) << name;
        ASSERT_EQ(rows.Height(), whole.Height()) << name;
        ASSERT_EQ(rows.Channels(), whole.Channels()) << name;
        const size_t size = static_cast<size_t>(rows.Width()) * rows.Height() * rows.Channels();
        EXPECT_EQ(std::memcmp(rows.Pixels(), whole.Pixels(), size), 0) << name;
    }
    EXPECT_GT(files, 100u);
    EXPECT_GT(decoded, 100u);
}

}  // namespace
