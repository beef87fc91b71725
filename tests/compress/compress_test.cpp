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
#include "tests/compress/lvgl_image_model.h"

namespace {

using Bytes = std::vector<uint8_t>;

// LVGLImage.py's rle_compress(), get_repeat_count() and
// get_nonrepeat_count() (LVGL 9's scripts/LVGLImage.py, threshold 16), for
// the size of the stream it writes. It pads the data to whole blocks first.
size_t LvglImagePyRleSize(Bytes data, uint32_t blk) {
    if (data.size() % blk) data.resize(data.size() + blk - data.size() % blk, 0);
    const size_t length = data.size();
    auto same = [&](size_t a, size_t b) { return std::equal(&data[a], &data[a] + blk, &data[b]); };
    auto repeats = [&](size_t at) {
        size_t count = 0;
        for (size_t i = at; i + blk <= length && same(i, at); i += blk)
            if (++count == 127) break;
        return count;
    };
    auto nonrepeats = [&](size_t at) {
        size_t previous = at, index = at, count = 0, repeat = 0;
        while (true) {
            if (same(index, previous)) {
                if (++repeat > 16) break;
            } else {
                previous = index;
                count += 1 + repeat;
                repeat = 0;
                if (count >= 127) {
                    count = 127;
                    break;
                }
            }
            index += blk;
            if (index >= length) {
                count += repeat;
                break;
            }
        }
        return count;
    };
    size_t at = 0, size = 0;
    while (at < length) {
        const size_t repeat = repeats(at);
        if (repeat == 0) break;
        if (repeat < 16) {
            const size_t count = nonrepeats(at);
            if (count == 0) break;  // its 0x80: a stream LVGL cannot finish
            size += 1 + count * blk;
            at += count * blk;
        } else {
            size += 1 + blk;
            at += repeat * blk;
        }
    }
    return size;
}

// Data of a few kinds: flat, noise, runs of every length, a gradient, and
// short runs among noise, which the greedy split of LVGLImage.py handles worst.
Bytes Sample(int kind, size_t size) {
    Bytes data(size);
    uint32_t seed = 12345u + static_cast<uint32_t>(kind) * 77u;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, static_cast<uint8_t>(seed >> 16); };
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

}  // namespace
