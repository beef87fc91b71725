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

}  // namespace

std::string DescribeImage(const char* path, const InputSize& source, const PixelImage& image,
                          const ConvertOptions& options, bool invert, const PackedGrid* grid) {
    const uint32_t width = image.Width(), height = image.Height();
    std::string text = std::string("file: ") + path + "\n";
    if (source.width != width || source.height != height)
        text += "source: " + std::to_string(source.width) + " x " + std::to_string(source.height) + "\n";
    text += Line("width", width);
    text += Line("height", height);
    text += image.DescribeValues();
    text += "layout: " + LayoutInWords(options, invert) + "\n";
    if (const Preset* preset = MatchingPreset(options, invert, image.Format()))
        text += std::string("preset: ") + preset->name + "\n";
    if (!grid) return text;
    text += Line("items per line", grid->ItemsPerLine());
    text += Line("line count", grid->LineCount());
    text += Line("bytes", static_cast<uint64_t>(grid->ItemsPerLine()) * grid->LineCount());
    text += Line("text length", ArrayTextLength(*grid));
    return text;
}
