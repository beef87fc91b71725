#include "image/colour_tone.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "core/direct_image.h"
#include "core/level_image.h"
#include "image/bayer.h"
#include "image/colour_space.h"

namespace {

// Row y as R, G, B, A: grey spread to three channels, alpha 255 where
// there is none; with `background` (0 to 255, or -1 to keep alpha) alpha is
// composited over it as the grey path does, and becomes 255.
void RgbaRow(const PixelRows& rows, uint32_t y, int background, uint8_t* out) {
    const uint8_t* p = rows.Row(y);
    const uint32_t c = rows.channels;
    for (uint32_t x = 0; x < rows.width; ++x, p += c, out += 4) {
        out[0] = p[0];
        out[1] = c >= 3 ? p[1] : p[0];
        out[2] = c >= 3 ? p[2] : p[0];
        out[3] = c % 2 == 0 ? p[c - 1] : 255;
        if (background < 0 || out[3] == 255) continue;
        const uint32_t alpha = out[3], rest = static_cast<uint32_t>(background) * (255 - alpha);
        for (int k = 0; k < 3; ++k) out[k] = static_cast<uint8_t>((out[k] * alpha + rest + 127) / 255);
        out[3] = 255;
    }
}

Linear LinearOf(const uint8_t* rgb) { return {LinearOfSrgb(rgb[0]), LinearOfSrgb(rgb[1]), LinearOfSrgb(rgb[2])}; }

struct Ink {
    uint32_t value;
    Linear light;
    Oklab lab;
};

// Chooses inks for rows of colour, from the top, into a created image.
class PaletteWriter {
public:
    PaletteWriter(const ToneOptions& tone, const Palette& palette, LevelImage* levels)
        : dither(tone.dither), levels(levels) {
        for (uint32_t v = 0; v < palette.Size(); ++v) {
            if (palette.unused[v]) continue;
            const Rgb c = palette.colours[v];
            const uint8_t rgb[3] = {c.r, c.g, c.b};
            const Linear light = LinearOf(rgb);
            inks.push_back({v, light, OklabOf(light)});
        }
        if (dither == Dither::FloydSteinberg || dither == Dither::Atkinson)
            for (std::vector<Linear>& row : errors) row.assign(levels->Width() + 4, Linear{0, 0, 0});
        cache.assign(kCacheSize, 0);
    }

    // `rgba`: the row's pixels, opaque.
    void Row(uint32_t y, const uint8_t* rgba) {
        const uint32_t width = levels->Width();
        switch (dither) {
        case Dither::None:
            for (uint32_t x = 0; x < width; ++x) levels->Set(x, y, Cached(rgba + 4 * x));
            return;
        case Dither::Bayer:
            for (uint32_t x = 0; x < width; ++x) levels->Set(x, y, Ordered(LinearOf(rgba + 4 * x), x, y));
            return;
        case Dither::FloydSteinberg:
        case Dither::Atkinson:
            Diffuse(y, rgba);
            return;
        }
    }

private:
    static const uint32_t kCacheSize = 4096;

    // Index into `inks` of the nearest, and of the second nearest.
    void Nearest(const Oklab& lab, size_t* first, size_t* second) const {
        double best = 1e300, next = 1e300;
        *first = *second = 0;
        for (size_t i = 0; i < inks.size(); ++i) {
            const double d = DistanceSquared(lab, inks[i].lab);
            if (d < best) {
                next = best, *second = *first;
                best = d, *first = i;
            } else if (d < next) {
                next = d, *second = i;
            }
        }
    }

    uint32_t NearestValue(const Linear& light) const {
        size_t first, second;
        Nearest(OklabOf(light), &first, &second);
        return inks[first].value;
    }

    // A colour seen before keeps its ink: photographs repeat colours.
    uint32_t Cached(const uint8_t* rgb) {
        const uint32_t key = static_cast<uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
        uint32_t& slot = cache[(key * 2654435761u) >> 20];
        if (slot >> 8 == key + 1) return slot & 0xFF;
        const uint32_t value = NearestValue(LinearOf(rgb));
        slot = (key + 1) << 8 | value;
        return value;
    }

