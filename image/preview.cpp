#include "image/preview.h"

#include <cstdio>

#include "core/mono_bitmap.h"
#include "core/pixel_image.h"

namespace {

// Indexed by (upper dark) * 2 + (lower dark), in UTF-8.
const char* const kHalfBlocks[4] = {" ", "\xE2\x96\x84", "\xE2\x96\x80", "\xE2\x96\x88"};

void PutCell(BlockWriter& writer, const char* cell) { writer.Put(cell, cell[1] ? 3 : 1); }

// "\x1b[38;2;R;G;Bm": a colour as the foreground (38) or background (48).
void PutColour(BlockWriter& writer, int ground, uint32_t rgb) {
    char text[32];
    const int size =
        std::snprintf(text, sizeof text, "\x1b[%d;2;%u;%u;%um", ground, rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF);
    writer.Put(text, static_cast<uint32_t>(size));
}

// A pixel's shown colour as 0xRRGGBB.
uint32_t ColourAt(const PixelImage& image, uint32_t x, uint32_t y) {
    uint8_t rgba[4];
    image.ShownColour(x, y, rgba);
    return static_cast<uint32_t>(rgba[0]) << 16 | rgba[1] << 8 | rgba[2];
}

}  // namespace

// The ramp goes by brightness, (77 R + 150 G + 29 B) / 256, which is the
// grey itself for a grey.
bool EmitShadesPreview(const PixelImage& image, bool colour, ByteSink sink, void* context, const BufferSizes& sizes) {
    const uint32_t width = image.Width(), height = image.Height();
    BlockWriter writer(sink, context, sizes.blockBytes);
    if (width == 0 || height == 0) return writer.Finish();
    if (!colour) {
        const uint32_t last = sizeof kLevelRamp - 2;  // the darkest character
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) {
                const uint32_t rgb = ColourAt(image, x, y);
                const uint32_t grey = (77u * (rgb >> 16) + 150u * (rgb >> 8 & 0xFF) + 29u * (rgb & 0xFF)) >> 8;
                writer.PutByte(static_cast<uint8_t>(kLevelRamp[((255 - grey) * last + 127) / 255]));
            }
            writer.PutByte('\n');
        }
        return writer.Finish();
    }
    for (uint32_t y = 0; y < height; y += 2) {
        // A colour is written only where it changes along the line.
        int64_t upperShown = -1, lowerShown = -1;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t upper = ColourAt(image, x, y);
            if (upper != upperShown) PutColour(writer, 38, upper), upperShown = upper;
            if (y + 1 < height) {
                const uint32_t lower = ColourAt(image, x, y + 1);
                if (lower != lowerShown) PutColour(writer, 48, lower), lowerShown = lower;
            }
            writer.Put("\xE2\x96\x80", 3);
        }
        writer.Put("\x1b[0m\n", 5);
    }
    return writer.Finish();
}

bool EmitPreview(const MonoBitmap& bitmap, PreviewStyle style, ByteSink sink, void* context, const BufferSizes& sizes,
                 bool setBitLight) {
    BlockWriter writer(sink, context, sizes.blockBytes);
    const uint32_t width = bitmap.Width(), height = bitmap.Height();
    // Whether a pixel shows dark; nothing below the last row.
    auto dark = [&](uint32_t x, uint32_t y) { return y < height && bitmap.IsDark(x, y) != setBitLight; };
    if (width == 0 || height == 0) return writer.Finish();  // no pixels, no lines
    if (style == PreviewStyle::Ascii) {
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) writer.PutByte(dark(x, y) ? '#' : '.');
            writer.PutByte('\n');
        }
        return writer.Finish();
    }
    for (uint32_t y = 0; y < height; y += 2) {
        for (uint32_t x = 0; x < width; ++x) {
            // IsDark answers false below the last row, so an odd last row has no lower half.
            int cell = (dark(x, y) ? 2 : 0) + (dark(x, y + 1) ? 1 : 0);
            PutCell(writer, kHalfBlocks[cell]);
        }
        writer.PutByte('\n');
    }
    return writer.Finish();
}
