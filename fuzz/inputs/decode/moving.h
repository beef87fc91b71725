#ifndef QUILLGRID_ANIM_MOVING_H
#define QUILLGRID_ANIM_MOVING_H

#ifndef U8X8_PROGMEM
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define U8X8_PROGMEM PROGMEM
#else
#define U8X8_PROGMEM
#endif
#endif

/* moving.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_moving_0_width 12
#define anim_moving_0_height 7
static const unsigned char anim_moving_0_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x0F, 0xF0, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

/* moving.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_moving_1_width 12
#define anim_moving_1_height 7
static const unsigned char anim_moving_1_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x87, 0x05, 0x87, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

/* moving.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_moving_2_width 12
#define anim_moving_2_height 7
static const unsigned char anim_moving_2_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x37, 0x00, 0x3F, 0x0C, 0xFF, 0x0F, 0xFF, 0x0F,
};

static const unsigned char* const anim_moving_frames[] = {
    anim_moving_0_bits,
    anim_moving_1_bits,
    anim_moving_2_bits,
};
static const unsigned int anim_moving_delays[] = {30, 30, 30};
#define anim_moving_frame_count 3
#define anim_moving_width 12
#define anim_moving_height 7

#endif
