/* The part of LVGL v9.5 that an image descriptor uses, as its own headers
 * declare it (src/lv_version.h: LVGL_VERSION_MAJOR and _MINOR;
 * src/draw/lv_image_dsc.h: the header's fields, in their order on a
 * little-endian system, LV_IMAGE_HEADER_MAGIC, LV_IMAGE_FLAGS_COMPRESSED, and lv_image_dsc_t with the
 * reserved_2 that 9.3 added; src/misc/lv_color.h: the formats the form
 * writes, L8, I1 to I8, A1 to A8, RGB888, ARGB8888, RGB565, RGB565A8,
 * ARGB8565 and RGB565_SWAPPED,
 * with their values), so
 * that the tests compile the --lvgl form without LVGL itself. Defining
 * QG_LVGL_9_2 gives the descriptor as 9.0 to 9.2 declare it. */
#ifndef QUILLGRID_TEST_LVGL_H
#define QUILLGRID_TEST_LVGL_H

#include <stddef.h>
#include <stdint.h>

#ifdef QG_LVGL_8
#define LVGL_VERSION_MAJOR 8
#else
#define LVGL_VERSION_MAJOR 9
#endif
#ifdef QG_LVGL_9_2
#define LVGL_VERSION_MINOR 2
#else
#define LVGL_VERSION_MINOR 5
#endif
#define LV_BIG_ENDIAN_SYSTEM 0

#define LV_IMAGE_HEADER_MAGIC (0x19)
/* src/draw/lv_image_dsc.h: lv_image_flags_t's compressed flag. */
#define LV_IMAGE_FLAGS_COMPRESSED 0x0008
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
    LV_COLOR_FORMAT_ARGB8565 = 0x13,
    LV_COLOR_FORMAT_RGB565A8 = 0x14,
    LV_COLOR_FORMAT_RGB565_SWAPPED = 0x1B
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

/* What an --lvgl-font C file uses, as LVGL 9 declares it: src/font/lv_font.h
 * (lv_font_t, its subpixel kinds, LV_FONT_DECLARE; lv_font_glyph_dsc_t
 * and lv_draw_buf_t stay incomplete here, as the file only names them) and
 * src/font/fmt_txt/lv_font_fmt_txt.h (the glyph descriptor with
 * LV_FONT_FMT_TXT_LARGE 0, the character maps and their kinds, kerning pairs, the font's
 * descriptor without the 9.2 stride, which a font leaves 0, and the two
 * functions that read it). */
#include <stdbool.h>
typedef struct lv_font_glyph_dsc_t lv_font_glyph_dsc_t;
typedef struct lv_draw_buf_t lv_draw_buf_t;
typedef struct _lv_font_t lv_font_t;
typedef enum { LV_FONT_SUBPX_NONE, LV_FONT_SUBPX_HOR, LV_FONT_SUBPX_VER, LV_FONT_SUBPX_BOTH } lv_font_subpx_t;
struct _lv_font_t {
    bool (*get_glyph_dsc)(const lv_font_t*, lv_font_glyph_dsc_t*, uint32_t letter, uint32_t letter_next);
    const void* (*get_glyph_bitmap)(lv_font_glyph_dsc_t*, lv_draw_buf_t*);
    void (*release_glyph)(const lv_font_t*, lv_font_glyph_dsc_t*);
    int32_t line_height;
    int32_t base_line;
    uint8_t subpx : 2;
    uint8_t kerning : 1;
    int8_t underline_position;
    int8_t underline_thickness;
    const void* dsc;
    const lv_font_t* fallback;
    void* user_data;
};
#define LV_FONT_DECLARE(font_name) extern const lv_font_t font_name;
typedef struct {
    uint32_t bitmap_index : 20;
    uint32_t adv_w : 12;
    uint8_t box_w;
    uint8_t box_h;
    int8_t ofs_x;
    int8_t ofs_y;
} lv_font_fmt_txt_glyph_dsc_t;
typedef enum {
    LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL,
    LV_FONT_FMT_TXT_CMAP_SPARSE_FULL,
    LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY,
    LV_FONT_FMT_TXT_CMAP_SPARSE_TINY,
} lv_font_fmt_txt_cmap_type_t;
typedef struct {
    uint32_t range_start;
    uint16_t range_length;
    uint16_t glyph_id_start;
    const uint16_t* unicode_list;
    const void* glyph_id_ofs_list;
    uint16_t list_length;
    lv_font_fmt_txt_cmap_type_t type;
} lv_font_fmt_txt_cmap_t;
/* LVGL 8.3's src/font/lv_font_fmt_txt.h: the last glyph looked up, which
 * its font descriptor points to (QG_LVGL_8 gives that descriptor). */
typedef struct {
    uint32_t last_letter;
    uint32_t last_glyph_id;
} lv_font_fmt_txt_glyph_cache_t;
typedef struct {
    const void* glyph_ids;
    const int8_t* values;
    uint32_t pair_cnt : 30;
    uint32_t glyph_ids_size : 2;
} lv_font_fmt_txt_kern_pair_t;
typedef struct {
    const uint8_t* glyph_bitmap;
    const lv_font_fmt_txt_glyph_dsc_t* glyph_dsc;
    const lv_font_fmt_txt_cmap_t* cmaps;
    const void* kern_dsc;
    uint16_t kern_scale;
    uint16_t cmap_num : 9;
    uint16_t bpp : 4;
    uint16_t kern_classes : 1;
    uint16_t bitmap_format : 2;
#ifdef QG_LVGL_8
    lv_font_fmt_txt_glyph_cache_t* cache;
#endif
} lv_font_fmt_txt_dsc_t;
const void* lv_font_get_bitmap_fmt_txt(lv_font_glyph_dsc_t* g_dsc, lv_draw_buf_t* draw_buf);
bool lv_font_get_glyph_dsc_fmt_txt(const lv_font_t* font, lv_font_glyph_dsc_t* dsc_out, uint32_t unicode_letter,
                                   uint32_t unicode_letter_next);

#endif
