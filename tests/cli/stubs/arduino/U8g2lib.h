/* U8g2lib.h: a full-buffer constructor (U8G2_<display>_F_HW_I2C takes the
 * rotation, then the reset pin), begin(), clearBuffer(), sendBuffer() and
 * drawXBMP(x, y, w, h, bitmap), which reads the xbm layout from flash. */
#ifndef QUILLGRID_TEST_U8G2LIB_H
#define QUILLGRID_TEST_U8G2LIB_H
#include "Arduino.h"
typedef uint16_t u8g2_uint_t;
typedef struct u8g2_cb_struct u8g2_cb_t;
extern const u8g2_cb_t u8g2_cb_r0;
#define U8G2_R0 (&u8g2_cb_r0)
#define U8X8_PIN_NONE 255
#define U8X8_PROGMEM
class U8G2 {
public:
    bool begin(void);
    void clearBuffer(void);
    void sendBuffer(void);
    void drawXBMP(u8g2_uint_t x, u8g2_uint_t y, u8g2_uint_t w, u8g2_uint_t h, const uint8_t* bitmap);
};
class U8G2_SSD1306_128X64_NONAME_F_HW_I2C : public U8G2 {
public:
    U8G2_SSD1306_128X64_NONAME_F_HW_I2C(const u8g2_cb_t* rotation, uint8_t reset = U8X8_PIN_NONE,
                                        uint8_t clock = U8X8_PIN_NONE, uint8_t data = U8X8_PIN_NONE);
};
#endif
