#include "image/grey_tone.h"

#include <algorithm>
#include <memory>
#include <new>

#include "core/level_image.h"
#include "core/mono_bitmap.h"
#include "image/image_options.h"

namespace {

// Row y of the source as a grey format reads it: the framed bytes as they
// are, or a decoded row made grey into `buffer`.
const uint8_t* GreyRow(const ToneSource& source, uint32_t y, GreyFrom from, uint8_t* buffer) {
    if (source.flat) return source.rows.Row(y);
    FlattenRow(source.rows, y, source.background, buffer, from);
    return buffer;
}

// Dark and light, into a created 1-bit image: a dark pixel is a clear bit,
// as palette entry 0 of a created image is black. Errors in whole grey
// levels, summed in parts of the kernel.
class DarkLight {
public:
    typedef int32_t Error;
    static const ErrorSums kSums = ErrorSums::Scaled;

    DarkLight(const ToneOptions& tone, MonoBitmap* bitmap) : threshold(tone.thresholdHundredths), bitmap(bitmap) {
        for (uint32_t grey = 0; grey < 256; ++grey) dark[grey] = grey * 100 < threshold;
        // The ordered thresholds spread evenly around the level, as widely as
        // 0 and 255 allow: at 50 % from 0 to 255, at 0 % and 100 % not at all.
        spread = 2 * std::min<int64_t>(threshold, 25500 - threshold);
    }

    void Take(uint32_t y, const uint8_t* greys) {
        grey = greys;
        bits = bitmap->Row(y);
    }

    void Nearest(uint32_t) {
        for (uint32_t x = 0; x < bitmap->Width(); ++x) Set(x, dark[grey[x]]);
    }

    // Dark takes the places from the top of the order: the way to dark is
    // how far the grey lies below the top of the spread around the level.
    void Ordered(uint32_t x, uint32_t y) {
        const int64_t towardsDark = spread / 2 + threshold - static_cast<int64_t>(grey[x]) * 100;
        Set(x, OrderedTakesUpper(towardsDark, spread, 63 - OrderedRank(x, y)));
    }

    bool Diffused(uint32_t x, uint32_t, const Error& carried, Error* miss) {
        const int32_t value = static_cast<int32_t>(grey[x]) + carried;
        const bool isDark = static_cast<int64_t>(value) * 100 < threshold;
        Set(x, isDark);
        *miss = value - (isDark ? 0 : 255);
        return true;
    }

private:
    void Set(uint32_t x, bool isDark) {
        if (isDark) bits[x >> 3] &= static_cast<uint8_t>(~(0x80u >> (x & 7)));
    }

    const int64_t threshold;
    MonoBitmap* bitmap;
    int64_t spread;
    bool dark[256];
    const uint8_t* grey = nullptr;
    uint8_t* bits = nullptr;
};

// Evenly spaced levels, into a created image: errors in whole grey levels,
// without rounding loss.
class Levels {
public:
    typedef int32_t Error;
    static const ErrorSums kSums = ErrorSums::Exact;

    explicit Levels(LevelImage* levels) : levels(levels), top(levels->MaxValue()) {
        for (uint32_t grey = 0; grey < 256; ++grey) nearest[grey] = static_cast<uint8_t>(NearestLevel(grey));
    }

    void Take(uint32_t, const uint8_t* greys) { grey = greys; }

    // Whole bytes at a time: the levels of 8 / depth pixels, the first in
    // the high bits.
    void Nearest(uint32_t y) {
        const uint32_t width = levels->Width(), depth = levels->Depth(), perByte = 8 / depth;
        uint8_t* row = levels->Row(y);
        uint32_t x = 0;
        for (; x + perByte <= width; x += perByte) {
            uint32_t byte = 0;
            for (uint32_t k = 0; k < perByte; ++k) byte = byte << depth | nearest[grey[x + k]];
            *row++ = static_cast<uint8_t>(byte);
        }
        for (; x < width; ++x) levels->Set(x, y, nearest[grey[x]]);
    }

