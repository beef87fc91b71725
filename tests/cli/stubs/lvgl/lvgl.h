/* The part of LVGL v9 that an image descriptor uses, as its own headers
 * declare it (src/draw/lv_image_dsc.h: the header's fields, in their order on
 * a little-endian system, LV_IMAGE_HEADER_MAGIC; src/misc/lv_color.h:
 * LV_COLOR_FORMAT_I1), so that the tests compile the --lvgl form without
 * LVGL itself. */
#ifndef QUILLGRID_TEST_LVGL_H
#define QUILLGRID_TEST_LVGL_H

#include <stdint.h>

#define LV_IMAGE_HEADER_MAGIC (0x19)
#define LV_ATTRIBUTE_MEM_ALIGN

enum { LV_COLOR_FORMAT_I1 = 0x07 };

typedef struct {
    uint32_t magic : 8;
    uint32_t cf : 8;
    uint32_t flags : 16;
    uint32_t w : 16;
    uint32_t h : 16;
    uint32_t stride : 16;
    uint32_t reserved_2 : 16;
} lv_image_header_t;

typedef struct {
    lv_image_header_t header;
    uint32_t data_size;
    const uint8_t* data;
    const void* reserved;
} lv_image_dsc_t;

#endif
