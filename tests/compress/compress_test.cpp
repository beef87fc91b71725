// The compressors against the decoders that read them: LVGL's run lengths
// through a model of lv_rle_decompress(), LZ4 through LZ4_decompress_safe();
// and their sizes against the streams LVGL's own LVGLImage.py writes.
#include <gtest/gtest.h>
#include <lz4.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compress/lvgl_rle.h"
#include "compress/lz4_block.h"
#include "compress/mcu_rle.h"
#include "firmware/quillgrid_rle.h"
#include "tests/compress/lvgl_image_model.h"
#include "tests/test_support.h"
#include "tests/compress/lvgl_image_py.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Data of a few kinds: flat, noise, runs of every length, a gradient, and
// short runs among noise, which the greedy split of LVGLImage.py handles worst.
Bytes Sample(int kind, size_t size) {
    Bytes data(size);
    test::FixedNoise fixed(12345u + static_cast<uint32_t>(kind) * 77u);
    auto next = [&] { return static_cast<uint8_t>(fixed.Next()); };
    for (size_t i = 0; i < size; ++i) {
        switch (kind) {
        case 0:
            data[i] = 0xFF;
            break;
        case 1:
            data[i] = next();
            break;
        case 2:
            data[i] = static_cast<uint8_t>((i / (1 + i % 200 / 3)) & 0x3);
            break;
        case 3:
            data[i] = static_cast<uint8_t>(i * 7 / (size + 1));
            break;
        default:
            data[i] = (i / 3) % 5 == 0 ? 0 : next() & 3;
            break;
        }
    }
    return data;
}

TEST(LvglRle, EveryStreamDecodesThroughLvglsLoopAndIsNoLargerThanLvglImagePys) {
    for (uint32_t blk = 1; blk <= 4; ++blk) {
        for (int kind = 0; kind < 5; ++kind) {
            for (size_t size : {size_t(1), size_t(2), size_t(3), size_t(127 * 4 + 1), size_t(5003), size_t(20000)}) {
                const Bytes data = Sample(kind, size);
                const Bytes stream = LvglRleCompress(data.data(), data.size(), blk);
                // LVGL decodes into a buffer of the image's size exactly.
                Bytes back(size + 1, 0xA5);
                uint8_t controls[32] = {0};
                const uint32_t got = model_lv_rle_decompress(stream.data(), static_cast<uint32_t>(stream.size()),
                                                             back.data(), static_cast<uint32_t>(size), blk, controls);
                const std::string what = "block " + std::to_string(blk) + ", kind " + std::to_string(kind) + ", " +
                                         std::to_string(size) + " bytes";
                EXPECT_EQ(got, size) << what;
                EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin())) << what;
                EXPECT_EQ(back[size], 0xA5) << what << ": written past the image";
                EXPECT_EQ(controls[0] & 1, 0) << what << ": a control byte 0x00";
                EXPECT_EQ(controls[0x80 / 8] & 1, 0) << what << ": a control byte 0x80";
                EXPECT_LE(stream.size(), LvglImagePyRleSize(data, blk)) << what;
            }
        }
    }
}

// The shortest stream, where the answer is plain: runs of one value cost a
// control byte and a block each 127 blocks; no runs, a control byte each 127.
TEST(LvglRle, StreamsAreAsShortAsTheFormatAllows) {
    const struct {
        Bytes data;
        uint32_t blk;
        size_t size;
    } cases[] = {
        {Bytes(127, 7), 1, 2},    {Bytes(128, 7), 1, 4}, {Bytes(254 * 3, 7), 3, 8},
        {{1, 2, 3, 4, 5}, 1, 6},  {{1, 1, 2, 3}, 1, 5},  // two equal bytes cost as much apart as together
        {{1, 1, 1, 2}, 1, 4},                            // three do not
        {{1, 2, 1, 2, 1}, 2, 6},   // a last block cut short goes among copied ones: 0x83 then 6 bytes
        {{9, 9, 9, 9, 9}, 2, 6},   // even when it repeats the one before
        {Sample(1, 300), 1, 303},  // noise: 127 + 127 + 46 blocks
    };
    for (const auto& c : cases) {
        const Bytes stream = LvglRleCompress(c.data.data(), c.data.size(), c.blk);
        EXPECT_EQ(stream.size(), c.size) << c.data.size() << " bytes, block " << c.blk;
    }
}

TEST(Lz4Block, DecodesBackAndIsNoLargerThanTheDefaultMode) {
    for (int kind = 0; kind < 5; ++kind) {
        for (size_t size : {size_t(0), size_t(1), size_t(100), size_t(65536 + 7), size_t(300000)}) {
            const Bytes data = Sample(kind, size);
            Bytes stream;
            ASSERT_TRUE(Lz4Compress(data.data(), data.size(), &stream));
            Bytes back(size + 1);
            const int got =
                LZ4_decompress_safe(reinterpret_cast<const char*>(stream.data()), reinterpret_cast<char*>(back.data()),
                                    static_cast<int>(stream.size()), static_cast<int>(size));
            EXPECT_EQ(got, static_cast<int>(size)) << kind << ", " << size;
            EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin())) << kind << ", " << size;
            // LVGLImage.py's lz4.block.compress() is the library's default mode.
            Bytes fast(static_cast<size_t>(LZ4_compressBound(static_cast<int>(size))));
            const int fastSize =
                LZ4_compress_default(reinterpret_cast<const char*>(data.data()), reinterpret_cast<char*>(fast.data()),
                                     static_cast<int>(size), static_cast<int>(fast.size()));
            EXPECT_LE(stream.size(), static_cast<size_t>(fastSize)) << kind << ", " << size;
        }
    }
}

