// Packing N bits a pixel: the line path against the byte-by-byte walk, the
// way back to the image, the 1-bit case against the scanners, and a small
// worked example of each depth.
#include "core/level_grid.h"

#include <gtest/gtest.h>

#include <random>

#include "core/direct_grid.h"
#include "core/level_image.h"
#include "core/planes_grid.h"
#include "tests/core/scanner_fixture.h"

namespace {

// Every value from a generator seeded with `pattern`.
LevelImage RandomLevels(uint32_t width, uint32_t height, uint32_t depth, uint32_t pattern) {
    LevelImage image;
    EXPECT_TRUE(image.Create(width, height, depth));
    std::mt19937 random(pattern);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) image.Set(x, y, random() & image.MaxValue());
    return image;
}

std::vector<uint8_t> Packed(LevelGrid& grid) {
    std::vector<uint8_t> bytes(static_cast<size_t>(grid.ItemsPerLine()) * grid.LineCount());
    for (uint32_t line = 0; line < grid.LineCount(); ++line)
        grid.Pack(line, 0, grid.ItemsPerLine(), bytes.data() + static_cast<size_t>(line) * grid.ItemsPerLine());
    return bytes;
}

// Widths and heights around the multiples of 8 / depth, at every depth and
// in all sixteen layouts: the line path gives the walk's bytes, and the
// bytes read back are the image.
TEST(LevelGrid, PackThenReadGivesTheImageBack) {
    for (uint32_t depth : {1u, 2u, 4u, 8u}) {
        for (uint32_t w : {1u, 2u, 3u, 4u, 5u, 7u, 8u, 9u, 15u, 16u, 17u, 33u}) {
            for (uint32_t h : {1u, 3u, 4u, 5u, 8u, 9u, 17u, 40u}) {
                const LevelImage image = RandomLevels(w, h, depth, w * 31 + h + depth);
                for (int bits = 0; bits < 16; ++bits) {
                    const ConvertOptions layout =
                        test::Options(bits & 1, bits >> 1 & 1, bits >> 2 & 1, static_cast<uint8_t>(bits >> 3));
                    LevelGrid grid(image, layout);
                    const std::vector<uint8_t> bytes = Packed(grid);
                    const PackedShape shape = {w, h, FormatOf(PixelKind::Grey, depth), layout, false};
                    ASSERT_EQ(bytes.size(), PackedLevelSize(shape));
                    for (uint32_t line = 0; line < grid.LineCount(); ++line)
                        for (uint32_t item = 0; item < grid.ItemsPerLine(); ++item)
                            ASSERT_EQ(bytes[static_cast<size_t>(line) * grid.ItemsPerLine() + item],
                                      grid.GetByte(item, line))
                                << depth << " bits, " << w << " x " << h << ", layout " << bits;
                    // Tiles so small that every boundary between two falls inside the image.
                    for (uint32_t tileBytes : {1u, 3u, 17u}) {
                        LevelGrid small(image, layout, tileBytes);
                        ASSERT_EQ(Packed(small), bytes) << depth << " bits, " << w << " x " << h << ", layout " << bits
                                                        << ", tiles of " << tileBytes;
                    }
                    LevelImage back;
                    ASSERT_TRUE(UnpackLevels(bytes.data(), bytes.size(), shape, &back));
                    for (uint32_t y = 0; y < h; ++y)
                        for (uint32_t x = 0; x < w; ++x)
                            ASSERT_EQ(back.Get(x, y), image.Get(x, y))
                                << depth << " bits, " << w << " x " << h << ", layout " << bits << " at " << x << ","
                                << y;
                    // One byte short is refused.
                    EXPECT_FALSE(UnpackLevels(bytes.data(), bytes.size() - 1, shape, &back));
                }
            }
        }
    }
}

// At one bit a pixel a value of 1 packs as a dark pixel does: the grid is
// the scanners', in all sixteen layouts.
TEST(LevelGrid, AtOneBitItIsTheScanners) {
    for (auto size : {std::make_pair(10u, 3u), std::make_pair(17u, 9u), std::make_pair(8u, 16u)}) {
        const LevelImage levels = RandomLevels(size.first, size.second, 1, size.first);
        std::vector<std::string> rows;
        for (uint32_t y = 0; y < size.second; ++y) {
            rows.emplace_back();
            for (uint32_t x = 0; x < size.first; ++x) rows.back() += levels.Get(x, y) ? '#' : '.';
        }
        const test::Bytes bmp = test::MonoBmp(rows);
        MonoBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadFromMemory(bmp.data(), bmp.size()));
        for (int bits = 0; bits < 16; ++bits) {
            const ConvertOptions layout =
                test::Options(bits & 1, bits >> 1 & 1, bits >> 2 & 1, static_cast<uint8_t>(bits >> 3));
            ByteScanner* scanner = SelectScanner(layout);
            ASSERT_TRUE(scanner->Attach(&bitmap, layout.fillOnes));
            LevelGrid grid(levels, layout);
            ASSERT_EQ(grid.ItemsPerLine(), scanner->ItemsPerLine());
            ASSERT_EQ(grid.LineCount(), scanner->LineCount());
            const std::vector<uint8_t> bytes = Packed(grid);
            for (uint32_t line = 0; line < grid.LineCount(); ++line)
                for (uint32_t item = 0; item < grid.ItemsPerLine(); ++item)
                    ASSERT_EQ(bytes[static_cast<size_t>(line) * grid.ItemsPerLine() + item],
                              scanner->GetByte(item, line))
                        << "layout " << bits;
        }
    }
}

