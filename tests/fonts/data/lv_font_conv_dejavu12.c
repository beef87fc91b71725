/*******************************************************************************
 * Size: 12 px
 * Bpp: 2
 * Opts: --font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf --size 12 --bpp 2 --format lvgl -r 0x30-0x39 -r 0x41-0x46 -r 0xE9 --no-compress -o /work/main/tests/fonts/data/lv_font_conv_dejavu12.c
 ******************************************************************************/

#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#ifndef LV_FONT_CONV_DEJAVU12
#define LV_FONT_CONV_DEJAVU12 1
#endif

#if LV_FONT_CONV_DEJAVU12

/*-----------------
 *    BITMAPS
 *----------------*/

/*Store the image of the glyphs*/
static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {
    /* U+0030 "0" */
    0xb, 0xd0, 0xa0, 0xc3, 0x2, 0x8c, 0x7, 0x30,
    0x1c, 0xc0, 0x73, 0x2, 0x8a, 0xc, 0xb, 0xd0,

    /* U+0031 "1" */
    0x7e, 0x5, 0xa0, 0xa, 0x0, 0xa0, 0xa, 0x0,
    0xa0, 0xa, 0x0, 0xa0, 0xbf, 0xe0,

    /* U+0032 "2" */
    0x2f, 0xd0, 0x81, 0xc0, 0x3, 0x40, 0xc, 0x0,
    0xa0, 0xa, 0x0, 0xa0, 0xa, 0x0, 0x3f, 0xf4,

    /* U+0033 "3" */
    0x2f, 0xd0, 0x0, 0xd0, 0x3, 0x42, 0xfc, 0x0,
    0x60, 0x0, 0x90, 0x2, 0x84, 0x1d, 0x2f, 0xd0,

    /* U+0034 "4" */
    0x0, 0xe0, 0xb, 0x80, 0x66, 0x3, 0x18, 0x24,
    0x60, 0xc1, 0x87, 0xff, 0xc0, 0x28, 0x0, 0x60,

    /* U+0035 "5" */
    0x2f, 0xf0, 0x90, 0x2, 0x40, 0xb, 0xe4, 0x10,
    0x70, 0x0, 0x90, 0x2, 0x84, 0x1c, 0x3f, 0xd0,

    /* U+0036 "6" */
    0x7, 0xf0, 0x74, 0x3, 0x40, 0xd, 0xf8, 0x3c,
    0x38, 0xd0, 0x73, 0x41, 0xcb, 0xd, 0xb, 0xe0,

    /* U+0037 "7" */
    0x3f, 0xf8, 0x0, 0xc0, 0x7, 0x0, 0x24, 0x0,
    0xc0, 0x6, 0x0, 0x34, 0x0, 0xc0, 0xa, 0x0,

    /* U+0038 "8" */
    0xb, 0xe0, 0xe0, 0xd3, 0x2, 0x86, 0xd, 0xf,
    0xe0, 0xd0, 0xd3, 0x1, 0xcd, 0xe, 0xf, 0xe0,

    /* U+0039 "9" */
    0xb, 0xd0, 0xe0, 0xc3, 0x2, 0x8c, 0xa, 0x38,
    0x3c, 0x2f, 0xa0, 0x2, 0x40, 0x1c, 0x2f, 0x80,

    /* U+0041 "A" */
    0x3, 0xc0, 0x0, 0xf4, 0x0, 0x7a, 0x0, 0x34,
    0xc0, 0xc, 0x34, 0xa, 0x7, 0x3, 0xff, 0xc1,
    0xc0, 0x38, 0xa0, 0x7, 0x0,

    /* U+0042 "B" */
    0xff, 0xc3, 0x42, 0xcd, 0x3, 0x34, 0x2c, 0xff,
    0xc3, 0x41, 0xcd, 0x3, 0x74, 0x1c, 0xff, 0xd0,

    /* U+0043 "C" */
    0x7, 0xf8, 0x1d, 0x6, 0x34, 0x0, 0x30, 0x0,
    0x70, 0x0, 0x30, 0x0, 0x34, 0x0, 0x1d, 0x6,
    0x7, 0xf8,

    /* U+0044 "D" */
    0xff, 0xd0, 0xd0, 0x78, 0xd0, 0xc, 0xd0, 0xd,
    0xd0, 0xe, 0xd0, 0xd, 0xd0, 0xc, 0xd0, 0x78,
    0xff, 0xd0,

    /* U+0045 "E" */
    0xff, 0xed, 0x0, 0xd0, 0xd, 0x0, 0xff, 0xdd,
    0x0, 0xd0, 0xd, 0x0, 0xff, 0xf0,

    /* U+0046 "F" */
    0xff, 0xcd, 0x0, 0xd0, 0xd, 0x0, 0xff, 0xcd,
    0x0, 0xd0, 0xd, 0x0, 0xd0, 0x0,

    /* U+00E9 "é" */
    0x0, 0x90, 0x9, 0x0, 0x0, 0x2, 0xf4, 0x38,
    0x34, 0xc0, 0x67, 0xff, 0x8c, 0x0, 0x38, 0x0,
    0x2f, 0xd0
};


