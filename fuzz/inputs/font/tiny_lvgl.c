/* (no name) Regular, 8 pixels to the em (line 8, ascent 6, descent 2), from tiny.bdf
 * For LVGL 9 (and 8): LV_FONT_DECLARE(tiny); then lv_obj_set_style_text_font(label, &tiny, 0);
 * 2 glyphs at 2 bits a pixel, bitmaps 14 bytes. */

#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

static const uint8_t tiny_glyph_bitmap[] = {
    0x3F, 0x30, 0x3C, 0x0F, 0xFF, 0xC0, 0xF0, 0x30, 0x3F, 0xC3, 0xC3, 0x3F, 0x03, 0x3C};

/* Glyph 0 is LVGL's "none". */
static const lv_font_fmt_txt_glyph_dsc_t tiny_glyph_dsc[] = {
    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 0, .adv_w = 96, .box_w = 5, .box_h = 6, .ofs_x = 0, .ofs_y = 0},
    {.bitmap_index = 8, .adv_w = 96, .box_w = 4, .box_h = 6, .ofs_x = 0, .ofs_y = -2}
};

static const uint16_t tiny_unicode_list_0[] = {
    0, 38};

static const lv_font_fmt_txt_cmap_t tiny_cmaps[] = {
    {.range_start = 65, .range_length = 39, .glyph_id_start = 1, .unicode_list = tiny_unicode_list_0, .glyph_id_ofs_list = NULL, .list_length = 2, .type = LV_FONT_FMT_TXT_CMAP_SPARSE_TINY}
};

#if LVGL_VERSION_MAJOR == 8
static lv_font_fmt_txt_glyph_cache_t tiny_cache;
#endif

static const lv_font_fmt_txt_dsc_t tiny_dsc = {
    .glyph_bitmap = tiny_glyph_bitmap,
    .glyph_dsc = tiny_glyph_dsc,
    .cmaps = tiny_cmaps,
    .kern_dsc = NULL,
    .kern_scale = 0,
    .cmap_num = 1,
    .bpp = 2,
    .kern_classes = 0,
    .bitmap_format = 0,
#if LVGL_VERSION_MAJOR == 8
    .cache = &tiny_cache,
#endif
};

const lv_font_t tiny = {
    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,
    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,
    .line_height = 8,
    .base_line = 2,
    .subpx = LV_FONT_SUBPX_NONE,
    .underline_position = -1,
    .underline_thickness = 1,
    .dsc = &tiny_dsc,
    .fallback = NULL,
    .user_data = NULL,
};