// quillgrid_rle.h reading `stream` in bands of `bandLines`, into a band of
// exactly that size; the image's bytes, or empty with -1.
Bytes ReadBands(const Bytes& stream, uint16_t bandLines) {
    qg_rle_t d;
    if (qg_rle_begin(&d, stream.data(), static_cast<uint32_t>(stream.size()), QG_RLE_RAM) != 0) return {};
    Bytes band(static_cast<size_t>(d.line_bytes) * bandLines), image;
    int got;
    while ((got = qg_rle_read(&d, band.data(), bandLines)) > 0)
        image.insert(image.end(), band.begin(), band.begin() + static_cast<size_t>(got) * d.line_bytes);
    return got < 0 ? Bytes() : image;
}

// An image of `lines` lines: flat (a UI screen: a frame, bars, a few
// marks), or noise.
Bytes Screen(uint32_t lineBytes, uint32_t lines, uint32_t unit, bool noise) {
    Bytes data(static_cast<size_t>(lineBytes) * lines);
    test::FixedNoise fixed(lineBytes * 7 + lines);
    for (uint32_t y = 0; y < lines; ++y)
        for (uint32_t x = 0; x < lineBytes; ++x) {
            const uint32_t u = x / unit;
            const bool bar = y % 16 < 3 || u % 40 == 0, mark = (y / 4 + u / 6) % 11 == 0;
            data[static_cast<size_t>(y) * lineBytes + x] = noise ? static_cast<uint8_t>(fixed.Next())
                                                                 : static_cast<uint8_t>(bar    ? 0xF8 + x % unit
                                                                                        : mark ? 0x1F * (x % unit + 1)
                                                                                               : 0x00);
        }
    return data;
}

// Every unit and band height reads back to the image; a flat screen takes
// at most half its bytes, noise at most 5 % and 16 bytes more.
TEST(McuRle, EveryStreamReadsBackInBandsAndFlatScreensHalve) {
    for (uint32_t unit = 1; unit <= 4; ++unit) {
        for (uint32_t units : {1u, 7u, 40u, 300u}) {
            for (uint32_t lines : {1u, 8u, 65u}) {
                for (bool noise : {false, true}) {
                    const Bytes image = Screen(units * unit, lines, unit, noise);
                    Bytes stream;
                    ASSERT_TRUE(McuRleCompress(image.data(), units * unit, lines, unit, &stream));
                    const std::string what = "unit " + std::to_string(unit) + ", " + std::to_string(units) +
                                             " units x " + std::to_string(lines) + (noise ? ", noise" : ", flat");
                    for (uint16_t band : {1, 3, 8})
                        EXPECT_EQ(ReadBands(stream, band), image) << what << ", band " << band;
                    if (noise) {
                        EXPECT_LE(stream.size(), image.size() * 105 / 100 + 16) << what;
                    } else if (image.size() >= 256) {
                        EXPECT_LE(stream.size(), image.size() / 2) << what;
                    }
                }
            }
        }
    }
}

// A damaged stream is refused, never read past: each case is a good
// stream cut or changed, most of one line, so that nothing after the
// damage refuses it instead.
TEST(McuRle, DamagedStreamsAreRefused) {
    const Bytes good = {1, 4, 0, 2, 0, 0x03, 1, 2, 3, 4, 0x80 | 3};  // copy 4, then the line above 4
    ASSERT_EQ(ReadBands(good, 2), (Bytes{1, 2, 3, 4, 1, 2, 3, 4}));
    const struct {
        Bytes stream;
        const char* what;
    } cases[] = {
        {{1, 4, 0, 2}, "a header cut short"},
        {{0, 4, 0, 2, 0, 0x03, 1, 2, 3, 4, 0x83}, "a unit of 0"},
        {{3, 4, 0, 2, 0, 0x00, 1, 2, 3}, "a line of 4 bytes in units of 3"},
        {{1, 4, 0, 1, 0, 0x03, 1, 2, 3}, "a copy past the end"},
        {{1, 4, 0, 2, 0, 0x03, 1, 2, 3, 4}, "lines missing"},
        {{1, 4, 0, 2, 0, 0x83}, "the line above, on the first line"},
        {{1, 4, 0, 2, 0, 0xC3, 0}, "a back run of distance 0"},
        {{1, 4, 0, 1, 0, 0x00, 9, 0xC2, 2}, "a back run reaching before the line"},
        {{1, 4, 0, 2, 0, 0x3F, 1}, "a long count cut short"},
        {{1, 4, 0, 2, 0, 0x42}, "a repeat without its unit"},
    };
    for (const auto& c : cases) EXPECT_TRUE(ReadBands(c.stream, 1).empty()) << c.what;
}

}  // namespace
