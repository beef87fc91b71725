// What packed bytes are the bytes of: an image's size and pixel format, the
// layout they were packed in, and the order of a direct value's bytes.
#pragma once

#include <cstdint>

#include "core/convert_options.h"
#include "core/pixel_format.h"

struct PackedShape {
    uint32_t width = 0, height = 0;
    PixelFormat format = PixelFormat::Mono;
    ConvertOptions layout = {};  // the fill plays no part in reading
    bool bigEndian = false;      // a direct value's bytes, most significant first
};
