#include "image/colour_tone.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/direct_image.h"
#include "core/level_image.h"
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
    Rgb colour;    // the value's own colour, as the palette names it
    Linear light;  // what the panel shows for it
    Oklab lab;
    bool grey;  // black, white or a grey
};

// The pure colours a drawing is made of, each landing on the ink of its
// own hue whatever RGB the palette gives that ink (a panel's measured red
// is duller than #FF0000, and plain nearness could send #FF0000 to orange).
const uint32_t kPure[] = {0x000000, 0xFFFFFF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x0000FF};

double Chroma(const Oklab& c) { return std::sqrt(c.a * c.a + c.b * c.b); }

// OKLab chroma below which a colour is a grey to the eye, and below which
// an ink counts as black, white or grey (but a measured ink is a grey when
// its value's colour is: Spectra 6's green is as dull as 0.06).
const double kNoColour = 0.02;
const double kLittleColour = 0.08;

// Chooses inks for rows of colour, from the top, into a created image.
// A palette's inks: each pixel the ink nearest in OKLab, or a mix of inks.
// Errors in linear light.
class Inks {
public:
    typedef Linear Error;
    static const ErrorSums kSums = ErrorSums::Real;

    Inks(const Palette& palette, Dither dither, LevelImage* levels)
        : ordered(dither == Dither::Bayer), measured(palette.HasMeasuredInks()), levels(levels) {
        const bool diffuses = dither == Dither::FloydSteinberg || dither == Dither::Atkinson;
        for (uint32_t v = 0; v < palette.Size(); ++v) {
            if (palette.unused[v]) continue;
            const Rgb c = palette.inks[v];
            const uint8_t rgb[3] = {c.r, c.g, c.b};
            const Linear light = LinearOf(rgb);
            const Oklab lab = OklabOf(light);
            const Rgb named = palette.colours[v];
            const bool grey = measured ? named.r == named.g && named.g == named.b : Chroma(lab) < kLittleColour;
            inks.push_back({v, named, light, lab, grey});
        }
        for (size_t i = 0; i < sizeof kPure / sizeof kPure[0]; ++i) anchors[i] = Anchor(kPure[i]);
        // The photograph's black and white become the panel's measured
        // inks', channel by channel in light, so that no error is spent on
        // a light the panel cannot reach. Inks that are their colours (a
        // palette given as the panel's values) leave every colour as it is.
        if (measured && anchors[0] >= 0 && anchors[1] >= 0) {
            black = inks[static_cast<size_t>(anchors[0])].light;
            const Linear& white = inks[static_cast<size_t>(anchors[1])].light;
            span = {white.r - black.r, white.g - black.g, white.b - black.b};
        }
        // Only the choices without diffusion are remembered.
        if (ordered || !diffuses) cache.assign(kCacheSize, Cached{0, 0, 0, 0});
    }

    // `rgba`: the row's pixels, opaque.
    void Take(uint32_t, const uint8_t* rgba) { row = rgba; }

    void Nearest(uint32_t y) {
        for (uint32_t x = 0; x < levels->Width(); ++x) levels->Set(x, y, Choice(row + 4 * x).first);
    }

    void Ordered(uint32_t x, uint32_t y) {
        const Cached& choice = Choice(row + 4 * x);
        levels->Set(x, y, OrderedTakesUpper(choice.share, OrderedRank(x, y)) ? choice.second : choice.first);
    }

    // Each channel of a pixel with its error is kept within -1 to 2: wide
    // enough that no error between the inks is lost (cutting at 0 would
    // lighten the shadows, as the choice between black and white falls at a
    // light of 0.125), narrow enough that a colour no ink reaches does not
    // pile up error without end. A pure colour takes its own ink and passes
    // no error on.
    bool Diffused(uint32_t x, uint32_t y, const Linear& carried, Linear* miss) {
        const int anchor = AnchorOf(row + 4 * x);
        if (anchor >= 0) {
            levels->Set(x, y, inks[static_cast<size_t>(anchor)].value);
            return false;
        }
        const Linear own = Fitted(LinearOf(row + 4 * x));
        const Linear c = {std::min(2.0, std::max(-1.0, own.r + carried.r)),
                          std::min(2.0, std::max(-1.0, own.g + carried.g)),
                          std::min(2.0, std::max(-1.0, own.b + carried.b))};
        // On a panel's measured inks a grey keeps to the grey inks: its
        // error, carried in three channels, would otherwise scatter
        // coloured dots through every shadow.
        const size_t nearest = NearestInk(OklabOf(c), measured && IsGrey(row + 4 * x));
        levels->Set(x, y, inks[nearest].value);
        const Linear& ink = inks[nearest].light;
        *miss = {c.r - ink.r, c.g - ink.g, c.b - ink.b};
        return true;
    }

private:
    static const uint32_t kCacheSize = 4096;
    // What a colour takes: an ink (`first`), or for Bayer a mix of two
    // inks, `second` on `share` of the places.
    struct Cached {
        uint32_t key;  // (RGB + 1); 0: empty
        uint32_t first, second;
        double share;
    };

