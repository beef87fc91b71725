/* The part of LVGL v9.5 that an image descriptor uses, as its own headers
 * declare it (src/lv_version.h: LVGL_VERSION_MAJOR and _MINOR;
 * src/draw/lv_image_dsc.h: the header's fields, in their order on a
 * little-endian system, LV_IMAGE_HEADER_MAGIC, and lv_image_dsc_t with the
 * reserved_2 that 9.3 added; src/misc/lv_color.h: the formats the form
 * writes, L8, I1 to I8, A1 to A8, RGB888, ARGB8888, RGB565 and RGB565A8,
 * with their values), so
 * that the tests compile the --lvgl form without LVGL itself. Defining
 * QG_LVGL_9_2 gives the descriptor as 9.0 to 9.2 declare it. */
#ifndef QUILLGRID_TEST_LVGL_H
#define QUILLGRID_TEST_LVGL_H

#include <stddef.h>
#include <stdint.h>

#define LVGL_VERSION_MAJOR 9
#ifdef QG_LVGL_9_2
#define LVGL_VERSION_MINOR 2
#else
#define LVGL_VERSION_MINOR 5
#endif
#define LV_BIG_ENDIAN_SYSTEM 0

#define LV_IMAGE_HEADER_MAGIC (0x19)
#define LV_ATTRIBUTE_MEM_ALIGN

typedef enum {
    LV_COLOR_FORMAT_UNKNOWN = 0,
    LV_COLOR_FORMAT_L8 = 0x06,
    LV_COLOR_FORMAT_I1 = 0x07,
    LV_COLOR_FORMAT_I2 = 0x08,
    LV_COLOR_FORMAT_I4 = 0x09,
    LV_COLOR_FORMAT_I8 = 0x0A,
    LV_COLOR_FORMAT_A1 = 0x0B,
    LV_COLOR_FORMAT_A2 = 0x0C,
    LV_COLOR_FORMAT_A4 = 0x0D,
    LV_COLOR_FORMAT_A8 = 0x0E,
    LV_COLOR_FORMAT_RGB888 = 0x0F,
    LV_COLOR_FORMAT_ARGB8888 = 0x10,
    LV_COLOR_FORMAT_RGB565 = 0x12,
    LV_COLOR_FORMAT_RGB565A8 = 0x14
} lv_color_format_t;

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
#ifndef QG_LVGL_9_2
    const void* reserved_2;
#endif
} lv_image_dsc_t;

/* What --example's C file calls: src/core/lv_obj.h, src/display/lv_display.h
 * (lv_screen_active), src/widgets/image/lv_image.h (lv_image_create,
 * lv_image_set_src), src/misc/lv_area.h's lv_obj_center via lv_obj_pos.h,
 * and LV_IMAGE_DECLARE from src/draw/lv_image_dsc.h. */
typedef struct lv_obj_t lv_obj_t;
lv_obj_t* lv_screen_active(void);
lv_obj_t* lv_image_create(lv_obj_t* parent);
void lv_image_set_src(lv_obj_t* obj, const void* src);
void lv_obj_center(lv_obj_t* obj);
#define LV_IMAGE_DECLARE(var_name) extern const lv_image_dsc_t var_name

#endif
