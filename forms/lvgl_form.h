// --lvgl: an LVGL v9 image descriptor. Its colour formats are names for
// pixel formats, as LVGL's src/misc/lv_color.h names them.
#pragma once

#include <cstddef>

#include "core/pixel_format.h"

struct LvglFormatRow {
    const char* name;    // after LV_COLOR_FORMAT_: "I4"
    PixelFormat format;  // the pixels it holds; an indexed format's are a palette's values, or greys
    bool indexed;        // a palette, then the indices
};

extern const LvglFormatRow kLvglFormats[];
extern const size_t kLvglFormatCount;

// The row of that name; null for none.
const LvglFormatRow* LvglFormatNamed(const char* name);

// The format --lvgl writes pixels of `format` in when none is named: the
// indexed one of their bits (a 1-bit image I1, grey levels and a palette's
// values I2 to I8), coverage's alpha format, a direct format's own. Null
// for a format LVGL lacks (RGB332).
const LvglFormatRow* LvglFormatOf(PixelFormat format);