    // The ink of a pure colour's own: the value named by that colour;
    // without one, black and white the darkest and the lightest ink with
    // little colour in it, the others the ink nearest in hue, within 40
    // degrees. The index into `inks`, or -1 for none.
    int Anchor(uint32_t rgb) const {
        const uint8_t bytes[3] = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                                  static_cast<uint8_t>(rgb)};
        for (size_t i = 0; i < inks.size(); ++i)
            if (inks[i].colour == Rgb{bytes[0], bytes[1], bytes[2]}) return static_cast<int>(i);
        const Oklab pure = OklabOf(LinearOf(bytes));
        int best = -1;
        double bestScore = 0;
        for (size_t i = 0; i < inks.size(); ++i) {
            const Oklab& ink = inks[i].lab;
            double score;
            if (rgb == 0 || rgb == 0xFFFFFF) {
                if (!inks[i].grey) continue;
                score = rgb == 0 ? -ink.l : ink.l;
                if (rgb == 0 ? ink.l > 0.5 : ink.l < 0.5) continue;
            } else {
                if (Chroma(ink) < 0.04) continue;
                const double cosine = (ink.a * pure.a + ink.b * pure.b) / (Chroma(ink) * Chroma(pure));
                if (cosine < 0.766) continue;  // cos 40°
                score = cosine;
            }
            if (best < 0 || score > bestScore) best = static_cast<int>(i), bestScore = score;
        }
        return best;
    }

    // True for a colour the eye takes for a grey.
    static bool IsGrey(const uint8_t* rgb) { return Chroma(OklabOf(LinearOf(rgb))) < kNoColour; }

    // A colour in the light between the panel's black and white.
    Linear Fitted(const Linear& c) const {
        return {black.r + c.r * span.r, black.g + c.g * span.g, black.b + c.b * span.b};
    }

    // A pure colour's anchored ink, or -1.
    int AnchorOf(const uint8_t* rgb) const {
        const uint32_t key = static_cast<uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
        for (size_t i = 0; i < sizeof kPure / sizeof kPure[0]; ++i)
            if (key == kPure[i]) return anchors[i];
        return -1;
    }

    // The ink nearest `lab`; among the inks with little colour in them
    // alone when `greysOnly` (and there are such inks).
    size_t NearestInk(const Oklab& lab, bool greysOnly = false) const {
        double best = 1e300;
        size_t nearest = 0;
        for (int pass = greysOnly ? 0 : 1; pass < 2 && best == 1e300; ++pass) {
            for (size_t i = 0; i < inks.size(); ++i) {
                if (pass == 0 && !inks[i].grey) continue;
                const double d = DistanceSquared(lab, inks[i].lab);
                if (d < best) best = d, nearest = i;
            }
        }
        return nearest;
    }

    // What a colour takes, remembered for the next pixel of that colour.
    const Cached& Choice(const uint8_t* rgb) {
        const uint32_t key = static_cast<uint32_t>(rgb[0]) << 16 | rgb[1] << 8 | rgb[2];
        Cached& slot = cache[(key * 2654435761u) >> 20];
        if (slot.key == key + 1) return slot;
        slot = {key + 1, 0, 0, 0};
        const int anchor = AnchorOf(rgb);
        const Linear c = Fitted(LinearOf(rgb));
        const Oklab lab = OklabOf(c);
        if (anchor >= 0) {
            slot.first = slot.second = inks[static_cast<size_t>(anchor)].value;
        } else if (!ordered) {
            // A grey is no colour: it takes black, white or a grey ink,
            // never a coloured ink only as light as it (a grey as it
            // comes: the panel's white may have a tint).
            slot.first = slot.second = inks[NearestInk(lab, IsGrey(rgb))].value;
        } else {
            // A measured white's tint must not draw a grey's mix to a colour.
            Mix(c, lab, measured && IsGrey(rgb), &slot);
        }
        return slot;
    }

    // For Bayer: the two inks whose mix in light comes nearest the colour,
    // and the share of the second; mixes of inks far apart in hue are
    // charged for the speckle they make, the more the more evenly they mix
    // (blue and yellow mix to grey in light, but grey is black and white).
    // With many inks, the two nearest.
    void Mix(const Linear& c, const Oklab& lab, bool greysOnly, Cached* slot) const {
        double best = 1e300;
        const size_t n = inks.size();
        auto consider = [&](size_t i, size_t j) {
            if (greysOnly && (!inks[i].grey || !inks[j].grey)) return;
            const Linear& p = inks[i].light;
            const Linear& q = inks[j].light;
            const double dr = q.r - p.r, dg = q.g - p.g, db = q.b - p.b;
            const double length = dr * dr + dg * dg + db * db;
            double t = length > 0 ? ((c.r - p.r) * dr + (c.g - p.g) * dg + (c.b - p.b) * db) / length : 0;
            t = std::min(1.0, std::max(0.0, t));
            const Oklab mixed = OklabOf({p.r + t * dr, p.g + t * dg, p.b + t * db});
            const double da = inks[i].lab.a - inks[j].lab.a, dbb = inks[i].lab.b - inks[j].lab.b;
            const double cost = DistanceSquared(mixed, lab) + 0.1 * t * (1 - t) * (da * da + dbb * dbb);
            if (cost < best) best = cost, slot->first = inks[i].value, slot->second = inks[j].value, slot->share = t;
        };
        if (n <= 16) {
            for (int pass = greysOnly ? 0 : 1; pass < 2 && best == 1e300; ++pass, greysOnly = false)
                for (size_t i = 0; i < n; ++i)
                    for (size_t j = i; j < n; ++j) consider(i, j);
            return;
        }
        size_t first = 0, second = 0;
        double d1 = 1e300, d2 = 1e300;
        for (size_t i = 0; i < n; ++i) {
            const double d = DistanceSquared(lab, inks[i].lab);
            if (d < d1) {
                d2 = d1, second = first;
                d1 = d, first = i;
            } else if (d < d2) {
                d2 = d, second = i;
            }
        }
        consider(first, second);
    }

    const bool ordered;
    const bool measured;  // inks apart from the values' colours
    LevelImage* levels;
    std::vector<Ink> inks;
    int anchors[sizeof kPure / sizeof kPure[0]];
    Linear black = {0, 0, 0}, span = {1, 1, 1};
    std::vector<Cached> cache;  // by a hash of the RGB
    const uint8_t* row = nullptr;
};

