#include "image/image_info.h"

#include <cinttypes>
#include <cstdio>

#include "core/array_text.h"
#include "core/packed_grid.h"
#include "image/presets.h"

namespace {

std::string Line(const char* key, uint64_t value) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %" PRIu64 "\n", key, value);
    return text;
}

std::string Colour(const bmp::RGBQUAD& entry) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    return text;
}

}  // namespace

std::string DescribeImage(const char* path, const InputSize& source, const Picture& picture,
                          const ConvertOptions& options, bool invert, const PackedGrid* grid) {
    const uint32_t width = picture.Width(), height = picture.Height();
    std::string text = std::string("file: ") + path + "\n";
    if (source.width != width || source.height != height)
        text += "source: " + std::to_string(source.width) + " x " + std::to_string(source.height) + "\n";
    text += Line("width", width);
    text += Line("height", height);
    uint32_t depth = 1;
    if (picture.InDirect()) {
        const DirectFormat format = picture.direct.Format();
        depth = 0;
        text += std::string("colour: ") + DirectFormatName(format) + "\n";
        text += Line("bytes a pixel", BytesOfValue(format) + (format == DirectFormat::Rgb565A8 ? 1 : 0));
    } else if (picture.InColour()) {
        const LevelImage& levels = picture.levels;
        depth = 0;
        text += Line("depth", levels.Depth());
        text += Line("pixels a byte", 8 / levels.Depth());
        text += Line("stride", levels.Stride());
        text += "palette:";
        for (const Rgb& colour : picture.palette) text += " " + ColourText(colour);
        text += "\n";
    } else if (picture.InLevels()) {
        const LevelImage& levels = picture.levels;
        depth = levels.Depth();
        text += Line("depth", depth);
        text += Line("pixels a byte", 8 / depth);
        text += Line("stride", levels.Stride());
        text += "levels: " + std::to_string(levels.MaxValue() + 1) + " (0 black to " +
                std::to_string(levels.MaxValue()) + " white)\n";
    } else {
        const MonoBitmap& bitmap = picture.mono;
        text += Line("stride", bitmap.Stride());
        text += "palette: " + Colour(bitmap.PaletteEntry(0)) + " " + Colour(bitmap.PaletteEntry(1)) + "\n";
        text += Line("dark palette entry", bitmap.DarkIndex());
    }
    text += "layout: " + LayoutInWords(options, invert) + "\n";
    if (const Preset* preset = depth ? MatchingPreset(options, invert, depth) : nullptr)
        text += std::string("preset: ") + preset->name + "\n";
    if (!grid) return text;
    text += Line("items per line", grid->ItemsPerLine());
    text += Line("line count", grid->LineCount());
    text += Line("bytes", static_cast<uint64_t>(grid->ItemsPerLine()) * grid->LineCount());
    text += Line("text length", ArrayTextLength(*grid));
    return text;
}
