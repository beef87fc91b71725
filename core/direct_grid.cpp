#include "core/direct_grid.h"

DirectGrid::DirectGrid(const DirectImage& picture, const ConvertOptions& layout, bool big)
    : image(picture),
      rows(layout.byteHorizontal != 0),
      bigEndian(big),
      alphaPlane(DirectRowOf(picture.Format())->alphaPlane),
      bytes(BytesOfValue(picture.Format())) {
    const uint32_t along = rows ? image.Width() : image.Height();
    pixelLines = rows ? image.Height() : image.Width();
    items = alphaPlane ? along : along * bytes;
    // With an alpha plane, each line of colour values is `bytes` lines of
    // the alpha's length, and the alpha lines follow.
    lines = alphaPlane ? pixelLines * (bytes + 1) : pixelLines;
}

void DirectGrid::Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) {
    if (alphaPlane && line >= bytes * pixelLines) {
        for (uint32_t i = 0; i < count; ++i)
            out[i] = static_cast<uint8_t>(Value(line - bytes * pixelLines, first + i) >> 8 * bytes);
        return;
    }
    uint32_t at = first;
    if (alphaPlane) {  // a part of a line of colour values
        at += (line % bytes) * items;
        line /= bytes;
    }
    for (uint32_t i = 0; i < count; ++i, ++at) {
        const uint32_t byte = at % bytes, value = Value(line, at / bytes);
        out[i] = static_cast<uint8_t>(value >> 8 * (bigEndian ? bytes - 1 - byte : byte));
    }
}

uint64_t PackedDirectSize(const PackedShape& shape) {
    const DirectFormatRow* row = DirectRowOf(shape.format);
    const uint64_t pixels = static_cast<uint64_t>(shape.width) * shape.height;
    return row ? pixels * (row->bytes + (row->alphaPlane ? 1 : 0)) : 0;
}

bool UnpackDirect(const uint8_t* bytes, size_t count, const PackedShape& shape, DirectImage* image) {
    const uint32_t width = shape.width, height = shape.height;
    const bool bigEndian = shape.bigEndian;
    const DirectFormatRow* format = DirectRowOf(shape.format);
    if (!format || PackedDirectSize(shape) > count || !image->Create(width, height, shape.format)) return false;
    const uint32_t size = format->bytes;
    const bool rows = shape.layout.byteHorizontal != 0;
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    const uint32_t along = rows ? width : height;
    for (uint64_t p = 0; p < pixels; ++p) {
        const uint32_t line = static_cast<uint32_t>(p / along), index = static_cast<uint32_t>(p % along);
        const uint8_t* at = bytes + p * size;
        uint32_t value = 0;
        for (uint32_t b = 0; b < size; ++b) value |= static_cast<uint32_t>(at[b]) << 8 * (bigEndian ? size - 1 - b : b);
        if (format->alphaPlane) value |= static_cast<uint32_t>(bytes[pixels * size + p]) << 8 * size;
        (rows ? image->Row(line)[index] : image->Row(index)[line]) = value;
    }
    return true;
}
