// LVGL's run-length code for images, as lv_rle_decompress() (LVGL 9's
// src/libs/rle/lv_rle.c) reads it: blocks of `blockSize` bytes (a pixel's
// bytes), each run a control byte then data. A control byte with bit 7 set
// is a count (1..127) of blocks copied as they stand; one without is a count
// (1..127) of repeats of the one block that follows. 0x00 and 0x80 are
// never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The shortest such stream of `size` bytes. A last block cut short is
// padded with zeros and written among copied blocks: LVGL copies only the
// bytes that fit there, where a repeat would leave them out.
std::vector<uint8_t> LvglRleCompress(const uint8_t* data, size_t size, uint32_t blockSize);
