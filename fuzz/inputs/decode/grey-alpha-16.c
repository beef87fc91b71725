#if defined(LV_LVGL_H_INCLUDE_SIMPLE)
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#ifndef LV_ATTRIBUTE_MEM_ALIGN
#define LV_ATTRIBUTE_MEM_ALIGN
#endif

/* grey-alpha-16.png: 12 x 7 pixels, 4 bits a pixel, msb first, bits horizontal, bytes horizontal, fill zero, LVGL v9 LV_COLOR_FORMAT_A4: 7 rows of 6 bytes of coverage; 42 bytes */
static const LV_ATTRIBUTE_MEM_ALIGN uint8_t img_grey_alpha_16_map[] = {
    0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99,
    0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99,
    0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99,
};

extern const lv_image_dsc_t img_grey_alpha_16;
const lv_image_dsc_t img_grey_alpha_16 = {
#if defined(LV_BIG_ENDIAN_SYSTEM) && LV_BIG_ENDIAN_SYSTEM
    {0, 6, 7, 12, 0, LV_COLOR_FORMAT_A4, LV_IMAGE_HEADER_MAGIC},
#else
    {LV_IMAGE_HEADER_MAGIC, LV_COLOR_FORMAT_A4, 0, 12, 7, 6, 0}, /* magic, cf, flags, w, h, stride */
#endif
    sizeof(img_grey_alpha_16_map), /* data_size */
    img_grey_alpha_16_map, /* data */
    NULL, /* reserved */
#if defined(LVGL_VERSION_MAJOR) && \
    (LVGL_VERSION_MAJOR > 9 || (LVGL_VERSION_MAJOR == 9 && LVGL_VERSION_MINOR >= 3))
    NULL, /* reserved_2 */
#endif
};
