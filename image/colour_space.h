// The two colour spaces a palette is chosen in. Light mixes linearly, so a
// dither's error is carried in linear light: the eye averages a patch of
// red and white dots as their mean light, not their mean sRGB values.
// Which ink is nearest is judged in OKLab (Björn Ottosson, 2020), where
// distances follow what the eye sees: in sRGB values a dark red lies
// nearer black than red, and a deep blue nearer black than blue.
// Only +, -, *, / and comparisons: the three builds (native, Windows and
// WebAssembly) give the same bits, so they choose the same inks.
#pragma once

#include <cstdint>

struct Linear {
    double r, g, b;
};

// Light adds and scales channel by channel, as a dither carries it.
inline Linear& operator+=(Linear& a, const Linear& b) {
    a.r += b.r, a.g += b.g, a.b += b.b;
    return a;
}
inline Linear operator*(const Linear& a, double share) { return {a.r * share, a.g * share, a.b * share}; }

struct Oklab {
    double l, a, b;
};

// An sRGB value's linear light, 0 to 1 (IEC 61966-2-1), rounded to 2^-24.
double LinearOfSrgb(uint8_t value);

// Linear light as OKLab.
Oklab OklabOf(Linear colour);

// How far apart two colours look: OKLab's distance with differences of
// hue and colourfulness counted twice (four times, squared). Plain OKLab
// sends a mid grey to red among black, white and red, as red is about as
// light; counted so, greys take black or white, and a dark red still red.
inline double DistanceSquared(const Oklab& x, const Oklab& y) {
    const double dl = x.l - y.l, da = x.a - y.a, db = x.b - y.b;
    return dl * dl + 4 * (da * da + db * db);
}

// The cube root, by Newton's method from a start within a factor 2^(1/3).
double CubeRoot(double value);
