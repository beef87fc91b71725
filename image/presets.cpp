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
    {"epaper-bwr",
     {0, 1, 1, 0, {}},
     false,
     2,
     "three-colour e-paper, black, white and red: GxEPD2_3C",
     "--palette bwr; with --planes the black plane, then the red\n"
     "plane, each in rows, the leftmost pixel in bit 7, a clear\n"
     "bit the ink (--plane-ink 0,0): GxEPD2_3C's drawImage(black,\n"
     "color, x, y, w, h) and its buffers (GxEPD2_3C.h drawPixel\n"
     "clears the black bit for black, the colour bit for red)",
     "bwr",
     DirectFormat::None,
     false,
     false,
     0,
     0},
    {"epaper-bwy",
     {0, 1, 1, 0, {}},
     false,
     2,
     "three-colour e-paper, black, white and yellow: GxEPD2_3C",
     "as epaper-bwr with --palette bwy: the yellow panels take\n"
     "the same two planes",
     "bwy",
     DirectFormat::None,
     false,
     false,
     0,
     0},
    {"epaper-bwyr",
     {0, 1, 1, 0, {}},
     false,
     2,
     "four-colour e-paper: Waveshare's G panels, GxEPD2_4C",
     "--palette bwyr, 2 bits a pixel in rows, the first pixel in\n"
     "bits 7-6 (--msb-first --bits-horizontal --bytes-horizontal):\n"
     "Waveshare epd2in13g and its kin, GxEPD2_4C's buffer for\n"
     "writeNative (its drawPixel: index x / 4 + y * w / 4, x % 4 == 0\n"
     "at << 6; color4: black 0, white 1, yellow 2, red 3)",
     "bwyr"},
    {"epaper-acep7",
     {0, 1, 1, 0, {}},
     false,
     4,
     "seven-colour ACeP e-paper: Waveshare 5.65 and 7.3 inch F",
     "--palette acep7, 4 bits a pixel in rows, the first pixel in\n"
     "the high nibble: Waveshare epd5in65f and epd7in3f (their\n"
     "Paint at Scale 7 sets (Color << 4) >> ((X % 2) * 4))",
     "acep7"},
    {"epaper-spectra6",
     {0, 1, 1, 0, {}},
     false,
     4,
     "six-colour E Ink Spectra 6: Waveshare 4.0 and 7.3 inch E",
     "--palette spectra6, 4 bits a pixel in rows, the first pixel\n"
     "in the high nibble: Waveshare epd4in0e and epd7in3e",
     "spectra6"},
    {"adafruit-gfx-rgb565",
     {0, 1, 1, 0, {}},
     false,
     1,
     "Adafruit GFX drawRGBBitmap, RGB565",
     "--color rgb565 --c-words, rows: Adafruit GFX\n"
     "drawRGBBitmap(x, y, const uint16_t bitmap[], w, h) reads\n"
     "bitmap[j * w + i] as a 16-bit value; --binary bytes are\n"
     "little-endian, as that array lies in an MCU's memory",
     nullptr,
     DirectFormat::Rgb565,
     false,
     true},
    {"tft-espi",
     {0, 1, 1, 0, {}},
     false,
     1,
     "TFT_eSPI pushImage, RGB565 with the bytes in wire order",
     "--color rgb565 --c-words --byte-order be, rows: TFT_eSPI\n"
     "pushImage(x, y, w, h, data) with its default\n"
     "setSwapBytes(false) sends each uint16_t low byte first\n"
     "(pushPixels: tft_Write_16S), so red is 0x00F8; with\n"
     "setSwapBytes(true) give --byte-order le (red 0xF800)",
     nullptr,
     DirectFormat::Rgb565,
     true,
     true},
    {"lvgl-rgb565",
     {0, 1, 1, 0, {}},
     false,
     1,
     "LVGL RGB565, little-endian bytes",
     "--color rgb565, rows of little-endian values: LVGL's\n"
     "LV_COLOR_FORMAT_RGB565 in memory (with --lvgl NAME the\n"
     "descriptor), lv_color.h and LVGLImage.py",
     nullptr,
     DirectFormat::Rgb565},
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
        const bool colour = preset.palette || preset.colour != DirectFormat::None;
        if (!colour && preset.invert == invert && preset.depth == depth && SameLayout(preset.options, options))
            return &preset;
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
