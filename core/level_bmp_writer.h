// Writes an image of 2, 4 or 8 bits a pixel as a palette BMP: 4 bits a
// pixel for depths 1 (a palette's two colours), 2 and 4, 8 for depth 8;
// the palette the levels' greys, entry v the grey of level v, or the
// colours given; rows bottom-up. And a direct colour image as a 24-bit BMP.
#pragma once

#include <vector>

#include "core/block_writer.h"
#include "core/buffer_sizes.h"
#include "core/pixel_format.h"

class DirectImage;
class LevelImage;

// True when every block was accepted. False, with nothing written, for an
// image whose file would not fit the format's 32-bit size field. Levels of
// `coverage` show as ink: entry v the grey 255 less level v's. With
// `colours`, entry v is colours[v] (black past its end).
bool EmitLevelBmp(const LevelImage& image, ByteSink sink, void* context, bool coverage = false,
                  const BufferSizes& sizes = BufferSizes(), const std::vector<Rgb>* colours = nullptr);

// Each pixel's colour (ColourOfValue), alpha left out. False as above.
bool EmitDirectBmp(const DirectImage& image, ByteSink sink, void* context, const BufferSizes& sizes = BufferSizes());
