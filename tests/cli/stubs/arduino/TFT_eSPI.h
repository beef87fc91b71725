/* TFT_eSPI.h: init(), setRotation(), fillScreen(), setSwapBytes() and
 * pushImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint16_t* data). */
#ifndef QUILLGRID_TEST_TFT_ESPI_H
#define QUILLGRID_TEST_TFT_ESPI_H
#include "Arduino.h"
#define TFT_BLACK 0x0000
class TFT_eSPI {
public:
    TFT_eSPI(int16_t _W = 240, int16_t _H = 320);
    void init(uint8_t tc = 0);
    void setRotation(uint8_t r);
    void fillScreen(uint32_t color);
    void setSwapBytes(bool swap);
    void pushImage(int32_t x, int32_t y, int32_t w, int32_t h, const uint16_t* data);
};
#endif
