// The image as the display shows it, as an 8-bit grey PNG (through
// stb_image_write): a 1-bit image black and white, dark pixels black; an
// image of levels each level's grey; in colour, an RGB PNG.
#pragma once

#include "core/block_writer.h"

class LevelImage;
class MonoBitmap;

// True when the PNG was made and every block accepted.
bool EmitPng(const MonoBitmap& bitmap, ByteSink sink, void* context);
// Levels of `coverage` show as ink: full coverage black.
bool EmitPng(const LevelImage& levels, ByteSink sink, void* context, bool coverage = false);
// A picture in colour as an 8-bit RGB PNG of its shown colours, RGBA for a
// direct format that keeps alpha.
struct Picture;
bool EmitColourPng(const Picture& picture, ByteSink sink, void* context);
