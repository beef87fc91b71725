#include "image/image_info.h"

#include <cinttypes>
#include <cstdio>

#include "core/array_text.h"
#include "core/byte_scanner.h"
#include "core/mono_bitmap.h"
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

std::string DescribeImage(const char* path, const InputSize& source, const MonoBitmap& bitmap,
                          const ConvertOptions& options, bool invert, const ByteScanner* scanner) {
    std::string text = std::string("file: ") + path + "\n";
    if (source.width != bitmap.Width() || source.height != bitmap.Height())
        text += "source: " + std::to_string(source.width) + " x " + std::to_string(source.height) + "\n";
    text += Line("width", bitmap.Width());
    text += Line("height", bitmap.Height());
    text += Line("stride", bitmap.Stride());
    text += "palette: " + Colour(bitmap.PaletteEntry(0)) + " " + Colour(bitmap.PaletteEntry(1)) + "\n";
    text += Line("dark palette entry", bitmap.DarkIndex());
    text += "layout: " + LayoutInWords(options, invert) + "\n";
    if (const Preset* preset = MatchingPreset(options, invert)) text += std::string("preset: ") + preset->name + "\n";
    if (!scanner) return text;
    text += Line("items per line", scanner->ItemsPerLine());
    text += Line("line count", scanner->LineCount());
    text += Line("bytes", static_cast<uint64_t>(scanner->ItemsPerLine()) * scanner->LineCount());
    text += Line("text length", ArrayTextLength(*scanner));
    return text;
}
