// What a pixel is: one enum for every kind of value an image holds, and its
// properties as functions of it (as LVGL's lv_color_format_t and its
// lv_color_format_get_bpp have them). Every step after the options are
// resolved asks the format; a new format is a row here (and, for a direct
// colour, a row of kDirectFormats).
#pragma once

#include <cstdint>
#include <string>

struct Rgb {
    uint8_t r, g, b;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

// "#FF8000".
std::string ColourText(Rgb colour);

enum class PixelFormat : uint8_t {
    Mono,  // 1 bit, a set bit a dark pixel: the 1-bit image the scanners pack
    Grey2,
    Grey4,
    Grey8,  // a level of brightness, 0 black (off) to the top white (full on)
    Alpha1,
    Alpha2,
    Alpha4,
    Alpha8,  // coverage, 0 none to the top all: ink for a library to tint
    Index1,
    Index2,
    Index4,
    Index8,  // a palette's values: value v shows as the palette's colour v
    Rgb565,
    Rgb332,
    Rgb888,
    Argb8888,
    Rgb565A8,  // each pixel's own colour: a row of kDirectFormats
    Argb8565,
};

enum class PixelKind { Mono, Grey, Alpha, Index, Direct };

PixelKind KindOf(PixelFormat format);

// The format of a kind at `bits` a value (1, 2, 4 or 8; grey at 1 bit is
// the 1-bit image). Direct formats are named, not made.
PixelFormat FormatOf(PixelKind kind, uint32_t bits);

// Bits a value takes packed: 1, 2, 4 or 8, or a direct value's bytes x 8
// (RGB565A8: 16, its alpha in a plane of its own).
uint32_t BitsOf(PixelFormat format);

// True for a format whose values are whole bytes each, in an order of
// their own: the packing options about pixels within a byte do not apply.
inline bool IsDirect(PixelFormat format) { return KindOf(format) == PixelKind::Direct; }
// True for a palette's values (LVGL's LV_COLOR_FORMAT_IS_INDEXED).
inline bool IsIndexed(PixelFormat format) { return KindOf(format) == PixelKind::Index; }
// True for coverage alone, ink for a library to tint (LV_COLOR_FORMAT_IS_ALPHA_ONLY).
inline bool IsAlphaOnly(PixelFormat format) { return KindOf(format) == PixelKind::Alpha; }
// True for the 1-bit image, whose set bit is a dark pixel.
inline bool IsMono(PixelFormat format) { return format == PixelFormat::Mono; }

// True for a format that keeps the picture's colours through the frame:
// a palette's values and direct colour; the others are made grey first.
inline bool KeepsColour(PixelFormat format) {
    return KindOf(format) == PixelKind::Index || KindOf(format) == PixelKind::Direct;
}

// Channels of the picture as the display shows it: 1 (grey), 3 (RGB) or 4
// (RGBA, a direct format that keeps alpha).
uint32_t ShownChannels(PixelFormat format);

// A direct colour format: a value's bits from the top, alpha, red, green,
// blue (RGB565: RRRRRGGG GGGBBBBB; ARGB8888: 0xAARRGGBB, straight alpha).
struct DirectFormatRow {
    PixelFormat format;
    const char* name;                  // on the command line: "rgb565"
    uint32_t bytes;                    // bytes a value takes packed, its alpha plane apart
    uint32_t red, green, blue, alpha;  // bits of each
    bool alphaPlane;                   // the alphas follow the colours, a byte a pixel (LVGL's RGB565A8)
};

extern const DirectFormatRow kDirectFormats[];
extern const uint32_t kDirectFormatCount;

// The row of a direct format; null for the others.
const DirectFormatRow* DirectRowOf(PixelFormat format);
// The direct format named so; false for none.
bool DirectFormatNamed(const char* name, PixelFormat* format);

// "rgb565" for a direct format, else the kind and its bits: "grey4".
const char* PixelFormatName(PixelFormat format);

// Bytes a direct value takes packed (RGB565A8: 2, and 1 in its alpha
// plane); 0 for the formats of less than a byte.
uint32_t BytesOfValue(PixelFormat format);
// True for the direct formats that keep alpha; the others are composited.
bool KeepsAlpha(PixelFormat format);
// Bits of red, green and blue.
void ChannelBits(PixelFormat format, uint32_t bits[3]);

// The value of a colour in a direct format (alpha as given, kept only
// where the format has it): each channel's top bits.
uint32_t DirectValue(PixelFormat format, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);

// The colour a direct value shows as: each channel's bits repeated to fill
// 8 bits (5-bit 0x1F is 0xFF, 0x10 is 0x84), as LVGL and most converters
// widen them; alpha 255 where the format has none. `rgba` gets four bytes.
void ColourOfValue(PixelFormat format, uint32_t value, uint8_t rgba[4]);

// A channel's `bits`-bit level widened to 8 bits the same way.
inline uint32_t WidenChannel(uint32_t level, uint32_t bits) {
    uint32_t wide = 0;
    for (int shift = 8 - static_cast<int>(bits); shift > -static_cast<int>(bits); shift -= static_cast<int>(bits))
        wide |= shift >= 0 ? level << shift : level >> -shift;
    return wide & 0xFF;
}

// The grey level (0 to 255) that `value` of `bits` bits stands for.
inline uint32_t GreyOfLevel(uint32_t value, uint32_t bits) { return value * 255 / ((1u << bits) - 1); }
