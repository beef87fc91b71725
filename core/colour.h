// Colours as displays take them: a palette's colours, and the direct
// colour formats, each pixel's value made of its own red, green and blue.
#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// A pixel's value in a direct colour format, its bits from the top:
enum class DirectFormat {
    None,
    Rgb565,    // RRRRRGGG GGGBBBBB: (R >> 3) << 11 | (G >> 2) << 5 | B >> 3
    Rgb332,    // RRRGGGBB: (R >> 5) << 5 | (G >> 5) << 2 | B >> 6
    Rgb888,    // 0xRRGGBB
    Argb8888,  // 0xAARRGGBB, straight (not premultiplied) alpha
    Rgb565A8,  // 0xAA << 16 | RGB565: packed as the RGB565 values, then the alphas
};

// "rgb565": the format's name on the command line.
const char* DirectFormatName(DirectFormat format);
// Bytes a pixel's value takes when packed (RGB565A8: 2, and 1 in its alpha plane).
uint32_t BytesOfValue(DirectFormat format);
// True for the formats that keep alpha; the others are composited first.
bool KeepsAlpha(DirectFormat format);
// Bits of red, green and blue.
void ChannelBits(DirectFormat format, uint32_t bits[3]);

// The value of a colour (alpha as given, kept only where the format has
// it): each channel's top bits.
uint32_t DirectValue(DirectFormat format, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);

// The colour a value shows as: each channel's bits repeated to fill 8 bits
// (5-bit 0x1F is 0xFF, 0x10 is 0x84), as LVGL and most converters widen
// them; alpha 255 where the format has none. `rgba` gets four bytes.
void ColourOfValue(DirectFormat format, uint32_t value, uint8_t rgba[4]);

// A channel's `bits`-bit level widened to 8 bits the same way.
inline uint32_t WidenChannel(uint32_t level, uint32_t bits) {
    uint32_t wide = 0;
    for (int shift = 8 - static_cast<int>(bits); shift > -static_cast<int>(bits); shift -= static_cast<int>(bits))
        wide |= shift >= 0 ? level << shift : level >> -shift;
    return wide & 0xFF;
}
