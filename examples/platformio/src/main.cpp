// Draws each image that quillgrid_images.py put into include/images.h.
#include <Adafruit_SSD1306.h>

#include "images.h"

Adafruit_SSD1306 display(128, 64, &Wire);

void setup() {
    display.begin(SSD1306_SWITCHCAPVCC, 0x3C);
    display.clearDisplay();
    display.drawBitmap(0, 0, logo, logo_width, logo_height, SSD1306_WHITE);
    display.display();
}

void loop() {}
