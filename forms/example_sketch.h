// --example: a complete program for the display's library that draws the
// image of a header beside it, as a first test on the board.
#pragma once

#include <cstdint>
#include <string>

enum class Sketch {
    None,
    AdafruitSsd1306,    // Adafruit_SSD1306's drawBitmap: rows, the first pixel in bit 7
    Ssd1306Buffer,      // Adafruit_SSD1306's own buffer: pages of 8 rows, the top pixel in bit 0
    U8g2,               // u8g2's drawXBMP: the xbm layout
    Gxepd2ThreeColour,  // GxEPD2_3C's drawImage(black, color, ...): two planes
    TftEspi,            // TFT_eSPI's pushImage: RGB565 uint16_t values
    Lvgl,               // LVGL 9's lv_image_set_src: an image descriptor
};

// What a sketch needs to know of the image and its header.
struct SketchFacts {
    std::string header;              // the header's file name, as the sketch includes it
    std::string name;                // the array's name (NAME_width, NAME_height beside it)
    std::string colourPlane;         // GxEPD2: "red" or "yellow" (NAME_black and NAME_<this>)
    uint32_t width = 0, height = 0;  // the display's, where the frame names it; 0: the library's usual
    bool progmem = false;            // the arrays are in PROGMEM (--c-style arduino)
    bool swapBytes = false;          // TFT_eSPI: the values are little-endian (setSwapBytes(true))
};

// "logo.ino": the file name of the sketch for a header named `header`.
std::string SketchFileName(Sketch sketch, const std::string& header);

// The sketch's text: an Arduino sketch (.ino), or for LVGL a C file with a
// function that shows the image.
std::string ExampleSketch(Sketch sketch, const SketchFacts& facts);

// "Adafruit_SSD1306 (drawBitmap)": the library a sketch is for, for --help
// and messages.
const char* SketchLibrary(Sketch sketch);
