// Writes an image as the BMP that the loader reads best: 40-byte header,
// palette entry 0 black and entry 1 white, rows bottom-up, dark pixels
// black, the spare bits of every row clear.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class MonoBitmap;

// True when every block was accepted. False, with nothing written, for an
// image whose file would not fit the format's 32-bit size field. An image
// without pixels is its headers alone, however many rows it claims.
// With `setBitLight` the palette is white then black: the dark pixels (a
// display's set bits) show light, as a lit OLED or white e-paper shows them.
bool EmitMonoBmp(const MonoBitmap& bitmap, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes(),
                 bool setBitLight = false);
