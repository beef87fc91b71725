// The 1-bit image as text, to look at before it goes to the display.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"

class MonoBitmap;

enum class PreviewStyle {
    HalfBlocks,  // two pixel rows a line: U+2580, U+2584, U+2588 or a blank
    Ascii,       // one pixel row a line: '#' dark, '.' light
};

// An image without width or height gives no text at all.
bool EmitPreview(const MonoBitmap& bitmap, PreviewStyle style, ByteSink sink, void* context,
                 const BufferSizes& sizes = BufferSizes());
