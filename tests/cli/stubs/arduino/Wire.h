/* Wire.h: the TwoWire object Adafruit_SSD1306 takes a pointer to. */
#ifndef QUILLGRID_TEST_WIRE_H
#define QUILLGRID_TEST_WIRE_H
#include "Arduino.h"
class TwoWire {};
extern TwoWire Wire;
#endif
