#include "core/direct_grid.h"

DirectGrid::DirectGrid(const DirectImage& picture, const ConvertOptions& layout, bool big)
    : image(picture),
      rows(layout.byteHorizontal != 0),
      bigEndian(big),
      alphaPlane(picture.Format() == DirectFormat::Rgb565A8),
      bytes(BytesOfValue(picture.Format())) {
    const uint32_t along = rows ? image.Width() : image.Height();
    pixelLines = rows ? image.Height() : image.Width();
    items = alphaPlane ? along : along * bytes;
    lines = alphaPlane ? pixelLines * 3 : pixelLines;
}

void DirectGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    if (alphaPlane && line >= 2 * pixelLines) {
        for (uint32_t i = 0; i < count; ++i)
            out[i] = static_cast<uint8_t>(Value(line - 2 * pixelLines, first + i) >> 16);
        return;
    }
    uint32_t at = first;
    if (alphaPlane) {  // half of a line of RGB565 values
        at += (line & 1) * items;
        line >>= 1;
    }
    for (uint32_t i = 0; i < count; ++i, ++at) {
        const uint32_t byte = at % bytes, value = Value(line, at / bytes);
        out[i] = static_cast<uint8_t>(value >> 8 * (bigEndian ? bytes - 1 - byte : byte));
    }
}

uint64_t PackedDirectSize(uint32_t width, uint32_t height, DirectFormat format) {
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    return pixels * (BytesOfValue(format) + (format == DirectFormat::Rgb565A8 ? 1 : 0));
}

bool UnpackDirect(const uint8_t* bytes, size_t count, uint32_t width, uint32_t height, DirectFormat format,
                  const ConvertOptions& layout, bool bigEndian, DirectImage* image) {
    if (format == DirectFormat::None || PackedDirectSize(width, height, format) > count ||
        !image->Create(width, height, format))
        return false;
    const uint32_t size = BytesOfValue(format);
    const bool rows = layout.byteHorizontal != 0;
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    const uint32_t along = rows ? width : height;
    for (uint64_t p = 0; p < pixels; ++p) {
        const uint32_t line = static_cast<uint32_t>(p / along), index = static_cast<uint32_t>(p % along);
        const uint8_t* at = bytes + p * size;
        uint32_t value = 0;
        for (uint32_t b = 0; b < size; ++b) value |= static_cast<uint32_t>(at[b]) << 8 * (bigEndian ? size - 1 - b : b);
        if (format == DirectFormat::Rgb565A8) value |= static_cast<uint32_t>(bytes[pixels * 2 + p]) << 16;
        (rows ? image->Row(line)[index] : image->Row(index)[line]) = value;
    }
    return true;
}
