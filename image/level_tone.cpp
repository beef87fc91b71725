#include "image/level_tone.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "core/level_image.h"
#include "image/bayer.h"
#include "image/grey_plane.h"
#include "image/image_decoder.h"

namespace {

// Takes the rows of grey levels from the top and sets the levels of a
// created image.
class LevelWriter {
public:
    LevelWriter(const ToneOptions& tone, LevelImage* levels)
        : dither(tone.dither), levels(levels), top(levels->MaxValue()) {
        for (uint32_t grey = 0; grey < 256; ++grey) nearest[grey] = static_cast<uint8_t>(Nearest(grey));
        if (dither == Dither::FloydSteinberg || dither == Dither::Atkinson) {
            // Error rows with spare cells at both ends, for the pixels beyond.
            const size_t cells = static_cast<size_t>(levels->Width()) + 4;
            for (std::vector<int32_t>& row : errors) row.assign(cells, 0);
        }
    }

    void Row(uint32_t y, const uint8_t* grey) {
        const uint32_t width = levels->Width();
        switch (dither) {
        case Dither::None: {
            // Whole bytes at a time: the levels of 8 / depth pixels, the
            // first in the high bits.
            const uint32_t depth = levels->Depth(), perByte = 8 / depth;
            uint8_t* row = levels->Row(y);
            uint32_t x = 0;
            for (; x + perByte <= width; x += perByte) {
                uint32_t byte = 0;
                for (uint32_t k = 0; k < perByte; ++k) byte = byte << depth | nearest[grey[x + k]];
                *row++ = static_cast<uint8_t>(byte);
            }
            for (; x < width; ++x) levels->Set(x, y, nearest[grey[x]]);
            return;
        }
        case Dither::Bayer:
            for (uint32_t x = 0; x < width; ++x) {
                // Between levels `lower` and `lower` + 1, `part` 255ths of the way.
                const uint32_t scaled = grey[x] * top, lower = scaled / 255, part = scaled % 255;
                levels->Set(x, y, lower + (part * 128 > (2u * kBayer8[y & 7][x & 7] + 1) * 255 ? 1 : 0));
            }
            return;
        case Dither::FloydSteinberg:
            FloydSteinberg(y, grey, width);
            return;
        case Dither::Atkinson:
            Atkinson(y, grey, width);
            return;
        }
    }

private:
    // The level nearest to a grey, which may lie outside 0 to 255 when it
    // carries an error.
    uint32_t Nearest(int32_t grey) const {
        if (grey <= 0) return 0;
        if (grey >= 255) return top;
        return (static_cast<uint32_t>(grey) * top + 127) / 255;
    }

    // Sets the level nearest `value` and gives back what it misses by.
    int32_t Place(uint32_t x, uint32_t y, int32_t value) {
        const uint32_t level = Nearest(value);
        levels->Set(x, y, level);
        return value - static_cast<int32_t>(GreyOfLevel(level, levels->Depth()));
    }

    // Errors in grey levels: pixel x of this row is cell x + 1 of errors[0],
    // of the next row errors[1]; 7/16 right, 3/16, 5/16 and what is left
    // below, so that no part of the error is lost to rounding (the levels
    // lie close together, and the small errors between them add up).
    void FloydSteinberg(uint32_t y, const uint8_t* grey, uint32_t width) {
        std::vector<int32_t>& here = errors[0];
        std::vector<int32_t>& below = errors[1];
        std::fill(below.begin(), below.end(), 0);
        for (uint32_t x = 0; x < width; ++x) {
            const int32_t error = Place(x, y, static_cast<int32_t>(grey[x]) + here[x + 1]);
            const int32_t right = error * 7 / 16, left = error * 3 / 16, under = error * 5 / 16;
            here[x + 2] += right;
            below[x] += left;
            below[x + 1] += under;
            below[x + 2] += error - right - left - under;
        }
        here.swap(below);
    }

    // Errors in grey levels, an eighth to each of two pixels on the right,
    // three below and one two rows down: Atkinson's own quarter of the error
    // is let go, which keeps highlights and shadows clean and pulls a grey
    // near a level towards it.
    void Atkinson(uint32_t y, const uint8_t* grey, uint32_t width) {
        std::vector<int32_t>& here = errors[0];
        std::vector<int32_t>& below = errors[1];
        std::vector<int32_t>& further = errors[2];
        for (uint32_t x = 0; x < width; ++x) {
            const int32_t error = Place(x, y, static_cast<int32_t>(grey[x]) + here[x + 1] / 8);
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

    const Dither dither;
    LevelImage* levels;
    const uint32_t top;    // the highest level
    uint8_t nearest[256];  // each grey's nearest level
    std::vector<int32_t> errors[3];
};

}  // namespace

bool ToLevels(const Plane& plane, const ToneOptions& tone, uint32_t depth, LevelImage* levels) {
    if (!levels->Create(plane.Width(), plane.Height(), depth)) return false;
    LevelWriter writer(tone, levels);
    for (uint32_t y = 0; y < plane.Height(); ++y) writer.Row(y, plane.Row(y));
    return true;
}

bool ToLevels(const GreyImage& image, const ToneOptions& tone, uint32_t depth, GreyFrom from, LevelImage* levels) {
    if (!levels->Create(image.Width(), image.Height(), depth)) return false;
    std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[image.Width() + 1]);
    if (!row) return false;
    LevelWriter writer(tone, levels);
    const uint32_t background = tone.blackBackground ? 0 : 255;
    for (uint32_t y = 0; y < image.Height(); ++y) {
        FlattenRow(image, y, background, row.get(), from);
        writer.Row(y, row.get());
    }
    return true;
}
