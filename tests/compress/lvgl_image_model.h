/* A model of how LVGL 9 reads a compressed image, in C that C and C++ both
 * compile, for the tests: lv_rle_decompress() (src/libs/rle/lv_rle.c) as it
 * walks a stream, with its tolerance of a last block that runs past the
 * output, and decompress_image() with decode_compressed()
 * (src/libs/bin_decoder/lv_bin_decoder.c) for an image in C: the 12 bytes
 * of lv_image_compressed_t, the sizes it checks, the buffer it decodes
 * into. LZ4 is LZ4_decompress_safe(), passed in where the caller has it. */
#ifndef QUILLGRID_TEST_LVGL_IMAGE_MODEL_H
#define QUILLGRID_TEST_LVGL_IMAGE_MODEL_H

#include <stdint.h>
#include <string.h>

/* Bytes written, output_len when the last block ran past it, 0 for a stream
 * LVGL refuses. `control_seen` gathers every control byte's value (a bit a
 * value, 0x00 and 0x80 among them), for the tests to look at. */
static inline uint32_t model_lv_rle_decompress(const uint8_t* input, uint32_t input_len, uint8_t* output,
                                               uint32_t output_len, uint32_t blk, uint8_t control_seen[32]) {
    uint32_t rd = 0, wr = 0, i;
    while (rd < input_len) {
        uint32_t ctrl = input[0];
        if (control_seen) control_seen[ctrl / 8] |= (uint8_t)(1u << (ctrl % 8));
        rd++;
        input++;
        if (ctrl & 0x80) {
            uint32_t bytes = blk * (ctrl & 0x7F);
            rd += bytes;
            if (rd > input_len) return 0;
            wr += bytes;
            if (wr > output_len) {
                if (wr > output_len + blk) return 0;
                memcpy(output, input, output_len - (wr - bytes));
                return output_len;
            }
            memcpy(output, input, bytes);
            output += bytes;
            input += bytes;
        } else {
            rd += blk;
            if (rd > input_len) return 0;
            wr += blk * ctrl;
            if (wr > output_len) {
                if (wr > output_len + blk) return 0;
                /* LVGL leaves the last block out here, however much of it fits. */
                for (i = 0; i + 1 < ctrl; i++, output += blk) memcpy(output, input, blk);
                return output_len;
            }
            for (i = 0; i < ctrl; i++, output += blk) memcpy(output, input, blk);
            input += blk;
        }
    }
    return wr;
}

typedef int (*model_lz4_decode)(const char* source, char* dest, int compressed_size, int capacity);

static inline uint32_t model_le32(const uint8_t* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

/* The image's data (data_size bytes) decompressed into `out`, which holds
 * `capacity` bytes: the draw buffer LVGL makes for the image's width,
 * height, format and stride. `pixel_byte` is what LVGL takes for the
 * format: 2 for RGB565A8, else (bpp + 7) / 8. The bytes decoded, or 0
 * where LVGL would fail (a size that disagrees, an unknown method, a
 * stream that decodes to other than its size). */
static inline uint32_t model_lvgl_decompress(const uint8_t* data, uint32_t data_size, uint32_t pixel_byte, uint8_t* out,
                                             uint32_t capacity, model_lz4_decode lz4, uint8_t control_seen[32]) {
    uint32_t method, compressed_size, decompressed_size, len = 0;
    if (data_size < 12) return 0;
    method = model_le32(data) & 0x0F;
    compressed_size = model_le32(data + 4);
    decompressed_size = model_le32(data + 8);
    if (compressed_size != data_size - 12) return 0;
    if (decompressed_size > capacity) return 0;
    if (method == 1) {
        len = model_lv_rle_decompress(data + 12, compressed_size, out, decompressed_size, pixel_byte, control_seen);
    } else if (method == 2 && lz4) {
        int ret = lz4((const char*)data + 12, (char*)out, (int)compressed_size, (int)decompressed_size);
        if (ret >= 0) len = (uint32_t)ret;
    } else {
        return 0;
    }
    return len == decompressed_size ? len : 0;
}

#endif
