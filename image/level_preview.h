// An image of levels as text, to look at before it goes to the display.
#pragma once

#include "core/block_writer.h"
#include "core/buffer_sizes.h"
#include "core/level_image.h"

// Light to dark, one character a level's share of the ramp.
const char kLevelRamp[] = " .:-=+*#%@";

// `colour`: two pixel rows a line in upper half blocks (U+2580), the upper
// pixel's grey as the foreground and the lower's as the background, in
// 24-bit colour escapes, each line ending with a reset. Otherwise one
// pixel row a line in kLevelRamp. Levels of `coverage` show as ink: full
// coverage dark. An image without pixels gives no text.
bool EmitLevelPreview(const LevelImage& levels, bool colour, ByteSink sink, void* context, bool coverage = false,
                      const BufferSizes& sizes = BufferSizes());

// The same for a picture in colour, a palette's or a direct format's: the
// half blocks in the pixels' own colours, or the ramp by brightness.
struct Picture;
bool EmitColourPreview(const Picture& picture, bool colour, ByteSink sink, void* context,
                       const BufferSizes& sizes = BufferSizes());

// The grey a level shows as: its own, or for coverage the ink's.
inline uint32_t ShownGrey(uint32_t value, uint32_t depth, bool coverage) {
    const uint32_t grey = GreyOfLevel(value, depth);
    return coverage ? 255 - grey : grey;
}
