#include "core/pixel_format.h"

#include <cstdio>
#include <cstring>

const DirectFormatRow kDirectFormats[] = {
    {PixelFormat::Rgb565, "rgb565", 2, 5, 6, 5, 0, false},    {PixelFormat::Rgb332, "rgb332", 1, 3, 3, 2, 0, false},
    {PixelFormat::Rgb888, "rgb888", 3, 8, 8, 8, 0, false},    {PixelFormat::Argb8888, "argb8888", 4, 8, 8, 8, 8, false},
    {PixelFormat::Rgb565A8, "rgb565a8", 2, 5, 6, 5, 8, true}, {PixelFormat::Argb8565, "argb8565", 3, 5, 6, 5, 8, false},
};
const uint32_t kDirectFormatCount = sizeof kDirectFormats / sizeof kDirectFormats[0];

namespace {

// Each format's kind and bits, in the order of the enum; the direct
// formats' bits come from their rows.
struct FormatFacts {
    PixelKind kind;
    uint32_t bits;
    const char* name;
};

const FormatFacts kFacts[] = {
    {PixelKind::Mono, 1, "mono"},    {PixelKind::Grey, 2, "grey2"},   {PixelKind::Grey, 4, "grey4"},
    {PixelKind::Grey, 8, "grey8"},   {PixelKind::Alpha, 1, "alpha1"}, {PixelKind::Alpha, 2, "alpha2"},
    {PixelKind::Alpha, 4, "alpha4"}, {PixelKind::Alpha, 8, "alpha8"}, {PixelKind::Index, 1, "index1"},
    {PixelKind::Index, 2, "index2"}, {PixelKind::Index, 4, "index4"}, {PixelKind::Index, 8, "index8"},
    {PixelKind::Direct, 0, nullptr}, {PixelKind::Direct, 0, nullptr}, {PixelKind::Direct, 0, nullptr},
    {PixelKind::Direct, 0, nullptr}, {PixelKind::Direct, 0, nullptr}, {PixelKind::Direct, 0, nullptr},
};

const FormatFacts& FactsOf(PixelFormat format) { return kFacts[static_cast<int>(format)]; }

}  // namespace

std::string ColourText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

PixelKind KindOf(PixelFormat format) { return FactsOf(format).kind; }

PixelFormat FormatOf(PixelKind kind, uint32_t bits) {
    const uint32_t step = bits >= 8 ? 3 : bits >= 4 ? 2 : bits >= 2 ? 1 : 0;
    switch (kind) {
    case PixelKind::Mono:
        return PixelFormat::Mono;
    case PixelKind::Grey:
        return step == 0 ? PixelFormat::Mono
                         : static_cast<PixelFormat>(static_cast<int>(PixelFormat::Grey2) + step - 1);
    case PixelKind::Alpha:
        return static_cast<PixelFormat>(static_cast<int>(PixelFormat::Alpha1) + step);
    case PixelKind::Index:
        return static_cast<PixelFormat>(static_cast<int>(PixelFormat::Index1) + step);
    case PixelKind::Direct:
        break;
    }
    return PixelFormat::Mono;
}

const DirectFormatRow* DirectRowOf(PixelFormat format) {
    for (const DirectFormatRow& row : kDirectFormats)
        if (row.format == format) return &row;
    return nullptr;
}

bool DirectFormatNamed(const char* name, PixelFormat* format) {
    for (const DirectFormatRow& row : kDirectFormats) {
        if (std::strcmp(row.name, name) == 0) {
            *format = row.format;
            return true;
        }
    }
    return false;
}

const char* PixelFormatName(PixelFormat format) {
    const DirectFormatRow* row = DirectRowOf(format);
    return row ? row->name : FactsOf(format).name;
}

uint32_t BitsOf(PixelFormat format) {
    const DirectFormatRow* row = DirectRowOf(format);
    return row ? row->bytes * 8 : FactsOf(format).bits;
}

uint32_t ShownChannels(PixelFormat format) {
    switch (KindOf(format)) {
    case PixelKind::Index:
        return 3;
    case PixelKind::Direct:
        return KeepsAlpha(format) ? 4 : 3;
    default:
        return 1;
    }
}

uint32_t BytesOfValue(PixelFormat format) {
    const DirectFormatRow* row = DirectRowOf(format);
    return row ? row->bytes : 0;
}

bool KeepsAlpha(PixelFormat format) {
    const DirectFormatRow* row = DirectRowOf(format);
    return row && row->alpha != 0;
}

void ChannelBits(PixelFormat format, uint32_t bits[3]) {
    const DirectFormatRow* row = DirectRowOf(format);
    bits[0] = row ? row->red : 0;
    bits[1] = row ? row->green : 0;
    bits[2] = row ? row->blue : 0;
}

uint32_t DirectValue(PixelFormat format, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    const DirectFormatRow* row = DirectRowOf(format);
    if (!row) return 0;
    const uint32_t colour = (static_cast<uint32_t>(r) >> (8 - row->red)) << (row->green + row->blue) |
                            (static_cast<uint32_t>(g) >> (8 - row->green)) << row->blue |
                            static_cast<uint32_t>(b) >> (8 - row->blue);
    const uint32_t alpha = row->alpha ? static_cast<uint32_t>(a) >> (8 - row->alpha) : 0;
    return alpha << (row->red + row->green + row->blue) | colour;
}

void ColourOfValue(PixelFormat format, uint32_t value, uint8_t rgba[4]) {
    const DirectFormatRow* row = DirectRowOf(format);
    if (!row) return;
    const uint32_t bits[3] = {row->red, row->green, row->blue};
    const uint32_t shifts[3] = {row->green + row->blue, row->blue, 0};
    for (int c = 0; c < 3; ++c)
        rgba[c] = static_cast<uint8_t>(WidenChannel(value >> shifts[c] & ((1u << bits[c]) - 1), bits[c]));
    const uint32_t colourBits = row->red + row->green + row->blue;
    rgba[3] = row->alpha ? static_cast<uint8_t>(value >> colourBits) : 255;
}
