/* The part of LVGL 8.3 that an image descriptor uses, as its own headers
 * declare it (src/draw/lv_img_buf.h: lv_img_header_t in its order on a
 * little-endian system, lv_img_dsc_t and the lv_img_cf_t values; lv_conf.h's
 * LV_COLOR_DEPTH and LV_COLOR_16_SWAP, which a test may define), so that
 * the tests compile --lvgl-version 8 without LVGL itself. */
#ifndef QUILLGRID_TEST_LVGL8_H
#define QUILLGRID_TEST_LVGL8_H

#include <stddef.h>
#include <stdint.h>

#define LVGL_VERSION_MAJOR 8
#define LVGL_VERSION_MINOR 3
#define LV_BIG_ENDIAN_SYSTEM 0
#ifndef LV_COLOR_DEPTH
#define LV_COLOR_DEPTH 16
#endif
#ifndef LV_COLOR_16_SWAP
#define LV_COLOR_16_SWAP 0
#endif
#define LV_ATTRIBUTE_MEM_ALIGN

enum {
    LV_IMG_CF_UNKNOWN = 0,
    LV_IMG_CF_RAW,
    LV_IMG_CF_RAW_ALPHA,
    LV_IMG_CF_RAW_CHROMA_KEYED,
    LV_IMG_CF_TRUE_COLOR,
    LV_IMG_CF_TRUE_COLOR_ALPHA,
    LV_IMG_CF_TRUE_COLOR_CHROMA_KEYED,
    LV_IMG_CF_INDEXED_1BIT,
    LV_IMG_CF_INDEXED_2BIT,
    LV_IMG_CF_INDEXED_4BIT,
    LV_IMG_CF_INDEXED_8BIT,
    LV_IMG_CF_ALPHA_1BIT,
    LV_IMG_CF_ALPHA_2BIT,
    LV_IMG_CF_ALPHA_4BIT,
    LV_IMG_CF_ALPHA_8BIT
};
typedef uint8_t lv_img_cf_t;

typedef struct {
    uint32_t cf : 5;
    uint32_t always_zero : 3;
    uint32_t reserved : 2;
    uint32_t w : 11;
    uint32_t h : 11;
} lv_img_header_t;

typedef struct {
    lv_img_header_t header;
    uint32_t data_size;
    const uint8_t* data;
} lv_img_dsc_t;

#endif
