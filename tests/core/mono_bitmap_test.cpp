#include "core/mono_bitmap.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

using test::Bytes;
using test::Put16;
using test::Put32;

namespace {

class MonoBitmapTest : public ::testing::Test {
protected:
    bool LoadBytes(const Bytes& bytes) {
        std::string path = dir.File("image.bmp");
        test::WriteBytes(path, bytes);
        return bitmap.Load(path.c_str());
    }

    // The 70-byte file: 10 x 2, black/white palette, rows 80 40 / FF C0.
    Bytes WorkedExample() {
        Bytes b = test::MonoHeader(10, 2);
        for (uint8_t v : {0x80, 0x40, 0x00, 0x00, 0xFF, 0xC0, 0x00, 0x00}) b.push_back(v);
        return b;
    }

    test::ScratchDir dir;
    MonoBitmap bitmap;
};

TEST_F(MonoBitmapTest, WorkedExampleAndSwappedPalette) {
    Bytes file = WorkedExample();
    ASSERT_EQ(file.size(), 70u);
    ASSERT_TRUE(LoadBytes(file));
    EXPECT_TRUE(bitmap.IsLoaded());
    EXPECT_EQ(bitmap.Width(), 10u);
    EXPECT_EQ(bitmap.Height(), 2u);
    EXPECT_FALSE(bitmap.IsDark(0, 1));
    EXPECT_TRUE(bitmap.IsDark(1, 1));
    EXPECT_FALSE(bitmap.IsDark(9, 1));
    EXPECT_TRUE(bitmap.IsDark(8, 1));
    for (uint32_t x = 0; x < 10; ++x) EXPECT_FALSE(bitmap.IsDark(x, 0)) << x;
    EXPECT_FALSE(bitmap.IsDark(10, 0));
    EXPECT_FALSE(bitmap.IsDark(0, 2));

    Put32(file, 54, 0x00FFFFFF);  // entry 0 white
    Put32(file, 58, 0x00000000);  // entry 1 black
    ASSERT_TRUE(LoadBytes(file));
    EXPECT_TRUE(bitmap.IsDark(0, 1));
    EXPECT_FALSE(bitmap.IsDark(1, 1));
    EXPECT_TRUE(bitmap.IsDark(9, 1));
    for (uint32_t x = 0; x < 10; ++x) EXPECT_TRUE(bitmap.IsDark(x, 0)) << x;
    EXPECT_FALSE(bitmap.IsDark(10, 0));
}

TEST_F(MonoBitmapTest, PaletteRuleComparesBlueAndGreenOnly) {
    struct Case {
        uint32_t entry0, entry1;  // as little-endian B, G, R, reserved
        bool setBitDark;
    };
    const Case cases[] = {
        {0x00000000, 0x00FFFFFF, false},  // black, white: a clear bit is dark
        {0x00FFFFFF, 0x00000000, true},   // white, black: a set bit is dark
        {0x00FFFFFF, 0x00FFFFFF, false},  // two whites: entry 0 is dark
        {0x00000000, 0x00FF0000, false},  // two colours: entry 0
        {0x0000FFFF, 0x00000000, true},   // blue and green 0xFF, red 0: white
        {0xFF00FFFF, 0x00000000, true},   // the reserved byte is ignored
        {0x00FF00FF, 0x00000000, false},  // green 0: not white
    };
    for (const Case& c : cases) {
        Bytes b = test::MonoHeader(1, 1);
        Put32(b, 54, c.entry0);
        Put32(b, 58, c.entry1);
        for (uint8_t v : {0x80, 0x00, 0x00, 0x00}) b.push_back(v);
        ASSERT_TRUE(LoadBytes(b));
        EXPECT_EQ(bitmap.IsDark(0, 0), c.setBitDark) << std::hex << c.entry0 << " " << c.entry1;
    }
}

TEST_F(MonoBitmapTest, TopLeftIsBit7OfTheLastStoredRow) {
    Bytes b = test::MonoBmp({"#...", "....", "...#"});
    ASSERT_TRUE(LoadBytes(b));
    EXPECT_EQ(b[62 + 8], 0x70);  // last stored row = top row
    EXPECT_EQ(b[62], 0xE0);      // first stored row = bottom row
    EXPECT_TRUE(bitmap.IsDark(0, 0));
    EXPECT_TRUE(bitmap.IsDark(3, 2));
    EXPECT_FALSE(bitmap.IsDark(0, 2));
}

TEST_F(MonoBitmapTest, RefusesUnsupportedHeaders) {
    struct Case {
        const char* what;
        void (*change)(Bytes&);
    };
    const Case cases[] = {
        {"signature", [](Bytes& b) { b[1] = 'A'; }},
        {"12-byte header", [](Bytes& b) { Put32(b, 14, 12); }},
        {"108-byte header", [](Bytes& b) { Put32(b, 14, 108); }},
        {"124-byte header", [](Bytes& b) { Put32(b, 14, 124); }},
        {"4 bits", [](Bytes& b) { Put16(b, 28, 4); }},
        {"8 bits", [](Bytes& b) { Put16(b, 28, 8); }},
        {"24 bits", [](Bytes& b) { Put16(b, 28, 24); }},
        {"RLE", [](Bytes& b) { Put32(b, 30, 1); }},
        {"bitfields", [](Bytes& b) { Put32(b, 30, 3); }},
        {"top-down", [](Bytes& b) { Put32(b, 22, static_cast<uint32_t>(-2)); }},
        {"negative width", [](Bytes& b) { Put32(b, 18, static_cast<uint32_t>(-10)); }},
        {"offset 2^31", [](Bytes& b) { Put32(b, 10, 0x80000000u); }},
        {"offset past the end", [](Bytes& b) { Put32(b, 10, 70); }},
        {"one row byte short", [](Bytes& b) { b.pop_back(); }},
    };
    for (const Case& c : cases) {
        Bytes b = WorkedExample();
        c.change(b);
        EXPECT_FALSE(LoadBytes(b)) << c.what;
        EXPECT_FALSE(bitmap.IsLoaded()) << c.what;
        EXPECT_EQ(bitmap.Width(), 0u) << c.what;
    }
}

TEST_F(MonoBitmapTest, IgnoresFieldsThatAreNotTested) {
    struct Case {
        const char* what;
        void (*change)(Bytes&);
    };
    const Case cases[] = {
        {"bfSize", [](Bytes& b) { Put32(b, 2, 12345); }},
        {"reserved", [](Bytes& b) { Put32(b, 6, 0xFFFFFFFF); }},
        {"biPlanes", [](Bytes& b) { Put16(b, 26, 7); }},
        {"biSizeImage 0", [](Bytes& b) { Put32(b, 34, 0); }},
        {"biSizeImage wrong", [](Bytes& b) { Put32(b, 34, 99999); }},
        {"density", [](Bytes& b) { Put32(b, 38, 0xFFFFFFFF); }},
        {"biClrUsed", [](Bytes& b) { Put32(b, 46, 256); }},
        {"longer file", [](Bytes& b) { b.resize(b.size() + 100, 0xAB); }},
    };
    for (const Case& c : cases) {
        Bytes b = WorkedExample();
        c.change(b);
        ASSERT_TRUE(LoadBytes(b)) << c.what;
        EXPECT_TRUE(bitmap.IsDark(1, 1)) << c.what;
        EXPECT_FALSE(bitmap.IsDark(0, 1)) << c.what;
    }
}

TEST_F(MonoBitmapTest, ShortFilesAreRefusedAtEveryLength) {
    Bytes whole = WorkedExample();
    for (size_t length = 0; length < whole.size(); ++length) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_FALSE(LoadBytes(cut)) << length;
    }
    EXPECT_TRUE(LoadBytes(whole));
}

