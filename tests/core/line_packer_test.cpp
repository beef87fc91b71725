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
// text, the fast one within `sizes`. Returns the first difference, or "".
std::string Differences(const test::Bytes& bmp, const BufferSizes& sizes = BufferSizes()) {
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
            EmitArrayText(*scanner, Append, &fast, sizes);
            EmitArrayTextPerByte(*scanner, Append, &reference);
            if (fast != reference) return "layout " + std::to_string(bits) + ", palette " + std::to_string(palette);
        }
    }
    return "";
}

TEST(LinePacker, EqualsTheWalkByteByByte) {
    std::vector<uint32_t> sides;
    for (uint32_t n = 1; n <= 17; ++n) sides.push_back(n);
    for (uint32_t n : {31u, 32u, 33u, 63u, 64u, 65u}) sides.push_back(n);
    for (uint32_t w : sides)
        for (uint32_t h : sides) ASSERT_EQ(Differences(test::RandomMonoBmp(w, h, w * 131 + h)), "") << w << " x " << h;
    // Odd sides, and lines longer than one piece of items in each direction.
    for (auto size : {std::make_pair(1001u, 777u), std::make_pair(40003u, 9u), std::make_pair(9u, 40003u)})
        EXPECT_EQ(Differences(test::RandomMonoBmp(size.first, size.second, 5)), "")
            << size.first << " x " << size.second;
}

// Buffers so small that small images fill many tiles, pieces and text
// blocks: every boundary between two of them falls inside the image, in
// lines of several tiles, and inside lines cut into pieces.
TEST(LinePacker, EveryBoundaryOfTilesPiecesAndBlocksIsCrossed) {
    const BufferSizes sizeSets[] = {
        {1, 1, 1, 1},        // one line (eight columns) a tile, one item a piece
        {24, 5, 64, 64},     // a few lines a tile; pieces end inside lines
        {100, 3, 70, 100},   // tiles of several lines; blocks end inside items
        {517, 64, 200, 64},  // tiles that end inside a band of eight columns
    };
    const std::pair<uint32_t, uint32_t> images[] = {{37, 21}, {9, 40}, {64, 17}, {17, 64}, {70, 33}};
    for (const BufferSizes& sizes : sizeSets)
        for (auto size : images)
            EXPECT_EQ(Differences(test::RandomMonoBmp(size.first, size.second, size.first + size.second), sizes), "")
                << size.first << " x " << size.second << ", tiles of " << sizes.tileBytes << " bytes, pieces of "
                << sizes.pieceItems;
}

// Pieces keep to the count of items a piece may hold, and a line of several
// pieces ends with its last one.
TEST(PackedLines, PiecesKeepToTheirSize) {
    test::Bytes bmp = test::RandomMonoBmp(70, 33, 3);
    MonoBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromMemory(bmp.data(), bmp.size()));
    for (uint32_t pieceItems : {1u, 4u, 69u, 70u, 71u}) {
        ByteScanner* scanner = SelectScanner(test::Options(0, 0, 1, 0));  // lines of 70 items
        ASSERT_TRUE(scanner->Attach(&bitmap, 0));
        BufferSizes sizes;
        sizes.pieceItems = pieceItems;
        ScannerGrid grid(*scanner, sizes);
        PackedLines lines(grid, sizes);
        const uint8_t* bytes;
        uint32_t count, inLine = 0, ended = 0, largest = 0;
        bool endsLine;
        while (lines.Next(&bytes, &count, &endsLine)) {
            largest = std::max(largest, count);
            inLine += count;
            if (endsLine) {
                EXPECT_EQ(inLine, 70u) << pieceItems;
                inLine = 0;
                ++ended;
            }
        }
        EXPECT_EQ(largest, std::min(pieceItems, 70u));
        EXPECT_EQ(ended, scanner->LineCount());
    }
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
