#include "image/tone.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/mono_bitmap.h"
#include "image/image_decoder.h"

namespace {

// The grey level of pixel x of a row: colours by their luminance
// (77 R + 150 G + 29 B) / 256, ITU-R BT.601 in eighths of a percent, then
// alpha composited over the background.
struct Compositor {
    const uint8_t* row;
    uint32_t channels;
    uint32_t background;

    uint32_t At(uint32_t x) const {
        const uint8_t* p = row + static_cast<size_t>(x) * channels;
        uint32_t grey = channels >= 3 ? (77u * p[0] + 150u * p[1] + 29u * p[2]) >> 8 : p[0];
        if (channels % 2 == 1) return grey;
        uint32_t alpha = p[channels - 1];
        return (grey * alpha + background * (255 - alpha) + 127) / 255;
    }
};

Compositor RowOf(const GreyImage& image, const ToneOptions& tone, uint32_t y) {
    return {image.Pixels() + static_cast<size_t>(y) * image.Width() * image.Channels(),
            image.Channels(), tone.blackBackground ? 0u : 255u};
}

// Collects the dark bits of one row, leftmost pixel in bit 7; a dark pixel
// is a clear bit, as palette entry 0 of a created image is black.
class RowBits {
public:
    explicit RowBits(uint8_t* row) : row(row) {}
    void Set(uint32_t x, bool dark) {
        if (dark) row[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
    }

private:
    uint8_t* row;
};

void Threshold(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap) {
    bool dark[256];
    for (uint32_t grey = 0; grey < 256; ++grey) dark[grey] = grey * 100 < tone.level;
    const uint32_t width = image.Width();
    for (uint32_t y = 0; y < image.Height(); ++y) {
        Compositor pixels = RowOf(image, tone, y);
        RowBits bits(bitmap->Row(y));
        for (uint32_t x = 0; x < width; ++x) bits.Set(x, dark[pixels.At(x)]);
    }
}

// Floyd-Steinberg: each pixel's rounding error goes 7/16 to the right,
// 3/16, 5/16 and 1/16 to the three pixels below. Errors are kept in
// sixteenths; the lists have a spare cell at each end.
void Dither(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap,
            std::vector<int32_t>& here, std::vector<int32_t>& below) {
    const uint32_t width = image.Width();
    for (uint32_t y = 0; y < image.Height(); ++y) {
        Compositor pixels = RowOf(image, tone, y);
        RowBits bits(bitmap->Row(y));
        std::fill(below.begin(), below.end(), 0);
        for (uint32_t x = 0; x < width; ++x) {
            int32_t value = static_cast<int32_t>(pixels.At(x)) + here[x + 1] / 16;
            bool dark = static_cast<int64_t>(value) * 100 < static_cast<int64_t>(tone.level);
            bits.Set(x, dark);
            int32_t error = value - (dark ? 0 : 255);
            here[x + 2] += error * 7;
            below[x] += error * 3;
            below[x + 1] += error * 5;
            below[x + 2] += error;
        }
        here.swap(below);
    }
}

}  // namespace

bool ParseThreshold(const char* text, uint32_t* level) {
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || !(value >= 0)) return false;
    if (*end == '%' && end[1] == '\0') {
        if (value > 100) return false;
        *level = static_cast<uint32_t>(value * 255 + 0.5);  // hundredths of a grey level
        return true;
    }
    if (*end != '\0' || value > 255 || value != static_cast<uint32_t>(value)) return false;
    *level = static_cast<uint32_t>(value) * 100;
    return true;
}

bool ToMono(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap) {
    if (!bitmap->Create(image.Width(), image.Height())) return false;
    if (!tone.dither) {
        Threshold(image, tone, bitmap);
        return true;
    }
    std::vector<int32_t> here(static_cast<size_t>(image.Width()) + 2, 0);
    std::vector<int32_t> below(here.size(), 0);
    Dither(image, tone, bitmap, here, below);
    return true;
}
