// (no name) Regular, 8 pixels to the em (line 8, ascent 6, descent 2), from tiny.bdf
// For Adafruit GFX: display.setFont(&tiny); then print(). 2 glyphs, 0x41 to 0x67;
// 287 bytes on an AVR, 335 on a 32-bit board.
#ifndef TINY_GFXFONT_H
#define TINY_GFXFONT_H

#include <stdint.h>
#if defined(__AVR__)
#include <avr/pgmspace.h>
#elif defined(ESP8266) || defined(ESP32)
#include <pgmspace.h>
#endif
#ifndef PROGMEM
#define PROGMEM
#endif
#ifdef __cplusplus
#include <Adafruit_GFX.h>
#else
#include <gfxfont.h>
#endif

static const uint8_t tinyBitmaps[] PROGMEM = {
    0x74, 0x63, 0xF8, 0xC4, 0x79, 0x97, 0x16};

static const GFXglyph tinyGlyphs[] PROGMEM = {
    {    0,   5,   6,   6,    0,   -5},  // 0x41 'A'
    {    4,   0,   0,   0,    0,    0},  // 0x42 'B'
    {    4,   0,   0,   0,    0,    0},  // 0x43 'C'
    {    4,   0,   0,   0,    0,    0},  // 0x44 'D'
    {    4,   0,   0,   0,    0,    0},  // 0x45 'E'
    {    4,   0,   0,   0,    0,    0},  // 0x46 'F'
    {    4,   0,   0,   0,    0,    0},  // 0x47 'G'
    {    4,   0,   0,   0,    0,    0},  // 0x48 'H'
    {    4,   0,   0,   0,    0,    0},  // 0x49 'I'
    {    4,   0,   0,   0,    0,    0},  // 0x4A 'J'
    {    4,   0,   0,   0,    0,    0},  // 0x4B 'K'
    {    4,   0,   0,   0,    0,    0},  // 0x4C 'L'
    {    4,   0,   0,   0,    0,    0},  // 0x4D 'M'
    {    4,   0,   0,   0,    0,    0},  // 0x4E 'N'
    {    4,   0,   0,   0,    0,    0},  // 0x4F 'O'
    {    4,   0,   0,   0,    0,    0},  // 0x50 'P'
    {    4,   0,   0,   0,    0,    0},  // 0x51 'Q'
    {    4,   0,   0,   0,    0,    0},  // 0x52 'R'
    {    4,   0,   0,   0,    0,    0},  // 0x53 'S'
    {    4,   0,   0,   0,    0,    0},  // 0x54 'T'
    {    4,   0,   0,   0,    0,    0},  // 0x55 'U'
    {    4,   0,   0,   0,    0,    0},  // 0x56 'V'
    {    4,   0,   0,   0,    0,    0},  // 0x57 'W'
    {    4,   0,   0,   0,    0,    0},  // 0x58 'X'
    {    4,   0,   0,   0,    0,    0},  // 0x59 'Y'
    {    4,   0,   0,   0,    0,    0},  // 0x5A 'Z'
    {    4,   0,   0,   0,    0,    0},  // 0x5B '['
    {    4,   0,   0,   0,    0,    0},  // 0x5C
    {    4,   0,   0,   0,    0,    0},  // 0x5D ']'
    {    4,   0,   0,   0,    0,    0},  // 0x5E '^'
    {    4,   0,   0,   0,    0,    0},  // 0x5F '_'
    {    4,   0,   0,   0,    0,    0},  // 0x60 '`'
    {    4,   0,   0,   0,    0,    0},  // 0x61 'a'
    {    4,   0,   0,   0,    0,    0},  // 0x62 'b'
    {    4,   0,   0,   0,    0,    0},  // 0x63 'c'
    {    4,   0,   0,   0,    0,    0},  // 0x64 'd'
    {    4,   0,   0,   0,    0,    0},  // 0x65 'e'
    {    4,   0,   0,   0,    0,    0},  // 0x66 'f'
    {    4,   4,   6,   6,    0,   -3}   // 0x67 'g'
};

static const GFXfont tiny PROGMEM = {
    (uint8_t *)tinyBitmaps,
    (GFXglyph *)tinyGlyphs,
    0x41, 0x67, 8};

#endif
