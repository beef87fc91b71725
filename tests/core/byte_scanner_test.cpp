#include <gtest/gtest.h>

#include <random>

#include "tests/core/scanner_fixture.h"

using test::Grid;
using test::Options;

namespace {

class ScannerTest : public ::testing::Test {
protected:
    void Load(const test::Bytes& bytes) { ASSERT_TRUE(files.Load(bytes, &bitmap)); }
    ByteScanner* Attached(const ConvertOptions& options) {
        ByteScanner* scanner = SelectScanner(options);
        EXPECT_NE(scanner, nullptr);
        EXPECT_TRUE(scanner->Attach(&bitmap, options.fillOnes));
        return scanner;
    }
    test::LoadedBitmap files;
    MonoBitmap bitmap;
};

TEST_F(ScannerTest, WorkedExampleInEveryListedLayout) {
    Load(test::MonoBmp(test::WorkedImage()));
    struct Case {
        ConvertOptions options;
        uint32_t items, lines;
        const char* grid;
    };
    const Case cases[] = {
        {Options(0, 0, 1, 0), 10, 1, "A0 60 60 20 20 60 60 A0 A0 C0"},
        {Options(0, 0, 1, 1), 10, 1, "BF 7F 7F 3F 3F 7F 7F BF BF DF"},
        {Options(1, 0, 1, 0), 10, 1, "05 06 06 04 04 06 06 05 05 03"},
        {Options(0, 0, 0, 1), 1, 10, "BF / 7F / 7F / 3F / 3F / 7F / 7F / BF / BF / DF"},
        {Options(0, 1, 1, 0), 2, 3, "81 C0 / 66 40 / FF 80"},
        {Options(0, 1, 1, 1), 2, 3, "81 FF / 66 7F / FF BF"},
        {Options(1, 1, 1, 1), 2, 3, "81 FF / 66 FE / FF FD"},
        {Options(0, 1, 0, 1), 3, 2, "81 66 FF / FF 7F BF"},
        {Options(1, 1, 0, 0), 3, 2, "81 66 FF / 03 02 01"},
    };
    for (const Case& c : cases) {
        ByteScanner* scanner = Attached(c.options);
        EXPECT_EQ(scanner->ItemsPerLine(), c.items);
        EXPECT_EQ(scanner->LineCount(), c.lines);
        EXPECT_EQ(Grid(*scanner), c.grid)
            << c.options.msbReverse << c.options.bitHorizontal << c.options.byteHorizontal << int(c.options.fillOnes);
    }
}

TEST(ScannerTable, SelectsOneSharedInstancePerLayout) {
    std::vector<ByteScanner*> seen;
    for (uint32_t m = 0; m < 2; ++m)
        for (uint32_t b = 0; b < 2; ++b)
            for (uint32_t y = 0; y < 2; ++y) {
                ByteScanner* zero = SelectScanner(Options(m, b, y, 0));
                ASSERT_NE(zero, nullptr);
                EXPECT_EQ(zero, SelectScanner(Options(m, b, y, 1)));  // fill is not a key
                for (ByteScanner* other : seen) EXPECT_NE(zero, other);
                seen.push_back(zero);
            }
    EXPECT_EQ(SelectScanner(Options(0, 0, 1, 0)), ScannerTable[0].scanner);
    EXPECT_NE(dynamic_cast<VBitHByteScanner*>(ScannerTable[0].scanner), nullptr);
    EXPECT_NE(dynamic_cast<HBitHByteRevScanner*>(ScannerTable[7].scanner), nullptr);
    EXPECT_EQ(SelectScanner(Options(0, 2, 1, 0)), nullptr);
    EXPECT_EQ(SelectScanner(Options(0xFFFFFFFF, 0, 1, 0)), nullptr);
}

// Lane lengths 1 to 17 in both orientations: the spare bits of the last
// byte come from the fill choice, and nothing else changes.
TEST_F(ScannerTest, PartialLastByteTakesTheFill) {
    for (uint32_t length = 1; length <= 17; ++length) {
        Load(test::MonoBmp({std::string(length, '#')}));  // one all-dark row
        uint32_t bytes = (length + 7) / 8;
        uint32_t spare = bytes * 8 - length;
        uint8_t pixels = static_cast<uint8_t>(0xFF << spare);
        for (uint8_t fill : {0, 1}) {
            ByteScanner* rows = Attached(Options(0, 1, 1, fill));
            ASSERT_EQ(rows->ItemsPerLine(), bytes);
            uint8_t expected = fill ? 0xFF : pixels;
            EXPECT_EQ(rows->GetByte(bytes - 1, 0), expected) << length;
            if (bytes > 1) {
                EXPECT_EQ(rows->GetByte(0, 0), 0xFF);
            }
            ByteScanner* reversed = Attached(Options(1, 1, 1, fill));
            EXPECT_EQ(reversed->GetByte(bytes - 1, 0), ReverseBits(expected)) << length;
        }
        // The same lane upright: a column of `length` dark pixels.
        Load(test::MonoBmp(std::vector<std::string>(length, "#")));
        for (uint8_t fill : {0, 1}) {
            ByteScanner* columns = Attached(Options(0, 0, 1, fill));
            ASSERT_EQ(columns->LineCount(), bytes);
            EXPECT_EQ(columns->GetByte(0, bytes - 1), fill ? 0xFF : pixels) << length;
        }
    }
}

TEST_F(ScannerTest, SingleRowAndSingleColumnImages) {
    Load(test::MonoBmp({"#", ".", "#"}));  // width 1, horizontal bits
    EXPECT_EQ(Grid(*Attached(Options(0, 1, 1, 0))), "80 / 00 / 80");
    EXPECT_EQ(Grid(*Attached(Options(0, 1, 1, 1))), "FF / 7F / FF");
    EXPECT_EQ(Grid(*Attached(Options(1, 1, 1, 0))), "01 / 00 / 01");
    EXPECT_EQ(Grid(*Attached(Options(1, 1, 1, 1))), "FF / FE / FF");
    Load(test::MonoBmp({"#.#"}));  // height 1, vertical bits
    EXPECT_EQ(Grid(*Attached(Options(0, 0, 1, 0))), "80 00 80");
    EXPECT_EQ(Grid(*Attached(Options(0, 0, 1, 1))), "FF 7F FF");
}

TEST_F(ScannerTest, WholeBytesIgnoreTheFill) {
    Load(test::RandomMonoBmp(16, 8, 7));
    for (uint32_t bits = 0; bits < 2; ++bits)
        for (uint32_t bytes = 0; bytes < 2; ++bytes) {
            std::string zero = Grid(*Attached(Options(0, bits, bytes, 0)));
            EXPECT_EQ(zero, Grid(*Attached(Options(0, bits, bytes, 1))));
        }
}

TEST_F(ScannerTest, OutOfRangeGivesZero) {
    Load(test::MonoBmp({"##########", "##########"}));
    for (const ScannerRow& row : ScannerTable) {
        ByteScanner* scanner = row.scanner;
        ASSERT_TRUE(scanner->Attach(&bitmap, 1));
        uint32_t items = scanner->ItemsPerLine(), lines = scanner->LineCount();
        EXPECT_NE(scanner->GetByte(items - 1, lines - 1), 0);
        EXPECT_EQ(scanner->GetByte(items, 0), 0);
        EXPECT_EQ(scanner->GetByte(0, lines), 0);
        EXPECT_EQ(scanner->GetByte(0xFFFFFFFF, 0xFFFFFFFF), 0);
    }
}

TEST_F(ScannerTest, RefusedAttachChangesNothing) {
    Load(test::MonoBmp(test::WorkedImage()));
    ByteScanner* scanner = Attached(Options(0, 1, 1, 0));
    std::string before = Grid(*scanner);
    MonoBitmap empty;
    EXPECT_FALSE(scanner->Attach(nullptr, 0));
    EXPECT_FALSE(scanner->Attach(&empty, 0));
    EXPECT_FALSE(scanner->Attach(&bitmap, 2));
    EXPECT_EQ(Grid(*scanner), before);

    MonoBitmap flat;
    ASSERT_TRUE(files.Load(test::MonoHeader(5, 0), &flat));
    EXPECT_FALSE(scanner->Attach(&flat, 0));
    EXPECT_EQ(scanner->ItemsPerLine(), 2u);
}

TEST(UnattachedScanner, CountsAreZero) {
    HBitHByteRevScanner rows;
    VBitVByteScanner columns;
    EXPECT_EQ(rows.ItemsPerLine() + rows.LineCount(), 0u);
    EXPECT_EQ(columns.ItemsPerLine() + columns.LineCount(), 0u);
    EXPECT_EQ(rows.GetByte(0, 0), 0);
    EXPECT_EQ(columns.GetByte(3, 3), 0);
}

TEST_F(ScannerTest, ReattachingToASmallerImageFollowsIt) {
    Load(test::RandomMonoBmp(37, 21, 3));
    ByteScanner* scanner = Attached(Options(0, 1, 1, 1));
    EXPECT_EQ(scanner->ItemsPerLine(), 5u);
    EXPECT_EQ(scanner->LineCount(), 21u);
    Load(test::MonoBmp({"###"}));
    scanner = Attached(Options(0, 1, 1, 1));
    EXPECT_EQ(Grid(*scanner), "FF");
    scanner = Attached(Options(0, 1, 1, 0));
    EXPECT_EQ(Grid(*scanner), "E0");
}

// Every layout against a direct reading of the image, and the two
// relations that tie the classes together: a reversed scanner is the
// bit-reverse of its base, a swapped one is its base read across.
TEST_F(ScannerTest, AllLayoutsMatchTheModelOnRandomImages) {
    std::mt19937 random(2024);
    for (int round = 0; round < 40; ++round) {
        uint32_t width = 1 + random() % 40, height = 1 + random() % 40;
        Load(test::RandomMonoBmp(width, height, round));
        for (uint8_t fill : {0, 1}) {
            HBitVByteScanner rows;
            HBitVByteRevScanner rowsRev;
            HBitHByteScanner rowsAcross;
            HBitHByteRevScanner rowsAcrossRev;
            VBitHByteScanner columns;
            VBitHByteRevScanner columnsRev;
            VBitVByteScanner columnsAcross;
            VBitVByteRevScanner columnsAcrossRev;
            for (ByteScanner* s :
                 std::initializer_list<ByteScanner*>{&rows, &rowsRev, &rowsAcross, &rowsAcrossRev, &columns,
                                                     &columnsRev, &columnsAcross, &columnsAcrossRev})
                ASSERT_TRUE(s->Attach(&bitmap, fill));

            ASSERT_EQ(rows.ItemsPerLine(), height);
            ASSERT_EQ(rows.LineCount(), (width + 7) / 8);
            ASSERT_EQ(rowsAcross.ItemsPerLine(), rows.LineCount());
            ASSERT_EQ(columnsAcross.LineCount(), columns.ItemsPerLine());
            for (uint32_t y = 0; y < height; ++y)
                for (uint32_t b = 0; b < (width + 7) / 8; ++b) {
                    uint8_t model = 0;
                    for (uint32_t k = 0; k < 8; ++k) {
                        uint32_t x = b * 8 + k;
                        bool bit = x < width ? bitmap.IsDark(x, y) : fill == 1;
                        model = static_cast<uint8_t>(model << 1 | (bit ? 1 : 0));
                    }
                    ASSERT_EQ(rows.GetByte(y, b), model) << width << "x" << height;
                    ASSERT_EQ(rowsRev.GetByte(y, b), ReverseBits(model));
                    ASSERT_EQ(rowsAcross.GetByte(b, y), model);
                    ASSERT_EQ(rowsAcrossRev.GetByte(b, y), ReverseBits(model));
                }
            for (uint32_t x = 0; x < width; ++x)
                for (uint32_t b = 0; b < (height + 7) / 8; ++b) {
                    uint8_t model = 0;
                    for (uint32_t k = 0; k < 8; ++k) {
                        uint32_t y = b * 8 + k;
                        bool bit = y < height ? bitmap.IsDark(x, y) : fill == 1;
                        model = static_cast<uint8_t>(model << 1 | (bit ? 1 : 0));
                    }
                    ASSERT_EQ(columns.GetByte(x, b), model) << width << "x" << height;
                    ASSERT_EQ(columnsRev.GetByte(x, b), ReverseBits(model));
                    ASSERT_EQ(columnsAcross.GetByte(b, x), model);
                    ASSERT_EQ(columnsAcrossRev.GetByte(b, x), ReverseBits(model));
                }
        }
    }
}

// The counts stay as attached while the pixels follow the bitmap: after a
// reload without a new Attach, whole and partial bytes must still come out
// as the per-pixel reading gives them.
TEST_F(ScannerTest, PixelsFollowAReloadedBitmap) {
    Load(test::RandomMonoBmp(37, 21, 11));  // 5 bytes a row, the last one partial
    ByteScanner* scanner = Attached(Options(0, 1, 1, 1));
    Load(test::RandomMonoBmp(70, 9, 12));
    for (uint32_t y = 0; y < 21; ++y)
        for (uint32_t b = 0; b < 5; ++b) {
            uint8_t model = 0;
            for (uint32_t k = 0; k < 8; ++k)
                model = static_cast<uint8_t>(model << 1 | (bitmap.IsDark(b * 8 + k, y) ? 1 : 0));
            if (b == 4) model = static_cast<uint8_t>((model & 0xF8) | 0x07);
            ASSERT_EQ(scanner->GetByte(b, y), model) << b << "," << y;
        }
}

TEST_F(ScannerTest, DarkBytesAreEightPixelsAtOnce) {
    for (uint32_t round = 0; round < 6; ++round) {
        test::Bytes image = test::RandomMonoBmp(8 + round * 13, 5 + round, round);
        if (round % 2) {  // white first: a set bit is dark
            test::Put32(image, 54, 0x00FFFFFF);
            test::Put32(image, 58, 0);
        }
        Load(image);
        for (uint32_t y = 0; y < bitmap.Height() + 1; ++y)
            for (uint32_t b = 0; b < (bitmap.Width() + 15) / 8; ++b) {
                uint8_t model = 0;
                if ((b + 1) * 8 <= bitmap.Width() && y < bitmap.Height())
                    for (uint32_t k = 0; k < 8; ++k)
                        model = static_cast<uint8_t>(model << 1 | (bitmap.IsDark(b * 8 + k, y) ? 1 : 0));
                ASSERT_EQ(bitmap.DarkByte(b, y), model) << round << ": " << b << "," << y;
            }
        for (uint32_t x = 0; x < bitmap.Width() + 1; ++x)
            for (uint32_t y = 0; y < bitmap.Height() + 1; ++y) {
                uint8_t model = 0;
                if (x < bitmap.Width() && y + 8 <= bitmap.Height())
                    for (uint32_t k = 0; k < 8; ++k)
                        model = static_cast<uint8_t>(model << 1 | (bitmap.IsDark(x, y + k) ? 1 : 0));
                ASSERT_EQ(bitmap.DarkColumnByte(x, y), model) << round << ": " << x << "," << y;
            }
    }
}

TEST(ReverseBits, MirrorsEveryValue) {
    for (int v = 0; v < 256; ++v) {
        uint8_t r = ReverseBits(static_cast<uint8_t>(v));
        for (int i = 0; i < 8; ++i) EXPECT_EQ((r >> i) & 1, (v >> (7 - i)) & 1) << v;
    }
}

}  // namespace
