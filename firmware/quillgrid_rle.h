/* quillgrid_rle.h: decodes an image that quillgrid-cli compressed with
 * --compress rle (--c-array or --binary), a band of lines at a time, into
 * a buffer of your own, straight from flash (PROGMEM on AVR). C99 and
 * C++; no allocation.
 *
 * Copy this file beside the image's header and include it:
 *
 *   #include "quillgrid_rle.h"
 *   #include "logo.h"   // quillgrid-cli --c-style arduino --c-array logo --compress rle
 *   static uint8_t band[8 * logo_line_bytes];   // 8 lines
 *   static void draw(void* context, uint16_t first, uint16_t lines, const uint8_t* bytes) {
 *       display.drawBitmap(0, first, bytes, logo_width, lines, 1);
 *   }
 *   qg_rle_draw(logo, sizeof logo, QG_RLE_FLASH, band, 8, draw, NULL);
 *
 * A line is a line of the packed bytes: a row of pixels in a row layout,
 * a page of 8 rows in SSD1306's. The band buffer holds `lines` lines;
 * keep it, unchanged, for the whole image: the decoder reads the line
 * above from it.
 *
 * The stream: 5 bytes (the unit, 1 to 4 bytes: a pixel's for colour;
 * the bytes of a line, 16 bits; the lines, 16 bits; little-endian), then
 * runs over the units of the whole image, line after line. A run is a
 * control byte c: its kind c >> 6 and a count c & 0x3F, where 0x3F says
 * two more bytes follow, 16 bits little-endian added to 63. A run is the
 * count + 1 units (+ 2 for a repeat). Kind 0 copies the units that
 * follow; 1 repeats the one unit that follows; 2 repeats the units of the
 * line above; 3 repeats the units a byte d (1 to 255) units before, in
 * the same line, as the byte after the count says. A damaged stream is
 * refused (-1), never read or written past its ends.
 *
 * Copyright 2026 The Quillgrid authors. Zero-clause BSD licence:
 * permission to use, copy, modify, and/or distribute this software for
 * any purpose with or without fee is hereby granted. THE SOFTWARE IS
 * PROVIDED "AS IS" AND THE AUTHOR DISCLAIMS ALL WARRANTIES WITH REGARD TO
 * THIS SOFTWARE INCLUDING ALL IMPLIED WARRANTIES OF MERCHANTABILITY AND
 * FITNESS. IN NO EVENT SHALL THE AUTHOR BE LIABLE FOR ANY SPECIAL,
 * DIRECT, INDIRECT, OR CONSEQUENTIAL DAMAGES OR ANY DAMAGES WHATSOEVER
 * RESULTING FROM LOSS OF USE, DATA OR PROFITS, WHETHER IN AN ACTION OF
 * CONTRACT, NEGLIGENCE OR OTHER TORTIOUS ACTION, ARISING OUT OF OR IN
 * CONNECTION WITH THE USE OR PERFORMANCE OF THIS SOFTWARE. */
#ifndef QUILLGRID_RLE_H
#define QUILLGRID_RLE_H

#include <stddef.h>
#include <stdint.h>

#if defined(__AVR__)
#include <avr/pgmspace.h>
#endif

#define QG_RLE_RAM 0
#define QG_RLE_FLASH 1 /* an array in PROGMEM on AVR; elsewhere the same as RAM */

typedef struct {
    const uint8_t* at; /* the next byte of the stream */
    const uint8_t* end;
    uint8_t flash;
    uint8_t unit;        /* bytes a unit */
    uint16_t line_bytes; /* bytes a line */
    uint16_t lines;      /* lines in the image */
    uint16_t line;       /* lines decoded */
    uint16_t above_row;  /* the band row of the last line decoded */
    uint8_t kind;        /* the run under way: 0 copy, 1 repeat, 2 the line above, 3 back in the line */
    uint8_t back;        /* kind 3's distance in units */
    uint32_t left;       /* its units still to come */
    uint8_t value[4];    /* a repeat's unit */
} qg_rle_t;

static inline uint8_t qg_rle_byte(const qg_rle_t* d, const uint8_t* p) {
#if defined(__AVR__)
    if (d->flash) return pgm_read_byte(p);
#endif
    (void)d;
    return *p;
}

/* Starts reading `size` bytes at `data` (QG_RLE_FLASH for an array in
 * PROGMEM); 0, or -1 for a header that is not one. */
