/* A model of how u8g2 reads and draws its fonts (csrc/u8g2_font.c):
 * u8g2_read_font_info(), u8g2_font_get_glyph_data() with its jump table
 * for codes past 0xFF, u8g2_font_decode_glyph() and u8g2_font_decode_len()
 * for a transparent font at rotation 0, and the pen's walk of
 * u8g2_draw_string(). Its names and types follow the library's. It is C
 * and C++ alike: the font tests run it, and a C program built from a
 * written header runs it on the header's array. */
#ifndef QUILLGRID_TEST_U8G2_MODEL_H
#define QUILLGRID_TEST_U8G2_MODEL_H

#include <stddef.h>
#include <stdint.h>

typedef struct {
    const uint8_t* font;
    uint8_t bits_per_0, bits_per_1, bits_per_char_width, bits_per_char_height;
    uint8_t bits_per_char_x, bits_per_char_y, bits_per_delta_x;
    uint8_t max_char_height;
    uint16_t start_pos_upper_A, start_pos_lower_a, start_pos_unicode;
    /* the glyph being decoded */
    const uint8_t* decode_ptr;
    uint8_t decode_bit_pos;
    uint8_t glyph_width, glyph_height, x, y;
    int target_x, target_y;
    /* where a set pixel goes */
    void (*pixel)(void* context, int x, int y);
    void* context;
} u8g2_model_t;

static uint16_t u8g2_model_word(const uint8_t* font, size_t offset) {
    return (uint16_t)((font[offset] << 8) | font[offset + 1]);
}

static void u8g2_model_set_font(u8g2_model_t* u, const uint8_t* font) {
    u->font = font;
    u->bits_per_0 = font[2];
    u->bits_per_1 = font[3];
    u->bits_per_char_width = font[4];
    u->bits_per_char_height = font[5];
    u->bits_per_char_x = font[6];
    u->bits_per_char_y = font[7];
    u->bits_per_delta_x = font[8];
    u->max_char_height = font[10];
    u->start_pos_upper_A = u8g2_model_word(font, 17);
    u->start_pos_lower_a = u8g2_model_word(font, 19);
    u->start_pos_unicode = u8g2_model_word(font, 21);
}

static uint8_t u8g2_model_unsigned_bits(u8g2_model_t* u, uint8_t cnt) {
    uint8_t val = *u->decode_ptr;
    uint8_t bit_pos = u->decode_bit_pos;
    uint8_t bit_pos_plus_cnt = (uint8_t)(bit_pos + cnt);
    val = (uint8_t)(val >> bit_pos);
    if (bit_pos_plus_cnt >= 8) {
        uint8_t s = (uint8_t)(8 - bit_pos);
        u->decode_ptr++;
        val = (uint8_t)(val | (*u->decode_ptr << s));
        bit_pos_plus_cnt = (uint8_t)(bit_pos_plus_cnt - 8);
    }
    val = (uint8_t)(val & ((1U << cnt) - 1));
    u->decode_bit_pos = bit_pos_plus_cnt;
    return val;
}

static int8_t u8g2_model_signed_bits(u8g2_model_t* u, uint8_t cnt) {
    int8_t v = (int8_t)u8g2_model_unsigned_bits(u, cnt);
    int8_t d = 1;
    cnt--;
    d = (int8_t)(d << cnt);
    return (int8_t)(v - d);
}

/* A run of `len` pixels from the decoder's place, wrapping at the glyph's
 * right edge; set pixels are drawn, unset ones left (transparent). */
static void u8g2_model_decode_len(u8g2_model_t* u, uint8_t len, uint8_t is_foreground) {
    uint8_t cnt = len, rem, current, lx = u->x, ly = u->y;
    for (;;) {
        rem = (uint8_t)(u->glyph_width - lx);
        current = cnt < rem ? cnt : rem;
        if (is_foreground) {
            uint8_t i;
            for (i = 0; i < current; i++) u->pixel(u->context, u->target_x + lx + i, u->target_y + ly);
        }
        if (cnt < rem) break;
        cnt = (uint8_t)(cnt - rem);
        lx = 0;
        ly++;
    }
    lx = (uint8_t)(lx + cnt);
    u->x = lx;
    u->y = ly;
}

static int8_t u8g2_model_decode_glyph(u8g2_model_t* u, const uint8_t* glyph_data) {
    uint8_t a, b;
    int8_t x, y, d, h;
    u->decode_ptr = glyph_data;
    u->decode_bit_pos = 0;
    u->glyph_width = u8g2_model_unsigned_bits(u, u->bits_per_char_width);
    u->glyph_height = u8g2_model_unsigned_bits(u, u->bits_per_char_height);
    h = (int8_t)u->glyph_height;
    x = u8g2_model_signed_bits(u, u->bits_per_char_x);
    y = u8g2_model_signed_bits(u, u->bits_per_char_y);
    d = u8g2_model_signed_bits(u, u->bits_per_delta_x);
    if (u->glyph_width > 0) {
        u->target_x += x;
        u->target_y -= h + y;
        u->x = 0;
        u->y = 0;
        for (;;) {
            a = u8g2_model_unsigned_bits(u, u->bits_per_0);
            b = u8g2_model_unsigned_bits(u, u->bits_per_1);
            do {
                u8g2_model_decode_len(u, a, 0);
                u8g2_model_decode_len(u, b, 1);
            } while (u8g2_model_unsigned_bits(u, 1) != 0);
            if (u->y >= h) break;
        }
    }
    return d;
}

static const uint8_t* u8g2_model_glyph_data(const u8g2_model_t* u, uint16_t encoding) {
    const uint8_t* font = u->font + 23;
    if (encoding <= 255) {
        if (encoding >= 'a')
            font += u->start_pos_lower_a;
        else if (encoding >= 'A')
            font += u->start_pos_upper_A;
        for (;;) {
            if (font[1] == 0) break;
            if (font[0] == encoding) return font + 2;
            font += font[1];
        }
    } else {
        uint16_t e;
        const uint8_t* unicode_lookup_table;
        font += u->start_pos_unicode;
        unicode_lookup_table = font;
        do {
            font += u8g2_model_word(unicode_lookup_table, 0);
            e = u8g2_model_word(unicode_lookup_table, 2);
            unicode_lookup_table += 4;
        } while (e < encoding);
        for (;;) {
            e = u8g2_model_word(font, 0);
            if (e == 0) break;
            if (e == encoding) return font + 3;
            font += font[2];
        }
    }
    return NULL;
}

/* u8g2_draw_string() with the pen at (x, y) on the baseline, over code
 * points already decoded; the pen's x after the last. */
static int u8g2_model_draw(u8g2_model_t* u, int x, int y, const uint16_t* text, size_t count) {
    size_t i;
    for (i = 0; i < count; i++) {
        const uint8_t* glyph_data = u8g2_model_glyph_data(u, text[i]);
        u->target_x = x;
        u->target_y = y;
        if (glyph_data != NULL) x += u8g2_model_decode_glyph(u, glyph_data);
    }
    return x;
}

/* The lines of a text (code points, '\n' between them), each one
 * u8g2_DrawUTF8() from x on the baseline, the next u8g2_GetMaxCharHeight()
 * lower. */
static void u8g2_model_draw_lines(u8g2_model_t* u, int x, int y, const uint32_t* text, size_t count) {
    int pen = x;
    size_t i;
    for (i = 0; i < count; i++) {
        uint16_t c = (uint16_t)text[i];
        if (text[i] == '\n') {
            pen = x;
            y += u->max_char_height;
            continue;
        }
        pen = u8g2_model_draw(u, pen, y, &c, 1);
    }
}

#endif
