#include "image/level_preview.h"

#include <cstdio>

#include "core/level_image.h"

namespace {

// "\x1b[38;2;G;G;Gm": a grey as the foreground (38) or background (48).
void PutGrey(BlockWriter& writer, int ground, uint32_t grey) {
    char text[32];
    const int size = std::snprintf(text, sizeof text, "\x1b[%d;2;%u;%u;%um", ground, grey, grey, grey);
    writer.Put(text, static_cast<uint32_t>(size));
}

}  // namespace

bool EmitLevelPreview(const LevelImage& levels, bool colour, ByteSink sink, void* context, bool coverage,
                      const BufferSizes& sizes) {
    BlockWriter writer(sink, context, sizes.blockBytes);
    const uint32_t width = levels.Width(), height = levels.Height(), depth = levels.Depth();
    if (width == 0 || height == 0) return writer.Finish();
    if (!colour) {
        const uint32_t last = sizeof kLevelRamp - 2;  // the darkest character
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x)
                writer.PutByte(static_cast<uint8_t>(
                    kLevelRamp[((255 - ShownGrey(levels.Get(x, y), depth, coverage)) * last + 127) / 255]));
            writer.PutByte('\n');
        }
        return writer.Finish();
    }
    for (uint32_t y = 0; y < height; y += 2) {
        // A colour is written only where it changes along the line.
        int upperShown = -1, lowerShown = -1;
        for (uint32_t x = 0; x < width; ++x) {
            const int upper = static_cast<int>(ShownGrey(levels.Get(x, y), depth, coverage));
            if (upper != upperShown) PutGrey(writer, 38, static_cast<uint32_t>(upper)), upperShown = upper;
            if (y + 1 < height) {
                const int lower = static_cast<int>(ShownGrey(levels.Get(x, y + 1), depth, coverage));
                if (lower != lowerShown) PutGrey(writer, 48, static_cast<uint32_t>(lower)), lowerShown = lower;
            }
            writer.Put("\xE2\x96\x80", 3);
        }
        writer.Put("\x1b[0m\n", 5);
    }
    return writer.Finish();
}