// A miss in each of red, green and blue, in sRGB units.
struct ChannelMiss {
    int32_t c[3] = {0, 0, 0};
    ChannelMiss& operator+=(const ChannelMiss& other) {
        for (int i = 0; i < 3; ++i) c[i] += other.c[i];
        return *this;
    }
};
ChannelMiss operator-(ChannelMiss a, const ChannelMiss& b) {
    for (int i = 0; i < 3; ++i) a.c[i] -= b.c[i];
    return a;
}
ChannelMiss operator*(ChannelMiss a, int32_t factor) {
    for (int i = 0; i < 3; ++i) a.c[i] *= factor;
    return a;
}
ChannelMiss operator/(ChannelMiss a, int32_t divisor) {
    for (int i = 0; i < 3; ++i) a.c[i] /= divisor;
    return a;
}

// A direct format's channels, each between its steps (an RGB565 red of 5
// bits has 32); without a dither each keeps its top bits, as the format's
// definition says. The alpha of the formats that keep it is 8 bits:
// nothing to dither.
class Channels {
public:
    typedef ChannelMiss Error;
    static const ErrorSums kSums = ErrorSums::Exact;

    explicit Channels(DirectImage* image) : image(image), format(image->Format()) {
        ChannelBits(format, bits);
        alphaShift = bits[0] + bits[1] + bits[2];
    }

    void Take(uint32_t, const uint8_t* rgba) { row = rgba; }

