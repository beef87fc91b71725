// Writes an image of 2, 4 or 8 bits a pixel as a palette BMP: 4 bits a
// pixel for depths 2 and 4, 8 for depth 8; the palette the levels' greys,
// entry v the grey of level v; rows bottom-up.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class LevelImage;

// True when every block was accepted. False, with nothing written, for an
// image whose file would not fit the format's 32-bit size field. Levels of
// `coverage` show as ink: entry v the grey 255 less level v's.
bool EmitLevelBmp(const LevelImage& image, ByteSink sink, void* context, bool coverage = false,
                  const BufferSizes& sizes = BufferSizes());
