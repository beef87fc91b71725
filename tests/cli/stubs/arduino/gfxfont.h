/* gfxfont.h: Adafruit GFX's font structures, as Adafruit-GFX-Library's
 * gfxfont.h declares them (a glyph: its offset in the bitmap, width,
 * height, advance, and offsets from the pen; a font: the bitmap, the
 * glyphs, the first and last character, the line's height). */
#ifndef QUILLGRID_TEST_GFXFONT_H
#define QUILLGRID_TEST_GFXFONT_H
typedef struct {
    uint16_t bitmapOffset;
    uint8_t width;
    uint8_t height;
    uint8_t xAdvance;
    int8_t xOffset;
    int8_t yOffset;
} GFXglyph;
typedef struct {
    uint8_t *bitmap;
    GFXglyph *glyph;
    uint16_t first;
    uint16_t last;
    uint8_t yAdvance;
} GFXfont;
#endif
