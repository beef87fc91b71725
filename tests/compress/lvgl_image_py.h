// The size of the stream LVGL's own converter writes, for the tests and
// the bench to hold ours against.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// LVGLImage.py's rle_compress(), get_repeat_count() and
// get_nonrepeat_count() (LVGL 9's scripts/LVGLImage.py, threshold 16), for
// the size of the stream it writes. It pads the data to whole blocks first.
inline size_t LvglImagePyRleSize(std::vector<uint8_t> data, uint32_t blk) {
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
