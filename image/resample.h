// Scaling grey levels with a maintained resampler (stb_image_resize).
#pragma once

#include <cstdint>

#include "image/frame.h"

class ChannelImage;

// A part of an image scaled to `width` x `height`: the outW x outH pixels
// from (x0, y0) of the scaled image.
struct ScaledRegion {
    uint64_t width, height;
    uint64_t x0, y0;
    uint32_t outW, outH;
};

// That part of `in`, written at `out`, rows `outStride` apart. The
// filters work on the grey levels as they are (sRGB values), not in
// linear light, as browsers and ImageMagick's -resize do. Not for
// Resample::Nearest. False when memory is short.
bool ResampleRegion(const ChannelImage& in, const ScaledRegion& region, Resample filter, uint8_t* out,
                    uint32_t outStride);
