// The image as the display shows it, as a PNG (through stb_image_write):
// an 8-bit grey PNG for the 1-bit image (dark pixels black) and for
// levels (each level's grey, or for coverage the ink's); an RGB PNG of the
// shown colours for a palette's values and direct colour, RGBA for a
// direct format that keeps alpha.
#pragma once

#include "core/block_writer.h"

class PixelImage;

// True when the PNG was made and every block accepted.
bool EmitPng(const PixelImage& image, ByteSink sink, void* context, bool setBitLight = false);
