#include "image/colour_space.h"

#include <cmath>

namespace {

// x^(1/n) for x in [0, 1], by Newton's method from above: y = 1 is never
// below the root, and each step stays above it, so it falls to the root.
double Root(double x, int n) {
    if (x <= 0) return 0;
    double y = 1;
    for (int i = 0; i < 200; ++i) {
        double power = 1;
        for (int k = 0; k < n - 1; ++k) power *= y;
        const double next = ((n - 1) * y + x / power) / n;
        if (next >= y) break;
        y = next;
    }
    return y;
}

struct LinearTable {
    double values[256];
    LinearTable() {
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            // ((s + 0.055) / 1.055)^2.4 = t^2 * (t^2)^(1/5)
            const double t = (s + 0.055) / 1.055, t2 = t * t;
            const double linear = s <= 0.04045 ? s / 12.92 : t2 * Root(t2, 5);
            values[v] = std::floor(linear * 16777216.0 + 0.5) / 16777216.0;
        }
    }
};

}  // namespace

double LinearOfSrgb(uint8_t value) {
    static const LinearTable table;
    return table.values[value];
}

double CubeRoot(double value) {
    if (value == 0) return 0;
    const bool negative = value < 0;
    const double x = negative ? -value : value;
    int exponent = 0;
    const double mantissa = std::frexp(x, &exponent);  // x = mantissa * 2^exponent, mantissa in [0.5, 1)
    // A start within 2^(1/3) of the root: 2^(exponent / 3), rounded down.
    const int third = exponent >= 0 ? exponent / 3 : -((-exponent + 2) / 3);
    double y = std::ldexp(1.0, third);
    (void)mantissa;
    for (int i = 0; i < 8; ++i) y = (2 * y + x / (y * y)) / 3;
    return negative ? -y : y;
}

Oklab OklabOf(Linear c) {
    const double l = CubeRoot(0.4122214708 * c.r + 0.5363325363 * c.g + 0.0514459929 * c.b);
    const double m = CubeRoot(0.2119034982 * c.r + 0.6806995451 * c.g + 0.1073969566 * c.b);
    const double s = CubeRoot(0.0883024619 * c.r + 0.2817188376 * c.g + 0.6299787005 * c.b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}
