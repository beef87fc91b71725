/* Prints the images the build converted, as a display's pages would
 * light them (--preset ssd1306: bytes of 8 rows, bit 0 the top). */
#include <stdio.h>

#include "images.h"

static void show(const unsigned char* pages, int width, int height) {
    int x, y;
    for (y = 0; y < height; y += 2, putchar('\n'))
        for (x = 0; x < width; x++) {
            const int top = pages[y / 8 * width + x] >> (y % 8) & 1;
            const int below = pages[(y + 1) / 8 * width + x] >> ((y + 1) % 8) & 1;
            fputs(top && below ? "\xE2\x96\x88" : top ? "\xE2\x96\x80" : below ? "\xE2\x96\x84" : " ", stdout);
        }
}

int main(void) {
    show(logo, logo_width, logo_height);
    show(gradient, gradient_width, gradient_height);
    return 0;
}
