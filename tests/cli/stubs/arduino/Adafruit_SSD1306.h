/* Adafruit_SSD1306.h: the constructor of its I2C form, begin(), clearDisplay(),
 * display(), getBuffer() (pages of 8 rows: buffer[x + (y / 8) * WIDTH], the
 * top pixel in bit 0), SSD1306_WHITE and SSD1306_SWITCHCAPVCC. */
#ifndef QUILLGRID_TEST_ADAFRUIT_SSD1306_H
#define QUILLGRID_TEST_ADAFRUIT_SSD1306_H
#include "Adafruit_GFX.h"
#include "Wire.h"
#define SSD1306_WHITE 1
#define SSD1306_SWITCHCAPVCC 0x02
class Adafruit_SSD1306 : public Adafruit_GFX {
public:
    Adafruit_SSD1306(uint8_t w, uint8_t h, TwoWire* twi = &Wire, int8_t rst_pin = -1, uint32_t clkDuring = 400000UL,
                     uint32_t clkAfter = 100000UL);
    bool begin(uint8_t switchvcc = SSD1306_SWITCHCAPVCC, uint8_t i2caddr = 0, bool reset = true,
               bool periphBegin = true);
    void clearDisplay(void);
    uint8_t* getBuffer(void);
    void display(void);
};
#endif