// A 3 x 2 image of 2 bits a pixel, values 0 1 2 / 3 2 1: rows, first pixel
// high or low, the fill; columns; 4 bits a pixel, the nibbles swapped.
TEST(LevelGrid, WorkedExamples) {
    LevelImage image;
    ASSERT_TRUE(image.Create(3, 2, 2));
    const uint32_t values[2][3] = {{0, 1, 2}, {3, 2, 1}};
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 3; ++x) image.Set(x, y, values[y][x]);
    LevelImage wide;
    ASSERT_TRUE(wide.Create(3, 1, 4));
    wide.Set(0, 0, 0x1), wide.Set(1, 0, 0xA), wide.Set(2, 0, 0xF);
    const struct {
        const LevelImage* image;
        ConvertOptions layout;
        const char* bytes;
    } cases[] = {
        // 00 01 10 + spare 00: 0x18; 11 10 01 + 00: 0xE4.
        {&image, test::Options(0, 1, 1, 0), "18 / E4"},
        {&image, test::Options(0, 1, 1, 1), "1B / E7"},
        // The first pixel in bits 1-0: 10 01 00 reversed groups.
        {&image, test::Options(1, 1, 1, 0), "24 / 1B"},
        {&image, test::Options(1, 1, 1, 1), "E4 / DB"},
        // Columns: x = 0 holds 0 then 3: 00 11 + spare.
        {&image, test::Options(0, 0, 1, 0), "30 60 90"},
        {&image, test::Options(0, 0, 0, 1), "3F / 6F / 9F"},
        {&wide, test::Options(0, 1, 1, 0), "1A F0"},
        {&wide, test::Options(1, 1, 1, 1), "A1 FF"},
    };
    for (const auto& c : cases) {
        LevelGrid grid(*c.image, c.layout);
        std::string text;
        for (uint32_t line = 0; line < grid.LineCount(); ++line) {
            if (line) text += " / ";
            for (uint32_t item = 0; item < grid.ItemsPerLine(); ++item) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%s%02X", item ? " " : "", grid.GetByte(item, line));
                text += hex;
            }
        }
        EXPECT_EQ(text, c.bytes) << c.layout.msbReverse << c.layout.bitHorizontal << c.layout.byteHorizontal
                                 << int(c.layout.fillOnes);
    }
}

// Planes: each bit of the values a 1-bit image, the high bit's first.
TEST(PlanesGrid, EachBitIsAPlaneHighFirst) {
    const LevelImage image = RandomLevels(13, 5, 4, 9);
    const ConvertOptions layout = test::Options(0, 1, 1, 0);
    PlanesGrid planes;
    ASSERT_TRUE(planes.Make(image, layout));
    ASSERT_EQ(planes.LineCount(), 4u * 5);
    ASSERT_EQ(planes.ItemsPerLine(), 2u);
    for (uint32_t plane = 0; plane < 4; ++plane) {
        const uint32_t bit = 3 - plane;
        for (uint32_t y = 0; y < 5; ++y) {
            uint8_t row[2];
            planes.Pack(plane * 5 + y, 0, 2, row);
            for (uint32_t x = 0; x < 13; ++x)
                ASSERT_EQ((row[x / 8] >> (7 - x % 8)) & 1, image.Get(x, y) >> bit & 1)
                    << "plane " << plane << " at " << x << "," << y;
        }
    }
}

// Ink planes: where a pixel has the plane's value, the plane's ink bit; in
// every polarity, the black plane then the colour plane.
TEST(PlanesGrid, InkPlanesMarkTheirValueWithTheirBit) {
    const LevelImage image = RandomLevels(11, 3, 2, 4);
    const ConvertOptions layout = test::Options(0, 1, 1, 0);
    for (uint32_t polarity = 0; polarity < 4; ++polarity) {
        const std::vector<InkPlane> inks = {{0, polarity & 1}, {2, polarity >> 1}};
        PlanesGrid planes;
        ASSERT_TRUE(planes.MakeInks(image, inks, layout));
        ASSERT_EQ(planes.LineCount(), 2u * 3);
        for (uint32_t plane = 0; plane < 2; ++plane)
            for (uint32_t y = 0; y < 3; ++y) {
                uint8_t row[2];
                planes.Pack(plane * 3 + y, 0, 2, row);
                for (uint32_t x = 0; x < 11; ++x) {
                    const bool ink = image.Get(x, y) == inks[plane].value;
                    ASSERT_EQ((row[x / 8] >> (7 - x % 8)) & 1u, ink ? inks[plane].inkBit : 1 - inks[plane].inkBit)
                        << "polarity " << polarity << ", plane " << plane << " at " << x << "," << y;
                }
            }
    }
}

