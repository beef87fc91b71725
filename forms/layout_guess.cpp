#include "forms/layout_guess.h"

#include <algorithm>

#include "core/level_grid.h"
#include "core/mono_bitmap.h"
#include "core/unpack.h"

namespace {

// log2(1 + i / 256) in 1/65536 bits.
const uint16_t kLog2Fraction[256] = {
    0,     369,   736,   1102,  1466,  1829,  2190,  2551,  2909,  3267,  3623,  3978,  4331,  4683,  5034,  5384,
    5732,  6079,  6425,  6769,  7112,  7454,  7795,  8134,  8473,  8810,  9146,  9480,  9814,  10146, 10477, 10807,
    11136, 11464, 11791, 12116, 12440, 12764, 13086, 13407, 13727, 14046, 14363, 14680, 14996, 15310, 15624, 15937,
    16248, 16559, 16868, 17177, 17484, 17791, 18096, 18401, 18704, 19007, 19308, 19609, 19909, 20207, 20505, 20802,
    21098, 21393, 21687, 21980, 22272, 22564, 22854, 23144, 23433, 23720, 24007, 24293, 24579, 24863, 25146, 25429,
    25711, 25992, 26272, 26551, 26830, 27108, 27384, 27660, 27936, 28210, 28484, 28757, 29029, 29300, 29571, 29840,
    30109, 30378, 30645, 30912, 31178, 31443, 31707, 31971, 32234, 32496, 32758, 33019, 33279, 33538, 33797, 34055,
    34312, 34569, 34825, 35080, 35334, 35588, 35841, 36094, 36346, 36597, 36847, 37097, 37346, 37595, 37842, 38090,
    38336, 38582, 38827, 39072, 39316, 39559, 39802, 40044, 40286, 40527, 40767, 41006, 41246, 41484, 41722, 41959,
    42196, 42432, 42667, 42902, 43137, 43370, 43603, 43836, 44068, 44300, 44530, 44761, 44990, 45220, 45448, 45676,
    45904, 46131, 46357, 46583, 46809, 47034, 47258, 47482, 47705, 47928, 48150, 48372, 48593, 48813, 49034, 49253,
    49472, 49691, 49909, 50127, 50344, 50560, 50776, 50992, 51207, 51422, 51636, 51850, 52063, 52276, 52488, 52700,
    52911, 53122, 53332, 53542, 53751, 53960, 54169, 54377, 54584, 54791, 54998, 55204, 55410, 55615, 55820, 56025,
    56229, 56432, 56635, 56838, 57040, 57242, 57443, 57644, 57845, 58045, 58245, 58444, 58643, 58841, 59039, 59237,
    59434, 59631, 59827, 60023, 60219, 60414, 60609, 60803, 60997, 61190, 61384, 61576, 61769, 61961, 62152, 62343,
    62534, 62725, 62915, 63104, 63294, 63483, 63671, 63859, 64047, 64234, 64421, 64608, 64794, 64980, 65166, 65351,
};

// log2(n) in 1/65536 bits, from the nine leading bits of n (n >= 1).
uint64_t Log2(uint32_t n) {
    uint32_t exponent = 31;
    while (!(n >> exponent)) --exponent;
    const uint32_t leading = exponent >= 8 ? n >> (exponent - 8) : n << (8 - exponent);
    return static_cast<uint64_t>(exponent) * 65536 + kLog2Fraction[leading - 256];
}

// The neighbours a pixel is predicted from: (dx, dy), all coded before it.
const int kTemplate[10][2] = {{-1, 0},  {-2, 0}, {-3, 0}, {-4, 0}, {-2, -1},
                              {-1, -1}, {0, -1}, {1, -1}, {2, -1}, {0, -2}};

// The code length of a 1-bit picture (`set(x, y)` inside width x height):
// each pixel costs -log2 of the probability its context's counts gave it
// so far (each count starts at one half).
template <typename Set>
uint64_t CodeLength(int width, int height, const Set& set) {
    std::vector<uint32_t> counts(2 * 1024, 1);  // halves: 1 is a count of 1/2
    auto dark = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && set(x, y); };
    uint64_t bits = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t context = 0;
            for (const int* at : kTemplate) context = context << 1 | (dark(x + at[0], y + at[1]) ? 1 : 0);
            uint32_t* pair = &counts[2 * context];
            const uint32_t pixel = dark(x, y) ? 1 : 0;
            bits += Log2(pair[0] + pair[1]) - Log2(pair[pixel]);
            pair[pixel] += 2;
            if (pair[pixel] > (1u << 30)) pair[0] = pair[0] / 2 | 1, pair[1] = pair[1] / 2 | 1;
        }
    }
    return bits;
}

}  // namespace

std::vector<LayoutGuess> GuessLayouts(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height,
                                      uint32_t depth) {
    std::vector<LayoutGuess> guesses;
    MonoBitmap image;
    LevelImage levels;
    for (uint32_t bits = 0; bits < 8; ++bits) {
        LayoutGuess guess = {{bits & 1, bits >> 1 & 1, bits >> 2 & 1, 0, {}}, false, 0};
        if (depth == 1 && UnpackBitmap(bytes, count, width, height, guess.layout, &image)) {
            guess.enough = true;
            guess.cost = CodeLength(static_cast<int>(width), static_cast<int>(height),
                                    [&](int x, int y) { return image.IsDark(x, y); });
        } else if (depth > 1 &&
                   UnpackLevels(bytes, count, {width, height, FormatOf(PixelKind::Grey, depth), guess.layout, false},
                                &levels)) {
            // Each bit of the values a picture of its own: a wrong packing
            // scatters them all.
            guess.enough = true;
            for (uint32_t bit = 0; bit < depth; ++bit)
                guess.cost += CodeLength(static_cast<int>(width), static_cast<int>(height),
                                         [&](int x, int y) { return (levels.Get(x, y) >> bit & 1) != 0; });
        }
        guesses.push_back(guess);
    }
    std::stable_sort(guesses.begin(), guesses.end(), [](const LayoutGuess& a, const LayoutGuess& b) {
        return a.enough != b.enough ? a.enough : a.cost < b.cost;
    });
    return guesses;
}
