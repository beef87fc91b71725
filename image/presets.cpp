#include "image/presets.h"

#include <cstring>

namespace {

// msbReverse, bitHorizontal, byteHorizontal, fillOnes. Sources in --help.
const Preset kPresets[] = {
    {"adafruit-gfx",
     {0, 1, 1, 0, {}},
     false,
     "Adafruit GFX drawBitmap, u8g2 drawBitmap",
     "rows, leftmost pixel in bit 7, rows padded to a byte\n"
     "(--msb-first --bits-horizontal --bytes-horizontal): Adafruit\n"
     "GFX drawBitmap (Adafruit_GFX.cpp), u8g2 drawBitmap"},
    {"xbm",
     {1, 1, 1, 0, {}},
     false,
     "XBM files, u8g2 drawXBM, Adafruit GFX drawXBitmap",
     "rows, leftmost pixel in bit 0, rows padded (--lsb-first\n"
     "--bits-horizontal --bytes-horizontal): XBM files, u8g2\n"
     "drawXBM, Adafruit GFX drawXBitmap"},
    {"ssd1306",
     {1, 0, 1, 0, {}},
     false,
     "page-addressed controllers: SSD1306, SH1106, ST7565, PCD8544, UC1701",
     "a byte is 8 pixels of a column, top pixel in bit 0; bytes run\n"
     "across a page of 8 rows, pages top to bottom (--lsb-first\n"
     "--bits-vertical --bytes-horizontal): SSD1306 datasheet 8.7\n"
     "(GDDRAM, D0 is the top row), also SH1106, ST7565, PCD8544, UC1701"},
    {"epaper",
     {0, 1, 1, 0, {}},
     true,
     "e-paper libraries whose set bit means white",
     "adafruit-gfx with --invert, for e-paper libraries whose set\n"
     "bit means white"},
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

const Preset* MatchingPreset(const ConvertOptions& options, bool invert) {
    for (const Preset& preset : kPresets) {
        if (preset.invert == invert && SameLayout(preset.options, options)) return &preset;
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