/*---------------------
 *  GLYPH DESCRIPTION
 *--------------------*/

static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0} /* id = 0 reserved */,
    {.bitmap_index = 0, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 16, .adv_w = 122, .box_w = 6, .box_h = 9, .ofs_x = 1, .ofs_y = 0},
    {.bitmap_index = 30, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 46, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 62, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 78, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 94, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 110, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 126, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 142, .adv_w = 122, .box_w = 7, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 158, .adv_w = 131, .box_w = 9, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 179, .adv_w = 132, .box_w = 7, .box_h = 9, .ofs_x = 1, .ofs_y = 0},
    {.bitmap_index = 195, .adv_w = 134, .box_w = 8, .box_h = 9, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 213, .adv_w = 148, .box_w = 8, .box_h = 9, .ofs_x = 1, .ofs_y = 0},
    {.bitmap_index = 231, .adv_w = 121, .box_w = 6, .box_h = 9, .ofs_x = 1, .ofs_y = 0},
    {.bitmap_index = 245, .adv_w = 110, .box_w = 6, .box_h = 9, .ofs_x = 1, .ofs_y = 0},
    {.bitmap_index = 259, .adv_w = 118, .box_w = 7, .box_h = 10, .ofs_x = 0, .ofs_y = 0}
};

/*---------------------
 *  CHARACTER MAPPING
 *--------------------*/

static const uint16_t unicode_list_1[] = {
    0x0, 0x1, 0x2, 0x3, 0x4, 0x5, 0xa8
};

/*Collect the unicode lists and glyph_id offsets*/
static const lv_font_fmt_txt_cmap_t cmaps[] =
{
    {
        .range_start = 48, .range_length = 10, .glyph_id_start = 1,
        .unicode_list = NULL, .glyph_id_ofs_list = NULL, .list_length = 0, .type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY
    },
    {
        .range_start = 65, .range_length = 169, .glyph_id_start = 11,
        .unicode_list = unicode_list_1, .glyph_id_ofs_list = NULL, .list_length = 7, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY
    }
};



/*--------------------
 *  ALL CUSTOM DATA
 *--------------------*/

#if LVGL_VERSION_MAJOR == 8
/*Store all the custom data of the font*/
static  lv_font_fmt_txt_glyph_cache_t cache;
#endif

#if LVGL_VERSION_MAJOR >= 8
static const lv_font_fmt_txt_dsc_t font_dsc = {
#else
static lv_font_fmt_txt_dsc_t font_dsc = {
#endif
    .glyph_bitmap = glyph_bitmap,
    .glyph_dsc = glyph_dsc,
    .cmaps = cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 2,
    .bpp = 2,
    .kern_classes = 0,
    .bitmap_format = 0,
#if LVGL_VERSION_MAJOR == 8
    .cache = &cache
#endif
};



/*-----------------
 *  PUBLIC FONT
 *----------------*/

/*Initialize a public general font descriptor*/
#if LVGL_VERSION_MAJOR >= 8
const lv_font_t lv_font_conv_dejavu12 = {
#else
lv_font_t lv_font_conv_dejavu12 = {
#endif
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,    /*Function pointer to get glyph's data*/
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,    /*Function pointer to get glyph's bitmap*/
    .line_height = 10,          /*The maximum line height required by the font*/
    .base_line = 0,             /*Baseline measured from the bottom of the line*/
#if !(LVGL_VERSION_MAJOR == 6 && LVGL_VERSION_MINOR == 0)
    .subpx = LV_FONT_SUBPX_NONE,
#endif
#if LV_VERSION_CHECK(7, 4, 0) || LVGL_VERSION_MAJOR >= 8
    .underline_position = 0,
    .underline_thickness = 1,
#endif
    .dsc = &font_dsc,          /*The custom font data. Will be accessed by `get_glyph_bitmap/dsc` */
#if LV_VERSION_CHECK(8, 2, 0) || LVGL_VERSION_MAJOR >= 9
    .fallback = NULL,
#endif
    .user_data = NULL,
};



#endif /*#if LV_FONT_CONV_DEJAVU12*/

