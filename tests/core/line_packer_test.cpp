// The line-at-a-time path against the per-byte walk it replaces.
#include "core/line_packer.h"

#include <gtest/gtest.h>

#include "core/array_text.h"
#include "tests/core/scanner_fixture.h"

namespace {

bool Append(void* context, const char* text, uint32_t size) {
    static_cast<std::string*>(context)->append(text, size);
    return true;
}

// Every layout and fill, both palette orders: the two paths write the same
// text. Returns the first difference found, or "".
std::string Differences(const test::Bytes& bmp) {
    for (int palette = 0; palette < 2; ++palette) {
        test::Bytes bytes = bmp;
        if (palette) std::swap_ranges(bytes.begin() + 54, bytes.begin() + 58, bytes.begin() + 58);
        MonoBitmap bitmap;
        if (!bitmap.LoadFromMemory(bytes.data(), bytes.size())) return "not loaded";
        for (int bits = 0; bits < 16; ++bits) {
            ByteScanner* scanner = SelectScanner(test::Options(bits & 1, bits >> 1 & 1, bits >> 2 & 1, 0));
            if (!scanner->Attach(&bitmap, static_cast<uint8_t>(bits >> 3))) return "not attached";
            LinePacker packer;
            if (!packer.Start(*scanner)) return "no line path for layout " + std::to_string(bits);
            std::string fast, reference;
            EmitArrayText(*scanner, Append, &fast);
            EmitArrayTextPerByte(*scanner, Append, &reference);
            if (fast != reference)
                return "layout " + std::to_string(bits) + ", palette " + std::to_string(palette);
        }
    }
    return "";
}

TEST(LinePacker, EqualsTheWalkByteByByte) {
    std::vector<uint32_t> sides;
    for (uint32_t n = 1; n <= 17; ++n) sides.push_back(n);
    for (uint32_t n : {31u, 32u, 33u, 63u, 64u, 65u}) sides.push_back(n);
    for (uint32_t w : sides)
        for (uint32_t h : sides)
            ASSERT_EQ(Differences(test::RandomMonoBmp(w, h, w * 131 + h)), "") << w << " x " << h;
    // Odd sides, and lines longer than one piece of items in each direction.
    for (auto size : {std::make_pair(1001u, 777u), std::make_pair(40003u, 9u), std::make_pair(9u, 40003u)})
        EXPECT_EQ(Differences(test::RandomMonoBmp(size.first, size.second, 5)), "")
            << size.first << " x " << size.second;
}

// The transpose turns rows into columns, top row into bit 7.
TEST(LinePacker, TransposeBitsTurnsRowsIntoColumns) {
    EXPECT_EQ(TransposeBits(0x8000000000000000ull), 0x8000000000000000ull);  // top left stays
    EXPECT_EQ(TransposeBits(0xFF00000000000000ull), 0x8080808080808080ull);  // top row: bit 7 of each column
    EXPECT_EQ(TransposeBits(0x0101010101010101ull), 0x00000000000000FFull);  // right column: last byte
}

// A bitmap loaded again since Attach, of another size, is left to GetByte.
TEST(LinePacker, AStaleAttachmentIsLeftToGetByte) {
    MonoBitmap bitmap;
    test::Bytes first = test::RandomMonoBmp(20, 20, 1), second = test::RandomMonoBmp(9, 30, 2);
    ASSERT_TRUE(bitmap.LoadFromMemory(first.data(), first.size()));
    ByteScanner* scanner = SelectScanner(test::Options(0, 0, 1, 0));
    ASSERT_TRUE(scanner->Attach(&bitmap, 0));
    ASSERT_TRUE(bitmap.LoadFromMemory(second.data(), second.size()));
    LinePacker packer;
    EXPECT_FALSE(packer.Start(*scanner));
    std::string fast, reference;
    EmitArrayText(*scanner, Append, &fast);
    EmitArrayTextPerByte(*scanner, Append, &reference);
    EXPECT_EQ(fast, reference);
}

}  // namespace
