/* Shows the image of photo.c with LVGL 9: call show_photo() once LVGL and its display
 * are set up. */
#if defined(LV_LVGL_H_INCLUDE_SIMPLE)
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

LV_IMAGE_DECLARE(photo);

void show_photo(void);

void show_photo(void) {
    lv_obj_t* image = lv_image_create(lv_screen_active());
    lv_image_set_src(image, &photo);
    lv_obj_center(image);
}
