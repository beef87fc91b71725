#ifndef QUILLGRID_ANIM_BACKGROUND_H
#define QUILLGRID_ANIM_BACKGROUND_H

#ifndef U8X8_PROGMEM
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define U8X8_PROGMEM PROGMEM
#else
#define U8X8_PROGMEM
#endif
#endif

/* background.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_background_0_width 12
#define anim_background_0_height 7
static const unsigned char anim_background_0_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x0F, 0xF0, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

/* background.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_background_1_width 12
#define anim_background_1_height 7
static const unsigned char anim_background_1_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0xC0, 0x03, 0xC0, 0x03, 0xF7, 0x03, 0xFF, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

static const unsigned char* const anim_background_frames[] = {
    anim_background_0_bits,
    anim_background_1_bits,
};
static const unsigned int anim_background_delays[] = {30, 30};
#define anim_background_frame_count 2
#define anim_background_width 12
#define anim_background_height 7

#endif