    // Between the two nearest inks, by how far the colour lies from the
    // first to the second in linear light.
    uint32_t Ordered(const Linear& c, uint32_t x, uint32_t y) const {
        size_t first, second;
        Nearest(OklabOf(c), &first, &second);
        if (inks.size() < 2) return inks[first].value;
        const Linear& p = inks[first].light;
        const Linear& q = inks[second].light;
        const double dr = q.r - p.r, dg = q.g - p.g, db = q.b - p.b;
        const double along = (c.r - p.r) * dr + (c.g - p.g) * dg + (c.b - p.b) * db;
        const double length = dr * dr + dg * dg + db * db;
        const double threshold = (2.0 * kBayer8[y & 7][x & 7] + 1) / 128;
        return along > threshold * length ? inks[second].value : inks[first].value;
    }

    // The error in linear light, each channel kept within 0 to 1 so that a
    // colour no ink reaches does not pile up error without end.
    void Diffuse(uint32_t y, const uint8_t* rgba) {
        std::vector<Linear>& here = errors[0];
        std::vector<Linear>& below = errors[1];
        std::vector<Linear>& further = errors[2];
        const bool atkinson = dither == Dither::Atkinson;
        for (uint32_t x = 0; x < levels->Width(); ++x) {
            const Linear own = LinearOf(rgba + 4 * x);
            const Linear& carried = here[x + 2];
            const Linear c = {std::min(1.0, std::max(0.0, own.r + carried.r)),
                              std::min(1.0, std::max(0.0, own.g + carried.g)),
                              std::min(1.0, std::max(0.0, own.b + carried.b))};
            size_t first, second;
            Nearest(OklabOf(c), &first, &second);
            levels->Set(x, y, inks[first].value);
            const Linear& ink = inks[first].light;
            const Linear e = {c.r - ink.r, c.g - ink.g, c.b - ink.b};
            if (atkinson) {
                Spread(e, 1.0 / 8, {&here[x + 3], &here[x + 4], &below[x + 1], &below[x + 2], &below[x + 3],
                                    &further[x + 2]});
            } else {
                Spread(e, 7.0 / 16, {&here[x + 3]});
                Spread(e, 3.0 / 16, {&below[x + 1]});
                Spread(e, 5.0 / 16, {&below[x + 2]});
                Spread(e, 1.0 / 16, {&below[x + 3]});
            }
        }
        std::fill(here.begin(), here.end(), Linear{0, 0, 0});
        here.swap(below);
        below.swap(further);
    }

    static void Spread(const Linear& e, double share, std::initializer_list<Linear*> to) {
        for (Linear* cell : to) {
            cell->r += e.r * share;
            cell->g += e.g * share;
            cell->b += e.b * share;
        }
    }

    const Dither dither;
    LevelImage* levels;
    std::vector<Ink> inks;
    std::vector<Linear> errors[3];  // pixel x of a row is cell x + 2
    std::vector<uint32_t> cache;    // (RGB + 1) << 8 | value, by a hash of the RGB
};

// Per channel between the steps of a direct format.
class DirectWriter {
public:
    DirectWriter(const ToneOptions& tone, DirectImage* image) : dither(tone.dither), image(image) {
        ChannelBits(image->Format(), bits);
        if (dither == Dither::FloydSteinberg || dither == Dither::Atkinson)
            for (std::vector<int32_t>& row : errors) row.assign((image->Width() + 4) * 3, 0);
    }

    void Row(uint32_t y, const uint8_t* rgba) {
        uint32_t* out = image->Row(y);
        const DirectFormat format = image->Format();
        const uint32_t width = image->Width();
        if (dither == Dither::None) {
            for (uint32_t x = 0; x < width; ++x, rgba += 4) out[x] = DirectValue(format, rgba[0], rgba[1], rgba[2], rgba[3]);
            return;
        }
        for (uint32_t x = 0; x < width; ++x, rgba += 4) {
            uint32_t steps[3];
            for (int c = 0; c < 3; ++c)
                steps[c] = dither == Dither::Bayer ? Ordered(rgba[c], bits[c], x, y) : Diffused(x, c, rgba[c], bits[c]);
            // The alpha of the formats that keep it is 8 bits: nothing to dither.
            const uint32_t colour = steps[0] << (bits[1] + bits[2]) | steps[1] << bits[2] | steps[2];
            out[x] = format == DirectFormat::Argb8888   ? static_cast<uint32_t>(rgba[3]) << 24 | colour
                     : format == DirectFormat::Rgb565A8 ? static_cast<uint32_t>(rgba[3]) << 16 | colour
                                                        : colour;
        }
        if (dither != Dither::Bayer) NextRow();
    }

private:
    // The step of `bits` bits whose widened value is nearest `value`.
    static uint32_t NearestStep(int32_t value, uint32_t bits) {
        const int32_t top = (1 << bits) - 1;
        const int32_t v = std::min(255, std::max(0, value));
        const int32_t guess = (v * top + 127) / 255;
        int32_t best = guess, bestMiss = 256;
        for (int32_t s = std::max(0, guess - 1); s <= std::min(top, guess + 1); ++s) {
            const int32_t miss = std::abs(v - static_cast<int32_t>(WidenChannel(static_cast<uint32_t>(s), bits)));
            if (miss < bestMiss) best = s, bestMiss = miss;
        }
        return static_cast<uint32_t>(best);
    }

