/* GxEPD2_3C.h: the display template over a panel's driver class
 * (GxEPD2_290_C90c: 128 x 296, its constructor takes CS, DC, RST and BUSY),
 * init(), drawImage(black, color, x, y, w, h, invert, mirror_y, pgm), which
 * sends both planes to the panel and refreshes it, and hibernate(). */
#ifndef QUILLGRID_TEST_GXEPD2_3C_H
#define QUILLGRID_TEST_GXEPD2_3C_H
#include "Adafruit_GFX.h"
class GxEPD2_290_C90c {
public:
    static const uint16_t WIDTH = 128;
    static const uint16_t HEIGHT = 296;
    GxEPD2_290_C90c(int16_t cs, int16_t dc, int16_t rst, int16_t busy);
};
template <typename GxEPD2_Type, const uint16_t page_height>
class GxEPD2_3C : public Adafruit_GFX {
public:
    GxEPD2_3C(GxEPD2_Type epd2_instance);
    void init(uint32_t serial_diag_bitrate = 0);
    void drawImage(const uint8_t* black, const uint8_t* color, int16_t x, int16_t y, int16_t w, int16_t h,
                   bool invert = false, bool mirror_y = false, bool pgm = false);
    void hibernate();
};
#endif
