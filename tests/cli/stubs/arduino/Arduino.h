/* Stand-ins for the declarations that --example's sketches use, as the
 * libraries declare them, so that a test compiles each sketch without the
 * libraries or a board: the Arduino core's types, Adafruit GFX and
 * Adafruit_SSD1306, u8g2's U8g2lib.h, GxEPD2_3C and TFT_eSPI. Only the
 * calls the sketches make are here, with the libraries' own signatures. */
#ifndef QUILLGRID_TEST_ARDUINO_H
#define QUILLGRID_TEST_ARDUINO_H
#include <stdint.h>
#define PROGMEM
#define pgm_read_byte(address) (*(const unsigned char*)(address))
#define SS 10
#endif
