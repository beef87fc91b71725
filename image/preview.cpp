#include "image/preview.h"

#include "core/mono_bitmap.h"

namespace {

// Indexed by (upper dark) * 2 + (lower dark), in UTF-8.
const char* const kHalfBlocks[4] = {" ", "\xE2\x96\x84", "\xE2\x96\x80", "\xE2\x96\x88"};

void PutCell(BlockWriter& writer, const char* cell) { writer.Put(cell, cell[1] ? 3 : 1); }

}  // namespace

bool EmitPreview(const MonoBitmap& bitmap, PreviewStyle style, ByteSink sink, void* context, const BufferSizes& sizes) {
    BlockWriter writer(sink, context, sizes.blockBytes);
    const uint32_t width = bitmap.Width(), height = bitmap.Height();
    if (width == 0 || height == 0) return writer.Finish();  // no pixels, no lines
    if (style == PreviewStyle::Ascii) {
        for (uint32_t y = 0; y < height; ++y) {
            for (uint32_t x = 0; x < width; ++x) writer.PutByte(bitmap.IsDark(x, y) ? '#' : '.');
            writer.PutByte('\n');
        }
        return writer.Finish();
    }
    for (uint32_t y = 0; y < height; y += 2) {
        for (uint32_t x = 0; x < width; ++x) {
            // IsDark answers false below the last row, so an odd last row has no lower half.
            int cell = (bitmap.IsDark(x, y) ? 2 : 0) + (bitmap.IsDark(x, y + 1) ? 1 : 0);
            PutCell(writer, kHalfBlocks[cell]);
        }
        writer.PutByte('\n');
    }
    return writer.Finish();
}
