// --lvgl with --lvgl-version 8: an LVGL 8 image descriptor (lv_img_dsc_t,
// as LVGL 8.3's src/draw/lv_img_buf.h declares it), for the many Arduino
// and ESP32 projects still on LVGL 8.
#pragma once

#include <string>

#include "forms/output_form.h"

struct LvglFormatRow;

// LVGL 8's lv_img_cf_t name of an image of `format` written as `lvgl`:
// LV_IMG_CF_INDEXED_1BIT..8BIT and LV_IMG_CF_ALPHA_1BIT..8BIT hold the
// same bytes as LVGL 9's I and A formats; direct colour is
// LV_IMG_CF_TRUE_COLOR, or LV_IMG_CF_TRUE_COLOR_ALPHA where the colour
// format keeps alpha. Null for what LVGL 8 has no format for (L8,
// RGB565_SWAPPED, ARGB8565 and RGB565A8 named by --lvgl-format).
const char* Lvgl8FormatName(const LvglFormatRow& lvgl);

// The image: its array, then its descriptor. True colour is written as
// LVGL 8's own converter writes it, once for each LV_COLOR_DEPTH (1 and 8:
// RGB332; 16: RGB565, its bytes swapped under LV_COLOR_16_SWAP; 32: B, G,
// R, 0xFF), each pixel's alpha byte after its colour in the alpha format.
bool WriteLvgl8Image(const FormImage& image, const FormOptions& options, ByteSink sink, void* context,
                     const BufferSizes& sizes);
