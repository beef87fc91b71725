#include "core/pixel_image.h"

#include <cinttypes>
#include <cstdio>
#include <utility>

namespace {

std::string Line(const char* key, uint64_t value) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %" PRIu64 "\n", key, value);
    return text;
}

std::string EntryText(const bmp::RGBQUAD& entry) { return ColourText({entry.rgbRed, entry.rgbGreen, entry.rgbBlue}); }

}  // namespace

bool PixelImage::Create(uint32_t width, uint32_t height, PixelFormat newFormat) {
    Release();
    format = newFormat;
    bool made;
    switch (KindOf(newFormat)) {
    case PixelKind::Mono:
        made = bitmap.Create(width, height);
        break;
    case PixelKind::Direct:
        made = direct.Create(width, height, newFormat);
        break;
    default:
        made = levels.Create(width, height, BitsOf(newFormat));
        break;
    }
    if (!made) Release();
    return made;
}

void PixelImage::Release() {
    bitmap.Unload();
    levels.Release();
    direct.Release();
    palette.clear();
    inks.clear();
    format = PixelFormat::Mono;
}

void PixelImage::Start(PixelFormat newFormat) {
    Release();
    format = newFormat;
}

void PixelImage::Swap(PixelImage& other) {
    std::swap(format, other.format);
    bitmap.Swap(other.bitmap);
    levels.Swap(other.levels);
    direct.Swap(other.direct);
    palette.swap(other.palette);
    inks.swap(other.inks);
}

bool PixelImage::Held() const {
    switch (KindOf(format)) {
    case PixelKind::Mono:
        return bitmap.IsLoaded();
    case PixelKind::Direct:
        return direct.Held();
    default:
        return levels.Depth() != 0;
    }
}

uint32_t PixelImage::Width() const {
    switch (KindOf(format)) {
    case PixelKind::Mono:
        return bitmap.Width();
    case PixelKind::Direct:
        return direct.Width();
    default:
        return levels.Width();
    }
}

uint32_t PixelImage::Height() const {
    switch (KindOf(format)) {
    case PixelKind::Mono:
        return bitmap.Height();
    case PixelKind::Direct:
        return direct.Height();
    default:
        return levels.Height();
    }
}

uint32_t PixelImage::Get(uint32_t x, uint32_t y) const {
    switch (KindOf(format)) {
    case PixelKind::Mono:
        return bitmap.IsDark(x, y) ? 1 : 0;
    case PixelKind::Direct:
        return direct.Get(x, y);
    default:
        return levels.Get(x, y);
    }
}

void PixelImage::Set(uint32_t x, uint32_t y, uint32_t value) {
    switch (KindOf(format)) {
    case PixelKind::Mono: {
        // The stored bit of a dark pixel is the dark palette entry's.
        uint8_t& byte = bitmap.Row(y)[x >> 3];
        const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
        const bool set = (value != 0) == (bitmap.DarkIndex() == 1);
        byte = static_cast<uint8_t>(set ? byte | bit : byte & ~bit);
        return;
    }
    case PixelKind::Direct:
        direct.Row(y)[x] = value;
        return;
    default:
        levels.Set(x, y, value);
        return;
    }
}

void PixelImage::Invert() {
    switch (KindOf(format)) {
    case PixelKind::Mono:
        bitmap.InvertDark();
        return;
    case PixelKind::Grey:
    case PixelKind::Alpha:
        levels.Invert();
        return;
    case PixelKind::Index:
    case PixelKind::Direct:
        return;
    }
}

void PixelImage::ShownColour(uint32_t x, uint32_t y, uint8_t rgba[4]) const {
    rgba[3] = 255;
    uint32_t grey = 0;
    switch (KindOf(format)) {
    case PixelKind::Direct:
        ColourOfValue(format, direct.Get(x, y), rgba);
        return;
    case PixelKind::Index: {
        const uint32_t value = levels.Get(x, y);
        const Rgb colour = value < inks.size() ? inks[value] : Rgb{0, 0, 0};
        rgba[0] = colour.r, rgba[1] = colour.g, rgba[2] = colour.b;
        return;
    }
    case PixelKind::Grey:
        grey = GreyOfLevel(levels.Get(x, y), levels.Depth());
        break;
    case PixelKind::Alpha:
        grey = 255 - GreyOfLevel(levels.Get(x, y), levels.Depth());
        break;
    case PixelKind::Mono:
        grey = bitmap.IsDark(x, y) ? 0 : 255;
        break;
    }
    rgba[0] = rgba[1] = rgba[2] = static_cast<uint8_t>(grey);
}

std::string PixelImage::DescribeValues() const {
    std::string text;
    switch (KindOf(format)) {
    case PixelKind::Direct:
        text += std::string("colour: ") + PixelFormatName(format) + "\n";
        text += Line("bytes a pixel", BytesOfValue(format) + (DirectRowOf(format)->alphaPlane ? 1 : 0));
        return text;
    case PixelKind::Mono:
        text += Line("stride", bitmap.Stride());
        text += "palette: " + EntryText(bitmap.PaletteEntry(0)) + " " + EntryText(bitmap.PaletteEntry(1)) + "\n";
        text += Line("dark palette entry", bitmap.DarkIndex());
        return text;
    default:
        break;
    }
    text += Line("depth", levels.Depth());
    text += Line("pixels a byte", 8 / levels.Depth());
    text += Line("stride", levels.Stride());
    if (KindOf(format) == PixelKind::Index) {
        text += "palette:";
        for (const Rgb& colour : palette) text += " " + ColourText(colour);
        text += "\n";
        if (inks == palette) return text;
        text += "inks:";  // what the panel shows for each value, where that is not the value's colour
        for (const Rgb& colour : inks) text += " " + ColourText(colour);
        return text + "\n";
    }
    return text + "levels: " + std::to_string(levels.MaxValue() + 1) + " (0 black to " +
           std::to_string(levels.MaxValue()) + " white)\n";
}
