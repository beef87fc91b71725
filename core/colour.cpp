#include "core/colour.h"

const char* DirectFormatName(DirectFormat format) {
    switch (format) {
    case DirectFormat::Rgb565:
        return "rgb565";
    case DirectFormat::Rgb332:
        return "rgb332";
    case DirectFormat::Rgb888:
        return "rgb888";
    case DirectFormat::Argb8888:
        return "argb8888";
    case DirectFormat::Rgb565A8:
        return "rgb565a8";
    case DirectFormat::None:
        break;
    }
    return "none";
}

uint32_t BytesOfValue(DirectFormat format) {
    switch (format) {
    case DirectFormat::Rgb332:
        return 1;
    case DirectFormat::Rgb565:
    case DirectFormat::Rgb565A8:
        return 2;
    case DirectFormat::Rgb888:
        return 3;
    case DirectFormat::Argb8888:
        return 4;
    case DirectFormat::None:
        break;
    }
    return 0;
}

bool KeepsAlpha(DirectFormat format) { return format == DirectFormat::Argb8888 || format == DirectFormat::Rgb565A8; }

void ChannelBits(DirectFormat format, uint32_t bits[3]) {
    const bool narrow = format == DirectFormat::Rgb565 || format == DirectFormat::Rgb565A8;
    bits[0] = narrow ? 5 : format == DirectFormat::Rgb332 ? 3 : 8;
    bits[1] = narrow ? 6 : format == DirectFormat::Rgb332 ? 3 : 8;
    bits[2] = narrow ? 5 : format == DirectFormat::Rgb332 ? 2 : 8;
}

uint32_t DirectValue(DirectFormat format, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    switch (format) {
    case DirectFormat::Rgb565:
        return (r >> 3u) << 11 | (g >> 2u) << 5 | b >> 3u;
    case DirectFormat::Rgb565A8:
        return static_cast<uint32_t>(a) << 16 | (r >> 3u) << 11 | (g >> 2u) << 5 | b >> 3u;
    case DirectFormat::Rgb332:
        return (r >> 5u) << 5 | (g >> 5u) << 2 | b >> 6u;
    case DirectFormat::Rgb888:
        return static_cast<uint32_t>(r) << 16 | g << 8 | b;
    case DirectFormat::Argb8888:
        return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | g << 8 | b;
    case DirectFormat::None:
        break;
    }
    return 0;
}

void ColourOfValue(DirectFormat format, uint32_t value, uint8_t rgba[4]) {
    uint32_t bits[3];
    ChannelBits(format, bits);
    const uint32_t shifts[3] = {bits[1] + bits[2], bits[2], 0};
    for (int c = 0; c < 3; ++c)
        rgba[c] = static_cast<uint8_t>(WidenChannel(value >> shifts[c] & ((1u << bits[c]) - 1), bits[c]));
    rgba[3] = format == DirectFormat::Argb8888   ? static_cast<uint8_t>(value >> 24)
              : format == DirectFormat::Rgb565A8 ? static_cast<uint8_t>(value >> 16)
                                                 : 255;
}