// Direct colour: each format of the table in each byte order and pixel
// order packs and reads back to the image; the bytes of one pixel are the
// value's, low or high first; an alpha plane follows the colours.
TEST(DirectGrid, PackThenReadGivesTheImageBack) {
    std::mt19937 random(7);
    for (uint32_t f = 0; f < kDirectFormatCount; ++f) {
        const DirectFormatRow& format = kDirectFormats[f];
        const uint32_t bits = format.red + format.green + format.blue + format.alpha;
        const uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        for (uint32_t w : {1u, 3u, 8u}) {
            for (uint32_t h : {1u, 2u, 5u}) {
                DirectImage image;
                ASSERT_TRUE(image.Create(w, h, format.format));
                for (uint32_t y = 0; y < h; ++y)
                    for (uint32_t x = 0; x < w; ++x) image.Row(y)[x] = random() & mask;
                for (bool big : {false, true}) {
                    for (uint32_t rows : {0u, 1u}) {
                        const ConvertOptions layout = test::Options(0, 1, rows, 0);
                        DirectGrid grid(image, layout, big);
                        std::vector<uint8_t> bytes(static_cast<size_t>(grid.ItemsPerLine()) * grid.LineCount());
                        for (uint32_t line = 0; line < grid.LineCount(); ++line)
                            grid.Pack(line, 0, grid.ItemsPerLine(),
                                      &bytes[static_cast<size_t>(line) * grid.ItemsPerLine()]);
                        const PackedShape shape = {w, h, format.format, layout, big};
                        ASSERT_EQ(bytes.size(), PackedDirectSize(shape));
                        const uint32_t size = format.bytes;
                        // The first pixel in this order, its value's bytes.
                        for (uint32_t b = 0; b < size; ++b)
                            ASSERT_EQ(bytes[b], static_cast<uint8_t>(image.Get(0, 0) >> 8 * (big ? size - 1 - b : b)));
                        const uint32_t second = rows ? (w > 1 ? image.Get(1, 0) : image.Get(0, h > 1 ? 1 : 0))
                                                     : (h > 1 ? image.Get(0, 1) : image.Get(w > 1 ? 1 : 0, 0));
                        if (w * h > 1) {
                            ASSERT_EQ(bytes[size], static_cast<uint8_t>(second >> 8 * (big ? size - 1 : 0)));
                        }
                        if (format.alphaPlane) {
                            ASSERT_EQ(bytes[size * w * h], image.Get(0, 0) >> 8 * size);
                        }
                        DirectImage back;
                        ASSERT_TRUE(UnpackDirect(bytes.data(), bytes.size(), shape, &back));
                        for (uint32_t y = 0; y < h; ++y)
                            for (uint32_t x = 0; x < w; ++x)
                                ASSERT_EQ(back.Get(x, y), image.Get(x, y))
                                    << format.name << " " << w << "x" << h << " big " << big;
                        EXPECT_FALSE(UnpackDirect(bytes.data(), bytes.size() - 1, shape, &back));
                    }
                }
            }
        }
    }
}

// A value and the colour it shows: each channel's top bits, widened by
// repeating them, so that the steps' own colours go and come back whole.
TEST(DirectColour, ValuesWidenAndComeBack) {
    const struct {
        PixelFormat format;
        uint8_t r, g, b;
        uint32_t value;
        uint8_t shown[3];
    } cases[] = {
        {PixelFormat::Rgb565, 0xFF, 0x00, 0x00, 0xF800, {0xFF, 0x00, 0x00}},
        {PixelFormat::Rgb565, 0x84, 0x82, 0x10, 0x8402, {0x84, 0x82, 0x10}},
        {PixelFormat::Rgb565, 0x87, 0x83, 0x17, 0x8402, {0x84, 0x82, 0x10}},
        {PixelFormat::Rgb332, 0xFF, 0x80, 0x7F, 0xF1, {0xFF, 0x92, 0x55}},
        {PixelFormat::Rgb888, 0x12, 0x34, 0x56, 0x123456, {0x12, 0x34, 0x56}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DirectValue(c.format, c.r, c.g, c.b), c.value) << PixelFormatName(c.format);
        uint8_t rgba[4];
        ColourOfValue(c.format, c.value, rgba);
        EXPECT_EQ(rgba[0], c.shown[0]);
        EXPECT_EQ(rgba[1], c.shown[1]);
        EXPECT_EQ(rgba[2], c.shown[2]);
        EXPECT_EQ(DirectValue(c.format, rgba[0], rgba[1], rgba[2]), c.value);
    }
    for (uint32_t bits = 1; bits <= 8; ++bits)
        for (uint32_t level = 0; level < (1u << bits); ++level)
            ASSERT_EQ(WidenChannel(level, bits) >> (8 - bits), level);
}

}  // namespace
