// An image as text, to look at before it goes to the display: the 1-bit
// image in the glyphs of dark and light, any other in its shades.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class MonoBitmap;
class PixelImage;

enum class PreviewStyle {
    HalfBlocks,  // two pixel rows a line: U+2580, U+2584, U+2588 or a blank
    Ascii,       // one pixel row a line: '#' dark, '.' light
};

// An image without width or height gives no text at all.
// `setBitLight`: the dark pixels (a display's set bits) show light.
bool EmitPreview(const MonoBitmap& bitmap, PreviewStyle style, ByteSink sink, void* context,
                 const BufferSizes& sizes = BufferSizes(), bool setBitLight = false);

// Light to dark, one character a level's share of the ramp.
const char kLevelRamp[] = " .:-=+*#%@";

// `colour`: two pixel rows a line in upper half blocks (U+2580), the upper
// pixel's shown colour as the foreground and the lower's as the
// background, in 24-bit colour escapes, each line ending with a reset.
// Otherwise one pixel row a line in kLevelRamp, by brightness. An image
// without pixels gives no text.
bool EmitShadesPreview(const PixelImage& image, bool colour, ByteSink sink, void* context,
                       const BufferSizes& sizes = BufferSizes());
