// The way back from packed bytes to the picture: each byte's bits to the
// pixels a layout put them in. Spare bits of a partial byte are ignored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/convert_options.h"

class MonoBitmap;

// The bytes a width x height image packs into in `layout` (the fill plays
// no part): items per line times lines, as a scanner counts them.
uint64_t PackedBitmapSize(uint32_t width, uint32_t height, const ConvertOptions& layout);

// Draws the first PackedBitmapSize() bytes of `bytes` into `bitmap` as a new
// width x height image, a 1 bit dark. False when there are fewer bytes,
// or the image cannot be held in memory.
bool UnpackBitmap(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height, const ConvertOptions& layout,
                  MonoBitmap* bitmap);
