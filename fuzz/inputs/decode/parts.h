#ifndef QUILLGRID_ANIM_PARTS_H
#define QUILLGRID_ANIM_PARTS_H

#ifndef U8X8_PROGMEM
#if defined(__AVR__)
#include <avr/pgmspace.h>
#define U8X8_PROGMEM PROGMEM
#else
#define U8X8_PROGMEM
#endif
#endif

/* parts.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_parts_0_width 12
#define anim_parts_0_height 7
static const unsigned char anim_parts_0_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x0F, 0xF0, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

/* parts.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_parts_1_width 12
#define anim_parts_1_height 7
static const unsigned char anim_parts_1_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x0F, 0xC0, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

/* parts.gif: 12 x 7 pixels, lsb first, bits horizontal, bytes horizontal, fill zero, invert; 14 bytes */
#define anim_parts_2_width 12
#define anim_parts_2_height 7
static const unsigned char anim_parts_2_bits[] U8X8_PROGMEM = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x0F, 0xF0, 0x0F, 0xFF, 0x0F, 0xFF, 0x0F,
};

static const unsigned char* const anim_parts_frames[] = {
    anim_parts_0_bits,
    anim_parts_1_bits,
    anim_parts_2_bits,
};
static const unsigned int anim_parts_delays[] = {30, 30, 30};
#define anim_parts_frame_count 3
#define anim_parts_width 12
#define anim_parts_height 7

#endif