TEST_F(MonoBitmapTest, EmptyImagesLoadWithoutRows) {
    for (auto size : {std::make_pair(0, 5), std::make_pair(7, 0), std::make_pair(0, 0)}) {
        // The offset points past the end: with no rows to read that is fine.
        Bytes b = test::MonoHeader(size.first, size.second, 1000);
        ASSERT_TRUE(LoadBytes(b)) << size.first << "x" << size.second;
        EXPECT_TRUE(bitmap.IsLoaded());
        EXPECT_EQ(bitmap.Width(), static_cast<uint32_t>(size.first));
        EXPECT_EQ(bitmap.Height(), static_cast<uint32_t>(size.second));
        EXPECT_FALSE(bitmap.IsDark(0, 0));
    }
}

TEST_F(MonoBitmapTest, StrideRule) {
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0}, {1, 4}, {32, 4}, {33, 8}, {64, 8}, {65, 12}, {100, 16}, {-1, -1}, {0x7FFFFFFF, 268435456}};
    for (auto c : cases) EXPECT_EQ(MonoBitmap::StrideFor(c.first), c.second) << c.first;
    // A stored row must be exactly that long: 33 pixels need 8 bytes a row.
    Bytes b = test::MonoBmp({std::string(33, '#')});
    EXPECT_EQ(b.size(), 62u + 8u);
    ASSERT_TRUE(LoadBytes(b));
    EXPECT_TRUE(bitmap.IsDark(32, 0));
}