static inline int qg_rle_begin(qg_rle_t* d, const void* data, uint32_t size, uint8_t flash) {
    const uint8_t* p = (const uint8_t*)data;
    d->at = p;
    d->end = p + size;
    d->flash = flash;
    d->line = 0;
    d->above_row = 0;
    d->left = 0;
    d->kind = 0;
    d->back = 0;
    if (size < 5) return -1;
    d->unit = qg_rle_byte(d, p);
    d->line_bytes = (uint16_t)(qg_rle_byte(d, p + 1) | qg_rle_byte(d, p + 2) << 8);
    d->lines = (uint16_t)(qg_rle_byte(d, p + 3) | qg_rle_byte(d, p + 4) << 8);
    d->at = p + 5;
    if (d->unit < 1 || d->unit > 4 || d->line_bytes == 0 || d->line_bytes % d->unit) return -1;
    return 0;
}

/* The next byte of the stream into *b; -1 at its end. */
static inline int qg_rle_take(qg_rle_t* d, uint8_t* b) {
    if (d->at >= d->end) return -1;
    *b = qg_rle_byte(d, d->at++);
    return 0;
}

/* The next run's control bytes, into d->kind, d->left, and a repeat's
 * unit or a back run's distance; -1 for a stream that ends there. */
static inline int qg_rle_next_run(qg_rle_t* d) {
    uint8_t c, lo, hi, i;
    if (qg_rle_take(d, &c) != 0) return -1;
    d->kind = c >> 6;
    d->left = (uint32_t)(c & 0x3F) + 1;
    if ((c & 0x3F) == 0x3F) {
        if (qg_rle_take(d, &lo) != 0 || qg_rle_take(d, &hi) != 0) return -1;
        d->left += (uint32_t)lo | (uint32_t)hi << 8;
    }
    if (d->kind == 1) {
        d->left += 1;
        for (i = 0; i < d->unit; i++)
            if (qg_rle_take(d, &d->value[i]) != 0) return -1;
    } else if (d->kind == 3) {
        if (qg_rle_take(d, &d->back) != 0 || d->back == 0) return -1;
    }
    return 0;
}

/* Decodes up to `lines` lines into `band` (lines x line_bytes bytes), the
 * line above the first being the band's row that the last call ended on.
 * The lines decoded (0 at the end of the image), or -1 for a damaged
 * stream. */
static inline int qg_rle_read(qg_rle_t* d, uint8_t* band, uint16_t lines) {
    uint16_t row, x, i, unit = d->unit;
    for (row = 0; row < lines && d->line < d->lines; row++, d->line++) {
        uint8_t* out = band + (uint32_t)row * d->line_bytes;
        const uint8_t* above = band + (uint32_t)(row ? row - 1 : d->above_row) * d->line_bytes;
        for (x = 0; x < d->line_bytes; x += unit) {
            const uint8_t* from;
            if (d->left == 0 && qg_rle_next_run(d) != 0) return -1;
            if (d->kind == 0) {
                if ((uint32_t)(d->end - d->at) < unit) return -1;
                for (i = 0; i < unit; i++) out[x + i] = qg_rle_byte(d, d->at++);
            } else {
                if (d->kind == 1) {
                    from = d->value;
                } else if (d->kind == 2) {
                    if (d->line == 0) return -1;
                    from = above + x;
                } else {
                    if (x < (uint16_t)(d->back * unit)) return -1;
                    from = out + x - d->back * unit;
                }
                for (i = 0; i < unit; i++) out[x + i] = from[i];
            }
            d->left--;
        }
        d->above_row = row;
    }
    return row;
}

/* Decodes the whole image a band of `band_lines` lines at a time, handing
 * each to `draw` with its first line's number; 0, or -1 for a damaged
 * stream (after the bands before the damage were drawn). */
static inline int qg_rle_draw(const void* data, uint32_t size, uint8_t flash, uint8_t* band, uint16_t band_lines,
                              void (*draw)(void* context, uint16_t first, uint16_t lines, const uint8_t* band),
                              void* context) {
    qg_rle_t d;
    int got;
    if (qg_rle_begin(&d, data, size, flash) != 0 || band_lines == 0) return -1;
    while ((got = qg_rle_read(&d, band, band_lines)) > 0) draw(context, (uint16_t)(d.line - got), (uint16_t)got, band);
    return got;
}

#endif
