#include "image/image_info.h"

#include <cinttypes>
#include <cstdio>

#include "core/array_text.h"
#include "core/packed_grid.h"
#include "image/palette.h"
#include "image/presets.h"

namespace {

std::string Line(const char* key, uint64_t value) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %" PRIu64 "\n", key, value);
    return text;
}

// How a camera's picture was stood upright, in words.
const char* UprightInWords(int orientation) {
    static const char* const kWords[8] = {
        "as stored",
        "mirrored left to right",
        "turned half round",
        "mirrored top to bottom",
        "turned a quarter clockwise, then mirrored left to right",
        "turned a quarter clockwise",
        "turned a quarter clockwise, then mirrored top to bottom",
        "turned a quarter anticlockwise",
    };
    return orientation >= 1 && orientation <= 8 ? kWords[orientation - 1] : kWords[0];
}

}  // namespace

namespace {

// The colour presets whose packing, palette or colour format these are,
// by commas: several direct-colour presets share a layout and differ only
// in byte order or C values, which the image does not tell.
std::string MatchingColourPresets(const ConvertOptions& layout, bool invert, const PixelImage& image) {
    const PixelKind kind = KindOf(image.Format());
    if (kind != PixelKind::Index && kind != PixelKind::Direct) return std::string();
    std::string names;
    for (const Preset* preset = PresetsBegin(); preset != PresetsEnd(); ++preset) {
        const ConvertOptions& l = preset->layout;
        if (preset->invert != invert || l.msbReverse != layout.msbReverse || l.bitHorizontal != layout.bitHorizontal ||
            l.byteHorizontal != layout.byteHorizontal)
            continue;
        bool same = false;
        if (kind == PixelKind::Direct) {
            same = preset->format == image.Format();
        } else if (preset->palette) {
            Palette palette;
            std::string unused;
            same = ParsePalette(preset->palette, &palette, &unused) && palette.colours == image.Palette();
        }
        if (same) names += (names.empty() ? "" : ", ") + std::string(preset->name);
    }
    return names;
}

}  // namespace

std::string DescribeImage(const char* path, const InputSize& source, const PixelImage& image,
                          const ConvertOptions& options, bool invert, const PackedGrid* grid, bool fillWhite) {
    const uint32_t width = image.Width(), height = image.Height();
    std::string text = std::string("file: ") + path + "\n";
    if (source.width != width || source.height != height)
        text += "source: " + std::to_string(source.width) + " x " + std::to_string(source.height) + "\n";
    if (source.orientation != 1)
        text += "orientation: " + std::to_string(source.orientation) +
                " (EXIF): " + UprightInWords(source.orientation) + " to stand upright\n";
    text += Line("width", width);
    text += Line("height", height);
    text += image.DescribeValues();
    text += "layout: " + LayoutInWords(options, invert, fillWhite) + "\n";
    if (const Preset* preset = MatchingPreset(options, invert, image.Format()))
        text += std::string("preset: ") + preset->name + "\n";
    const std::string colourPresets = MatchingColourPresets(options, invert, image);
    if (!colourPresets.empty()) text += "preset: " + colourPresets + "\n";
    if (!grid) return text;
    text += Line("items per line", grid->ItemsPerLine());
    text += Line("line count", grid->LineCount());
    text += Line("bytes", static_cast<uint64_t>(grid->ItemsPerLine()) * grid->LineCount());
    text += Line("text length", ArrayTextLength(*grid));
    return text;
}
