// Unpacking is packing backwards: pack then unpack gives the image, and
// unpack then pack gives the bytes, whatever was in the spare bits.
#include "core/unpack.h"

#include <gtest/gtest.h>

#include "core/array_text.h"
#include "tests/core/scanner_fixture.h"

namespace {

TEST(Unpack, IsPackingBackwardsInEveryLayout) {
    const std::pair<uint32_t, uint32_t> shapes[] = {{1, 1}, {7, 9}, {8, 8}, {9, 7}, {16, 3}, {13, 24}, {33, 17}};
    for (auto shape : shapes) {
        test::Bytes bmp = test::RandomMonoBmp(shape.first, shape.second, shape.first * 7 + shape.second);
        MonoBitmap image, back;
        ASSERT_TRUE(image.LoadFromMemory(bmp.data(), bmp.size()));
        for (int bits = 0; bits < 16; ++bits) {
            const ConvertOptions layout =
                test::Options(bits & 1, bits >> 1 & 1, bits >> 2 & 1, static_cast<uint8_t>(bits >> 3));
            ByteScanner* scanner = SelectScanner(layout);
            ASSERT_TRUE(scanner->Attach(&image, layout.fillOnes));
            std::vector<uint8_t> packed;
            for (uint32_t line = 0; line < scanner->LineCount(); ++line)
                for (uint32_t item = 0; item < scanner->ItemsPerLine(); ++item)
                    packed.push_back(scanner->GetByte(item, line));
            ASSERT_EQ(PackedBitmapSize(shape.first, shape.second, layout), packed.size());
            // Both fills give the image: the spare bits say nothing.
            ASSERT_TRUE(UnpackBitmap(packed.data(), packed.size(), shape.first, shape.second, layout, &back));
            std::string wrong;
            for (uint32_t y = 0; y < shape.second; ++y)
                for (uint32_t x = 0; x < shape.first; ++x)
                    if (back.IsDark(x, y) != image.IsDark(x, y))
                        wrong += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
            EXPECT_EQ(wrong, "") << shape.first << " x " << shape.second << ", layout " << bits;
            // And packed again, with the fill rule, it is the same bytes.
            ASSERT_TRUE(scanner->Attach(&back, layout.fillOnes));
            std::vector<uint8_t> again;
            for (uint32_t line = 0; line < scanner->LineCount(); ++line)
                for (uint32_t item = 0; item < scanner->ItemsPerLine(); ++item)
                    again.push_back(scanner->GetByte(item, line));
            EXPECT_EQ(again, packed) << shape.first << " x " << shape.second << ", layout " << bits;
            EXPECT_FALSE(UnpackBitmap(packed.data(), packed.size() - 1, shape.first, shape.second, layout, &back));
        }
    }
}

}  // namespace
