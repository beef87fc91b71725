// The bytes of a direct colour image: each pixel's value in BytesOfValue()
// bytes, least significant first (little-endian, as LVGL and most MCUs
// hold them in memory) or most significant first (big-endian, the order
// ST7735 and ILI9341 controllers take on the wire). A line is a row of
// pixels with --bytes-horizontal, a column with --bytes-vertical; the
// other packing options, about pixels within a byte, have nothing to say.
// A format with an alpha plane (LVGL's RGB565A8) packs every colour value,
// then every alpha byte, the colour lines each as lines of the alpha's
// length, as many as a colour value has bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/convert_options.h"
#include "core/direct_image.h"
#include "core/packed_grid.h"
#include "core/packed_shape.h"

class DirectGrid : public PackedGrid {
public:
    // `image` must outlive the grid.
    DirectGrid(const DirectImage& image, const ConvertOptions& layout, bool bigEndian);

    uint32_t ItemsPerLine() const override { return items; }
    uint32_t LineCount() const override { return lines; }
    void Pack(uint32_t line, uint32_t first, uint32_t count, uint8_t* out) override;

private:
    uint32_t Value(uint32_t line, uint32_t pixel) const {
        return rows ? image.Get(pixel, line) : image.Get(line, pixel);
    }

    const DirectImage& image;
    bool rows, bigEndian, alphaPlane;
    uint32_t bytes, pixelLines, items, lines;
};

// The bytes an image of the shape packs into.
uint64_t PackedDirectSize(const PackedShape& shape);

// The way back: the first PackedDirectSize() of `bytes` as a new image of
// the shape. False when there are fewer bytes, the format is not direct or
// memory is short.
bool UnpackDirect(const uint8_t* bytes, size_t count, const PackedShape& shape, DirectImage* image);
