#include "image/presets.h"

#include <cstring>

namespace {

// msbReverse, bitHorizontal, byteHorizontal, fillOnes.
const ConvertOptions kRows = {0, 1, 1, 0, {}};          // rows, the first pixel in the high bits
const ConvertOptions kRowsLsbFirst = {1, 1, 1, 0, {}};  // rows, the first pixel in bit 0
const ConvertOptions kPages = {1, 0, 1, 0, {}};         // column bytes across pages of 8 rows, top pixel in bit 0

// Each checked against the code that reads it, cited in its help.
const Preset kPresets[] = {
    {.name = "adafruit-gfx",
     .layout = kRows,
     .what = "Adafruit GFX drawBitmap, u8g2 drawBitmap",
     .help = "rows, leftmost pixel in bit 7, rows padded to a byte\n"
             "(--msb-first --bits-horizontal --bytes-horizontal): Adafruit\n"
             "GFX drawBitmap (Adafruit_GFX.cpp), u8g2 drawBitmap; they draw\n"
             "the set bits, the dark pixels, in the sketch's colour"},
    {.name = "xbm",
     .layout = kRowsLsbFirst,
     .what = "XBM files, u8g2 drawXBM, Adafruit GFX drawXBitmap",
     .help = "rows, leftmost pixel in bit 0, rows padded (--lsb-first\n"
             "--bits-horizontal --bytes-horizontal): XBM files, u8g2\n"
             "drawXBM, Adafruit GFX drawXBitmap"},
    {.name = "ssd1306",
     .layout = kPages,
     .setBitLight = true,
     .what = "page-addressed controllers: SSD1306, SH1106, ST7565, PCD8544, UC1701",
     .help = "a byte is 8 pixels of a column, top pixel in bit 0; bytes run\n"
             "across a page of 8 rows, pages top to bottom (--lsb-first\n"
             "--bits-vertical --bytes-horizontal): SSD1306 datasheet 8.7\n"
             "(GDDRAM, D0 is the top row), also SH1106, ST7565, PCD8544, UC1701.\n"
             "A set bit lights a pixel: the dark pixels light up (--invert\n"
             "lights the light ones), as --png and --preview show"},
    {.name = "epaper",
     .layout = kRows,
     .invert = true,
     .fillWhite = true,
     .setBitLight = true,
     .what = "e-paper libraries whose set bit means white",
     .help = "adafruit-gfx with --invert, for e-paper libraries whose set\n"
             "bit means white (GxEPD2_BW drawImage/writeImage); a row's\n"
             "spare bits are white, as its drivers draw every bit of a\n"
             "row's last byte (GxEPD2_213_B73.cpp _writeImage)"},
    {.name = "ssd1322",
     .layout = kRows,
     .format = PixelFormat::Grey4,
     .blackBlank = true,
     .what = "SSD1322 grey OLED, 16 levels",
     .help = "--depth 4, rows, two pixels a byte, the even x in the high\n"
             "nibble (--msb-first --bits-horizontal --bytes-horizontal),\n"
             "0 off to 15 full on: the SSD1322's RAM with its nibble\n"
             "re-map (A0h) off; a panel wired with it on takes --lsb-first.\n"
             "The light pixels light up; margins and transparency are\n"
             "unlit (--background black) unless --background is given"},
    {.name = "ssd1327",
     .layout = kRows,
     .format = PixelFormat::Grey4,
     .blackBlank = true,
     .what = "SSD1327 grey OLED, 16 levels: Adafruit GrayOLED",
     .help = "--depth 4, as ssd1322: Adafruit_GrayOLED::drawPixel writes\n"
             "buffer[x / 2 + y * WIDTH / 2], the even x in the high nibble;\n"
             "margins unlit, as ssd1322"},
    {.name = "epaper-4grey",
     .layout = kRows,
     .format = PixelFormat::Grey2,
     .fillWhite = true,
     .what = "4-grey e-paper: Waveshare 4Gray, GxEPD2_4G",
     .help = "--depth 2, rows, four pixels a byte, the first in bits 7-6,\n"
             "00 black to 11 white: Waveshare's EPD_4IN2_4GrayDisplay\n"
             "buffer (its --planes are the 0x10 and 0x13 data), GxEPD2_4G\n"
             "drawGreyPixmap(pixmap, 2, ...)"},
    {.name = "adafruit-gfx-grey",
     .layout = kRows,
     .format = PixelFormat::Grey8,
     .what = "Adafruit GFX drawGrayscaleBitmap, 8 bits a pixel",
     .help = "--depth 8, rows, a byte a pixel, 0 black to 255 white:\n"
             "Adafruit GFX drawGrayscaleBitmap(x, y, bitmap, w, h)"},
    {.name = "epaper-bwr",
     .layout = kRows,
     .format = PixelFormat::Index2,
     .palette = "bwr",
     .blackInk = 0,
     .colourInk = 0,
     .planes = true,
     .fillWhite = true,
     .what = "three-colour e-paper, black, white and red: GxEPD2_3C",
     .help = "--palette bwr --planes: the black plane, then the red plane,\n"
             "each in rows, the leftmost pixel in bit 7, a clear bit the\n"
             "ink (--plane-ink 0,0), a C form's as NAME_black and NAME_red:\n"
             "GxEPD2_3C's drawImage(black, color, x, y, w, h) and its\n"
             "buffers (GxEPD2_3C.h drawPixel clears the black bit for\n"
             "black, the colour bit for red)"},
    {.name = "epaper-bwy",
     .layout = kRows,
     .format = PixelFormat::Index2,
     .palette = "bwy",
     .blackInk = 0,
     .colourInk = 0,
     .planes = true,
     .fillWhite = true,
     .what = "three-colour e-paper, black, white and yellow: GxEPD2_3C",
     .help = "as epaper-bwr with --palette bwy: the yellow panels take\n"
             "the same two planes, NAME_black and NAME_yellow"},
    {.name = "epaper-bwyr",
     .layout = kRows,
     .format = PixelFormat::Index2,
     .palette = "bwyr",
     .fillWhite = true,
     .what = "four-colour e-paper: Waveshare's G panels, GxEPD2_4C",
     .help = "--palette bwyr, 2 bits a pixel in rows, the first pixel in\n"
             "bits 7-6 (--msb-first --bits-horizontal --bytes-horizontal):\n"
             "Waveshare epd2in13g and its kin, GxEPD2_4C's buffer for\n"
             "writeNative (its drawPixel: index x / 4 + y * w / 4, x % 4 == 0\n"
             "at << 6; color4: black 0, white 1, yellow 2, red 3)"},
    {.name = "epaper-acep7",
     .layout = kRows,
     .format = PixelFormat::Index4,
     .palette = "acep7",
     .fillWhite = true,
     .what = "seven-colour ACeP e-paper: Waveshare 5.65 and 7.3 inch F",
     .help = "--palette acep7, 4 bits a pixel in rows, the first pixel in\n"
             "the high nibble: Waveshare epd5in65f and epd7in3f (their\n"
             "Paint at Scale 7 sets (Color << 4) >> ((X % 2) * 4))"},
    {.name = "epaper-spectra6",
     .layout = kRows,
     .format = PixelFormat::Index4,
     .palette = "spectra6",
     .fillWhite = true,
     .what = "six-colour E Ink Spectra 6: Waveshare 4.0 and 7.3 inch E",
     .help = "--palette spectra6, 4 bits a pixel in rows, the first pixel\n"
             "in the high nibble: Waveshare epd4in0e and epd7in3e. For\n"
             "GxEPD2, gxepd2-spectra6"},
    {.name = "gxepd2-spectra6",
     .layout = kRows,
     .format = PixelFormat::Index4,
     .palette = "spectra6-7c",
     .fillWhite = true,
     .what = "six-colour E Ink Spectra 6 with GxEPD2_7C: GDEP073E01",
     .help = "--palette spectra6-7c, 4 bits a pixel in rows, the first\n"
             "pixel in the high nibble: GxEPD2_7C's drawNative(data, 0,\n"
             "x, y, w, h) on GxEPD2_730c_GDEP073E01, whose writeNative\n"
             "sends rows of (w + 1) / 2 bytes, each nibble through\n"
             "_convert_to_native (0 black, 1 white, 2 green, 3 blue, 4 red,\n"
             "5 yellow to the panel's 0, 1, 6, 5, 3, 2)"},
    {.name = "adafruit-gfx-rgb565",
     .layout = kRows,
     .format = PixelFormat::Rgb565,
     .words = true,
     .what = "Adafruit GFX drawRGBBitmap, RGB565",
     .help = "--color rgb565 --c-words, rows: Adafruit GFX\n"
             "drawRGBBitmap(x, y, const uint16_t bitmap[], w, h) reads\n"
             "bitmap[j * w + i] as a 16-bit value; --binary bytes are\n"
             "little-endian, as that array lies in an MCU's memory"},
    {.name = "tft-espi",
     .layout = kRows,
     .format = PixelFormat::Rgb565,
     .bigEndian = true,
     .words = true,
     .what = "TFT_eSPI pushImage, RGB565 with the bytes in wire order",
     .help = "--color rgb565 --c-words --byte-order be, rows: TFT_eSPI\n"
             "pushImage(x, y, w, h, data) with its default\n"
             "setSwapBytes(false) sends each uint16_t low byte first\n"
             "(pushPixels: tft_Write_16S), so red is 0x00F8; with\n"
             "setSwapBytes(true) give --byte-order le (red 0xF800)"},
    {.name = "lvgl-rgb565",
     .layout = kRows,
     .format = PixelFormat::Rgb565,
     .what = "LVGL RGB565, little-endian bytes",
     .help = "--color rgb565, rows of little-endian values: LVGL's\n"
             "LV_COLOR_FORMAT_RGB565 in memory (with --lvgl NAME the\n"
             "descriptor), lv_color.h and LVGLImage.py"},
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

const Preset* MatchingPreset(const ConvertOptions& layout, bool invert, PixelFormat format) {
    if (ShownChannels(format) != 1) return nullptr;
    for (const Preset& preset : kPresets) {
        if (ShownChannels(preset.format) == 1 && preset.invert == invert && BitsOf(preset.format) == BitsOf(format) &&
            SameLayout(preset.layout, layout))
            return &preset;
    }
    return nullptr;
}

const Preset* PresetsBegin() { return kPresets; }
const Preset* PresetsEnd() { return kPresets + sizeof kPresets / sizeof kPresets[0]; }

std::string LayoutInWords(const ConvertOptions& options, bool invert, bool fillWhite) {
    std::string words = options.msbReverse ? "lsb first" : "msb first";
    words += options.bitHorizontal ? ", bits horizontal" : ", bits vertical";
    words += options.byteHorizontal ? ", bytes horizontal" : ", bytes vertical";
    words += fillWhite ? ", fill white" : options.fillOnes ? ", fill one" : ", fill zero";
    if (invert) words += ", invert";
    return words;
}
