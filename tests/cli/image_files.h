// Image files built in memory for the decoder's tests: PNG of any colour
// type and depth (stored, uncompressed deflate), BMP of the deeper kinds,
// binary PGM and PPM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace test {

// `samples` holds every sample of every row in order (for a palette image,
// the indices), each within the bit depth; the builder packs them.
Bytes Png(uint32_t width, uint32_t height, int colourType, int depth, const std::vector<uint32_t>& samples,
          const Bytes& palette = {}, const Bytes& transparency = {});

// A BMP of 8, 24 or 32 bits per pixel from rows of BGR(A) samples, top
// row first; 8 bits takes indices and a palette of BGRA entries. `header`
// is the information header's size: 40, or 56, 108 or 124 for the later
// versions, whose further fields are left zero.
Bytes DeepBmp(uint32_t width, uint32_t height, int bits, const std::vector<uint32_t>& samples,
              const Bytes& palette = {}, uint32_t header = 40);

// "P5" (one sample a pixel) or "P6" (three) with maximum 255.
Bytes Pnm(uint32_t width, uint32_t height, bool colour, const std::vector<uint32_t>& samples);

}  // namespace test
