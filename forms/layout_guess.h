// Which packing some bytes were written in: each of the eight read back,
// and scored by how picture-like the image is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/convert_options.h"

struct LayoutGuess {
    ConvertOptions layout;  // the fill is zero: it plays no part in reading
    bool enough;            // false when the bytes are too few for this packing
    uint64_t cost;          // the score: bits to code the image, in 1/65536 bits
};

// The eight packings of width x height from `bytes`, most picture-like
// first: the fewest bits an adaptive context model (as fax coders such as
// JBIG use) needs to code the image, each pixel predicted from the ten
// before it (four to its left, five in the row above, one two rows up). A
// picture is predictable from its neighbours; a wrong packing scatters
// them. Equal scores keep a fixed order; the packings the bytes are too few
// for come last. Integer arithmetic: every build gives the same scores.
// At `depth` 2 up, the bytes are read as levels and each bit of the values
// is scored as a picture of its own.
std::vector<LayoutGuess> GuessLayouts(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height,
                                      uint32_t depth = 1);
