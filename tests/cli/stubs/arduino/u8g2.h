/* u8g2.h: the section a font is kept in, as u8x8.h defines it (flash on
 * an AVR). */
#ifndef QUILLGRID_TEST_U8G2_H
#define QUILLGRID_TEST_U8G2_H
#include <stdint.h>
#ifdef __AVR__
#define U8X8_FONT_SECTION(name) __attribute__((section(".progmem." name)))
#else
#define U8X8_FONT_SECTION(name)
#endif
#define U8G2_FONT_SECTION(name) U8X8_FONT_SECTION(name)
#endif
