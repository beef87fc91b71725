/* Logs the converted image's size and first bytes; a real firmware would
 * hand `logo` to its SSD1306 driver, a page of 128 bytes at a time. */
#include <stdio.h>

#include "esp_log.h"
#include "images.h"

void app_main(void) {
    ESP_LOGI("images", "logo: %d x %d, %u bytes, first 0x%02X", logo_width, logo_height, (unsigned)sizeof logo,
             logo[0]);
}
