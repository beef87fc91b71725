#ifndef U8X8_PROGMEM
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define U8X8_PROGMEM PROGMEM
#else
#define U8X8_PROGMEM
#endif
#endif

/* still.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_still_width 12
#define anim_still_height 7
static const unsigned char anim_still_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7, 0x00, 0xFF, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};
