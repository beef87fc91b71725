#include "forms/example_sketch.h"

namespace {

std::string Number(uint32_t value, uint32_t otherwise) { return std::to_string(value ? value : otherwise); }

// The path without its extension: "out/logo.h" -> "out/logo".
std::string Stem(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

std::string AdafruitSsd1306(const SketchFacts& f) {
    const std::string w = Number(f.width, 128), h = Number(f.height, 64);
    return "// Draws " + f.header +
           " on an SSD1306 OLED with Adafruit_SSD1306 and Adafruit GFX.\n"
           "// drawBitmap draws the set bits (the picture's dark pixels) lit.\n"
           "#include <Wire.h>\n#include <Adafruit_GFX.h>\n#include <Adafruit_SSD1306.h>\n\n#include \"" +
           f.header + "\"\n\nAdafruit_SSD1306 display(" + w + ", " + h +
           ", &Wire, -1);\n\n"
           "void setup() {\n"
           "  if (!display.begin(SSD1306_SWITCHCAPVCC, 0x3C)) return;  // 0x3D on some boards\n"
           "  display.clearDisplay();\n"
           "  display.drawBitmap(0, 0, " +
           f.name + ", " + f.name + "_width, " + f.name + "_height, SSD1306_WHITE);\n" +
           "  display.display();\n}\n\nvoid loop() {}\n";
}

// The ssd1306 layout is Adafruit_SSD1306's buffer (buffer[x + (y / 8) *
// WIDTH], the top pixel of a page in bit 0): each page of the image is
// copied into the buffer's page, then sent.
std::string Ssd1306Buffer(const SketchFacts& f) {
    const std::string w = Number(f.width, 128), h = Number(f.height, 64);
    const std::string read = f.progmem ? "pgm_read_byte(&" + f.name + "[page * " + f.name + "_width + x])"
                                       : f.name + "[page * " + f.name + "_width + x]";
    return "// Draws " + f.header +
           " on an SSD1306 OLED with Adafruit_SSD1306: its bytes are the display's\n"
           "// own buffer (pages of 8 rows, the top pixel in bit 0), copied in page by page.\n"
           "#include <Wire.h>\n#include <Adafruit_GFX.h>\n#include <Adafruit_SSD1306.h>\n\n#include \"" +
           f.header + "\"\n\nAdafruit_SSD1306 display(" + w + ", " + h +
           ", &Wire, -1);\n\n"
           "void setup() {\n"
           "  if (!display.begin(SSD1306_SWITCHCAPVCC, 0x3C)) return;  // 0x3D on some boards\n"
           "  uint8_t* buffer = display.getBuffer();\n"
           "  for (int page = 0; page < (" +
           f.name + "_height + 7) / 8 && page < display.height() / 8; page++)\n    for (int x = 0; x < " + f.name +
           "_width && x < display.width(); x++)\n      buffer[page * display.width() + x] = " + read +
           ";\n  display.display();\n}\n\nvoid loop() {}\n";
}

std::string U8g2(const SketchFacts& f) {
    return "// Draws " + f.header +
           " with u8g2 on a 128 x 64 SSD1306 over I2C: pick your display's\n"
           "// constructor from u8g2's list (its F variant keeps a full buffer).\n"
           "#include <Arduino.h>\n#include <U8g2lib.h>\n#include <Wire.h>\n\n#include \"" +
           f.header +
           "\"\n\nU8G2_SSD1306_128X64_NONAME_F_HW_I2C u8g2(U8G2_R0, U8X8_PIN_NONE);\n\n"
           "void setup() {\n  u8g2.begin();\n  u8g2.clearBuffer();\n  u8g2.drawXBMP(0, 0, " +
           f.name + "_width, " + f.name + "_height, " + f.name + "_bits);\n  u8g2.sendBuffer();\n}\n\nvoid loop() {}\n";
}

std::string Gxepd2(const SketchFacts& f) {
    const std::string pgm = f.progmem ? "true" : "false";
    return "// Draws " + f.header +
           " on a three-colour e-paper panel with GxEPD2_3C.\n"
           "// GxEPD2_290_C90c is the 2.9 inch 128 x 296 panel: put your panel's class\n"
           "// and pins here (GxEPD2's examples list them). drawImage writes in the\n"
           "// panel's own orientation: a landscape picture on a portrait panel takes\n"
           "// --rotate 90.\n"
           "#include <GxEPD2_3C.h>\n\n#include \"" +
           f.header +
           "\"\n\nGxEPD2_3C<GxEPD2_290_C90c, GxEPD2_290_C90c::HEIGHT> display(\n"
           "    GxEPD2_290_C90c(/*CS=*/SS, /*DC=*/8, /*RST=*/9, /*BUSY=*/7));\n\n"
           "void setup() {\n  display.init(115200);\n  display.drawImage(" +
           f.name + "_black, " + f.name + "_" + f.colourPlane + ", 0, 0, " + f.name + "_width, " + f.name +
           "_height, false, false, " + pgm + ");\n  display.hibernate();\n}\n\nvoid loop() {}\n";
}

std::string TftEspi(const SketchFacts& f) {
    return "// Draws " + f.header +
           " with TFT_eSPI (the display and pins are TFT_eSPI's User_Setup.h).\n"
           "#include <TFT_eSPI.h>\n\n#include \"" +
           f.header +
           "\"\n\nTFT_eSPI tft;\n\n"
           "void setup() {\n  tft.init();\n  tft.setRotation(1);\n  tft.fillScreen(TFT_BLACK);\n"
           "  tft.setSwapBytes(" +
           (f.swapBytes ? "true);  // the values are little-endian RGB565\n"
                        : "false);  // the values are as the panel takes them\n") +
           "  tft.pushImage(0, 0, " + f.name + "_width, " + f.name + "_height, " + f.name + ");\n}\n\nvoid loop() {}\n";
}

std::string Lvgl(const SketchFacts& f) {
    return "/* Shows the image of " + f.header + " with LVGL 9: call show_" + f.name +
           "() once LVGL and its display\n * are set up. */\n"
           "#if defined(LV_LVGL_H_INCLUDE_SIMPLE)\n#include \"lvgl.h\"\n#else\n#include \"lvgl/lvgl.h\"\n#endif\n\n"
           "LV_IMAGE_DECLARE(" +
           f.name + ");\n\nvoid show_" + f.name + "(void);\n\nvoid show_" + f.name +
           "(void) {\n    lv_obj_t* image = lv_image_create(lv_screen_active());\n    lv_image_set_src(image, &" +
           f.name + ");\n    lv_obj_center(image);\n}\n";
}

}  // namespace

std::string SketchFileName(Sketch sketch, const std::string& header) {
    return Stem(header) + (sketch == Sketch::Lvgl ? "_example.c" : ".ino");
}

std::string ExampleSketch(Sketch sketch, const SketchFacts& facts) {
    switch (sketch) {
    case Sketch::AdafruitSsd1306:
        return AdafruitSsd1306(facts);
    case Sketch::Ssd1306Buffer:
        return Ssd1306Buffer(facts);
    case Sketch::U8g2:
        return U8g2(facts);
    case Sketch::Gxepd2ThreeColour:
        return Gxepd2(facts);
    case Sketch::TftEspi:
        return TftEspi(facts);
    case Sketch::Lvgl:
        return Lvgl(facts);
    case Sketch::None:
        break;
    }
    return std::string();
}

const char* SketchLibrary(Sketch sketch) {
    switch (sketch) {
    case Sketch::AdafruitSsd1306:
        return "Adafruit_SSD1306 (drawBitmap)";
    case Sketch::Ssd1306Buffer:
        return "Adafruit_SSD1306 (getBuffer)";
    case Sketch::U8g2:
        return "u8g2 (drawXBMP)";
    case Sketch::Gxepd2ThreeColour:
        return "GxEPD2_3C (drawImage)";
    case Sketch::TftEspi:
        return "TFT_eSPI (pushImage)";
    case Sketch::Lvgl:
        return "LVGL 9 (lv_image_set_src)";
    case Sketch::None:
        break;
    }
    return "";
}