TEST_F(MonoBitmapTest, RowPaddingIsNeverRead) {
    for (uint8_t padding : {0x00, 0xFF, 0x5A}) {
        ASSERT_TRUE(LoadBytes(test::MonoBmp({"#.#", ".#."}, padding)));
        EXPECT_FALSE(bitmap.IsDark(3, 0));
        EXPECT_FALSE(bitmap.IsDark(31, 1));
        EXPECT_TRUE(bitmap.IsDark(2, 0));
    }
}

TEST_F(MonoBitmapTest, HugeHeadersAreRefusedBeforeAllocating) {
    struct Case {
        int32_t width, height;
    };
    // Each would need far more rows than the file has, some more than 4 GiB.
    const Case cases[] = {
        {0x7FFFFFFF, 1}, {1, 0x7FFFFFFF}, {0x7FFFFFFF, 0x7FFFFFFF}, {32 * 65536, 65537}, {65536 * 8, 8193}};
    for (const Case& c : cases) {
        Bytes b = test::MonoHeader(c.width, c.height);
        b.resize(200, 0);
        EXPECT_FALSE(LoadBytes(b)) << c.width << "x" << c.height;
    }
}

// The row offset is never tested: rows may start inside the headers.
TEST_F(MonoBitmapTest, RowOffsetsInsideTheHeaders) {
    for (uint32_t offset : {0u, 53u, 61u}) {
        Bytes b = WorkedExample();
        Put32(b, 10, offset);
        ASSERT_TRUE(LoadBytes(b)) << offset;
        // Stored row 1 (y = 0) starts 4 bytes after the offset.
        uint8_t first = b[offset + 4];
        EXPECT_EQ(bitmap.IsDark(0, 0), (first & 0x80) == 0) << offset;
    }
    Bytes b = WorkedExample();
    Put32(b, 10, 63);  // one byte too far for the 8 bytes of rows
    EXPECT_FALSE(LoadBytes(b));
}

TEST_F(MonoBitmapTest, AFailedLoadLeavesNothingOfTheEarlierImage) {
    ASSERT_TRUE(LoadBytes(WorkedExample()));
    Bytes bad = WorkedExample();
    bad[0] = 'X';
    EXPECT_FALSE(LoadBytes(bad));
    EXPECT_FALSE(bitmap.IsLoaded());
    EXPECT_EQ(bitmap.Width(), 0u);
    EXPECT_EQ(bitmap.Height(), 0u);
    EXPECT_FALSE(bitmap.IsDark(1, 1));
}

TEST_F(MonoBitmapTest, AMissingFileIsNotCreated) {
    std::string path = dir.File("missing.bmp");
    EXPECT_FALSE(bitmap.Load(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(bitmap.Load(dir.File("").c_str()));  // a folder
}

}  // namespace
