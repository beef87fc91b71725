#include "image/tone.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "core/mono_bitmap.h"
#include "image/bayer.h"
#include "image/grey_plane.h"
#include "image/image_decoder.h"

namespace {

// Takes the rows of grey levels from the top and sets the dark pixels of a
// created image; a dark pixel is a clear bit, as palette entry 0 of a
// created image is black.
class ToneWriter {
public:
    ToneWriter(const ToneOptions& tone, MonoBitmap* bitmap) : tone(tone), bitmap(bitmap) {
        for (uint32_t grey = 0; grey < 256; ++grey) dark[grey] = grey * 100 < tone.thresholdHundredths;
        // Error rows with spare cells at both ends, for the pixels beyond.
        const size_t cells = static_cast<size_t>(bitmap->Width()) + 4;
        if (tone.dither == Dither::FloydSteinberg || tone.dither == Dither::Atkinson)
            errors[0].assign(cells, 0), errors[1].assign(cells, 0), errors[2].assign(cells, 0);
        // The ordered thresholds spread evenly around the level, as widely as
        // 0 and 255 allow: at 50 % from 0 to 255, at 0 % and 100 % not at all.
        const int64_t spread = 2 * std::min<int64_t>(tone.thresholdHundredths, 25500 - tone.thresholdHundredths);
        for (int b = 0; b < 64; ++b) ordered[b] = tone.thresholdHundredths * 128 - 64 * spread + (2 * b + 1) * spread;
    }

    void Row(uint32_t y, const uint8_t* grey) {
        uint8_t* bits = bitmap->Row(y);
        const uint32_t width = bitmap->Width();
        switch (tone.dither) {
        case Dither::None:
            for (uint32_t x = 0; x < width; ++x) Set(bits, x, dark[grey[x]]);
            return;
        case Dither::FloydSteinberg:
            FloydSteinberg(bits, grey, width);
            return;
        case Dither::Atkinson:
            Atkinson(bits, grey, width);
            return;
        case Dither::Bayer:
            for (uint32_t x = 0; x < width; ++x)
                Set(bits, x, int64_t(grey[x]) * 100 * 128 < ordered[kBayer8[y & 7][x & 7]]);
            return;
        }
    }

private:
    static void Set(uint8_t* bits, uint32_t x, bool isDark) {
        if (isDark) bits[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
    }

    bool Decide(int32_t value) const { return static_cast<int64_t>(value) * 100 < tone.thresholdHundredths; }

    // Errors in sixteenths: pixel x of this row is cell x + 1 of errors[0],
    // of the next row errors[1].
    void FloydSteinberg(uint8_t* bits, const uint8_t* grey, uint32_t width) {
        std::vector<int32_t>& here = errors[0];
        std::vector<int32_t>& below = errors[1];
        std::fill(below.begin(), below.end(), 0);
        for (uint32_t x = 0; x < width; ++x) {
            int32_t value = static_cast<int32_t>(grey[x]) + here[x + 1] / 16;
            bool isDark = Decide(value);
            Set(bits, x, isDark);
            int32_t error = value - (isDark ? 0 : 255);
            here[x + 2] += error * 7;
            below[x] += error * 3;
            below[x + 1] += error * 5;
            below[x + 2] += error;
        }
        here.swap(below);
    }

    // Errors in eighths, one eighth to each of two pixels on the right, three
    // below and one two rows down; a quarter of the error is let go.
    void Atkinson(uint8_t* bits, const uint8_t* grey, uint32_t width) {
        std::vector<int32_t>& here = errors[0];
        std::vector<int32_t>& below = errors[1];
        std::vector<int32_t>& further = errors[2];
        for (uint32_t x = 0; x < width; ++x) {
            int32_t value = static_cast<int32_t>(grey[x]) + here[x + 1] / 8;
            bool isDark = Decide(value);
            Set(bits, x, isDark);
            int32_t error = value - (isDark ? 0 : 255);
            here[x + 2] += error;
            here[x + 3] += error;
            below[x] += error;
            below[x + 1] += error;
            below[x + 2] += error;
            further[x + 1] += error;
        }
        std::fill(here.begin(), here.end(), 0);
        here.swap(below);
        below.swap(further);
    }

    const ToneOptions& tone;
    MonoBitmap* bitmap;
    bool dark[256];
    std::vector<int32_t> errors[3];
    int64_t ordered[64];  // 128 x 100 x the threshold of each place in the map
};

}  // namespace

bool ParseThreshold(const char* text, uint32_t* hundredths) {
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || !(value >= 0)) return false;
    if (*end == '%' && end[1] == '\0') {
        if (value > 100) return false;
        *hundredths = static_cast<uint32_t>(value * 255 + 0.5);
        return true;
    }
    if (*end != '\0' || value > 255 || value != static_cast<uint32_t>(value)) return false;
    *hundredths = static_cast<uint32_t>(value) * 100;
    return true;
}

bool ToMono(const GreyImage& image, const ToneOptions& tone, MonoBitmap* bitmap) {
    if (!bitmap->Create(image.Width(), image.Height())) return false;
    std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[image.Width() + 1]);
    if (!row) return false;
    ToneWriter writer(tone, bitmap);
    const uint32_t background = tone.blackBackground ? 0 : 255;
    for (uint32_t y = 0; y < image.Height(); ++y) {
        FlattenRow(image, y, background, row.get());
        writer.Row(y, row.get());
    }
    return true;
}

bool ToMono(const Plane& plane, const ToneOptions& tone, MonoBitmap* bitmap) {
    if (!bitmap->Create(plane.Width(), plane.Height())) return false;
    ToneWriter writer(tone, bitmap);
    for (uint32_t y = 0; y < plane.Height(); ++y) writer.Row(y, plane.Row(y));
    return true;
}
