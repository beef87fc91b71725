// Any image as a BMP: a 1-bit image as the Windows program reads it best,
// values of 1 to 8 bits as a palette BMP of their greys or colours, direct
// colour as 24-bit colour.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class PixelImage;

// True when every block was accepted; false, with nothing written, for an
// image whose file would not fit the format's 32-bit size field.
// `setBitLight`: a 1-bit image's set bits (its dark pixels) show white.
// `asInks`: a palette's values in the inks they look like on the panel,
// for a picture of it; otherwise in their own colours, which drivers that
// read BMPs match exactly.
bool EmitPixelBmp(const PixelImage& image, ByteSink sink, void* context, bool setBitLight = false,
                  const BufferSizes& sizes = BufferSizes(), bool asInks = false);
