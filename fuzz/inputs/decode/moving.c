#ifndef QUILLGRID_ANIM_MOVING_H
#define QUILLGRID_ANIM_MOVING_H

#if defined(LV_LVGL_H_INCLUDE_SIMPLE)
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#ifndef LV_ATTRIBUTE_MEM_ALIGN
#define LV_ATTRIBUTE_MEM_ALIGN
#endif

/* moving.gif: 12 x 7 pixels, msb first, bits horizontal, bytes horizontal, fill zero, LVGL v9 LV_COLOR_FORMAT_I1: a palette of 2 colours (B, G, R, A), then 7 rows of 2 bytes; 22 bytes */
static const LV_ATTRIBUTE_MEM_ALIGN uint8_t anim_moving_0_map[] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,
    0xFF, 0xF0, 0xFF, 0xF0, 0xFF, 0xF0, 0xF0, 0x00, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00,
};

extern const lv_image_dsc_t anim_moving_0;
const lv_image_dsc_t anim_moving_0 = {
#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM
    {0, 2, 7, 12, 0, LV_COLOR_FORMAT_I1, LV_IMAGE_HEADER_MAGIC},
#else
    {LV_IMAGE_HEADER_MAGIC, LV_COLOR_FORMAT_I1, 0, 12, 7, 2, 0}, /* magic, cf, flags, w, h, stride */
#endif
    sizeof(anim_moving_0_map), /* data_size */
    anim_moving_0_map, /* data */
    NULL, /* reserved */
#if defined(LVGL_VERSION_MAJOR) && \
    (LVGL_VERSION_MAJOR > 9 || (LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR >= 3))
    NULL, /* reserved_2 */
#endif
};

/* moving.gif: 12 x 7 pixels, msb first, bits horizontal, bytes horizontal, fill zero, LVGL v9 LV_COLOR_FORMAT_I1: a palette of 2 colours (B, G, R, A), then 7 rows of 2 bytes; 22 bytes */
static const LV_ATTRIBUTE_MEM_ALIGN uint8_t anim_moving_1_map[] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,
    0xFF, 0xF0, 0xFF, 0xF0, 0xFF, 0xF0, 0x1E, 0x50, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00,
};

extern const lv_image_dsc_t anim_moving_1;
const lv_image_dsc_t anim_moving_1 = {
#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM
    {0, 2, 7, 12, 0, LV_COLOR_FORMAT_I1, LV_IMAGE_HEADER_MAGIC},
#else
    {LV_IMAGE_HEADER_MAGIC, LV_COLOR_FORMAT_I1, 0, 12, 7, 2, 0}, /* magic, cf, flags, w, h, stride */
#endif
    sizeof(anim_moving_1_map), /* data_size */
    anim_moving_1_map, /* data */
    NULL, /* reserved */
#if defined(LVGL_VERSION_MAJOR) && \
    (LVGL_VERSION_MAJOR > 9 || (LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR >= 3))
    NULL, /* reserved_2 */
#endif
};

/* moving.gif: 12 x 7 pixels, msb first, bits horizontal, bytes horizontal, fill zero, LVGL v9 LV_COLOR_FORMAT_I1: a palette of 2 colours (B, G, R, A), then 7 rows of 2 bytes; 22 bytes */
static const LV_ATTRIBUTE_MEM_ALIGN uint8_t anim_moving_2_map[] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF,
    0xFF, 0xF0, 0xFF, 0xF0, 0xFF, 0xF0, 0x13, 0xF0, 0x03, 0xC0, 0x00, 0x00, 0x00, 0x00,
};

extern const lv_image_dsc_t anim_moving_2;
const lv_image_dsc_t anim_moving_2 = {
#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM
    {0, 2, 7, 12, 0, LV_COLOR_FORMAT_I1, LV_IMAGE_HEADER_MAGIC},
#else
    {LV_IMAGE_HEADER_MAGIC, LV_COLOR_FORMAT_I1, 0, 12, 7, 2, 0}, /* magic, cf, flags, w, h, stride */
#endif
    sizeof(anim_moving_2_map), /* data_size */
    anim_moving_2_map, /* data */
    NULL, /* reserved */
#if defined(LVGL_VERSION_MAJOR) && \
    (LVGL_VERSION_MAJOR > 9 || (LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR >= 3))
    NULL, /* reserved_2 */
#endif
};

const lv_image_dsc_t* const anim_moving_frames[] = {
    &anim_moving_0,
    &anim_moving_1,
    &anim_moving_2,
};
const unsigned int anim_moving_delays[] = {20, 20, 20};
enum { anim_moving_frame_count = 3, anim_moving_width = 12, anim_moving_height = 7 };

#endif