    static uint32_t Ordered(uint32_t value, uint32_t bits, uint32_t x, uint32_t y) {
        const uint32_t top = (1u << bits) - 1;
        uint32_t lower = value * top / 255;
        while (lower < top && WidenChannel(lower + 1, bits) <= value) ++lower;
        while (lower > 0 && WidenChannel(lower, bits) > value) --lower;
        if (lower == top) return top;
        const uint32_t from = WidenChannel(lower, bits), to = WidenChannel(lower + 1, bits);
        return (value - from) * 128 > (2u * kBayer8[y & 7][x & 7] + 1) * (to - from) ? lower + 1 : lower;
    }

    // Floyd-Steinberg (7, 3, 5 and the rest of 16, nothing lost to
    // rounding) or Atkinson (an eighth to six pixels), in sRGB units.
    uint32_t Diffused(uint32_t x, int c, uint32_t value, uint32_t bits) {
        int32_t* here = &errors[0][0];
        int32_t* below = &errors[1][0];
        int32_t* further = &errors[2][0];
        auto at = [c](uint32_t cell) { return cell * 3 + c; };
        const int32_t wanted = static_cast<int32_t>(value) + (dither == Dither::Atkinson ? here[at(x + 2)] / 8 : here[at(x + 2)]);
        const uint32_t step = NearestStep(wanted, bits);
        const int32_t error = std::min(255, std::max(0, wanted)) - static_cast<int32_t>(WidenChannel(step, bits));
        if (dither == Dither::Atkinson) {
            for (uint32_t cell : {x + 3, x + 4}) here[at(cell)] += error;
            for (uint32_t cell : {x + 1, x + 2, x + 3}) below[at(cell)] += error;
            further[at(x + 2)] += error;
        } else {
            const int32_t right = error * 7 / 16, left = error * 3 / 16, under = error * 5 / 16;
            here[at(x + 3)] += right;
            below[at(x + 1)] += left;
            below[at(x + 2)] += under;
            below[at(x + 3)] += error - right - left - under;
        }
        return step;
    }

    void NextRow() {
        std::fill(errors[0].begin(), errors[0].end(), 0);
        errors[0].swap(errors[1]);
        errors[1].swap(errors[2]);
    }

    const Dither dither;
    DirectImage* image;
    uint32_t bits[3];
    std::vector<int32_t> errors[3];  // three channels a cell; pixel x is cell x + 2
};

}  // namespace

bool ToPalette(const PixelRows& rows, const ToneOptions& tone, const Palette& palette, LevelImage* levels) {
    if (palette.Empty() || !levels->Create(rows.width, rows.height, palette.Depth())) return false;
    std::vector<uint8_t> rgba(static_cast<size_t>(rows.width) * 4 + 4);
    PaletteWriter writer(tone, palette, levels);
    const int background = tone.blackBackground ? 0 : 255;
    for (uint32_t y = 0; y < rows.height; ++y) {
        RgbaRow(rows, y, background, rgba.data());
        writer.Row(y, rgba.data());
    }
    return true;
}

bool ToDirect(const PixelRows& rows, const ToneOptions& tone, DirectFormat format, DirectImage* image) {
    if (!image->Create(rows.width, rows.height, format)) return false;
    std::vector<uint8_t> rgba(static_cast<size_t>(rows.width) * 4 + 4);
    DirectWriter writer(tone, image);
    const int background = KeepsAlpha(format) ? -1 : tone.blackBackground ? 0 : 255;
    for (uint32_t y = 0; y < rows.height; ++y) {
        RgbaRow(rows, y, background, rgba.data());
        writer.Row(y, rgba.data());
    }
    return true;
}

uint32_t NearestInk(const Palette& palette, Rgb colour) {
    LevelImage one;
    const uint8_t rgba[4] = {colour.r, colour.g, colour.b, 255};
    const PixelRows rows = {rgba, 1, 1, 4, 4};
    ToneOptions tone;
    tone.dither = Dither::None;
    return ToPalette(rows, tone, palette, &one) ? one.Get(0, 0) : 0;
}
