#include "core/mono_bmp_writer.h"

#include <gtest/gtest.h>

#include "core/mono_bitmap.h"
#include "tests/test_support.h"

namespace {

bool Collect(void* context, const char* text, uint32_t size) {
    static_cast<test::Bytes*>(context)->insert(static_cast<test::Bytes*>(context)->end(), text, text + size);
    return true;
}

// Whatever the source keeps in the spare bits of its rows, and whichever
// palette entry is dark there, the written rows say dark with a clear bit
// and carry nothing past the last pixel.
TEST(MonoBmpWriter, RowsKeepThePixelsAndClearEverySpareBit) {
    for (uint32_t width : {1u, 7u, 8u, 9u, 31u, 32u, 33u}) {
        for (int swapped = 0; swapped < 2; ++swapped) {
            test::Bytes source = test::RandomMonoBmp(width, 5, width);
            const uint32_t stride = (width + 31) / 32 * 4;
            for (uint32_t row = 0; row < 5; ++row)  // the spare bits set: white here
                for (uint32_t bit = width; bit < stride * 8; ++bit)
                    source[62 + row * stride + bit / 8] |= static_cast<uint8_t>(0x80 >> (bit % 8));
            if (swapped) {  // dark is entry 1 now, and the spare bits are clear
                std::swap_ranges(source.begin() + 54, source.begin() + 58, source.begin() + 58);
                for (size_t i = 62; i < source.size(); ++i) source[i] = static_cast<uint8_t>(~source[i]);
            }
            MonoBitmap image, copy;
            ASSERT_TRUE(image.LoadFromMemory(source.data(), source.size()));
            test::Bytes written;
            ASSERT_TRUE(EmitMonoBmp(image, Collect, &written));
            ASSERT_TRUE(copy.LoadFromMemory(written.data(), written.size()));
            EXPECT_EQ(copy.DarkIndex(), 0);
            ASSERT_EQ(written.size(), 62u + stride * 5);
            for (uint32_t y = 0; y < 5; ++y) {
                for (uint32_t x = 0; x < width; ++x)
                    EXPECT_EQ(copy.IsDark(x, y), image.IsDark(x, y)) << width << " at " << x << "," << y;
                for (uint32_t bit = width; bit < stride * 8; ++bit)
                    EXPECT_EQ(written[62 + y * stride + bit / 8] & (0x80 >> (bit % 8)), 0)
                        << "width " << width << ", row " << y << ", spare bit " << bit;
            }
        }
    }
}

// An image of no width is its headers alone, however many rows it claims.
// (That it takes no time, walking no rows of no bytes, bench/run measures:
// sixteen of these.)
TEST(MonoBmpWriter, AnImageWithoutPixelsIsItsHeadersAlone) {
    MonoBitmap image;
    test::Bytes header = test::MonoHeader(0, 0x7FFFFFFF);
    ASSERT_TRUE(image.LoadFromMemory(header.data(), header.size()));
    for (int i = 0; i < 16; ++i) {
        test::Bytes written;
        ASSERT_TRUE(EmitMonoBmp(image, Collect, &written));
        EXPECT_EQ(written.size(), 62u);
    }
}

}  // namespace
