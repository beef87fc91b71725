#include "core/level_bmp_writer.h"

#include <algorithm>
#include <vector>

#include "core/bmp_format.h"
#include "core/direct_image.h"
#include "core/level_image.h"

namespace {

void Put(BlockWriter& writer, const void* data, uint32_t size) { writer.Put(static_cast<const char*>(data), size); }

// The headers of a BMP of `bits` a pixel with `colours` palette entries to
// follow; false when the file would not fit its 32-bit size field.
bool PutHeaders(BlockWriter& writer, uint32_t width, uint32_t height, uint32_t bits, uint32_t colours,
                uint64_t stride) {
    const uint32_t headers = bmp::kPaletteOffset + colours * sizeof(bmp::RGBQUAD);
    const uint64_t rows = stride * height;
    if (rows > 0xFFFFFFFFu - headers) return false;
    bmp::BITMAPFILEHEADER file = {bmp::kSignature, static_cast<uint32_t>(headers + rows), 0, 0, headers};
    bmp::BITMAPINFOHEADER info = {sizeof info,
                                  static_cast<int32_t>(width),
                                  static_cast<int32_t>(height),
                                  1,
                                  static_cast<uint16_t>(bits),
                                  0,
                                  static_cast<uint32_t>(rows),
                                  2835,
                                  2835,
                                  colours,
                                  0};
    Put(writer, &file, sizeof file);
    Put(writer, &info, sizeof info);
    return true;
}

void PutRow(BlockWriter& writer, const std::vector<uint8_t>& row) {
    const uint64_t stride = row.size();
    for (uint32_t at = 0; at < stride; at += writer.BlockSize()) {
        const uint32_t size =
            stride - at < writer.BlockSize() ? static_cast<uint32_t>(stride - at) : writer.BlockSize();
        Put(writer, row.data() + at, size);
    }
}

}  // namespace

bool EmitLevelBmp(const LevelImage& image, ByteSink sink, void* context, bool coverage, const BufferSizes& sizes,
                  const std::vector<Rgb>* palette) {
    const uint32_t width = image.Width(), height = image.Height(), depth = image.Depth();
    const uint32_t bits = depth == 8 ? 8 : 4, colours = 1u << depth;
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    if (depth < (palette ? 1u : 2u)) return false;
    BlockWriter writer(sink, context, sizes.blockBytes);
    if (!PutHeaders(writer, width, height, bits, colours, stride)) return false;
    for (uint32_t v = 0; v < colours; ++v) {
        const uint8_t grey = static_cast<uint8_t>(coverage ? 255 - GreyOfLevel(v, depth) : GreyOfLevel(v, depth));
        bmp::RGBQUAD entry = {grey, grey, grey, 0};
        if (palette) {
            const Rgb colour = v < palette->size() ? (*palette)[v] : Rgb{0, 0, 0};
            entry = {colour.b, colour.g, colour.r, 0};
        }
        Put(writer, &entry, sizeof entry);
    }
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (uint32_t y = stride != 0 ? height : 0; y-- > 0;) {
        if (depth == bits) {
            const uint8_t* stored = image.Row(y);
            std::copy(stored, stored + image.Stride(), row.begin());
        } else {
            // Depths 1 and 2 as 4 bits a pixel: each value a nibble, the first high.
            for (uint32_t x = 0; x < width; ++x) {
                const uint8_t value = static_cast<uint8_t>(image.Get(x, y));
                row[x / 2] = static_cast<uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | value : value << 4);
            }
        }
        PutRow(writer, row);
    }
    return writer.Finish();
}

bool EmitDirectBmp(const DirectImage& image, ByteSink sink, void* context, const BufferSizes& sizes) {
    const uint32_t width = image.Width(), height = image.Height();
    const uint64_t stride = (static_cast<uint64_t>(width) * 24 + 31) / 32 * 4;
    BlockWriter writer(sink, context, sizes.blockBytes);
    if (!PutHeaders(writer, width, height, 24, 0, stride)) return false;
    std::vector<uint8_t> row(static_cast<size_t>(stride), 0);
    for (uint32_t y = stride != 0 ? height : 0; y-- > 0;) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t rgba[4];
            ColourOfValue(image.Format(), image.Get(x, y), rgba);
            row[3 * x] = rgba[2];
            row[3 * x + 1] = rgba[1];
            row[3 * x + 2] = rgba[0];
        }
        PutRow(writer, row);
    }
    return writer.Finish();
}
