// The three dithers, each written once, over a quantiser that says what a
// value is: two levels (dark and light), N levels of grey, a palette's inks
// in linear light, or a direct format's channels (image/grey_tone.cpp,
// image/colour_tone.cpp). The quantiser chooses each pixel's value and
// says what it misses by; the dither decides where the miss goes:
//   Floyd-Steinberg  error diffusion, 7/16 right, 3/16, 5/16 and 1/16 below
//   Atkinson         error diffusion of 3/4 of the error, 1/8 to six pixels
//   Bayer            ordered: an 8 x 8 threshold map, no error travels
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "image/bayer.h"

enum class Dither {
    None,  // each pixel its nearest value
    FloydSteinberg,
    Atkinson,
    Bayer,
};

// Where a pixel's error goes: to the pixel `dx` along and `dy` rows down,
// `weight` parts of the kernel's denominator.
struct DiffusionTap {
    int dx;
    uint32_t dy;
    int32_t weight;
};

struct DiffusionKernel {
    int32_t denominator;
    uint32_t taps;
    DiffusionTap tap[6];
};

const DiffusionKernel kFloydSteinberg = {16, 4, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
const DiffusionKernel kAtkinson = {8, 6, {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}};

// True when the kernel passes all of the error on (Floyd-Steinberg), not
// a part of it (Atkinson lets a quarter go).
inline bool KeepsWholeError(const DiffusionKernel& kernel) {
    int32_t sum = 0;
    for (uint32_t i = 0; i < kernel.taps; ++i) sum += kernel.tap[i].weight;
    return sum == kernel.denominator;
}

// How a quantiser's errors are kept between pixels.
enum class ErrorSums {
    // Whole units: each cell sums error x weight, and is read divided by
    // the denominator, rounded toward zero.
    Scaled,
    // Whole units, without rounding loss where the kernel passes the whole
    // error on: each tap takes its share rounded toward zero, the last what
    // the others leave, and a cell is read as it is (the levels of a grey
    // display lie close together, and small losses add up). A kernel that
    // lets error go is summed as Scaled.
    Exact,
    // Real numbers: each cell sums error x weight / denominator.
    Real,
};

// The errors on their way: three rows of cells (this row, the next and the
// one after), pixel x in cell x + 2, with spare cells at both ends for the
// pixels beyond.
template <typename Error, ErrorSums Sums>
class ErrorRows {
public:
    // No cells at all for a dither that diffuses nothing.
    ErrorRows(uint32_t width, const DiffusionKernel& kernel, bool diffuses)
        : kernel(kernel), exact(Sums == ErrorSums::Exact && KeepsWholeError(kernel)) {
        if (diffuses)
            for (std::vector<Error>& row : rows) row.assign(static_cast<size_t>(width) + 4, Error());
    }

    // What pixel x of this row has been handed.
    Error Carried(uint32_t x) const {
        const Error& cell = rows[0][x + 2];
        if constexpr (Sums == ErrorSums::Real) {
            return cell;
        } else {
            return exact ? cell : cell / kernel.denominator;
        }
    }

    // Pixel x's error, spread to the pixels ahead: to the right, or with
    // `leftwards` (a row walked from its right end) to the left.
    void Spread(uint32_t x, const Error& error, bool leftwards = false) {
        Error given = Error();
        for (uint32_t i = 0; i < kernel.taps; ++i) {
            const DiffusionTap& tap = kernel.tap[i];
            Error& cell = rows[tap.dy][x + 2 + (leftwards ? -tap.dx : tap.dx)];
            if constexpr (Sums == ErrorSums::Real) {
                cell += error * (static_cast<double>(tap.weight) / kernel.denominator);
            } else if (!exact) {
                cell += error * tap.weight;
            } else if (i + 1 < kernel.taps) {
                const Error share = error * tap.weight / kernel.denominator;
                cell += share;
                given += share;
            } else {
                cell += error - given;
            }
        }
    }

    // The row is done: the next one's errors come up.
    void NextRow() {
        std::fill(rows[0].begin(), rows[0].end(), Error());
        rows[0].swap(rows[1]);
        rows[1].swap(rows[2]);
    }

private:
    const DiffusionKernel& kernel;
    const bool exact;
    std::vector<Error> rows[3];
};

// The ordered dither's rank of place (x, y), 0 to 63.
inline uint32_t OrderedRank(uint32_t x, uint32_t y) { return kBayer8[y & 7][x & 7]; }

// The ordered dither's choice between two neighbouring values, the way
// from the lower to the upper `part` of `whole`: the upper once the way
// passes (2 rank + 1) / 128 of it, so that a patch of one colour gives the
// two values in its own proportion.
inline bool OrderedTakesUpper(int64_t part, int64_t whole, uint32_t rank) {
    return part * 128 > (2 * static_cast<int64_t>(rank) + 1) * whole;
}
inline bool OrderedTakesUpper(double share, uint32_t rank) { return share * 128 > 2.0 * rank + 1; }

// One row through a dither. The quantiser has:
//   typedef Error                  what a miss is (a number, or one a channel)
//   static const ErrorSums kSums   how its errors are kept
//   void Nearest(uint32_t y)       the row's pixels, each its nearest value
//   void Ordered(uint32_t x, uint32_t y)   pixel x by OrderedTakesUpper
//   bool Diffused(uint32_t x, uint32_t y, const Error& carried, Error* miss)
//       pixel x with what it was handed; false when it passes nothing on
template <typename Quantiser>
class DitherWalk {
public:
    typedef typename Quantiser::Error Error;

    // `serpentine`: odd rows walked from the right, the kernel mirrored.
    DitherWalk(Quantiser& quantiser, Dither dither, uint32_t width, bool serpentine = false)
        : quantiser(quantiser),
          dither(dither),
          serpentine(serpentine),
          width(width),
          errors(width, dither == Dither::Atkinson ? kAtkinson : kFloydSteinberg,
                 dither == Dither::FloydSteinberg || dither == Dither::Atkinson) {}

    void Row(uint32_t y) {
        switch (dither) {
        case Dither::None:
            quantiser.Nearest(y);
            return;
        case Dither::Bayer:
            for (uint32_t x = 0; x < width; ++x) quantiser.Ordered(x, y);
            return;
        case Dither::FloydSteinberg:
        case Dither::Atkinson:
            break;
        }
        const bool leftwards = serpentine && y % 2 == 1;
        for (uint32_t i = 0; i < width; ++i) {
            const uint32_t x = leftwards ? width - 1 - i : i;
            Error miss;
            if (quantiser.Diffused(x, y, errors.Carried(x), &miss)) errors.Spread(x, miss, leftwards);
        }
        errors.NextRow();
    }

private:
    Quantiser& quantiser;
    const Dither dither;
    const bool serpentine;
    const uint32_t width;
    ErrorRows<Error, Quantiser::kSums> errors;
};