    // Between levels `lower` and `lower` + 1, `part` 255ths of the way.
    void Ordered(uint32_t x, uint32_t y) {
        const uint32_t scaled = grey[x] * top, lower = scaled / 255, part = scaled % 255;
        levels->Set(x, y, lower + (OrderedTakesUpper(part, 255, OrderedRank(x, y)) ? 1 : 0));
    }

    bool Diffused(uint32_t x, uint32_t y, const Error& carried, Error* miss) {
        const int32_t value = static_cast<int32_t>(grey[x]) + carried;
        const uint32_t level = NearestLevel(value);
        levels->Set(x, y, level);
        *miss = value - static_cast<int32_t>(GreyOfLevel(level, levels->Depth()));
        return true;
    }

private:
    // The level nearest to a grey, which may lie outside 0 to 255 when it
    // carries an error.
    uint32_t NearestLevel(int32_t value) const {
        if (value <= 0) return 0;
        if (value >= 255) return top;
        return (static_cast<uint32_t>(value) * top + 127) / 255;
    }

    LevelImage* levels;
    const uint32_t top;  // the highest level
    uint8_t nearest[256];
    const uint8_t* grey = nullptr;
};

// Every row of the source through the quantiser and the dither.
template <typename Quantiser>
bool ToneGreys(const ToneSource& source, const ToneOptions& tone, GreyFrom from, Quantiser& quantiser) {
    std::unique_ptr<uint8_t[]> buffer;
    if (!source.flat) {
        buffer.reset(new (std::nothrow) uint8_t[source.rows.width + 1]);
        if (!buffer) return false;
    }
    DitherWalk<Quantiser> walk(quantiser, tone.dither, source.rows.width, tone.serpentine);
    for (uint32_t y = 0; y < source.rows.height; ++y) {
        quantiser.Take(y, GreyRow(source, y, from, buffer.get()));
        walk.Row(y);
    }
    return true;
}

}  // namespace

bool ToneDarkLight(const ToneSource& source, const ToneOptions& tone, MonoBitmap* bitmap) {
    if (!bitmap->Create(source.rows.width, source.rows.height)) return false;
    DarkLight quantiser(tone, bitmap);
    return ToneGreys(source, tone, GreyFrom::Luminance, quantiser);
}

bool ToneLevels(const ToneSource& source, const ToneOptions& tone, PixelFormat format, LevelImage* levels) {
    if (!levels->Create(source.rows.width, source.rows.height, BitsOf(format))) return false;
    Levels quantiser(levels);
    return ToneGreys(source, tone, GreyFromOf(format), quantiser);
}

bool LevelsOfBitmap(const MonoBitmap& bitmap, PixelFormat format, LevelImage* levels) {
    const uint32_t depth = BitsOf(format);
    if (!levels->Create(bitmap.Width(), bitmap.Height(), depth)) return false;
    if (bitmap.Width() == 0) return true;  // a 1-bit file may claim any number of empty rows
    const uint32_t top = levels->MaxValue(), dark = GreyFromOf(format) == GreyFrom::Coverage ? top : 0;
    // Eight pixels at a time: each dark byte's values fill `depth` bytes,
    // the first pixel in the high bits.
    uint8_t spread[256][8];
    for (uint32_t bits = 0; bits < 256; ++bits) {
        uint64_t values = 0;
        for (uint32_t k = 0; k < 8; ++k) values = values << depth | (bits >> (7 - k) & 1 ? dark : top - dark);
        for (uint32_t b = 0; b < depth; ++b) spread[bits][b] = static_cast<uint8_t>(values >> 8 * (depth - 1 - b));
    }
    const uint32_t whole = bitmap.Width() / 8;
    for (uint32_t y = 0; y < bitmap.Height(); ++y) {
        uint8_t* row = levels->Row(y);
        for (uint32_t i = 0; i < whole; ++i) std::copy_n(spread[bitmap.DarkByte(i, y)], depth, row + i * depth);
        for (uint32_t x = whole * 8; x < bitmap.Width(); ++x)
            levels->Set(x, y, bitmap.IsDark(x, y) ? dark : top - dark);
    }
    return true;
}
