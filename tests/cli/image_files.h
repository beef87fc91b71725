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

// One frame of a GIF: a rectangle of the screen, its pixels' indices into
// the palette, its delay in hundredths of a second, what becomes of it
// before the next (1 keep, 2 background, 3 the frame before), and the
// index that is transparent (-1 none).
struct GifFrame {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    std::vector<uint8_t> indices;
    uint32_t delay = 10;
    uint32_t disposal = 1;
    int transparent = -1;
};

// A GIF89a of a width x height screen and a global palette (RGB triples,
// 2 to 256 colours, a power of two), its frames' pixels in LZW codes of 9
// bits (a clear code every 250 pixels keeps them at 9).
Bytes Gif(uint32_t width, uint32_t height, const Bytes& palette, const std::vector<GifFrame>& frames);

// "P5" (one sample a pixel) or "P6" (three) with maximum 255.
Bytes Pnm(uint32_t width, uint32_t height, bool colour, const std::vector<uint32_t>& samples);

}  // namespace test
