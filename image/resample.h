// Scaling grey levels with a maintained resampler (stb_image_resize).
#pragma once

#include <cstdint>

#include "image/frame.h"

class Plane;

// Part of `in` scaled to `width` x `height`: the outW x outH pixels from
// (x0, y0) of the scaled image, written at `out`, rows `outStride` apart.
// The filters work on the grey levels as they are (sRGB values), not in
// linear light, as browsers and ImageMagick's -resize do. Not for
// Resample::Nearest. False when memory is short.
bool ResampleRegion(const Plane& in, uint64_t width, uint64_t height, uint64_t x0, uint64_t y0, uint32_t outW,
                    uint32_t outH, Resample filter, uint8_t* out, uint32_t outStride);