    void Nearest(uint32_t y) {
        uint32_t* out = image->Row(y);
        const uint8_t* p = row;
        for (uint32_t x = 0; x < image->Width(); ++x, p += 4) out[x] = DirectValue(format, p[0], p[1], p[2], p[3]);
    }

    void Ordered(uint32_t x, uint32_t y) {
        uint32_t steps[3];
        for (int c = 0; c < 3; ++c) steps[c] = OrderedStep(row[4 * x + c], bits[c], OrderedRank(x, y));
        Put(x, y, steps);
    }

    bool Diffused(uint32_t x, uint32_t y, const ChannelMiss& carried, ChannelMiss* miss) {
        uint32_t steps[3];
        for (int c = 0; c < 3; ++c) {
            const int32_t wanted = static_cast<int32_t>(row[4 * x + c]) + carried.c[c];
            steps[c] = NearestStep(wanted, bits[c]);
            miss->c[c] = std::min(255, std::max(0, wanted)) - static_cast<int32_t>(WidenChannel(steps[c], bits[c]));
        }
        Put(x, y, steps);
        return true;
    }

private:
    void Put(uint32_t x, uint32_t y, const uint32_t steps[3]) {
        const uint32_t colour = steps[0] << (bits[1] + bits[2]) | steps[1] << bits[2] | steps[2];
        image->Row(y)[x] = KeepsAlpha(format) ? static_cast<uint32_t>(row[4 * x + 3]) << alphaShift | colour : colour;
    }

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

    // The ordered choice between the two steps a value lies between.
    static uint32_t OrderedStep(uint32_t value, uint32_t bits, uint32_t rank) {
        const uint32_t top = (1u << bits) - 1;
        uint32_t lower = value * top / 255;
        while (lower < top && WidenChannel(lower + 1, bits) <= value) ++lower;
        while (lower > 0 && WidenChannel(lower, bits) > value) --lower;
        if (lower == top) return top;
        const uint32_t from = WidenChannel(lower, bits), to = WidenChannel(lower + 1, bits);
        return OrderedTakesUpper(value - from, to - from, rank) ? lower + 1 : lower;
    }

    DirectImage* image;
    const PixelFormat format;
    uint32_t bits[3];
    uint32_t alphaShift;
    const uint8_t* row = nullptr;
};

// Every row of the source as RGBA through the quantiser and the dither.
template <typename Quantiser>
void ToneColours(const ToneSource& source, const ToneOptions& tone, int background, Quantiser& quantiser) {
    const PixelRows& rows = source.rows;
    std::vector<uint8_t> rgba(static_cast<size_t>(rows.width) * 4 + 4);
    DitherWalk<Quantiser> walk(quantiser, tone.dither, rows.width, tone.serpentine);
    for (uint32_t y = 0; y < rows.height; ++y) {
        RgbaRow(rows, y, background, rgba.data());
        quantiser.Take(y, rgba.data());
        walk.Row(y);
    }
}

}  // namespace

bool TonePalette(const ToneSource& source, const ToneOptions& tone, const Palette& palette, LevelImage* levels) {
    const PixelRows& rows = source.rows;
    if (palette.Empty() || !levels->Create(rows.width, rows.height, palette.Depth())) return false;
    if (rows.width == 0 || rows.height == 0) return true;  // no row buffers for a 1-bit file of no pixels
    Inks quantiser(palette, tone.dither, levels);
    ToneColours(source, tone, static_cast<int>(source.background), quantiser);
    return true;
}

bool ToneDirect(const ToneSource& source, const ToneOptions& tone, PixelFormat format, DirectImage* image) {
    const PixelRows& rows = source.rows;
    if (!image->Create(rows.width, rows.height, format)) return false;
    if (rows.width == 0 || rows.height == 0) return true;  // no row buffers for a 1-bit file of no pixels
    Channels quantiser(image);
    ToneColours(source, tone, KeepsAlpha(format) ? -1 : static_cast<int>(source.background), quantiser);
    return true;
}

uint32_t NearestInk(const Palette& palette, Rgb colour) {
    LevelImage one;
    const uint8_t rgba[4] = {colour.r, colour.g, colour.b, 255};
    const ToneSource source = {{rgba, 1, 1, 4, 4}, false, 255};
    return TonePalette(source, ToneOptions(), palette, &one) ? one.Get(0, 0) : 0;
}
