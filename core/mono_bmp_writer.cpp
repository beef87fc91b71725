#include "core/mono_bmp_writer.h"

#include <vector>

#include "core/bmp_format.h"
#include "core/mono_bitmap.h"

namespace {

void Put(BlockWriter& writer, const void* data, uint32_t size) { writer.Put(static_cast<const char*>(data), size); }

}  // namespace

bool EmitMonoBmp(const MonoBitmap& bitmap, ByteSink sink, void* context, const BufferSizes& sizes, bool setBitLight) {
    const uint32_t width = bitmap.Width(), height = bitmap.Height();
    const uint32_t stride = static_cast<uint32_t>(MonoBitmap::StrideFor(static_cast<int32_t>(width)));
    const uint32_t headers = bmp::kPaletteOffset + 2 * sizeof(bmp::RGBQUAD);
    uint64_t rows = static_cast<uint64_t>(stride) * height;
    if (!bitmap.IsLoaded() || rows > 0xFFFFFFFFu - headers) return false;

    bmp::BITMAPFILEHEADER file = {bmp::kSignature, static_cast<uint32_t>(headers + rows), 0, 0, headers};
    bmp::BITMAPINFOHEADER info = {sizeof info,
                                  static_cast<int32_t>(width),
                                  static_cast<int32_t>(height),
                                  1,
                                  1,
                                  0,
                                  static_cast<uint32_t>(rows),
                                  2835,
                                  2835,
                                  2,
                                  0};
    const bmp::RGBQUAD black = {0, 0, 0, 0}, white = {0xFF, 0xFF, 0xFF, 0};
    const bmp::RGBQUAD palette[2] = {setBitLight ? white : black, setBitLight ? black : white};
    BlockWriter writer(sink, context, sizes.blockBytes);
    Put(writer, &file, sizeof file);
    Put(writer, &info, sizeof info);
    Put(writer, palette, sizeof palette);

    // A dark pixel is a clear bit here; the source's rows say dark with
    // whichever bit its own dark palette entry has.
    const uint8_t flip = bitmap.DarkIndex() == 0 ? 0x00 : 0xFF;
    const uint32_t used = (width + 7) / 8;
    const uint8_t lastMask = width % 8 ? static_cast<uint8_t>(0xFF00u >> (width % 8)) : 0xFF;
    std::vector<uint8_t> row(stride, 0);
    // An image without width has rows of no bytes: however many, none is written.
    for (uint32_t y = stride != 0 ? height : 0; y-- > 0;) {
        const uint8_t* stored = bitmap.Row(y);
        for (uint32_t i = 0; i < used; ++i) row[i] = stored[i] ^ flip;
        if (used) row[used - 1] &= lastMask;
        for (uint32_t at = 0; at < stride; at += writer.BlockSize()) {
            uint32_t size = stride - at < writer.BlockSize() ? stride - at : writer.BlockSize();
            Put(writer, row.data() + at, size);
        }
    }
    return writer.Finish();
}
