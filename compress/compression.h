// How an image's bytes are compressed for the code that draws them: one
// row a method, asked by the forms that take it.
#pragma once

#include <cstdint>

enum class Compression : uint8_t {
    None,
    Rle,  // run lengths: for LVGL, the blocks of lv_rle.c
    Lz4,  // an LZ4 block, as LZ4_decompress_safe reads it
};

// "rle", "lz4"; "none" for None.
const char* CompressionName(Compression method);
// The method of that name (not "none"); false for none.
bool CompressionNamed(const char* name, Compression* method);
// LVGL 9's lv_image_compress_t value of a method: 1 RLE, 2 LZ4.
uint32_t LvglCompressionMethod(Compression method);
