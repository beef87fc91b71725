/* Adafruit_GFX.h: drawBitmap(int16_t x, int16_t y, const uint8_t bitmap[],
 * int16_t w, int16_t h, uint16_t color), which reads rows of (w + 7) / 8
 * bytes, the leftmost pixel in bit 7, and draws the set bits; setFont()
 * takes a GFXfont (gfxfont.h). */
#ifndef QUILLGRID_TEST_ADAFRUIT_GFX_H
#define QUILLGRID_TEST_ADAFRUIT_GFX_H
#include "Arduino.h"
#include "gfxfont.h"
class Adafruit_GFX {
public:
    Adafruit_GFX(int16_t w, int16_t h);
    void drawBitmap(int16_t x, int16_t y, const uint8_t bitmap[], int16_t w, int16_t h, uint16_t color);
    void fillScreen(uint16_t color);
    void setRotation(uint8_t r);
    void setFont(const GFXfont* f);
    int16_t width(void) const;
    int16_t height(void) const;
};
#endif
