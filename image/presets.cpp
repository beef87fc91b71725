#include "image/presets.h"

#include <cstring>

namespace {

// msbReverse, bitHorizontal, byteHorizontal, fillOnes. Sources in --help.
const Preset kPresets[] = {
    {"adafruit-gfx",
     {0, 1, 1, 0, {}},
     false,
     1,
     "Adafruit GFX drawBitmap, u8g2 drawBitmap",
     "rows, leftmost pixel in bit 7, rows padded to a byte\n"
     "(--msb-first --bits-horizontal --bytes-horizontal): Adafruit\n"
     "GFX drawBitmap (Adafruit_GFX.cpp), u8g2 drawBitmap"},
    {"xbm",
     {1, 1, 1, 0, {}},
     false,
     1,
     "XBM files, u8g2 drawXBM, Adafruit GFX drawXBitmap",
     "rows, leftmost pixel in bit 0, rows padded (--lsb-first\n"
     "--bits-horizontal --bytes-horizontal): XBM files, u8g2\n"
     "drawXBM, Adafruit GFX drawXBitmap"},
    {"ssd1306",
     {1, 0, 1, 0, {}},
     false,
     1,
     "page-addressed controllers: SSD1306, SH1106, ST7565, PCD8544, UC1701",
     "a byte is 8 pixels of a column, top pixel in bit 0; bytes run\n"
     "across a page of 8 rows, pages top to bottom (--lsb-first\n"
     "--bits-vertical --bytes-horizontal): SSD1306 datasheet 8.7\n"
     "(GDDRAM, D0 is the top row), also SH1106, ST7565, PCD8544, UC1701"},
    {"epaper",
     {0, 1, 1, 0, {}},
     true,
     1,
     "e-paper libraries whose set bit means white",
     "adafruit-gfx with --invert, for e-paper libraries whose set\n"
     "bit means white"},
    {"ssd1322",
     {0, 1, 1, 0, {}},
     false,
     4,
     "SSD1322 grey OLED, 16 levels",
     "--depth 4, rows, two pixels a byte, the even x in the high\n"
     "nibble (--msb-first --bits-horizontal --bytes-horizontal),\n"
     "0 off to 15 full on: the SSD1322's RAM with its nibble\n"
     "re-map (A0h) off; a panel wired with it on takes --lsb-first"},
    {"ssd1327",
     {0, 1, 1, 0, {}},
     false,
     4,
     "SSD1327 grey OLED, 16 levels: Adafruit GrayOLED",
     "--depth 4, as ssd1322: Adafruit_GrayOLED::drawPixel writes\n"
     "buffer[x / 2 + y * WIDTH / 2], the even x in the high nibble"},
    {"epaper-4grey",
     {0, 1, 1, 0, {}},
     false,
     2,
     "4-grey e-paper: Waveshare 4Gray, GxEPD2_4G",
     "--depth 2, rows, four pixels a byte, the first in bits 7-6,\n"
     "00 black to 11 white: Waveshare's EPD_4IN2_4GrayDisplay\n"
     "buffer (its --planes are the 0x10 and 0x13 data), GxEPD2_4G\n"
     "drawGreyPixmap(pixmap, 2, ...)"},
    {"adafruit-gfx-grey",
     {0, 1, 1, 0, {}},
     false,
     8,
     "Adafruit GFX drawGrayscaleBitmap, 8 bits a pixel",
     "--depth 8, rows, a byte a pixel, 0 black to 255 white:\n"
     "Adafruit GFX drawGrayscaleBitmap(x, y, bitmap, w, h)"},
};

bool SameLayout(const ConvertOptions& a, const ConvertOptions& b) {
    return a.msbReverse == b.msbReverse && a.bitHorizontal == b.bitHorizontal && a.byteHorizontal == b.byteHorizontal &&
           a.fillOnes == b.fillOnes;
}

}  // namespace

const Preset* FindPreset(const char* name) {
    for (const Preset& preset : kPresets) {
        if (std::strcmp(preset.name, name) == 0) return &preset;
    }
    return nullptr;
}

const Preset* MatchingPreset(const ConvertOptions& options, bool invert, uint32_t depth) {
    for (const Preset& preset : kPresets) {
        if (preset.invert == invert && preset.depth == depth && SameLayout(preset.options, options)) return &preset;
    }
    return nullptr;
}

const Preset* PresetsBegin() { return kPresets; }
const Preset* PresetsEnd() { return kPresets + sizeof kPresets / sizeof kPresets[0]; }

std::string LayoutInWords(const ConvertOptions& options, bool invert) {
    std::string words = options.msbReverse ? "lsb first" : "msb first";
    words += options.bitHorizontal ? ", bits horizontal" : ", bits vertical";
    words += options.byteHorizontal ? ", bytes horizontal" : ", bytes vertical";
    words += options.fillOnes ? ", fill one" : ", fill zero";
    if (invert) words += ", invert";
    return words;
}
